#pragma once
// How a fuzz input is cut into arguments, and how a disagreement is reported.
//
// A Text never holds a NUL byte, so NUL separates the text fields of an input:
// "abc\0b" is the fields "abc" and "b"; fields not present are empty. Targets
// that need small integers take them from leading bytes first. This keeps the
// seed files short and writable by hand.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace mirelant::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next byte as a number (0 when the input has run out).
  std::uint8_t Byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }

  // The next NUL-terminated field (the rest of the input for the last one).
  std::string_view Field() {
    const std::size_t nul = rest_.find('\0');
    const std::string_view field = rest_.substr(0, nul);
    rest_.remove_prefix(nul == std::string_view::npos ? rest_.size() : nul + 1);
    return field;
  }

 private:
  std::string_view rest_;
};

// Bytes spelled so that a report can be pasted into a C++ test as it is.
inline std::string Escaped(std::string_view bytes) {
  std::string out = "\"";
  char hex[8];
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\\' || b == '"') {
      out += '\\';
      out += c;
    } else if (b >= 0x20 && b < 0x7F) {
      out += c;
    } else {
      std::snprintf(hex, sizeof hex, "\\x%02X\"\"", b);
      out += hex;
    }
  }
  return out + "\"";
}

inline std::string Escaped(const std::vector<std::string>& list) {
  std::string out = "{";
  for (const std::string& s : list) out += Escaped(s) + ", ";
  return out + "}";
}

inline std::string Escaped(std::int64_t value) { return std::to_string(value); }

// Reports the case and stops the fuzzer, which then saves the input. describe
// gives the arguments in words; it is called only on a disagreement, so that
// agreeing runs cost no formatting.
template <typename A, typename B, typename Describe>
void ExpectSame(const char* what, const A& fast, const B& reference, const Describe& describe) {
  if (fast == reference) return;
  const std::string args = describe();
  std::fprintf(stderr, "MISMATCH in %s for %s\n  routine:   %s\n  reference: %s\n", what,
               args.c_str(), Escaped(fast).c_str(), Escaped(reference).c_str());
  std::abort();
}

}  // namespace mirelant::fuzz

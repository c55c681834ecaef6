#pragma once
// Deliberately plain versions of the text routines, written byte by byte from
// their definitions, for the fuzz targets to hold the fast ones against.
//
// The pairing rule they all share: walking from where the scan begins, a byte
// below 0x80 is one character; a byte of 0x80 or above is a character together
// with the byte after it, whatever that is; only as the very last byte of the
// text does it stand alone. A match is tried only where a character starts.
// After a separator or a replaced match the walk starts afresh.
//
// No searching helper is shared with the code under test: every comparison
// here is a loop over bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirelant::naive {

inline bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// True when the bytes of text from pos on begin with target (pos + size fits).
inline bool MatchesAt(std::string_view text, std::size_t pos, std::string_view target) {
  if (text.size() - pos < target.size()) return false;
  for (std::size_t k = 0; k < target.size(); ++k) {
    if (text[pos + k] != target[k]) return false;
  }
  return true;
}

// Moves pos over the character starting there; false when it was a lead byte
// standing last (the scan ends there).
inline bool StepCharacter(std::string_view text, std::size_t& pos) {
  if (IsLead(text[pos])) {
    if (pos + 1 == text.size()) return false;
    pos += 2;
  } else {
    pos += 1;
  }
  return true;
}

inline std::vector<std::string> SplitText(std::string_view text, std::string_view sep) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  if (sep.empty()) {
    lines.emplace_back(text);
    return lines;
  }
  std::size_t line_start = 0;
  std::size_t pos = 0;
  while (text.size() - pos >= sep.size()) {
    if (MatchesAt(text, pos, sep)) {
      lines.emplace_back(text.substr(line_start, pos - line_start));
      pos += sep.size();
      line_start = pos;
    } else if (!StepCharacter(text, pos)) {
      break;
    }
  }
  if (line_start < text.size()) lines.emplace_back(text.substr(line_start));
  return lines;
}

// An empty target gives 1 when at least one byte is searched.
inline std::int64_t FindText(std::string_view text, std::string_view target, std::int64_t start) {
  if (start < 1) start = 1;
  if (start > static_cast<std::int64_t>(text.size())) return -1;
  if (target.empty()) return 1;
  std::size_t pos = static_cast<std::size_t>(start - 1);
  while (text.size() - pos >= target.size()) {
    if (MatchesAt(text, pos, target)) return static_cast<std::int64_t>(pos) + 1;
    if (!StepCharacter(text, pos)) break;
  }
  return -1;
}

inline std::int64_t FindLastText(std::string_view text, std::string_view target) {
  if (text.empty()) return -1;
  if (target.empty()) return 1;
  std::int64_t last = -1;
  std::size_t pos = 0;
  while (text.size() - pos >= target.size()) {
    if (MatchesAt(text, pos, target)) last = static_cast<std::int64_t>(pos) + 1;
    if (!StepCharacter(text, pos)) break;
  }
  return last;
}

// count below 0 replaces every occurrence. *replaced (when given) receives how
// many were replaced.
inline std::string ReplaceText(std::string_view text, std::string_view target,
                               std::string_view replacement, std::int64_t start, std::int64_t count,
                               std::int64_t* replaced = nullptr) {
  if (replaced != nullptr) *replaced = 0;
  if (start < 1) start = 1;
  if (text.empty() || target.empty() || start > static_cast<std::int64_t>(text.size()) ||
      count == 0) {
    return std::string(text);
  }
  std::size_t pos = static_cast<std::size_t>(start - 1);
  std::string out(text.substr(0, pos));
  std::int64_t done = 0;
  while (text.size() - pos >= target.size()) {
    if (MatchesAt(text, pos, target)) {
      out.append(replacement);
      pos += target.size();
      ++done;
      if (count > 0 && done == count) break;
      continue;
    }
    const std::size_t from = pos;
    if (!StepCharacter(text, pos)) break;
    out.append(text.substr(from, pos - from));
  }
  out.append(text.substr(pos));
  if (replaced != nullptr) *replaced = done;
  return out;
}

// Full-width forms folded to ASCII, then a leading decimal integer read with
// 32-bit wrap-around.
inline std::int32_t TextToInt(std::string_view text) {
  std::string folded;
  for (std::size_t i = 0; i < text.size();) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80 || i + 1 == text.size()) {
      folded += static_cast<char>(b0);
      i += 1;
      continue;
    }
    const auto b1 = static_cast<unsigned char>(text[i + 1]);
    if (b0 == 0xA3 && b1 >= 0xA1 && b1 <= 0xFE) {
      folded += static_cast<char>(b1 - 0x80);
    } else if (b0 == 0xA1 && b1 == 0xA1) {
      folded += ' ';
    } else if (b0 == 0xA1 && b1 == 0xAB) {
      folded += '~';
    } else if (b0 == 0xA1 && (b1 == 0xEE || b1 == 0xEF)) {
      folded += '*';
    } else {
      folded += static_cast<char>(b0);
      folded += static_cast<char>(b1);
    }
    i += 2;
  }
  std::size_t i = 0;
  const auto space = [](char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
  };
  while (i < folded.size() && space(folded[i])) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
    negative = folded[i] == '-';
    ++i;
  }
  std::uint32_t value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

// The three pieces of the extract operation, cut by the plain searches above.
inline std::string TextBeforeFirst(std::string_view line, std::string_view mark) {
  const std::int64_t p = FindText(line, mark, 1);
  if (p == -1) return {};
  return std::string(line.substr(0, static_cast<std::size_t>(p - 1)));
}

inline std::string TextAfterLast(std::string_view line, std::string_view mark) {
  const std::int64_t p = FindLastText(line, mark);
  if (p == -1) return {};
  return std::string(line.substr(static_cast<std::size_t>(p - 1) + mark.size()));
}

inline std::string TextBetween(std::string_view line, std::string_view first,
                               std::string_view second) {
  const std::int64_t p = FindText(line, first, 1);
  if (p == -1) return {};
  const std::string_view rest = line.substr(static_cast<std::size_t>(p - 1) + first.size());
  const std::int64_t q = FindText(rest, second, 1);
  if (q == -1) return {};
  return std::string(rest.substr(0, static_cast<std::size_t>(q - 1)));
}

}  // namespace mirelant::naive

// ReplaceText and ReplaceAllInPlace against the plain scan. Input: a start
// byte (start = byte - 3), a count byte (its low three bits less 1: -1, which
// means all, to 6), then the text, the target and the replacement as
// NUL-separated fields.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "mirelant/text/text.h"
#include "naive.h"

using mirelant::fuzz::Escaped;
using mirelant::fuzz::ExpectSame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mirelant::fuzz::FuzzInput in(data, size);
  const std::int64_t start = static_cast<std::int64_t>(in.Byte()) - 3;
  const std::int64_t count = static_cast<std::int64_t>(in.Byte() & 7) - 1;
  const std::string_view text = in.Field();
  const std::string_view target = in.Field();
  const std::string_view replacement = in.Field();
  const auto args = [&] {
    return Escaped(text) + " / " + Escaped(target) + " -> " + Escaped(replacement);
  };

  ExpectSame("ReplaceText", mirelant::ReplaceText(text, target, replacement, start, count),
             mirelant::naive::ReplaceText(text, target, replacement, start, count), [&] {
               return args() + " from " + std::to_string(start) + " count " + std::to_string(count);
             });

  std::int64_t replaced = 0;
  const std::string want =
      mirelant::naive::ReplaceText(text, target, replacement, 1, -1, &replaced);
  std::string in_place(text);
  const bool changed = mirelant::ReplaceAllInPlace(in_place, target, replacement);
  ExpectSame("ReplaceAllInPlace", in_place, want, args);
  ExpectSame("ReplaceAllInPlace result", static_cast<std::int64_t>(changed),
             static_cast<std::int64_t>(replaced > 0), args);
  return 0;
}

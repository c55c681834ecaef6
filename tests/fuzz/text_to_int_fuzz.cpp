// TextToInt against a plain fold-then-parse, and IntToText read back. Input:
// the text (up to its first NUL); its first four bytes also give a number.
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_input.h"
#include "mirelant/text/text.h"
#include "naive.h"

using mirelant::fuzz::Escaped;
using mirelant::fuzz::ExpectSame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t bits = 0;
  if (size > 0) std::memcpy(&bits, data, size < 4 ? size : 4);
  const auto value = static_cast<std::int32_t>(bits);
  ExpectSame("TextToInt(IntToText)",
             static_cast<std::int64_t>(mirelant::TextToInt(mirelant::IntToText(value))),
             static_cast<std::int64_t>(value), [&] { return std::to_string(value); });

  mirelant::fuzz::FuzzInput in(data, size);
  const std::string_view text = in.Field();
  ExpectSame("TextToInt", static_cast<std::int64_t>(mirelant::TextToInt(text)),
             static_cast<std::int64_t>(mirelant::naive::TextToInt(text)),
             [&] { return Escaped(text); });
  return 0;
}

// FindText against the plain scan. Input: a start byte (start = byte - 3, so
// positions before the text and past its end come up too), then the text and
// the target as NUL-separated fields.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "mirelant/text/text.h"
#include "naive.h"

using mirelant::fuzz::Escaped;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mirelant::fuzz::FuzzInput in(data, size);
  const std::int64_t start = static_cast<std::int64_t>(in.Byte()) - 3;
  const std::string_view text = in.Field();
  const std::string_view target = in.Field();
  mirelant::fuzz::ExpectSame(
      "FindText", mirelant::FindText(text, target, start),
      mirelant::naive::FindText(text, target, start),
      [&] { return Escaped(text) + " / " + Escaped(target) + " from " + std::to_string(start); });
  return 0;
}

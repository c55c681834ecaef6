// FindLastText against the plain scan. Input: the text and the target as
// NUL-separated fields.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "mirelant/text/text.h"
#include "naive.h"

using mirelant::fuzz::Escaped;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mirelant::fuzz::FuzzInput in(data, size);
  const std::string_view text = in.Field();
  const std::string_view target = in.Field();
  mirelant::fuzz::ExpectSame("FindLastText", mirelant::FindLastText(text, target),
                             mirelant::naive::FindLastText(text, target),
                             [&] { return Escaped(text) + " / " + Escaped(target); });
  return 0;
}

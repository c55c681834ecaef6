// The three pieces of the extract operation against plain cuts. Input: the
// line, the first mark and the second mark as NUL-separated fields.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "mirelant/ops/extract.h"
#include "naive.h"

using mirelant::fuzz::Escaped;
using mirelant::fuzz::ExpectSame;

namespace {

// A piece is a view into the line: the bytes must come from the line itself.
bool IsInside(std::string_view piece, std::string_view line) {
  return piece.empty() ||
         (piece.data() >= line.data() && piece.data() + piece.size() <= line.data() + line.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mirelant::fuzz::FuzzInput in(data, size);
  const std::string_view line = in.Field();
  const std::string_view first = in.Field();
  const std::string_view second = in.Field();
  const auto args = [&] {
    return Escaped(line) + " / " + Escaped(first) + " / " + Escaped(second);
  };

  const std::string_view before = mirelant::ops::TextBeforeFirst(line, first);
  const std::string_view after = mirelant::ops::TextAfterLast(line, first);
  const std::string_view between = mirelant::ops::TextBetween(line, first, second);
  ExpectSame("TextBeforeFirst", before, mirelant::naive::TextBeforeFirst(line, first), args);
  ExpectSame("TextAfterLast", after, mirelant::naive::TextAfterLast(line, first), args);
  ExpectSame("TextBetween", between, mirelant::naive::TextBetween(line, first, second), args);
  for (const std::string_view piece : {before, after, between}) {
    ExpectSame("piece lies in the line", static_cast<std::int64_t>(IsInside(piece, line)),
               std::int64_t{1}, args);
  }
  return 0;
}

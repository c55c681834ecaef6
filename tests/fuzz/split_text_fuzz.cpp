// SplitText, SplitLines, JoinLines and LineOfText against the plain scan.
// Input: a mode byte, then the text and a separator as NUL-separated fields.
// An even mode byte cuts at CR LF (the fast path every operation uses), an odd
// one at the separator field.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "mirelant/text/lines.h"
#include "naive.h"

using mirelant::fuzz::Escaped;
using mirelant::fuzz::ExpectSame;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mirelant::fuzz::FuzzInput in(data, size);
  const bool line_breaks = in.Byte() % 2 == 0;
  const std::string_view text = in.Field();
  const std::string_view sep = line_breaks ? std::string_view("\r\n") : in.Field();
  const auto args = [&] { return Escaped(text) + " / " + Escaped(sep); };

  const mirelant::LineList lines = mirelant::SplitText(text, sep);
  std::vector<std::string> got;
  for (std::size_t i = 0; i < lines.size(); ++i) got.emplace_back(lines[i]);
  const std::vector<std::string> want = mirelant::naive::SplitText(text, sep);
  ExpectSame("SplitText", got, want, args);
  if (!lines.empty()) {
    // The lines are contiguous: from the first to the last they span the text
    // with the separators between them.
    std::string span = want.front();
    for (std::size_t i = 1; i < want.size(); ++i) span += std::string(sep) + want[i];
    ExpectSame("LineList::Span", lines.Span(0, lines.size() - 1), span, args);
  }
  if (!line_breaks) return 0;

  std::string joined;
  for (const std::string& line : want) joined += line + "\r\n";
  ExpectSame("JoinLines", mirelant::JoinLines(lines), joined, args);
  const auto count = static_cast<std::int32_t>(want.size());
  for (const std::int32_t n : {0, 1, count, count + 1}) {
    const std::string expected = n >= 1 && n <= count ? want[static_cast<std::size_t>(n - 1)] : "";
    ExpectSame("LineOfText", mirelant::LineOfText(text, n), expected,
               [&] { return args() + " line " + std::to_string(n); });
  }
  return 0;
}

// SplitText, SplitLines, JoinLines, LineOfText and LineIndex against the plain
// scan. Input: a mode byte, then the text and a separator as NUL-separated
// fields. An even mode byte cuts at CR LF (the fast path every operation
// uses), an odd one at the separator field; its bits 1 to 3 give the step of
// the line index (1 to 8).
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
  const std::uint8_t mode = in.Byte();
  const bool line_breaks = mode % 2 == 0;
  const std::size_t step = 1 + ((mode >> 1) & 7);
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

  // The index counts the same lines and finds where each starts, without
  // listing them.
  const mirelant::LineIndex index(text, step);
  const auto with_step = [&] { return args() + " step " + std::to_string(step); };
  ExpectSame("LineIndex::lines", static_cast<std::int64_t>(index.lines()),
             static_cast<std::int64_t>(want.size()), with_step);
  ExpectSame("LineIndex::ends_with_break", static_cast<std::int64_t>(index.ends_with_break()),
             static_cast<std::int64_t>(joined == text), with_step);
  std::size_t start = 0;
  for (std::size_t i = 0; i <= want.size() + 1; ++i) {
    const std::size_t expected = i < want.size() ? start : text.size();
    ExpectSame("LineIndex::StartOf", static_cast<std::int64_t>(index.StartOf(i)),
               static_cast<std::int64_t>(expected),
               [&] { return with_step() + " line " + std::to_string(i); });
    if (i < want.size()) start += want[i].size() + 2;
  }
  return 0;
}

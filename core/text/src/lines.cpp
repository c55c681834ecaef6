#include "mirelant/text/lines.h"

#include <cstring>

#include "aligned_search.h"

namespace mirelant {

using detail::IsLeadByte;

namespace {

// Finds each CR LF whose CR starts a character. The run of lead bytes right
// before the CR (not reaching back past the last line start) must be even.
template <typename OnLineEnd>
void ForEachLineBreak(TextView text, OnLineEnd&& on_line_end) {
  const char* const base = text.data();
  const std::size_t n = text.size();
  std::size_t line_start = 0;
  std::size_t pos = 0;
  while (pos + 1 < n) {
    const void* hit = std::memchr(base + pos, '\r', n - 1 - pos);
    if (hit == nullptr) break;
    const std::size_t cr = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
    if (base[cr + 1] != '\n') {
      pos = cr + 1;
      continue;
    }
    std::size_t run = 0;
    for (std::size_t q = cr; q > line_start && IsLeadByte(base[q - 1]); --q) ++run;
    if (run % 2 != 0) {
      // The CR is the second byte of a pair; the LF starts a character.
      pos = cr + 1;
      continue;
    }
    on_line_end(cr);
    line_start = cr + 2;
    pos = line_start;
  }
}

// Every CR LF byte pair, aligned or not: an upper bound on the line breaks, so
// the line list is allocated once (no regrowth, no transient double size).
std::size_t CountLineBreakBytes(TextView text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t count = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) count += (p[i] == '\r') & (p[i + 1] == '\n');
  return count;
}

}  // namespace

TextView LineList::Span(std::size_t first, std::size_t last) const {
  const std::uint64_t begin = first == 0 ? 0 : ends_[first - 1] + separator_size_;
  return TextView(base_ + begin, ends_[last] - begin);
}

LineList SplitText(TextView text, TextView separator) {
  LineList lines;
  if (text.empty()) return lines;
  lines.base_ = text.data();
  lines.separator_size_ = separator.size();
  std::size_t line_start = 0;
  if (separator.empty()) {
    lines.ends_.push_back(text.size());
    return lines;
  }
  if (separator == kLineBreak) {
    lines.ends_.reserve(CountLineBreakBytes(text) + 1);
    ForEachLineBreak(text, [&](std::size_t cr) {
      lines.ends_.push_back(cr);
      line_start = cr + 2;
    });
  } else {
    detail::AlignedSearcher search(text, separator, 0);
    for (std::size_t p = search.Next(); p != TextView::npos; p = search.Next()) {
      lines.ends_.push_back(p);
      search.SkipMatch();
      line_start = p + separator.size();
    }
  }
  if (line_start < text.size()) lines.ends_.push_back(text.size());
  return lines;
}

LineList SplitLines(TextView text) { return SplitText(text, kLineBreak); }

Text JoinLines(const LineList& lines) {
  std::size_t size = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) size += lines[i].size() + 2;
  Text out;
  out.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out.append(lines[i]);
    out.append(kLineBreak);
  }
  return out;
}

Text LineOfText(TextView text, std::int32_t n) {
  if (n < 1) return {};
  const LineList lines = SplitLines(text);
  if (static_cast<std::size_t>(n) > lines.size()) return {};
  return Text(lines[static_cast<std::size_t>(n) - 1]);
}

}  // namespace mirelant

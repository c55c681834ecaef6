#include "mirelant/text/lines.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "aligned_search.h"
#include "mirelant/text/memory.h"

namespace mirelant {

using detail::IsLeadByte;

namespace {

#if defined(__SSE2__)
// Bit j set where text[at + j] is CR and text[at + j + 1] is LF; needs 17 bytes.
inline unsigned CrLfMask(const char* at) {
  const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
  const unsigned cr =
      static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, _mm_set1_epi8('\r'))));
  const unsigned lf =
      static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(next, _mm_set1_epi8('\n'))));
  return cr & lf;
}
#endif

// Calls on_pair(i) for every i where text[i] is CR and text[i + 1] is LF, in
// order, aligned to characters or not.
template <typename OnPair>
void ForEachCrLfPair(TextView text, OnPair&& on_pair) {
  const char* const p = text.data();
  const std::size_t n = text.size();
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 17 <= n; i += 16) {
    for (unsigned m = CrLfMask(p + i); m != 0; m &= m - 1)
      on_pair(i + static_cast<std::size_t>(__builtin_ctz(m)));
  }
#endif
  for (; i + 1 < n; ++i) {
    if (p[i] == '\r' && p[i + 1] == '\n') on_pair(i);
  }
}

// Every CR LF byte pair, aligned or not: an upper bound on the line breaks, so
// the line list is allocated once (no regrowth, no transient double size).
std::size_t CountLineBreakBytes(TextView text) {
  const char* const p = text.data();
  const std::size_t n = text.size();
  std::size_t count = 0;
  std::size_t i = 0;
#if defined(__SSE2__)
  // Byte counters: a match subtracts -1 from its lane; lanes are summed before
  // they can overflow.
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  while (i + 17 <= n) {
    __m128i lanes = _mm_setzero_si128();
    for (int k = 0; k < 255 && i + 17 <= n; ++k, i += 16) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
      lanes =
          _mm_sub_epi8(lanes, _mm_and_si128(_mm_cmpeq_epi8(here, cr), _mm_cmpeq_epi8(next, lf)));
    }
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; i + 1 < n; ++i) count += (p[i] == '\r') & (p[i + 1] == '\n');
  return count;
}

// The number of lead bytes (0x80 and above) right before position end, not
// counting any before from.
inline std::size_t LeadRunBefore(const char* base, std::size_t from, std::size_t end) {
  const std::size_t limit = end - from;
#if defined(__SSE2__)
  if (end >= 16) {
    // Bit 15 of the mask is the byte at end - 1; the run is the ones below it.
    const auto high = static_cast<unsigned>(
        _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(base + end - 16))));
    const unsigned low = ~high & 0xFFFFu;
    if (low != 0) {
      const std::size_t run = 15 - static_cast<std::size_t>(31 - __builtin_clz(low));
      return run < limit ? run : limit;
    }
  }
#endif
  std::size_t run = 0;
  while (run < limit && IsLeadByte(base[end - 1 - run])) ++run;
  return run;
}

// Finds each CR LF whose CR starts a character: the run of lead bytes right
// before the CR (not reaching back past the line's start, where pairing begins
// afresh) must be even.
template <typename OnLineEnd>
void ForEachLineBreak(TextView text, OnLineEnd&& on_line_end) {
  const char* const base = text.data();
  std::size_t line_start = 0;
  ForEachCrLfPair(text, [&](std::size_t cr) {
    if (LeadRunBefore(base, line_start, cr) % 2 != 0) return;  // the CR ends a pair
    on_line_end(cr);
    line_start = cr + 2;
  });
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
    AdviseHugePages(lines.ends_.data(), lines.ends_.capacity() * sizeof(std::uint64_t));
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

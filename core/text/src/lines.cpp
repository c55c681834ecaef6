#include "mirelant/text/lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "aligned_search.h"
#include "mirelant/text/memory.h"

namespace mirelant {


namespace {

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

#if defined(__SSE2__)
// Bits of one 64-byte block at p: lead bytes, CRs, and LFs one byte further on
// (so bit j of cr & lf_next marks a CR LF starting at j). Needs 65 bytes.
struct BlockMasks {
  std::uint64_t lead, cr, lf_next;
};

inline std::uint64_t Mask16(__m128i v, int shift) {
  return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(v))) << shift;
}

inline BlockMasks MasksOf(const char* p) {
  BlockMasks m{0, 0, 0};
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (int k = 0; k < 4; ++k) {
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k + 1));
    m.lead |= Mask16(here, 16 * k);
    m.cr |= Mask16(_mm_cmpeq_epi8(here, cr), 16 * k);
    m.lf_next |= Mask16(_mm_cmpeq_epi8(next, lf), 16 * k);
  }
  return m;
}

// Bit j set when the run of lead bytes right before byte j (within the scan)
// has odd length, so byte j is the second byte of a pair. carry tells whether
// the previous block ended inside such an odd run, and is updated for the next
// block. The carries of an addition find where each run ends.
inline std::uint64_t OddRunEnds(std::uint64_t lead, std::uint64_t* carry) {
  constexpr std::uint64_t kEven = 0x5555555555555555ull;
  constexpr std::uint64_t kOdd = ~kEven;
  const std::uint64_t starts = lead & ~(lead << 1);
  const std::uint64_t even_start_mask = kEven ^ *carry;
  const std::uint64_t even_starts = starts & even_start_mask;
  const std::uint64_t odd_starts = starts & ~even_start_mask;
  const std::uint64_t even_carries = lead + even_starts;
  std::uint64_t odd_carries = 0;
  const bool ends_odd = __builtin_add_overflow(lead, odd_starts, &odd_carries);
  odd_carries |= *carry;
  *carry = ends_odd ? 1 : 0;
  const std::uint64_t even_carry_ends = even_carries & ~lead;
  const std::uint64_t odd_carry_ends = odd_carries & ~lead;
  return (even_carry_ends & kOdd) | (odd_carry_ends & kEven);
}
#endif

inline int BitCount(std::uint64_t x) {
  // Portable builds have no popcount instruction to count on.
  x = x - ((x >> 1) & 0x5555555555555555ull);
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return static_cast<int>((x * 0x0101010101010101ull) >> 56);
}

// Calls on_block(base, breaks) with the CR LFs from the line start from on
// whose CR starts a character: bit j of breaks marks one at base + j. Stops
// when on_block returns false. Pairing begins at from; separators hold no lead
// byte, so it begins afresh after each of them by itself. Whole 64-byte blocks
// are scanned with masks: a CR starts a character exactly when the run of lead
// bytes right before it is even.
template <typename OnBlock>
void ForEachBreakBlock(TextView text, std::size_t from, OnBlock&& on_block) {
  const char* const p = text.data();
  const std::size_t n = text.size();
  std::size_t i = from;
#if defined(__SSE2__)
  std::uint64_t carry = 0;
  for (; i + 65 <= n; i += 64) {
    const BlockMasks m = MasksOf(p + i);
    const std::uint64_t odd = OddRunEnds(m.lead, &carry);
    const std::uint64_t breaks = m.cr & m.lf_next & ~odd;
    if (breaks != 0 && !on_block(i, breaks)) return;
  }
  i += carry;  // the first byte left is the second byte of a pair
#endif
  while (i + 1 < n) {
    if (p[i] == '\r' && p[i + 1] == '\n') {
      if (!on_block(i, 1)) return;
      i += 2;
    } else {
      i += IsLeadByte(p[i]) ? 2 : 1;
    }
  }
}

// Calls on_line_end(cr) for each such CR LF, in order, until it returns false.
template <typename OnLineEnd>
void ForEachLineBreak(TextView text, std::size_t from, OnLineEnd&& on_line_end) {
  ForEachBreakBlock(text, from, [&](std::size_t base, std::uint64_t breaks) {
    for (; breaks != 0; breaks &= breaks - 1) {
      if (!on_line_end(base + static_cast<std::size_t>(__builtin_ctzll(breaks)))) return false;
    }
    return true;
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
    ForEachLineBreak(text, 0, [&](std::size_t cr) {
      lines.ends_.push_back(cr);
      line_start = cr + 2;
      return true;
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

std::size_t CountLines(TextView text) { return LineIndex(text, SIZE_MAX).lines(); }

LineIndex::LineIndex(TextView text, std::size_t step) : text_(text), step_(step) {
  starts_.push_back(0);
  std::size_t breaks_seen = 0;
  std::size_t next_mark = step;  // the line whose start is recorded next
  ForEachBreakBlock(text, 0, [&](std::size_t base, std::uint64_t breaks) {
    const auto in_block = static_cast<std::size_t>(BitCount(breaks));
    // Line k starts after break k: record it where a mark falls in this block.
    while (next_mark <= breaks_seen + in_block && next_mark != 0) {
      std::uint64_t rest = breaks;
      for (std::size_t k = breaks_seen + 1; k < next_mark; ++k) rest &= rest - 1;
      starts_.push_back(base + static_cast<std::size_t>(__builtin_ctzll(rest)) + 2);
      next_mark = next_mark + step < next_mark ? 0 : next_mark + step;
    }
    breaks_seen += in_block;
    return true;
  });
  const std::size_t last_start = StartOf(breaks_seen);
  ends_with_break_ = last_start == text.size();
  lines_ = breaks_seen + (ends_with_break_ ? 0 : 1);
}

std::size_t LineIndex::StartOf(std::size_t i) const {
  const std::size_t mark = std::min(i / step_, starts_.size() - 1);
  return SkipLines(text_, starts_[mark], i - mark * step_).end;
}

LineRun SkipLines(TextView text, std::size_t from, std::size_t count) {
  LineRun run{from, 0, true};
  if (count == 0) return run;
  ForEachBreakBlock(text, from, [&](std::size_t base, std::uint64_t breaks) {
    const auto in_block = static_cast<std::size_t>(BitCount(breaks));
    if (run.lines + in_block < count) {  // the whole block passes: count it at once
      run.lines += in_block;
      run.end = base + static_cast<std::size_t>(63 - __builtin_clzll(breaks)) + 2;
      return true;
    }
    for (; run.lines < count; breaks &= breaks - 1) {
      run.end = base + static_cast<std::size_t>(__builtin_ctzll(breaks)) + 2;
      ++run.lines;
    }
    return false;
  });
  if (run.lines < count && run.end < text.size()) {
    run.end = text.size();
    ++run.lines;
    run.ended_with_break = false;
  }
  return run;
}

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

#include "mirelant/text/text.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "aligned_search.h"

namespace mirelant {

using detail::AlignedSearcher;

Text BytesToText(ByteBlock block) {
  const void* nul = std::memchr(block.data(), 0, block.size());
  if (nul != nullptr) block.resize(static_cast<std::size_t>(static_cast<const char*>(nul) - block.data()));
  return block;
}

ByteBlock TextToBytes(TextView text) { return ByteBlock(text); }

Text IntToText(std::int32_t value) { return std::to_string(value); }

namespace {

// One character of text folded from its full-width form to ASCII; size tells
// how many bytes of the text it took.
struct Folded {
  unsigned char byte;
  bool ascii;
  std::size_t size;
};

Folded FoldCharacter(TextView text, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(text[i]);
  if (b0 < 0x80) return {b0, true, 1};
  if (i + 1 >= text.size()) return {b0, false, 1};
  const auto b1 = static_cast<unsigned char>(text[i + 1]);
  if (b0 == 0xA3 && b1 >= 0xA1 && b1 <= 0xFE) return {static_cast<unsigned char>(b1 - 0x80), true, 2};
  if (b0 == 0xA1) {
    if (b1 == 0xA1) return {' ', true, 2};
    if (b1 == 0xAB) return {'~', true, 2};
    if (b1 == 0xEE || b1 == 0xEF) return {'*', true, 2};
  }
  return {b0, false, 2};
}

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::int32_t TextToInt(TextView text) {
  std::size_t i = 0;
  Folded c{};
  auto next = [&]() -> bool {
    if (i >= text.size()) return false;
    c = FoldCharacter(text, i);
    i += c.size;
    return true;
  };
  bool have = next();
  while (have && c.ascii && IsSpace(c.byte)) have = next();
  bool negative = false;
  if (have && c.ascii && (c.byte == '+' || c.byte == '-')) {
    negative = c.byte == '-';
    have = next();
  }
  std::uint32_t value = 0;
  while (have && c.ascii && c.byte >= '0' && c.byte <= '9') {
    value = value * 10u + static_cast<std::uint32_t>(c.byte - '0');
    have = next();
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

int CompareText(TextView a, TextView b) {
  const int c = a.compare(b);  // char_traits<char>::compare orders bytes as unsigned
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

Text ConcatText(std::initializer_list<TextView> parts) {
  std::size_t size = 0;
  for (TextView p : parts) size += p.size();
  Text out;
  out.reserve(size);
  for (TextView p : parts) out.append(p);
  return out;
}

std::int64_t FindText(TextView text, TextView target, std::int64_t start) {
  if (start < 1) start = 1;
  if (start > static_cast<std::int64_t>(text.size())) return -1;
  const auto from = static_cast<std::size_t>(start - 1);
  if (target.empty()) return 1;
  AlignedSearcher search(text, target, from);
  const std::size_t p = search.Next();
  return p == TextView::npos ? -1 : static_cast<std::int64_t>(p) + 1;
}

std::int64_t FindLastText(TextView text, TextView target) {
  if (text.empty()) return -1;
  if (target.empty()) return 1;
  AlignedSearcher search(text, target, 0);
  std::int64_t last = -1;
  for (std::size_t p = search.Next(); p != TextView::npos; p = search.Next()) {
    last = static_cast<std::int64_t>(p) + 1;
    search.StepOver();
  }
  return last;
}

TextView LeftText(TextView text, std::int64_t n) {
  if (n <= 0) return {};
  return text.substr(0, static_cast<std::size_t>(std::min<std::int64_t>(n, static_cast<std::int64_t>(text.size()))));
}

TextView RightText(TextView text, std::int64_t n) {
  if (n <= 0) return {};
  const auto k = static_cast<std::size_t>(std::min<std::int64_t>(n, static_cast<std::int64_t>(text.size())));
  return text.substr(text.size() - k);
}

TextView MidText(TextView text, std::int64_t start, std::int64_t n) {
  if (start < 1 || start > static_cast<std::int64_t>(text.size()) || n <= 0) return {};
  return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n));
}

Text ReplaceText(TextView text, TextView target, TextView replacement, std::int64_t start,
                 std::int64_t count) {
  if (start < 1) start = 1;
  if (text.empty() || target.empty() || start > static_cast<std::int64_t>(text.size()) || count == 0) {
    return Text(text);
  }
  const auto from = static_cast<std::size_t>(start - 1);
  AlignedSearcher search(text, target, from);
  std::size_t p = search.Next();
  if (p == TextView::npos) return Text(text);
  Text out;
  out.reserve(text.size());
  std::size_t copied = 0;
  std::int64_t done = 0;
  while (p != TextView::npos) {
    out.append(text.substr(copied, p - copied));
    out.append(replacement);
    search.SkipMatch();
    copied = p + target.size();
    if (count > 0 && ++done == count) break;
    p = search.Next();
  }
  out.append(text.substr(copied));
  return out;
}

namespace {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target("avx2"))) inline __m256i Load32(const char* at) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i_u*>(at));
}

// The first byte-wise occurrence of a target of at least two bytes, or npos,
// by the first-and-last-byte filter: 64 candidate positions per step, and
// only those whose first and last bytes both fit are compared in full.
__attribute__((target("avx2"))) std::size_t FindBytesAvx2(TextView text, TextView target) {
  const char* const s = text.data();
  const std::size_t m = target.size();
  const std::size_t end = text.size() - m + 1;  // candidate starts are [0, end)
  const __m256i first = _mm256_set1_epi8(target.front());
  const __m256i last = _mm256_set1_epi8(target.back());
  std::size_t i = 0;
  for (; i + 64 <= end; i += 64) {
    const __m256i hit0 = _mm256_and_si256(_mm256_cmpeq_epi8(first, Load32(s + i)),
                                          _mm256_cmpeq_epi8(last, Load32(s + i + m - 1)));
    const __m256i hit1 = _mm256_and_si256(_mm256_cmpeq_epi8(first, Load32(s + i + 32)),
                                          _mm256_cmpeq_epi8(last, Load32(s + i + m - 1 + 32)));
    const __m256i any = _mm256_or_si256(hit0, hit1);
    if (_mm256_testz_si256(any, any)) continue;
    std::uint64_t mask =
        static_cast<std::uint32_t>(_mm256_movemask_epi8(hit0)) |
        static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(hit1))) << 32;
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t p = i + static_cast<std::size_t>(__builtin_ctzll(mask));
      if (std::memcmp(s + p + 1, target.data() + 1, m - 2) == 0) return p;
    }
  }
  const void* hit = memmem(s + i, text.size() - i, target.data(), m);
  return hit == nullptr ? TextView::npos
                        : static_cast<std::size_t>(static_cast<const char*>(hit) - s);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#endif

// The first byte-wise occurrence of a non-empty target, aligned or not, or
// npos: close to the speed of reading the text.
std::size_t FindBytes(TextView text, TextView target) {
  if (target.size() > text.size()) return TextView::npos;
  if (target.size() == 1) {
    const void* hit = std::memchr(text.data(), target.front(), text.size());
    return hit == nullptr ? TextView::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
  }
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (HasAvx2()) return FindBytesAvx2(text, target);
#endif
  const void* hit = memmem(text.data(), text.size(), target.data(), target.size());
  return hit == nullptr ? TextView::npos
                        : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

}  // namespace

bool ReplaceAllInPlace(Text& text, TextView target, TextView replacement) {
  if (text.empty() || target.empty()) return false;
  // Most rules of a large set find nothing: one fast byte-wise scan settles
  // that without the character-aware search.
  const std::size_t candidate = FindBytes(text, target);
  if (candidate == TextView::npos) return false;
  // Every byte below 0x80 ends a character, so the position after the last one
  // before the candidate is a character start: the search can begin there with
  // the same pairing as from the first byte.
  std::size_t from = candidate;
  while (from > 0 && IsLeadByte(text[from - 1])) --from;
  AlignedSearcher search(text, target, from);
  std::size_t p = search.Next();
  if (p == TextView::npos) return false;
  if (replacement.size() > target.size()) {
    text = ReplaceText(text, target, replacement, static_cast<std::int64_t>(from) + 1);
    return true;
  }
  // The text shrinks or keeps its size, so the write position never passes the
  // read position: the bytes still to be searched are never overwritten.
  char* const data = text.data();
  std::size_t written = p;
  std::size_t copied = p;
  while (p != TextView::npos) {
    if (written != copied) std::memmove(data + written, data + copied, p - copied);
    written += p - copied;
    if (!replacement.empty()) std::memcpy(data + written, replacement.data(), replacement.size());
    written += replacement.size();
    search.SkipMatch();
    copied = p + target.size();
    p = search.Next();
  }
  if (written != copied) std::memmove(data + written, data + copied, text.size() - copied);
  text.resize(written + (text.size() - copied));
  return true;
}

}  // namespace mirelant

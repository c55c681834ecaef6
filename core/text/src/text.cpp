#include "mirelant/text/text.h"

#include <algorithm>
#include <cstring>

#include "aligned_search.h"

namespace mirelant {

using detail::AlignedSearcher;
using detail::IsLeadByte;

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
  if (target.empty()) return start;
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

}  // namespace mirelant

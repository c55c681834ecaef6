#pragma once
// A fast 64-bit hash for short byte strings (multiply-fold mixing).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mirelant::ops::detail {

inline std::uint64_t Load64(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}

inline std::uint64_t Load32(const char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

__extension__ typedef unsigned __int128 Wide;

inline std::uint64_t Mix(std::uint64_t a, std::uint64_t b) {
  const Wide r = static_cast<Wide>(a) * b;
  return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
}

inline std::uint64_t HashBytes(std::string_view s) {
  constexpr std::uint64_t k0 = 0xa0761d6478bd642full;
  constexpr std::uint64_t k1 = 0xe7037ed1a0b428dbull;
  constexpr std::uint64_t k2 = 0x8ebc6af09c88c6e3ull;
  const char* p = s.data();
  std::size_t n = s.size();
  std::uint64_t h = k0 ^ n;
  while (n > 16) {
    h = Mix(Load64(p) ^ k1, Load64(p + 8) ^ h);
    p += 16;
    n -= 16;
  }
  std::uint64_t a = 0;
  std::uint64_t b = 0;
  if (n >= 8) {
    a = Load64(p);
    b = Load64(p + n - 8);
  } else if (n >= 4) {
    a = Load32(p);
    b = Load32(p + n - 4);
  } else if (n > 0) {
    const auto u = [&](std::size_t i) { return static_cast<std::uint64_t>(static_cast<unsigned char>(p[i])); };
    a = (u(0) << 16) | (u(n >> 1) << 8) | u(n - 1);
  }
  return Mix(Mix(a ^ k1, b ^ h) ^ k2, s.size() ^ k1);
}

}  // namespace mirelant::ops::detail

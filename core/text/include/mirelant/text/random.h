#pragma once
// The 15-bit linear congruential generator the shuffle and the generator draw
// from. Its output, bias included, is part of what the operations produce.

#include <cstdint>

namespace mirelant {

// Milliseconds since some fixed point, 32 bits, used only as a seed.
using TickSource = std::uint32_t (*)();

// The tick source in force for the whole process; the default reads a
// monotonic millisecond clock.
std::uint32_t CurrentTick();
// Makes every later seeding read ticks from source (nullptr restores the
// clock). Set it before any run starts.
void SetTickSource(TickSource source);
// A tick source that always reads value: SetFixedTick(n) makes runs reproducible.
void SetFixedTick(std::uint32_t value);

// Seeds the calling thread's state from the tick and the process-wide offset,
// then moves the offset on by (seed & 0xFF) + 100.
void SeedRandom();

namespace detail {
// The calling thread's generator state; 1 until the thread first seeds.
extern constinit thread_local std::uint32_t t_random_state;
}  // namespace detail

// An integer between the two bounds, both included; bounds below 0 count as 0
// and may come in either order. Advances the calling thread's state once,
// except when the bounds are equal. Inline, so that constant bounds (a digit,
// a letter) compile to a multiply instead of a division.
inline std::int32_t RandomInt(std::int32_t min, std::int32_t max) {
  if (min < 0) min = 0;
  if (max < 0) max = 0;
  const std::int32_t lo = min < max ? min : max;
  const std::int32_t hi = min < max ? max : min;
  if (lo == hi) return lo;
  std::uint32_t span = static_cast<std::uint32_t>(hi) - static_cast<std::uint32_t>(lo);
  if (span > 0x7FFFFFFEu) span = 0x7FFFFFFEu;
  std::uint32_t& state = detail::t_random_state;
  state = state * 214013u + 2531011u;
  const std::uint32_t raw = (state >> 16) & 0x7FFFu;
  return lo + static_cast<std::int32_t>(raw % (span + 1u));
}

// The calling thread's state (1 until the thread first seeds).
std::uint32_t RandomState();
void SetRandomState(std::uint32_t state);

// The process-wide seeding offset (0 at start-up).
std::int32_t SeedOffset();
void SetSeedOffset(std::int32_t offset);

}  // namespace mirelant

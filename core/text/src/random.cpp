#include "mirelant/text/random.h"

#include <time.h>

#include <atomic>

namespace mirelant {

namespace {

// Shared by all threads; relaxed atomics keep concurrent seedings well defined
// without ordering them.
std::atomic<std::int32_t> g_seed_offset{0};
std::atomic<TickSource> g_tick_source{nullptr};
std::atomic<std::uint32_t> g_fixed_tick{0};

std::uint32_t ClockTick() {
  // The coarse clock is read without a system call: the generator reseeds before
  // every letter it makes, so this is on a hot path.
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                                    static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u);
}

std::uint32_t FixedTick() { return g_fixed_tick.load(std::memory_order_relaxed); }

}  // namespace

constinit thread_local std::uint32_t detail::t_random_state = 1;

std::uint32_t CurrentTick() {
  const TickSource source = g_tick_source.load(std::memory_order_relaxed);
  return source != nullptr ? source() : ClockTick();
}

void SetTickSource(TickSource source) { g_tick_source.store(source, std::memory_order_relaxed); }

void SetFixedTick(std::uint32_t value) {
  g_fixed_tick.store(value, std::memory_order_relaxed);
  SetTickSource(&FixedTick);
}

void SeedRandom() {
  const std::int32_t offset = g_seed_offset.load(std::memory_order_relaxed);
  const std::uint32_t seed = CurrentTick() + static_cast<std::uint32_t>(offset);
  g_seed_offset.store(
      static_cast<std::int32_t>(static_cast<std::uint32_t>(offset) + (seed & 0xFFu) + 100u),
      std::memory_order_relaxed);
  detail::t_random_state = seed;
}

std::uint32_t RandomState() { return detail::t_random_state; }
void SetRandomState(std::uint32_t state) { detail::t_random_state = state; }

std::int32_t SeedOffset() { return g_seed_offset.load(std::memory_order_relaxed); }
void SetSeedOffset(std::int32_t offset) { g_seed_offset.store(offset, std::memory_order_relaxed); }

}  // namespace mirelant

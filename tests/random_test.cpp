// The 15-bit generator: its vectors, its range mapping and its seeding.
#include <gtest/gtest.h>

#include <thread>

#include "mirelant/text/random.h"

namespace mirelant {
namespace {

class RandomTest : public testing::Test {
 protected:
  void TearDown() override {
    SetTickSource(nullptr);
    SetSeedOffset(0);
  }
};

TEST_F(RandomTest, FreshThreadStartsFromStateOne) {
  std::int32_t first = -1;
  std::uint32_t state_before = 0;
  std::thread([&] {
    state_before = RandomState();
    first = RandomInt(0, 9);
  }).join();
  EXPECT_EQ(state_before, 1u);
  EXPECT_EQ(first, 1);  // raw value 41
}

TEST_F(RandomTest, VectorsFromStateZero) {
  SetRandomState(0);
  EXPECT_EQ(RandomInt(0, 32767), 38);
  EXPECT_EQ(RandomInt(0, 32767), 7719);
  EXPECT_EQ(RandomInt(0, 32767), 21238);
}

TEST_F(RandomTest, RangeRules) {
  SetRandomState(0);
  EXPECT_EQ(RandomInt(5, 5), 5);
  EXPECT_EQ(RandomState(), 0u) << "equal bounds draw nothing";
  SetRandomState(0);
  const std::int32_t forward = RandomInt(0, 9);
  SetRandomState(0);
  EXPECT_EQ(RandomInt(9, 0), forward);
  SetRandomState(0);
  const std::int32_t clamped = RandomInt(0, 2);
  SetRandomState(0);
  EXPECT_EQ(RandomInt(-3, 2), clamped);
  SetRandomState(0);
  EXPECT_EQ(RandomInt(-5, -1), 0);
  SetRandomState(0);
  EXPECT_EQ(RandomInt(1, 4), 1 + 38 % 4);
  SetRandomState(12345);
  for (int i = 0; i < 100000; ++i) {
    const std::int32_t v = RandomInt(1, 100000);
    ASSERT_GE(v, 1);
    ASSERT_LE(v, 32768);
  }
  SetRandomState(0);
  EXPECT_EQ(RandomInt(0, 2147483647), 38) << "span is capped, not overflowed";
}

TEST_F(RandomTest, SeedingUsesTickAndMovesOffset) {
  SetFixedTick(1000);
  SetSeedOffset(0);
  SeedRandom();
  EXPECT_EQ(RandomState(), 1000u);
  EXPECT_EQ(SeedOffset(), (1000 & 0xFF) + 100);
  SeedRandom();
  const std::uint32_t second = 1000u + static_cast<std::uint32_t>((1000 & 0xFF) + 100);
  EXPECT_EQ(RandomState(), second) << "a second seeding in the same millisecond differs";
  EXPECT_EQ(SeedOffset(), (1000 & 0xFF) + 100 + static_cast<std::int32_t>(second & 0xFF) + 100);
}

TEST_F(RandomTest, StatesArePerThread) {
  SetRandomState(0);
  std::thread([] {
    SetRandomState(777);
    RandomInt(0, 100);
  }).join();
  EXPECT_EQ(RandomState(), 0u);
}

}  // namespace
}  // namespace mirelant

// Shuffle: the windowed pick order must equal the plain pick-and-remove list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "mirelant/ops/shuffle.h"
#include "mirelant/text/lines.h"
#include "mirelant/text/random.h"

namespace mirelant::ops {
namespace {

// The list the order is defined by: pick position k among the lines left and
// close up the gap.
std::vector<std::uint32_t> PlainPickOrder(std::size_t count, std::size_t limit) {
  std::vector<std::uint32_t> left(count);
  for (std::size_t i = 0; i < count; ++i) left[i] = static_cast<std::uint32_t>(i);
  std::vector<std::uint32_t> order;
  while (!left.empty() && order.size() < limit) {
    const auto k = static_cast<std::size_t>(RandomInt(1, static_cast<std::int32_t>(left.size())));
    order.push_back(left[k - 1]);
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(k - 1));
  }
  return order;
}

TEST(ShuffleTest, FourLinesFromStateZero) {
  const std::string text = "a\r\nb\r\nc\r\nd";
  const LineList lines = SplitLines(text);
  SetRandomState(0);
  std::string out;
  for (std::uint32_t i : PickOrder(lines.size(), 100)) out += std::string(lines[i]) + ",";
  EXPECT_EQ(out, "c,a,b,d,");
}

TEST(ShuffleTest, WindowedOrderEqualsPlainOrder) {
  // Sizes below, at and well above the 32768-line window, so that lines enter the
  // window and its slots are compacted many times; also a cut by the line limit.
  struct Case {
    std::size_t count, limit;
    std::uint32_t state;
  };
  const Case cases[] = {{1, 10, 0},          {5, 10, 3},          {32768, 40000, 9},
                        {32769, 40000, 11},  {80000, 90000, 5}, {70000, 50000, 8}};
  for (const Case& c : cases) {
    SetRandomState(c.state);
    const std::vector<std::uint32_t> expected = PlainPickOrder(c.count, c.limit);
    SetRandomState(c.state);
    EXPECT_EQ(PickOrder(c.count, c.limit), expected) << c.count << " lines";
  }
}

TEST(ShuffleTest, KeepsRepeatedAndEmptyLines) {
  const std::string text = "a\r\na\r\n\r\n";
  const LineList lines = SplitLines(text);
  SetFixedTick(4321);
  std::vector<std::uint32_t> order = ShuffleLines(lines, 100);
  SetTickSource(nullptr);
  std::sort(order.begin(), order.end());
  EXPECT_EQ(order, (std::vector<std::uint32_t>{0, 1, 2}));
}

}  // namespace
}  // namespace mirelant::ops

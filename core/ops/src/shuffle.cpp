#include "mirelant/ops/shuffle.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "mirelant/ops/course.h"
#include "mirelant/text/random.h"

namespace mirelant::ops {

namespace {

// RandomInt yields at most 32768 distinct values, so with more lines left than
// that only the first 32768 remaining lines can be picked. The working list is
// therefore kept as a window of those lines, in order, followed by the lines not
// yet in it in input order. The window is a row of small blocks of line
// indices, and the blocks are counted in groups: a pick walks the group sizes,
// then the block sizes of its group, and closes the gap inside one block only;
// the next line of the input enters at the back.
class PickWindow {
 public:
  static constexpr std::size_t kWindow = 32768;
  static constexpr std::size_t kBlock = 64;
  static constexpr std::size_t kMaxBlocks = 2 * kWindow / kBlock;
  static constexpr std::size_t kGroup = 32;  // blocks per group

  explicit PickWindow(std::size_t count)
      : count_(count),
        slots_(kMaxBlocks * kBlock),
        block_size_(kMaxBlocks, 0),
        group_size_(kMaxBlocks / kGroup, 0) {
    while (live_ < kWindow && next_line_ < count_) Append();
  }

  // Takes the k-th (1-based) line of the window.
  std::uint32_t Take(std::size_t k) {
    std::size_t g = 0;
    while (k > group_size_[g]) k -= group_size_[g++];
    std::size_t b = g * kGroup;
    while (k > block_size_[b]) k -= block_size_[b++];
    std::uint32_t* block = &slots_[b * kBlock];
    const std::uint32_t line = block[k - 1];
    std::memmove(block + k - 1, block + k, (block_size_[b] - k) * sizeof(std::uint32_t));
    --block_size_[b];
    --group_size_[g];
    --live_;
    if (next_line_ < count_) Append();
    return line;
  }

 private:
  void Append() {
    if (blocks_ == 0 || block_size_[blocks_ - 1] == kBlock) {
      if (blocks_ == kMaxBlocks) Repack();
      ++blocks_;
    }
    const std::size_t b = blocks_ - 1;
    slots_[b * kBlock + block_size_[b]++] = static_cast<std::uint32_t>(next_line_++);
    ++group_size_[b / kGroup];
    ++live_;
  }

  // Packs the live lines into full blocks at the front, keeping their order.
  // Blocks drain as lines are taken, so this runs about once per window's worth
  // of picks.
  void Repack() {
    std::size_t out = 0;
    for (std::size_t b = 0; b < blocks_; ++b) {
      std::memmove(&slots_[out], &slots_[b * kBlock], block_size_[b] * sizeof(std::uint32_t));
      out += block_size_[b];
    }
    blocks_ = (out + kBlock - 1) / kBlock;
    std::fill(block_size_.begin(), block_size_.end(), 0);
    std::fill(group_size_.begin(), group_size_.end(), 0);
    for (std::size_t b = 0; b < blocks_; ++b) {
      block_size_[b] = std::min(kBlock, out - b * kBlock);
      group_size_[b / kGroup] += block_size_[b];
    }
  }

  std::size_t count_;
  std::size_t next_line_ = 0;  // the first line not yet in the window
  std::size_t live_ = 0;       // lines in the window
  std::size_t blocks_ = 0;     // blocks in use
  std::vector<std::uint32_t> slots_;
  std::vector<std::size_t> block_size_;
  std::vector<std::size_t> group_size_;
};

}  // namespace

std::vector<std::uint32_t> PickOrder(std::size_t count, std::size_t limit) {
  if (count > 0xFFFFFFFEull) throw std::bad_alloc();  // indices are 32-bit
  std::vector<std::uint32_t> order;
  order.reserve(std::min(count, limit));
  if (count == 0) return order;
  PickWindow window(count);
  for (std::size_t left = count; left > 0 && order.size() < limit; --left) {
    const auto bound = static_cast<std::int32_t>(std::min<std::size_t>(left, INT32_MAX));
    const auto k = static_cast<std::size_t>(RandomInt(1, bound));
    order.push_back(window.Take(k));
  }
  return order;
}

std::vector<std::uint32_t> ShuffleLines(const LineList& lines, std::size_t limit) {
  SeedRandom();
  return PickOrder(lines.size(), limit);
}

std::vector<Worker> PrepareShuffle(Host& host) {
  if (!CheckInputPath(host)) return {};
  return {[&host] {
    return RunLineCourse(host, nullptr, [](const LineList& lines, OutputFile& out) {
      return AppendPickedLines(out, lines,
                               ShuffleLines(lines, static_cast<std::size_t>(OutputLineLimit())));
    });
  }};
}

}  // namespace mirelant::ops

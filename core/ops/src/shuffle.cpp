#include "mirelant/ops/shuffle.h"

#include <algorithm>
#include <climits>
#include <new>

#include "mirelant/ops/course.h"
#include "mirelant/text/random.h"

namespace mirelant::ops {

namespace {

// RandomInt yields at most 32768 distinct values, so with more lines left than
// that only the first 32768 remaining lines can be picked. The working list is
// therefore kept as a window of those lines, in order, in a Fenwick tree over
// slots (rank lookup and removal in O(log W)), with the lines not yet in the
// window following in input order. A picked line leaves its slot; the next line
// of the input enters at the back.
class PickWindow {
 public:
  static constexpr std::size_t kWindow = 32768;
  static constexpr std::size_t kSlots = 2 * kWindow;  // power of two

  explicit PickWindow(std::size_t count) : count_(count), line_(kSlots), tree_(kSlots + 1, 0) {
    while (used_ < kWindow && next_line_ < count_) Enter();
    Rebuild();
  }

  // Takes the k-th (1-based) line of the window.
  std::uint32_t Take(std::size_t k) {
    const std::size_t slot = FindRank(k);
    Add(slot, -1);
    const std::uint32_t line = line_[slot];
    if (next_line_ < count_) {
      if (used_ == kSlots) Compact();
      Enter();
      Add(used_ - 1, +1);
    }
    return line;
  }

 private:
  void Enter() { line_[used_++] = static_cast<std::uint32_t>(next_line_++); }

  // Moves the live slots to the front, in order, and rebuilds the tree.
  void Compact() {
    std::size_t to = 0;
    for (std::size_t from = 0; from < used_; ++from) {
      if (IsLive(from)) line_[to++] = line_[from];
    }
    used_ = to;
    Rebuild();
  }

  bool IsLive(std::size_t slot) const { return Count(slot) == 1; }

  // Linear-time Fenwick build with every used slot live.
  void Rebuild() {
    std::fill(tree_.begin(), tree_.end(), 0);
    for (std::size_t i = 1; i <= kSlots; ++i) {
      if (i <= used_) tree_[i] += 1;
      const std::size_t parent = i + (i & (~i + 1));
      if (parent <= kSlots) tree_[parent] += tree_[i];
    }
  }

  std::int32_t Count(std::size_t slot) const {
    // Point value = prefix(slot + 1) - prefix(slot).
    return Prefix(slot + 1) - Prefix(slot);
  }

  std::int32_t Prefix(std::size_t n) const {
    std::int32_t sum = 0;
    for (; n > 0; n &= n - 1) sum += tree_[n];
    return sum;
  }

  void Add(std::size_t slot, std::int32_t delta) {
    for (std::size_t i = slot + 1; i <= kSlots; i += i & (~i + 1)) tree_[i] += delta;
  }

  std::size_t FindRank(std::size_t k) const {
    std::size_t pos = 0;
    auto rest = static_cast<std::int32_t>(k);
    for (std::size_t step = kSlots; step > 0; step >>= 1) {
      if (pos + step <= kSlots && tree_[pos + step] < rest) {
        pos += step;
        rest -= tree_[pos];
      }
    }
    return pos;  // 0-based slot
  }

  std::size_t count_;
  std::size_t next_line_ = 0;
  std::size_t used_ = 0;                 // slots handed out since the last compaction
  std::vector<std::uint32_t> line_;      // slot -> line index
  std::vector<std::int32_t> tree_;       // Fenwick tree of live flags, 1-based
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
      for (std::uint32_t i : ShuffleLines(lines, static_cast<std::size_t>(OutputLineLimit()))) {
        if (!out.AppendLine(lines[i])) return false;
      }
      return true;
    });
  }};
}

}  // namespace mirelant::ops

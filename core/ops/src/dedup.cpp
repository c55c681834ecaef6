#include "mirelant/ops/dedup.h"

#include <algorithm>
#include <bit>

#include "line_hash.h"
#include "mirelant/ops/course.h"

namespace mirelant::ops {

namespace {

// Open addressing over 8-byte slots: the upper half holds 32 bits of the line's
// hash, the lower half its index + 1 (0 marks an empty slot). Small entries keep
// the table compact, so the probes, not the line bytes, set the pace.
class SeenLineSet {
 public:
  explicit SeenLineSet(const LineList& lines) : lines_(lines) { Resize(1024); }

  static std::size_t SlotOf(std::uint64_t hash, int bits) {
    return static_cast<std::size_t>(hash >> (64 - bits));
  }

  void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[SlotOf(hash, bits_)]); }

  // Adds line i unless an equal line is a member; true when it was added.
  bool Insert(std::uint32_t i, std::uint64_t hash) {
    const TextView line = lines_[i];
    const std::uint64_t fingerprint = hash & 0xFFFFFFFF00000000ull;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = SlotOf(hash, bits_);; s = (s + 1) & mask) {
      const std::uint64_t slot = slots_[s];
      if (slot == 0) {
        slots_[s] = fingerprint | (static_cast<std::uint64_t>(i) + 1);
        if (++count_ > limit_) Grow();
        return true;
      }
      if ((slot & 0xFFFFFFFF00000000ull) == fingerprint &&
          lines_[static_cast<std::uint32_t>(slot) - 1] == line) {
        return false;
      }
    }
  }

 private:
  void Resize(std::size_t capacity) {
    slots_.assign(capacity, 0);
    bits_ = std::countr_zero(capacity);
    limit_ = capacity / 10 * 7;
  }

  void Grow() {
    std::vector<std::uint64_t> old = std::move(slots_);
    Resize(old.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint64_t slot : old) {
      if (slot == 0) continue;
      const std::uint64_t hash = detail::HashBytes(lines_[static_cast<std::uint32_t>(slot) - 1]);
      std::size_t s = SlotOf(hash, bits_);
      while (slots_[s] != 0) s = (s + 1) & mask;
      slots_[s] = slot;
    }
  }

  const LineList& lines_;
  std::vector<std::uint64_t> slots_;
  int bits_ = 0;
  std::size_t count_ = 0;
  std::size_t limit_ = 0;
};

}  // namespace

std::vector<std::uint32_t> RemoveDuplicateLines(const LineList& lines, std::size_t limit) {
  std::vector<std::uint32_t> kept;
  if (lines.size() > 0xFFFFFFFEull) throw std::bad_alloc();  // indices are 32-bit
  SeenLineSet seen(lines);
  // Hash a batch ahead and prefetch its slots, so the cache misses of a large
  // table overlap instead of queueing one after another.
  constexpr std::size_t kBatch = 16;
  std::uint64_t hashes[kBatch];
  const std::size_t n = lines.size();
  for (std::size_t base = 0; base < n && kept.size() < limit; base += kBatch) {
    const std::size_t end = std::min(n, base + kBatch);
    for (std::size_t i = base; i < end; ++i) {
      hashes[i - base] = detail::HashBytes(lines[i]);
      seen.Prefetch(hashes[i - base]);
    }
    for (std::size_t i = base; i < end && kept.size() < limit; ++i) {
      const auto index = static_cast<std::uint32_t>(i);
      if (seen.Insert(index, hashes[i - base])) kept.push_back(index);
    }
  }
  return kept;
}

std::vector<Worker> PrepareRemoveDuplicates(Host& host) {
  if (!CheckInputPath(host)) return {};
  return {[&host] {
    return RunLineCourse(host, nullptr, [](const LineList& lines, OutputFile& out) {
      for (std::uint32_t i : RemoveDuplicateLines(lines, static_cast<std::size_t>(OutputLineLimit()))) {
        if (!out.AppendLine(lines[i])) return false;
      }
      return true;
    });
  }};
}

}  // namespace mirelant::ops

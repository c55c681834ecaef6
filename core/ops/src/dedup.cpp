#include "mirelant/ops/dedup.h"

#include <algorithm>
#include <bit>
#include <new>

#include "line_hash.h"
#include "mirelant/ops/course.h"
#include "mirelant/text/memory.h"

namespace mirelant::ops {

namespace {

// Open addressing over 8-byte slots: the upper half holds the high 32 bits of
// the line's hash (its tag), the lower half its index + 1 (0 marks an empty
// slot). The slot number is the tag's top bits, so the table grows by moving
// entries without reading a line again. Small entries keep the table compact,
// so the probes, not the line bytes, set the pace.
class SeenLineSet {
 public:
  // Sized for half of the lines being distinct, so that a typical list needs
  // no growth (each growth moves every entry once).
  explicit SeenLineSet(const LineList& lines) : lines_(lines) {
    const std::size_t expected = lines.size() / 2 + 1;
    Resize(std::max<std::size_t>(1024, std::bit_ceil(expected * 10 / 7 + 1)));
  }

  std::size_t SlotOf(std::uint64_t tag) const {
    return static_cast<std::size_t>(tag >> (32 - bits_));
  }

  void PrefetchSlot(std::uint64_t hash) const { __builtin_prefetch(&slots_[SlotOf(hash >> 32)]); }

  // The line in hash's home slot when its tag matches (a likely duplicate), or
  // kNone. Reads only the slot PrefetchSlot fetched.
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  std::uint32_t Candidate(std::uint64_t hash) const {
    const std::uint64_t slot = slots_[SlotOf(hash >> 32)];
    if (slot == 0 || (slot >> 32) != (hash >> 32)) return kNone;
    return static_cast<std::uint32_t>(slot) - 1;
  }

  // Adds line i unless an equal line is a member; true when it was added.
  bool Insert(std::uint32_t i, std::uint64_t hash) {
    const std::uint64_t tag = hash >> 32;
    const std::uint64_t upper = tag << 32;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t s = SlotOf(tag);; s = (s + 1) & mask) {
      const std::uint64_t slot = slots_[s];
      if (slot == 0) {
        slots_[s] = upper | (static_cast<std::uint64_t>(i) + 1);
        if (++count_ > limit_) Grow();
        return true;
      }
      if ((slot & 0xFFFFFFFF00000000ull) == upper &&
          lines_[static_cast<std::uint32_t>(slot) - 1] == lines_[i]) {
        return false;
      }
    }
  }

 private:
  void Resize(std::size_t capacity) {
    slots_.clear();
    slots_.shrink_to_fit();
    slots_.reserve(capacity);
    AdviseHugePages(slots_.data(), capacity * sizeof(std::uint64_t));
    slots_.assign(capacity, 0);
    bits_ = std::countr_zero(capacity);
    limit_ = capacity / 10 * 7;
  }

  void Grow() {
    if (bits_ >= 32) throw std::bad_alloc();  // beyond any memory this could run in
    std::vector<std::uint64_t> old = std::move(slots_);
    Resize(old.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint64_t slot : old) {
      if (slot == 0) continue;
      std::size_t s = SlotOf(slot >> 32);
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
  // A software pipeline over batches of lines, four batches deep: hash a batch
  // and prefetch its home slots; a step later, where a home slot's tag matches
  // (most likely a repeat), prefetch the earlier line's bounds; a step later its
  // bytes; a step later probe and compare. The cache misses of a large table and
  // a large input so overlap instead of queueing one after another.
  constexpr std::size_t kBatch = 32;
  constexpr std::size_t kDepth = 4;
  struct Batch {
    std::size_t base = 0;
    std::size_t count = 0;
    std::uint64_t hashes[kBatch];
    std::uint32_t candidates[kBatch];
  };
  Batch ring[kDepth];
  const std::size_t n = lines.size();
  const std::size_t batches = (n + kBatch - 1) / kBatch;
  for (std::size_t step = 0; step < batches + kDepth - 1 && kept.size() < limit; ++step) {
    if (step < batches) {  // stage 1: hash, prefetch home slots
      Batch& b = ring[step % kDepth];
      b.base = step * kBatch;
      b.count = std::min(kBatch, n - b.base);
      for (std::size_t j = 0; j < b.count; ++j) {
        b.hashes[j] = detail::HashBytes(lines[b.base + j]);
        seen.PrefetchSlot(b.hashes[j]);
      }
    }
    if (step >= 1 && step - 1 < batches) {  // stage 2: likely repeats, prefetch bounds
      Batch& b = ring[(step - 1) % kDepth];
      for (std::size_t j = 0; j < b.count; ++j) {
        b.candidates[j] = seen.Candidate(b.hashes[j]);
        if (b.candidates[j] != SeenLineSet::kNone) lines.PrefetchBounds(b.candidates[j]);
      }
    }
    if (step >= 2 && step - 2 < batches) {  // stage 3: prefetch their bytes
      const Batch& b = ring[(step - 2) % kDepth];
      for (std::size_t j = 0; j < b.count; ++j) {
        if (b.candidates[j] != SeenLineSet::kNone) lines.PrefetchBytes(b.candidates[j]);
      }
    }
    if (step >= 3 && step - 3 < batches) {  // stage 4: insert
      const Batch& b = ring[(step - 3) % kDepth];
      for (std::size_t j = 0; j < b.count && kept.size() < limit; ++j) {
        const auto index = static_cast<std::uint32_t>(b.base + j);
        if (seen.Insert(index, b.hashes[j])) kept.push_back(index);
      }
    }
  }
  return kept;
}

std::vector<Worker> PrepareRemoveDuplicates(Host& host) {
  if (!CheckInputPath(host)) return {};
  return {[&host] {
    return RunLineCourse(host, nullptr, [](const LineList& lines, OutputFile& out) {
      return AppendPickedLines(
          out, lines, RemoveDuplicateLines(lines, static_cast<std::size_t>(OutputLineLimit())));
    });
  }};
}

}  // namespace mirelant::ops

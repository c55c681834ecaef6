#pragma once
// Shuffle lines: pick-and-remove with the 15-bit generator.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"
#include "mirelant/text/lines.h"

namespace mirelant::ops {

// The order in which the pick-and-remove shuffle takes count lines, drawing
// from the calling thread's current generator state (no seeding): while lines
// are left and fewer than limit were taken, k = RandomInt(1, lines left) and
// the k-th remaining line is taken. Indices are 0-based.
std::vector<std::uint32_t> PickOrder(std::size_t count, std::size_t limit);

// Seeds the generator once, then PickOrder over the lines.
std::vector<std::uint32_t> ShuffleLines(const LineList& lines, std::size_t limit);

// Click side of 按钮_打乱顺序; the worker follows the line course exactly.
std::vector<Worker> PrepareShuffle(Host& host);

}  // namespace mirelant::ops

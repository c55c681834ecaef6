#pragma once
// Remove duplicate lines: every distinct line once, in first-seen order.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"
#include "mirelant/text/lines.h"

namespace mirelant::ops {

// Indices (0-based) of the first occurrence of every distinct line, in input
// order, at most limit of them. Lines are equal only when their bytes are.
std::vector<std::uint32_t> RemoveDuplicateLines(const LineList& lines, std::size_t limit);

// Click side of 按钮_去除重复; the worker follows the line course exactly.
std::vector<Worker> PrepareRemoveDuplicates(Host& host);

}  // namespace mirelant::ops

#pragma once
// Extract from lines: one piece of every line, between two marks, left of a
// mark or right of a mark, one output line per input line.
//
// The three cutting functions search character-aware (a mark is found only
// where a character starts) and compare bytes exactly. They return a view into
// line, the empty view when the piece is not found.

#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"
#include "mirelant/text/text.h"

namespace mirelant::ops {

// The bytes before the first occurrence of mark; empty when mark does not occur.
TextView TextBeforeFirst(TextView line, TextView mark);

// The bytes after the last occurrence of mark, occurrences allowed to overlap
// (the last "aa" of "xaaa" starts at its third byte); empty when mark does not
// occur.
TextView TextAfterLast(TextView line, TextView mark);

// The bytes between the first occurrence of first and the first occurrence of
// second after it; empty when either is missing.
TextView TextBetween(TextView line, TextView first, TextView second);

// Click side of 按钮_提取文本: the input path, then at least one checked mode
// box ("选择提取方式"); one worker per checked box, in the order 1, 2, 3.
// Each worker checks its marks after the save dialog ("请先填写参数") and
// writes the piece of every line.
std::vector<Worker> PrepareExtract(Host& host);

}  // namespace mirelant::ops

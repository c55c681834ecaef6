#pragma once
// Batch replace: rules "find|replacement", one per line of 编辑框5, applied
// one after the other to the whole input text.

#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::ops {

// Click side of 按钮_替换文本: the input path only. The worker asks for the
// output file, then needs a non-empty rules text ("请先填写参数"). For rule i
// (the number of rules is counted once, after reading the input) the rules
// text is looked at again, so edits made during a run apply to the rules not
// yet applied; a missing line is an empty rule. The find text is what stands
// before the rule's first "|", the replacement what stands after its last
// one; every character-aligned occurrence in the whole text is replaced in one
// left-to-right pass. A rule with an empty find text changes nothing.
std::vector<Worker> PrepareReplace(Host& host);

}  // namespace mirelant::ops

#pragma once
// Split into parts: one file into a given number of files of nearly equal line
// counts, written beside the input file.

#include <cstdint>
#include <string>
#include <vector>

#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::ops {

// The most part files one run writes.
inline constexpr std::int64_t kMaxParts = 100'000'000;

// The name of part i (1-based): the input path, ".bak", i in decimal, ".txt".
std::string PartFileName(const std::string& input_path, std::int32_t i);

// Click side of 按钮_分割文本: the input path, then a part count of at least 1
// ("先填写分割份数"). The worker reads the count once, at its start, and that
// count governs the run. L lines into N parts: the first L mod N parts hold
// L div N + 1 lines, the others L div N; a part without lines is an empty
// file. Each part is written (atomically) before the next one is built; the
// input path is read again for every part's name. A part that cannot be
// written stops the run after its message.
std::vector<Worker> PrepareSplit(Host& host);

}  // namespace mirelant::ops

#pragma once
// The common course of every operation: the click-side tests on the window's
// thread, then on a worker thread of its own the save dialog, reading, the
// processing step, writing and the closing status text.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mirelant/ops/host.h"

namespace mirelant::ops {

enum class Operation {
  kRemoveDuplicates,
  kShuffle,
  kSplit,
  kMerge,
  kExtract,
  kReplace,
  kGenerate,
};

// How one worker's run ended.
enum class RunOutcome {
  kDone,       // output written, closing status shown
  kCancelled,  // the save dialog was cancelled: nothing written, status unchanged
  kStopped,    // a message was shown and the run ended without output
  kNoLines,    // the input gave no lines: no output, status left at reading
};

using Worker = std::function<RunOutcome()>;

// Runs the click-side tests of op on the calling thread. When one fails its
// message is shown and no worker is returned; otherwise the workers to start
// (extract gives one per checked mode box, in the order 1, 2, 3).
std::vector<Worker> PrepareOperation(Operation op, Host& host);

// PrepareOperation, then each worker on a new detached thread. Returns how many
// were started. host must outlive every started worker.
int StartOperation(Operation op, Host& host);

// The input-path test shared by all operations but generate: false (after
// showing "请先获取文件路径") when the path is empty or still the hint.
bool CheckInputPath(Host& host);

// Whole seconds from start to end milliseconds, truncated toward zero.
std::int64_t ElapsedSeconds(std::int64_t start_ms, std::int64_t end_ms);

// Milliseconds of a monotonic clock.
std::int64_t MonotonicMilliseconds();

// The closing status: prefix, the decimal seconds since start_ms, and "秒".
std::string ClosingStatus(std::string_view prefix, std::int64_t start_ms);

// Line 1 of the settings: the most lines an operation writes.
std::int64_t OutputLineLimit();

}  // namespace mirelant::ops

#include "mirelant/ops/runner.h"

#include <chrono>
#include <thread>

#include "mirelant/ops/course.h"
#include "mirelant/ops/dedup.h"
#include "mirelant/ops/extract.h"
#include "mirelant/ops/generate.h"
#include "mirelant/ops/merge.h"
#include "mirelant/ops/replace.h"
#include "mirelant/ops/settings.h"
#include "mirelant/ops/shuffle.h"
#include "mirelant/ops/split.h"

namespace mirelant::ops {

std::vector<Worker> PrepareOperation(Operation op, Host& host) {
  switch (op) {
    case Operation::kRemoveDuplicates:
      return PrepareRemoveDuplicates(host);
    case Operation::kShuffle:
      return PrepareShuffle(host);
    case Operation::kSplit:
      return PrepareSplit(host);
    case Operation::kMerge:
      return PrepareMerge(host);
    case Operation::kExtract:
      return PrepareExtract(host);
    case Operation::kReplace:
      return PrepareReplace(host);
    case Operation::kGenerate:
      return PrepareGenerate(host);
  }
  return {};
}

int StartOperation(Operation op, Host& host) {
  std::vector<Worker> workers = PrepareOperation(op, host);
  for (Worker& worker : workers) {
    std::thread([w = std::move(worker)] { w(); }).detach();
  }
  return static_cast<int>(workers.size());
}

bool CheckInputPath(Host& host) {
  const std::string path = host.InputPath();
  if (path.empty() || path == texts::kPathHint) {
    host.ShowMessage(texts::kNeedPath);
    return false;
  }
  return true;
}

std::int64_t ElapsedSeconds(std::int64_t start_ms, std::int64_t end_ms) {
  return static_cast<std::int64_t>(static_cast<double>(end_ms - start_ms) / 1000.0);
}

std::int64_t MonotonicMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string ClosingStatus(std::string_view prefix, std::int64_t start_ms) {
  std::string status(prefix);
  status += std::to_string(ElapsedSeconds(start_ms, MonotonicMilliseconds()));
  status += texts::kSeconds;
  return status;
}

std::int64_t OutputLineLimit() { return TextToInt(LineOfText(kOperationSettings, 1)); }

}  // namespace mirelant::ops

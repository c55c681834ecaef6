#include "run.h"

#include <cstdio>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "cli_texts.h"
#include "console_host.h"
#include "mirelant/text/random.h"

namespace mirelant::cli {

namespace {

using ops::RunOutcome;

// Higher is worse; the worst outcome of several workers decides the exit.
int Severity(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kDone:
      return 0;
    case RunOutcome::kNoLines:
      return 1;
    case RunOutcome::kCancelled:
      return 2;
    case RunOutcome::kStopped:
      return 3;
  }
  return 3;
}

// A worker that throws must not take the process down through std::terminate;
// it counts as a run stopped with a message.
RunOutcome RunGuarded(const ops::Worker& worker, ConsoleHost& host) {
  try {
    return worker();
  } catch (const std::exception& e) {
    host.ShowMessage(std::string(texts::kFailed) + e.what());
  } catch (...) {
    host.ShowMessage(texts::kFailed);
  }
  return RunOutcome::kStopped;
}

void PrintLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

ExitCode RunRequest(const Request& request) {
  // Fixed before any worker seeds, so the run's tick reads the seed throughout.
  if (request.seed) SetFixedTick(*request.seed);

  ConsoleHost host(request);
  std::vector<ops::Worker> workers = ops::PrepareOperation(request.operation, host);
  if (workers.empty()) {
    // The click-side tests refused the inputs and said why; say something if not.
    if (host.MessageCount() == 0) host.ShowMessage(texts::kNotStarted);
    return kExitStopped;
  }

  std::vector<RunOutcome> outcomes(workers.size(), RunOutcome::kStopped);
  std::vector<std::thread> threads;
  threads.reserve(workers.size());
  try {
    for (std::size_t i = 0; i < workers.size(); ++i) {
      threads.emplace_back([&, i] { outcomes[i] = RunGuarded(workers[i], host); });
    }
  } catch (const std::exception& e) {
    host.ShowMessage(std::string(texts::kFailed) + e.what());
  }
  for (std::thread& thread : threads) thread.join();
  if (threads.size() < workers.size()) return kExitStopped;

  RunOutcome worst = RunOutcome::kDone;
  for (RunOutcome outcome : outcomes) {
    if (Severity(outcome) > Severity(worst)) worst = outcome;
  }
  switch (worst) {
    case RunOutcome::kDone:
      PrintLine(stdout, host.LastStatus());
      return kExitDone;
    case RunOutcome::kNoLines:
      PrintLine(stderr, texts::kNoLines);
      return kExitDone;
    case RunOutcome::kCancelled:
    case RunOutcome::kStopped:
      break;
  }
  return kExitStopped;
}

}  // namespace mirelant::cli

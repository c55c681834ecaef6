#include "mirelant/app/run_launcher.h"

#include <thread>
#include <utility>

namespace mirelant::app {

RunLauncher::RunLauncher(std::shared_ptr<WindowHost> host, QObject* parent)
    : QObject(parent), host_(std::move(host)) {
  connect(host_.get(), &WindowHost::WorkerFinished, this, &RunLauncher::OnWorkerFinished,
          Qt::QueuedConnection);
}

int RunLauncher::Start(ops::Operation op) {
  std::vector<ops::Worker> workers = ops::PrepareOperation(op, *host_);
  for (ops::Worker& worker : workers) {
    ++running_;
    // Each worker keeps the host alive until it ends; nothing joins it.
    std::thread([host = host_, op, work = std::move(worker)] {
      host->ReportFinished(op, work());
    }).detach();
  }
  if (!workers.empty()) emit RunningChanged(running_);
  return static_cast<int>(workers.size());
}

void RunLauncher::OnWorkerFinished(ops::Operation op, ops::RunOutcome outcome) {
  --running_;
  emit RunningChanged(running_);
  emit RunFinished(op, outcome);
}

}  // namespace mirelant::app

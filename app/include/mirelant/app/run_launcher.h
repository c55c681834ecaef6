#pragma once
// Starts operations from their buttons: the click-side tests run on the window
// thread (their messages appear there), then every worker they return starts
// on a new detached thread. Finished workers are reported back to the window
// thread through a queued connection; runs may overlap.

#include <QObject>
#include <memory>

#include "mirelant/app/window_host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::app {

class RunLauncher : public QObject {
  Q_OBJECT

 public:
  RunLauncher(std::shared_ptr<WindowHost> host, QObject* parent = nullptr);

  // Window thread. Returns how many workers were started.
  int Start(ops::Operation op);

  // Workers started and not yet reported finished.
  int running() const { return running_; }

 signals:
  void RunningChanged(int running);
  void RunFinished(mirelant::ops::Operation op, mirelant::ops::RunOutcome outcome);

 private:
  void OnWorkerFinished(ops::Operation op, ops::RunOutcome outcome);

  std::shared_ptr<WindowHost> host_;
  int running_ = 0;
};

}  // namespace mirelant::app

#pragma once
// The window's side of the operations (ops::Host). Workers call it from their
// own threads: control texts come from the thread-safe ControlState, the save
// dialog and message boxes are carried to the window thread (blocking only the
// calling worker), and status texts go to pane 0 through a queued signal, the
// last writer winning. Called on the window thread itself (the click side), a
// message box is shown there and waited for in a local event loop.
//
// Workers keep the host alive through a shared pointer; the window calls
// Shutdown() before it goes, after which every waiting and every later dialog
// request of a worker ends as cancelled and status texts are dropped.

#include <QObject>
#include <QPointer>
#include <QString>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

#include "mirelant/app/control_state.h"
#include "mirelant/app/dialogs.h"
#include "mirelant/ops/host.h"
#include "mirelant/ops/runner.h"

namespace mirelant::app {

class WindowHost final : public QObject,
                         public ops::Host,
                         public std::enable_shared_from_this<WindowHost> {
  Q_OBJECT

 public:
  // Window thread. save_dialog, dialogs and owner must stay valid until Shutdown().
  static std::shared_ptr<WindowHost> Create(SaveFileDialog& save_dialog, DialogProvider& dialogs,
                                            QWidget* owner);

  ControlState& controls() { return controls_; }

  std::string InputPath() override;
  std::optional<Text> ControlText(ops::Control control) override;
  std::uint64_t ControlVersion(ops::Control control) override;
  bool IsChecked(ops::ModeBox box) override;
  std::optional<std::string> AskSavePath() override;
  void ShowMessage(std::string_view message) override;
  void SetStatus(std::string_view status) override;

  // Any thread: announces that a worker of op ended with outcome.
  void ReportFinished(ops::Operation op, ops::RunOutcome outcome);

  // Window thread: releases every waiting worker as cancelled and refuses
  // further dialogs; the window is closing.
  void Shutdown();
  bool shut_down() const;

 signals:
  void StatusRequested(const QString& status);
  void WorkerFinished(mirelant::ops::Operation op, mirelant::ops::RunOutcome outcome);

 private:
  // One question a worker waits for: answered on the window thread, or
  // abandoned by Shutdown().
  struct Pending {
    bool done = false;
    std::optional<QString> answer;
    std::function<void()> wake;  // quits the local event loop of a window-thread wait
  };

  WindowHost(SaveFileDialog& save_dialog, DialogProvider& dialogs, QWidget* owner);

  bool OnWindowThread() const;
  // Runs open on the window thread and waits until it calls the completion it
  // is given, or until Shutdown(). The answer, or nothing when abandoned.
  std::optional<QString> WaitOnWindowThread(
      std::function<void(std::function<void(std::optional<QString>)>)> open);
  void Complete(const std::shared_ptr<Pending>& pending, std::optional<QString> answer);

  ControlState controls_;
  SaveFileDialog& save_dialog_;
  DialogProvider& dialogs_;
  QPointer<QWidget> owner_;

  mutable std::mutex mutex_;
  std::condition_variable answered_;
  std::set<std::shared_ptr<Pending>> pending_;
  bool shut_down_ = false;
};

}  // namespace mirelant::app

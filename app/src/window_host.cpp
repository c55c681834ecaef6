#include "mirelant/app/window_host.h"

#include <QEventLoop>
#include <QFile>
#include <QThread>

namespace mirelant::app {

std::shared_ptr<WindowHost> WindowHost::Create(SaveFileDialog& save_dialog, DialogProvider& dialogs,
                                               QWidget* owner) {
  // The last owner may be a worker thread; the object itself belongs to the
  // window thread and is deleted there.
  return std::shared_ptr<WindowHost>(new WindowHost(save_dialog, dialogs, owner),
                                     [](WindowHost* host) {
                                       if (QThread::currentThread() == host->thread()) {
                                         delete host;
                                       } else {
                                         host->deleteLater();
                                       }
                                     });
}

WindowHost::WindowHost(SaveFileDialog& save_dialog, DialogProvider& dialogs, QWidget* owner)
    : save_dialog_(save_dialog), dialogs_(dialogs), owner_(owner) {}

std::string WindowHost::InputPath() { return controls_.InputPath(); }

std::optional<Text> WindowHost::ControlText(ops::Control control) {
  return controls_.ControlText(control);
}

std::uint64_t WindowHost::ControlVersion(ops::Control control) {
  return controls_.ControlVersion(control);
}

bool WindowHost::IsChecked(ops::ModeBox box) { return controls_.IsChecked(box); }

std::optional<std::string> WindowHost::AskSavePath() {
  const std::optional<QString> path = WaitOnWindowThread(
      [this](std::function<void(std::optional<QString>)> done) { save_dialog_.Open(done); });
  if (!path) return std::nullopt;
  return QFile::encodeName(*path).toStdString();
}

void WindowHost::ShowMessage(std::string_view message) {
  const QString text = QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
  const bool block_window = OnWindowThread();
  WaitOnWindowThread([this, text, block_window](std::function<void(std::optional<QString>)> done) {
    dialogs_.OpenMessage(owner_, text, block_window, [done] { done(QString()); });
  });
}

void WindowHost::SetStatus(std::string_view status) {
  if (shut_down()) return;
  emit StatusRequested(QString::fromUtf8(status.data(), static_cast<qsizetype>(status.size())));
}

void WindowHost::ReportFinished(ops::Operation op, ops::RunOutcome outcome) {
  emit WorkerFinished(op, outcome);
}

bool WindowHost::OnWindowThread() const { return QThread::currentThread() == thread(); }

std::optional<QString> WindowHost::WaitOnWindowThread(
    std::function<void(std::function<void(std::optional<QString>)>)> open) {
  auto pending = std::make_shared<Pending>();
  {
    std::lock_guard lock(mutex_);
    if (shut_down_) return std::nullopt;
    pending_.insert(pending);
  }
  // A dialog may answer after this wait was abandoned, even after the host is gone.
  auto complete = [weak = weak_from_this(), pending](std::optional<QString> answer) {
    if (const std::shared_ptr<WindowHost> host = weak.lock()) {
      host->Complete(pending, std::move(answer));
    }
  };

  if (OnWindowThread()) {
    QEventLoop loop;
    {
      std::lock_guard lock(mutex_);
      pending->wake = [&loop] { loop.quit(); };
    }
    open(complete);
    bool done;
    {
      std::lock_guard lock(mutex_);
      done = pending->done || shut_down_;
    }
    if (!done) loop.exec();
  } else {
    QMetaObject::invokeMethod(
        this,
        [this, open = std::move(open), complete] {
          // After Shutdown() the worker has stopped waiting already.
          if (!shut_down()) open(complete);
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return pending->done || shut_down_; });
  }

  std::lock_guard lock(mutex_);
  pending->wake = nullptr;
  pending_.erase(pending);
  if (!pending->done) return std::nullopt;  // abandoned: the window is closing
  return pending->answer;
}

void WindowHost::Complete(const std::shared_ptr<Pending>& pending, std::optional<QString> answer) {
  std::function<void()> wake;
  {
    std::lock_guard lock(mutex_);
    if (pending->done) return;
    pending->done = true;
    pending->answer = std::move(answer);
    wake = std::exchange(pending->wake, nullptr);
  }
  answered_.notify_all();
  if (wake) wake();
}

void WindowHost::Shutdown() {
  std::vector<std::function<void()>> wakes;
  {
    std::lock_guard lock(mutex_);
    if (shut_down_) return;
    shut_down_ = true;
    for (const std::shared_ptr<Pending>& pending : pending_) {
      if (pending->wake) wakes.push_back(std::exchange(pending->wake, nullptr));
    }
  }
  answered_.notify_all();
  for (const std::function<void()>& wake : wakes) wake();
}

bool WindowHost::shut_down() const {
  std::lock_guard lock(mutex_);
  return shut_down_;
}

}  // namespace mirelant::app

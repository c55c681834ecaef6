#pragma once
// The window's dialogs behind one interface, so tests can answer them: the
// save dialog 通用对话框保存文件 and the message boxes. Every call is made on
// the window thread and returns without waiting; the answer comes through the
// callback, on the window thread, exactly once (it may come before the call
// returns).

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace mirelant::app {

class DialogProvider {
 public:
  using SaveAnswer = std::function<void(std::optional<QString> path)>;
  using Closed = std::function<void()>;

  virtual ~DialogProvider() = default;

  // The save dialog: filter "(*.txt)" matching *.txt, default suffix "txt",
  // asks before replacing an existing file, offers initial_path as the file
  // name. answer gets the confirmed full path, or nothing when cancelled.
  virtual void OpenSaveDialog(QWidget* owner, const QString& initial_path, SaveAnswer answer) = 0;

  // A message box: title "信息：", the message alone, one OK button, no icon.
  // block_window makes it modal to the whole window while it is open.
  virtual void OpenMessage(QWidget* owner, const QString& message, bool block_window,
                           Closed closed) = 0;

  // Closes every dialog still open, as cancelled; the window is going away.
  virtual void CloseAll() = 0;
};

// The dialogs of the window system.
class QtDialogProvider final : public DialogProvider {
 public:
  void OpenSaveDialog(QWidget* owner, const QString& initial_path, SaveAnswer answer) override;
  void OpenMessage(QWidget* owner, const QString& message, bool block_window,
                   Closed closed) override;
  void CloseAll() override;

 private:
  void Remember(QWidget* dialog);

  std::vector<QPointer<QWidget>> open_;
};

// 通用对话框保存文件: the save dialog's settings that outlive one showing. It
// keeps the full path last confirmed and offers it as the file name the next
// time it opens (nothing the first time). Window thread only.
class SaveFileDialog : public QObject {
  Q_OBJECT

 public:
  SaveFileDialog(DialogProvider& dialogs, QWidget* owner);

  void Open(DialogProvider::SaveAnswer answer);
  const QString& last_path() const { return last_path_; }

 private:
  DialogProvider& dialogs_;
  QPointer<QWidget> owner_;
  QString last_path_;
};

}  // namespace mirelant::app

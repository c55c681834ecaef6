#pragma once
// The window's dialogs answered by a test script, and the application object
// every window test binary needs (offscreen unless told otherwise).

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <cstdlib>
#include <deque>
#include <optional>
#include <vector>

#include "mirelant/app/dialogs.h"

namespace mirelant::test {

class ScriptedDialogs : public app::DialogProvider {
 public:
  // Answers for the save dialogs, in order; nothing is a cancel. With none
  // left, or with hold_saves set, the dialog stays open until Answer().
  std::deque<std::optional<QString>> save_answers;
  bool hold_saves = false;

  std::vector<QString> offered_paths;  // the file name each save dialog opened with
  std::vector<QString> messages;
  std::vector<bool> blocking;  // whether each message box blocked the window

  void OpenSaveDialog(QWidget*, const QString& initial_path, SaveAnswer answer) override {
    offered_paths.push_back(initial_path);
    if (hold_saves || save_answers.empty()) {
      held_.push_back(std::move(answer));
      return;
    }
    std::optional<QString> path = save_answers.front();
    save_answers.pop_front();
    answer(path);
  }

  void OpenMessage(QWidget*, const QString& message, bool block_window, Closed closed) override {
    messages.push_back(message);
    blocking.push_back(block_window);
    closed();
  }

  void CloseAll() override {
    std::vector<SaveAnswer> held = std::move(held_);
    held_.clear();
    for (SaveAnswer& answer : held) answer(std::nullopt);
  }

  int open_save_dialogs() const { return static_cast<int>(held_.size()); }

  // Answers the oldest save dialog still open.
  void Answer(std::optional<QString> path) {
    SaveAnswer answer = std::move(held_.front());
    held_.erase(held_.begin());
    answer(std::move(path));
  }

 private:
  std::vector<SaveAnswer> held_;
};

// main() of a window test binary: one application object for all its tests.
inline int RunWindowTests(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

}  // namespace mirelant::test

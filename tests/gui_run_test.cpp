// Operations started from their buttons, with the dialogs answered by a script.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>
#include <memory>
#include <string>

#include <sys/wait.h>

#include "gui_scripted_dialogs.h"
#include "mirelant/app/main_window.h"
#include "mirelant/ops/settings.h"
#include "temp_dir.h"

namespace mirelant::app {
namespace {

using ops::Operation;
using ops::RunOutcome;

QString U(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<MainWindow>(dialogs_, CreateTextBrowser);
    window_->OnMainWindowCreated();
    window_->show();
  }

  void SetPath(const std::string& path) {
    window_->findChild<QPlainTextEdit*>(QStringLiteral("编辑框_文件名"))->setPlainText(U(path));
  }
  void Click(const char* button) {
    window_->findChild<QPushButton*>(QString::fromUtf8(button))->click();
  }
  QString Status() const { return window_->status_area()->PaneText(); }

  // Waits for the next finished run and gives its outcome.
  RunOutcome WaitForRun(QSignalSpy& finished) {
    EXPECT_TRUE(finished.count() > 0 || finished.wait(30000));
    if (finished.isEmpty()) return RunOutcome::kStopped;
    return finished.takeFirst().at(1).value<RunOutcome>();
  }

  test::TempDir dir_;
  test::ScriptedDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(RunTest, RemoveDuplicatesRunsFromItsButton) {
  test::WriteFile(dir_.Path("list.txt"), "b\r\na\r\nb\r\n");
  SetPath(dir_.Path("list.txt"));
  dialogs_.hold_saves = true;
  QSignalSpy finished(window_.get(), &MainWindow::RunFinished);

  Click("按钮_去除重复");
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs_.open_save_dialogs() == 1; }, 30000));
  EXPECT_TRUE(window_->status_area()->busy());  // the run is working
  EXPECT_EQ(dialogs_.offered_paths.back(), QString());
  dialogs_.Answer(U(dir_.Path("out.txt")));

  EXPECT_EQ(WaitForRun(finished), RunOutcome::kDone);
  EXPECT_EQ(test::ReadFile(dir_.Path("out.txt")), "b\r\na\r\n");
  EXPECT_TRUE(Status().startsWith(U(ops::texts::kProcessedIn))) << Status().toStdString();
  EXPECT_TRUE(Status().endsWith(U(ops::texts::kSeconds)));
  EXPECT_FALSE(window_->status_area()->busy());
  EXPECT_TRUE(dialogs_.messages.empty());

  // The save dialog offers the last confirmed path next time.
  dialogs_.hold_saves = false;
  dialogs_.save_answers = {std::nullopt};
  Click("按钮_打乱顺序");
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kCancelled);
  EXPECT_EQ(dialogs_.offered_paths.back(), U(dir_.Path("out.txt")));
}

TEST_F(RunTest, PathBoxEmptyOrHintStopsTheClickWithAMessage) {
  for (const std::string& path : {std::string(ops::texts::kPathHint), std::string()}) {
    dialogs_.messages.clear();
    SetPath(path);
    Click("按钮_去除重复");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0], U(ops::texts::kNeedPath));
    EXPECT_TRUE(dialogs_.blocking[0]);  // shown on the window thread, blocking the window
    EXPECT_TRUE(dialogs_.offered_paths.empty());
    EXPECT_EQ(window_->runs()->running(), 0);
  }
}

TEST_F(RunTest, WorkerMessagesArriveWithoutBlockingTheWindow) {
  SetPath(dir_.Path("missing.txt"));
  dialogs_.save_answers = {U(dir_.Path("out.txt"))};
  QSignalSpy finished(window_.get(), &MainWindow::RunFinished);
  Click("按钮_去除重复");
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kStopped);
  ASSERT_EQ(dialogs_.messages.size(), 1u);
  EXPECT_TRUE(dialogs_.messages[0].startsWith(U(ops::texts::kCannotRead)));
  EXPECT_FALSE(dialogs_.blocking[0]);
  EXPECT_FALSE(test::Exists(dir_.Path("out.txt")));
}

TEST_F(RunTest, ClosingTheWindowCancelsARunWaitingForItsSaveDialog) {
  test::WriteFile(dir_.Path("list.txt"), "a\r\n");
  SetPath(dir_.Path("list.txt"));
  dialogs_.hold_saves = true;
  QSignalSpy finished(window_.get(), &MainWindow::RunFinished);
  Click("按钮_去除重复");
  Click("按钮_打乱顺序");
  ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs_.open_save_dialogs() == 2; }, 30000));

  window_->close();
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kCancelled);
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kCancelled);
  EXPECT_EQ(window_->runs()->running(), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            1);  // only the input

  // Nothing more is asked once the window is closing.
  dialogs_.messages.clear();
  Click("按钮_去除重复");
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kCancelled);
  EXPECT_EQ(dialogs_.open_save_dialogs(), 0);
}

TEST_F(RunTest, OverlappingRunsEachWriteTheirOwnOutput) {
  std::string input;
  for (int i = 0; i < 200000; ++i) input += std::to_string(i % 1000) + "\r\n";
  const std::string distinct = input.substr(0, input.size() / 200);
  test::WriteFile(dir_.Path("big.txt"), input);
  SetPath(dir_.Path("big.txt"));
  // The two workers ask in either order; each gets a file of its own.
  dialogs_.save_answers = {U(dir_.Path("first.txt")), U(dir_.Path("second.txt"))};
  QSignalSpy finished(window_.get(), &MainWindow::RunFinished);
  Click("按钮_去除重复");
  Click("按钮_打乱顺序");
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kDone);
  EXPECT_EQ(WaitForRun(finished), RunOutcome::kDone);
  std::string first = test::ReadFile(dir_.Path("first.txt"));
  std::string second = test::ReadFile(dir_.Path("second.txt"));
  if (first.size() > second.size()) std::swap(first, second);
  EXPECT_EQ(first, distinct);              // remove duplicates
  EXPECT_EQ(second.size(), input.size());  // shuffle
  EXPECT_FALSE(window_->status_area()->busy());
}

// The program itself, started without any display: it says so and points to
// the command line instead of failing inside the window system.
TEST(NoDisplay, ProgramPointsToTheCommandLine) {
  const std::string command =
      std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") + MIRELANT_WINDOW_PATH +
      "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string said;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) said += buffer;
  const int status = pclose(pipe);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_NE(WEXITSTATUS(status), 0);
  EXPECT_NE(said.find("no graphical display"), std::string::npos) << said;
  EXPECT_NE(said.find("mirelant-cli"), std::string::npos) << said;
}

}  // namespace
}  // namespace mirelant::app

int main(int argc, char** argv) { return mirelant::test::RunWindowTests(argc, argv); }

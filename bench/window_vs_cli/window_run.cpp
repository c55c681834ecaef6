// Runs one extract or generate from the window's button, offscreen, with the
// save dialog answered at once, and prints the seconds from the click to the
// run's end (the window thread has seen it finish).
//
//   window_run extract INPUT OUTPUT MARK       extract mode 2: left of MARK
//   window_run generate OUTPUT RULE COUNT

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "mirelant/app/main_window.h"

namespace {

using mirelant::app::DialogProvider;

// Confirms every save dialog with one path; prints any message.
class AnsweringDialogs final : public DialogProvider {
 public:
  explicit AnsweringDialogs(QString path) : path_(std::move(path)) {}
  void OpenSaveDialog(QWidget*, const QString&, SaveAnswer answer) override { answer(path_); }
  void OpenMessage(QWidget*, const QString& message, bool, Closed closed) override {
    std::fprintf(stderr, "message: %s\n", message.toUtf8().constData());
    closed();
  }
  void CloseAll() override {}

 private:
  QString path_;
};

int Usage() {
  std::fputs(
      "usage: window_run extract INPUT OUTPUT MARK\n"
      "       window_run generate OUTPUT RULE COUNT\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return Usage();
  const bool extract = std::strcmp(argv[1], "extract") == 0;
  if (!extract && std::strcmp(argv[1], "generate") != 0) return Usage();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);

  AnsweringDialogs dialogs(QString::fromLocal8Bit(extract ? argv[3] : argv[2]));
  mirelant::app::MainWindow window(dialogs, mirelant::app::CreateTextBrowser);
  window.OnMainWindowCreated();
  auto find = [&window](const char* name) {
    return window.findChild<QWidget*>(QString::fromUtf8(name));
  };

  const char* button;
  if (extract) {
    static_cast<QPlainTextEdit*>(find("编辑框_文件名"))
        ->setPlainText(QString::fromLocal8Bit(argv[2]));
    static_cast<QCheckBox*>(find("选择框2"))->setChecked(true);
    static_cast<QLineEdit*>(find("编辑框3"))->setText(QString::fromUtf8(argv[4]));
    button = "按钮_提取文本";
  } else {
    static_cast<QLineEdit*>(find("编辑框6"))->setText(QString::fromUtf8(argv[3]));
    static_cast<QLineEdit*>(find("编辑框7"))->setText(QString::fromUtf8(argv[4]));
    button = "按钮_生成文本";
  }

  using Clock = std::chrono::steady_clock;
  Clock::time_point start;
  int status = 1;
  QObject::connect(&window, &mirelant::app::MainWindow::RunFinished, &app,
                   [&](mirelant::ops::Operation, mirelant::ops::RunOutcome outcome) {
                     const std::chrono::duration<double> took = Clock::now() - start;
                     std::printf("%.3f\n", took.count());
                     status = outcome == mirelant::ops::RunOutcome::kDone ? 0 : 1;
                     QCoreApplication::quit();
                   });
  start = Clock::now();
  static_cast<QPushButton*>(find(button))->click();
  if (window.runs()->running() == 0) return 1;
  app.exec();
  std::fflush(stdout);
  std::_Exit(status);
}

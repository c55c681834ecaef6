// Mirelant's window. Takes no arguments of its own.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "mirelant/app/dialogs.h"
#include "mirelant/app/main_window.h"
#include "mirelant/app/screenshot_tour.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fputs(
        "mirelant: no graphical display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are all "
        "unset), so the window cannot open.\n"
        "The same operations run without a display through the command line: mirelant-cli "
        "--help\n",
        stderr);
    return 1;
  }
  mirelant::app::PrepareBrowserEnvironment();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("mirelant"));
  QGuiApplication::setDesktopFileName(
      QStringLiteral("mirelant"));  // ties windows to mirelant.desktop
  mirelant::app::QtDialogProvider dialogs;
  mirelant::app::MainWindow window(dialogs);
  window.OnMainWindowCreated();
  window.show();

  // Used by scripts/screenshots.sh only: pictures of every page, then quit.
  if (const char* folder = std::getenv("MIRELANT_SCREENSHOTS"); folder != nullptr && *folder) {
    auto* tour = new mirelant::app::ScreenshotTour(window, QString::fromLocal8Bit(folder));
    QObject::connect(tour, &mirelant::app::ScreenshotTour::Finished, &app,
                     [](bool ok) { QCoreApplication::exit(ok ? 0 : 1); });
    tour->Start();
  }

  const int status = app.exec();
  // Runs still working, or waiting for a dialog, end with the process: their
  // output goes to unnamed temporary files that vanish with it, and nothing of
  // theirs is destroyed under them.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(status);
}

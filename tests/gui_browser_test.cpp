// The tutorial page in the browser the program is built with (the web engine
// when it is available): it loads from the program's own resources, offline.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "gui_scripted_dialogs.h"
#include "mirelant/app/main_window.h"

namespace mirelant::app {
namespace {

TEST(TutorialBrowser, LoadsTheShippedTutorialOnSelection) {
  test::ScriptedDialogs dialogs;
  MainWindow window(dialogs);
  window.OnMainWindowCreated();
  window.show();

  window.pages()->setCurrentWidget(window.video_page());
  Browser* browser = window.video_page()->browser();
  ASSERT_NE(browser, nullptr);
  QSignalSpy finished(browser, &Browser::LoadFinished);
  if (finished.isEmpty()) {
    ASSERT_TRUE(finished.wait(60000));
  }
  EXPECT_TRUE(finished.takeFirst().at(0).toBool());
  EXPECT_EQ(browser->view()->objectName(), QStringLiteral("超文本浏览框1"));

  // Selected again, it loads again.
  window.pages()->setCurrentIndex(0);
  window.pages()->setCurrentWidget(window.video_page());
  if (finished.isEmpty()) {
    ASSERT_TRUE(finished.wait(60000));
  }
  EXPECT_TRUE(finished.takeFirst().at(0).toBool());
}

}  // namespace
}  // namespace mirelant::app

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  mirelant::app::PrepareBrowserEnvironment();  // as the program does before its application object
  return mirelant::test::RunWindowTests(argc, argv);
}

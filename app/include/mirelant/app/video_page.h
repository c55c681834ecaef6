#pragma once
// Page "视频教程" of 选择夹2: the browser view 超文本浏览框1 showing the
// tutorial shipped inside the program. The view is made the first time the
// page is shown, so start-up stays light, and the tutorial loads again each
// time the page is selected.

#include <QUrl>

#include "mirelant/app/browser.h"
#include "mirelant/app/tab_control.h"

namespace mirelant::app {

// VideoPageAddress: the tutorial page inside the program's resources.
QUrl VideoPageAddress();

class VideoPage : public TabPage {
  Q_OBJECT

 public:
  explicit VideoPage(BrowserFactory make_browser, QWidget* parent = nullptr);

  // Loads VideoPageAddress into the view, making the view first if needed.
  void LoadTutorial();

  int loads() const { return loads_; }
  Browser* browser() const { return browser_; }

 signals:
  void TutorialLoading(int loads);

 private:
  BrowserFactory make_browser_;
  Browser* browser_ = nullptr;
  int loads_ = 0;
};

}  // namespace mirelant::app

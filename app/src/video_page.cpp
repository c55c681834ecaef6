#include "mirelant/app/video_page.h"

namespace mirelant::app {

QUrl VideoPageAddress() { return QUrl(QStringLiteral("qrc:/mirelant/tutorial/index.html")); }

VideoPage::VideoPage(BrowserFactory make_browser, QWidget* parent)
    : TabPage(parent), make_browser_(std::move(make_browser)) {}

void VideoPage::LoadTutorial() {
  if (browser_ == nullptr) {
    browser_ = make_browser_(this);
    browser_->view()->setObjectName(QStringLiteral("超文本浏览框1"));
    Place(browser_->view(), QRect(5, 26, 619, 360));
    browser_->view()->show();
  }
  ++loads_;
  emit TutorialLoading(loads_);
  browser_->Load(VideoPageAddress());
}

}  // namespace mirelant::app

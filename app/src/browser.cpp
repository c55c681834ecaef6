#include "mirelant/app/browser.h"

#include <QCoreApplication>
#include <QTextBrowser>
#include <cstdlib>
#include <string>

#include <unistd.h>

#ifdef MIRELANT_WITH_WEBENGINE
#include <QWebEngineView>
#endif

namespace mirelant::app {

namespace {

class TextBrowser final : public Browser {
 public:
  explicit TextBrowser(QWidget* parent) : Browser(parent), view_(new QTextBrowser(parent)) {
    view_->setOpenExternalLinks(true);
  }
  QWidget* view() override { return view_; }
  void Load(const QUrl& address) override {
    if (view_->source() == address) {
      view_->reload();
    } else {
      view_->setSource(address);
    }
    emit LoadFinished(!view_->document()->isEmpty());
  }

 private:
  QTextBrowser* view_;
};

#ifdef MIRELANT_WITH_WEBENGINE
class WebEngineBrowser final : public Browser {
 public:
  explicit WebEngineBrowser(QWidget* parent) : Browser(parent), view_(new QWebEngineView(parent)) {
    connect(view_, &QWebEngineView::loadFinished, this, &Browser::LoadFinished);
  }
  QWidget* view() override { return view_; }
  void Load(const QUrl& address) override { view_->setUrl(address); }

 private:
  QWebEngineView* view_;
};
#endif

void AppendChromiumFlag(const char* flag) {
  std::string flags;
  if (const char* old = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS")) flags = old;
  if (flags.find(flag) != std::string::npos) return;
  if (!flags.empty()) flags += ' ';
  flags += flag;
  setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
}

}  // namespace

Browser* CreateTextBrowser(QWidget* parent) { return new TextBrowser(parent); }

Browser* CreateDefaultBrowser(QWidget* parent) {
#ifdef MIRELANT_WITH_WEBENGINE
  return new WebEngineBrowser(parent);
#else
  return new TextBrowser(parent);
#endif
}

bool HasWebEngine() {
#ifdef MIRELANT_WITH_WEBENGINE
  return true;
#else
  return false;
#endif
}

void PrepareBrowserEnvironment() {
  if (!HasWebEngine()) return;
  // The engine's sandbox refuses to run as root; a user should not have to
  // know the switch for that.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  // Without a screen there is no GPU to draw with.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && std::string(platform).starts_with("offscreen")) {
    AppendChromiumFlag("--disable-gpu");
  }
  // The engine shares its drawing contexts with the widgets.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace mirelant::app

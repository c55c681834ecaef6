#pragma once
// The embedded browser view of the tutorial page, behind a small interface so
// the page can be built with a light text browser where the full web engine is
// not wanted (tests) or not available (built without it).

#include <QObject>
#include <QUrl>
#include <QWidget>
#include <functional>

namespace mirelant::app {

class Browser : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The view to place on the page; owned by the parent given at creation.
  virtual QWidget* view() = 0;
  // Loads address, or loads it again when it is already shown.
  virtual void Load(const QUrl& address) = 0;

 signals:
  void LoadFinished(bool ok);
};

// Creates a browser whose view is a child of parent.
using BrowserFactory = std::function<Browser*(QWidget* parent)>;

// The web engine view when the program was built with it, else a text browser.
Browser* CreateDefaultBrowser(QWidget* parent);
// A text browser (rich text and pictures, no scripts or video).
Browser* CreateTextBrowser(QWidget* parent);

// True when the program was built with the web engine.
bool HasWebEngine();

// Sets what the web engine needs in the environment; call before the
// application object exists. Keeps whatever the user set already.
void PrepareBrowserEnvironment();

}  // namespace mirelant::app

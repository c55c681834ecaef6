#pragma once
// Pictures of the window for the tutorial page: fills the controls with
// example values, then selects each operation page, the description and the
// tutorial in turn and saves a picture of the window for each into a folder.
// Only the screenshot script starts it (see main.cpp).

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

namespace mirelant::app {

class MainWindow;

class ScreenshotTour : public QObject {
  Q_OBJECT

 public:
  ScreenshotTour(MainWindow& window, QString folder);

  void Start();

 signals:
  // ok is false when a picture could not be saved.
  void Finished(bool ok);

 private:
  struct Shot {
    QString file;
    std::function<void()> select;
  };

  void FillExamples();
  void TakeNext();
  void Save(const QString& file, bool from_screen);

  MainWindow& window_;
  QString folder_;
  std::vector<Shot> shots_;
  std::size_t next_ = 0;
  bool ok_ = true;
};

}  // namespace mirelant::app

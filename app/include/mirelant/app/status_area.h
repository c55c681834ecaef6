#pragma once
// The status bar 状态条1: pane 0 holds the operations' progress and closing
// texts exactly as they set them; beside it an indeterminate progress
// indicator shows while at least one run is working.

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>

namespace mirelant::app {

class StatusArea : public QStatusBar {
  Q_OBJECT

 public:
  explicit StatusArea(QWidget* parent = nullptr);

  QString PaneText() const { return pane0_->text(); }
  void SetPaneText(const QString& text);

  void SetBusy(bool busy);
  bool busy() const { return !indicator_->isHidden(); }

 private:
  QLabel* pane0_;
  QProgressBar* indicator_;
};

}  // namespace mirelant::app

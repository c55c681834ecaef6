#include "mirelant/app/status_area.h"

namespace mirelant::app {

StatusArea::StatusArea(QWidget* parent)
    : QStatusBar(parent), pane0_(new QLabel), indicator_(new QProgressBar) {
  setObjectName(QStringLiteral("状态条1"));
  setSizeGripEnabled(false);
  pane0_->setObjectName(QStringLiteral("状态条1_栏0"));
  pane0_->setTextFormat(Qt::PlainText);
  addWidget(pane0_, 1);
  indicator_->setObjectName(QStringLiteral("状态条1_进度"));
  indicator_->setRange(0, 0);  // no known end: the bar just moves
  indicator_->setTextVisible(false);
  indicator_->setFixedWidth(72);
  indicator_->setMaximumHeight(12);
  addPermanentWidget(indicator_);
  indicator_->hide();
}

void StatusArea::SetPaneText(const QString& text) { pane0_->setText(text); }

void StatusArea::SetBusy(bool busy) { indicator_->setVisible(busy); }

}  // namespace mirelant::app

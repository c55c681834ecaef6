#pragma once
// Page "软件说明" of 选择夹2: the box 编辑框10 with the tool's description,
// filled in at start-up.

#include <QPlainTextEdit>

#include "mirelant/app/tab_control.h"

namespace mirelant::app {

class DescriptionPage : public TabPage {
  Q_OBJECT

 public:
  explicit DescriptionPage(QWidget* parent = nullptr);

  void SetDescription(const QString& text);
  QPlainTextEdit* box() const { return box_; }

 private:
  QPlainTextEdit* box_;
};

}  // namespace mirelant::app

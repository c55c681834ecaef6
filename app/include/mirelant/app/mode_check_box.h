#pragma once
// An extract mode box (选择框1..3). A left-button press on the box while it is
// unchecked announces itself first, so the page can clear the other boxes
// before this one's own toggle; a press on a checked box announces nothing.

#include <QCheckBox>

namespace mirelant::app {

class ModeCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit ModeCheckBox(const QString& name, QWidget* parent = nullptr);

 signals:
  void PressedWhileUnchecked(ModeCheckBox* box);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace mirelant::app

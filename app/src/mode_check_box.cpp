#include "mirelant/app/mode_check_box.h"

#include <QMouseEvent>

namespace mirelant::app {

ModeCheckBox::ModeCheckBox(const QString& name, QWidget* parent) : QCheckBox(parent) {
  setObjectName(name);
}

void ModeCheckBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !isChecked()) emit PressedWhileUnchecked(this);
  QCheckBox::mousePressEvent(event);
}

}  // namespace mirelant::app

#include "mirelant/app/controls.h"

#include "mirelant/app/explanation_label.h"

namespace mirelant::app {

QLabel* MakeExplanationLabel(const QString& name, const QString& text) {
  return new ExplanationLabel(name, text);
}

QLabel* MakeRowLabel(const QString& name, const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

QPushButton* MakeButton(const QString& name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  return button;
}

QLineEdit* MakeLineEdit(const QString& name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  return edit;
}

QPlainTextEdit* MakeTextBox(const QString& name) {
  auto* box = new QPlainTextEdit;
  box->setObjectName(name);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return box;
}

QString TextBoxText(const QPlainTextEdit& box) {
  QString text = box.toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

QGroupBox* MakeGroupBox(const QString& name, const QString& title) {
  auto* group = new QGroupBox(title);
  group->setObjectName(name);
  return group;
}

}  // namespace mirelant::app

#pragma once
// A single-line box for a whole number: typed characters other than the digits
// and "-" are refused (editing keys pass). When the box loses the focus its
// text is read as a leading decimal integer (sign and digits, the rest
// ignored), clamped to the 32-bit range and written back in decimal, with 0
// written back as the empty text; when that changes the text the caret goes to
// where the selection started.

#include <QLineEdit>
#include <QStringView>
#include <cstdint>

namespace mirelant::app {

class IntegerEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit IntegerEdit(const QString& name, QWidget* parent = nullptr);

  // The text the box writes back for text: "" for 0, else the decimal value.
  static QString NormalisedText(QStringView text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// The leading decimal integer of text (optional white space, optional sign,
// digits; the rest ignored), clamped to the 32-bit range; 0 when there are no
// digits.
std::int32_t LeadingClampedInt(QStringView text);

}  // namespace mirelant::app

#include "mirelant/app/integer_edit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>
#include <limits>

namespace mirelant::app {

namespace {

bool IsAllowedTypedCharacter(QChar c) {
  return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-');
}

// Control characters (Backspace, Tab, Enter, Escape, ...) are editing keys.
bool IsControlCharacter(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }

}  // namespace

std::int32_t LeadingClampedInt(QStringView text) {
  qsizetype i = 0;
  while (i < text.size() && text[i].isSpace()) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  // Accumulate the magnitude, stopping once it is past any 32-bit value.
  constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
    if (magnitude <= kCap) magnitude = magnitude * 10 + (text[i].unicode() - '0');
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}

IntegerEdit::IntegerEdit(const QString& name, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
}

QString IntegerEdit::NormalisedText(QStringView text) {
  const std::int32_t value = LeadingClampedInt(text);
  return value == 0 ? QString() : QString::number(value);
}

void IntegerEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  // Shortcuts (Ctrl+V, Ctrl+A, ...) carry control characters or none at all.
  const bool is_shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
  if (!typed.isEmpty() && !is_shortcut) {
    for (QChar c : typed) {
      if (!IsControlCharacter(c) && !IsAllowedTypedCharacter(c)) {
        event->accept();  // refused: the box keeps its text
        return;
      }
    }
  }
  QLineEdit::keyPressEvent(event);
}

void IntegerEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Characters committed by an input method are typed characters too.
  QString commit;
  for (QChar c : event->commitString()) {
    if (IsAllowedTypedCharacter(c)) commit.append(c);
  }
  if (commit != event->commitString()) {
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

void IntegerEdit::focusOutEvent(QFocusEvent* event) {
  const int selection_start = hasSelectedText() ? selectionStart() : cursorPosition();
  const QString normalised = NormalisedText(text());
  if (normalised != text()) {
    setText(normalised);
    setCursorPosition(std::min<int>(selection_start, static_cast<int>(normalised.size())));
  }
  QLineEdit::focusOutEvent(event);
}

}  // namespace mirelant::app

#pragma once
// Factories for the window's plain controls, each named by its control name
// (also its object name, by which tests and the window find it).

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

namespace mirelant::app {

// Labels drawn on their container's background: an explanation wraps and
// starts at the top (see ExplanationLabel); a row label is one line centred
// in its height.
QLabel* MakeExplanationLabel(const QString& name, const QString& text);
QLabel* MakeRowLabel(const QString& name, const QString& text);

QPushButton* MakeButton(const QString& name, const QString& caption);

// A single-line edit box with no limit on length.
QLineEdit* MakeLineEdit(const QString& name);

// A multi-line edit box: Enter starts a new line, long lines wrap at the box's
// width and the text scrolls with the caret; no scroll bars.
QPlainTextEdit* MakeTextBox(const QString& name);

// The text of a multi-line box with CR LF between its lines, the form in which
// the operations read it.
QString TextBoxText(const QPlainTextEdit& box);

QGroupBox* MakeGroupBox(const QString& name, const QString& title);

}  // namespace mirelant::app

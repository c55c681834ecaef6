#pragma once
// A label drawn on its container's background whose text wraps at its width
// and starts at the top. When the text's lines do not fit the label's height
// at the font's own line spacing, they are drawn closer together (down to the
// font's size plus one pixel), so the whole text shows in the place the window
// gives it. text() stays exactly the text set.

#include <QLabel>

namespace mirelant::app {

class ExplanationLabel : public QLabel {
  Q_OBJECT

 public:
  ExplanationLabel(const QString& name, const QString& text, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace mirelant::app

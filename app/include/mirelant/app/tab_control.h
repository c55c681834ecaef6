#pragma once
// A tab control whose pages place their controls relative to the tab control's
// own top-left corner, as the window's layout is written, whatever the height
// of the tab strip and the frame that the style draws.

#include <QPointer>
#include <QRect>
#include <QTabWidget>
#include <QWidget>
#include <utility>
#include <vector>

namespace mirelant::app {

class TabPage : public QWidget {
  Q_OBJECT

 public:
  explicit TabPage(QWidget* parent = nullptr);

  // Makes child a child of this page, placed at rect measured from the top-left
  // corner of the tab control that shows the page. Returns child.
  template <typename W>
  W* Place(W* child, const QRect& rect) {
    PlaceWidget(child, rect);
    return child;
  }

  // Moves the placed controls for a page whose top-left corner sits at offset
  // inside its tab control.
  void SetOffset(QPoint offset);

 private:
  void PlaceWidget(QWidget* child, const QRect& rect);

  std::vector<std::pair<QPointer<QWidget>, QRect>> placed_;
  QPoint offset_;
};

class TabControl : public QTabWidget {
  Q_OBJECT

 public:
  // name is the control's name, also its object name.
  explicit TabControl(const QString& name, QWidget* parent = nullptr);

  void AddPage(TabPage* page, const QString& title);

 protected:
  bool event(QEvent* event) override;

 private:
  // Tells every page where the tab control put it.
  void PositionPages();

  std::vector<QPointer<TabPage>> pages_;
};

}  // namespace mirelant::app

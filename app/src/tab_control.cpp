#include "mirelant/app/tab_control.h"

#include <QEvent>

namespace mirelant::app {

TabPage::TabPage(QWidget* parent) : QWidget(parent) {}

void TabPage::PlaceWidget(QWidget* child, const QRect& rect) {
  child->setParent(this);
  child->setGeometry(rect.translated(-offset_));
  placed_.emplace_back(child, rect);
}

void TabPage::SetOffset(QPoint offset) {
  if (offset == offset_) return;
  offset_ = offset;
  for (const auto& [child, rect] : placed_) {
    if (child) child->setGeometry(rect.translated(-offset_));
  }
}

TabControl::TabControl(const QString& name, QWidget* parent) : QTabWidget(parent) {
  setObjectName(name);
}

void TabControl::AddPage(TabPage* page, const QString& title) {
  addTab(page, title);
  pages_.emplace_back(page);
  PositionPages();
}

bool TabControl::event(QEvent* event) {
  // The base class lays out the tab strip and the page area on these events;
  // the pages follow once it has.
  const bool handled = QTabWidget::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Resize:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::Polish:
      PositionPages();
      break;
    default:
      break;
  }
  return handled;
}

void TabControl::PositionPages() {
  for (const QPointer<TabPage>& page : pages_) {
    if (!page || !page->parentWidget()) continue;
    // Every page fills the contents of the page stack; a page not shown yet
    // has no geometry of its own, so the stack tells where it will be.
    const QWidget* stack = page->parentWidget();
    page->SetOffset(stack->geometry().topLeft() + stack->contentsRect().topLeft());
  }
}

}  // namespace mirelant::app

#include "mirelant/app/drop_target.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace mirelant::app {

namespace {

// A drop must never move the file away from where the file manager keeps it:
// it is taken as a copy, or as a link when that is all the source offers.
bool ChooseAction(QDropEvent* event) {
  if (event->possibleActions() & Qt::CopyAction) {
    event->setDropAction(Qt::CopyAction);
  } else if (event->possibleActions() & Qt::LinkAction) {
    event->setDropAction(Qt::LinkAction);
  } else {
    return false;
  }
  return true;
}

}  // namespace

DropTarget::DropTarget(QWidget* area) : QObject(area), area_(area) {
  setObjectName(QStringLiteral("拖放对象1"));
}

void DropTarget::Activate() {
  area_->setAcceptDrops(true);
  qApp->installEventFilter(this);
}

QString DropTarget::DroppedText(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  QStringList paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && !url.toLocalFile().isEmpty()) paths.append(url.toLocalFile());
  }
  if (paths.size() <= 1) return paths.value(0);
  QString text;
  for (const QString& path : paths) text += path + QStringLiteral("\r\n");
  return text;
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (area_ == nullptr || widget == nullptr || widget->window() != area_) return false;

  auto* drop = static_cast<QDropEvent*>(event);
  const QString dropped = DroppedText(drop->mimeData());
  if (dropped.isEmpty() || !ChooseAction(drop)) return false;  // plain text: the control's own
  drop->accept();
  if (type == QEvent::Drop) emit FilesDropped(dropped);
  return true;
}

}  // namespace mirelant::app

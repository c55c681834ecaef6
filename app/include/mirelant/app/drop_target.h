#pragma once
// 拖放对象1: makes a whole window one drop area for files and folders. It
// watches the drag events of every control in the window (the text boxes
// included, which would otherwise take a dropped file as text) and hands the
// dropped paths on. Drags that carry no local path are left to the controls.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMimeData;

namespace mirelant::app {

class DropTarget : public QObject {
  Q_OBJECT

 public:
  explicit DropTarget(QWidget* area);

  // Switches on the acceptance of drops anywhere on the area.
  void Activate();

  // The dropped text of a drag: its one local path, or every local path
  // followed by CR LF when there are several; empty when it carries none.
  static QString DroppedText(const QMimeData* data);

 signals:
  void FilesDropped(const QString& dropped_text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> area_;
};

}  // namespace mirelant::app

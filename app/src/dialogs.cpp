#include "mirelant/app/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <memory>

#include "mirelant/app/window_texts.h"

namespace mirelant::app {

void QtDialogProvider::OpenSaveDialog(QWidget* owner, const QString& initial_path,
                                      SaveAnswer answer) {
  auto* dialog = new QFileDialog(owner);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setNameFilter(QString::fromUtf8(texts::kSaveFilter));
  dialog->setDefaultSuffix(QString::fromUtf8(texts::kSaveSuffix));
  dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
  if (!initial_path.isEmpty()) dialog->selectFile(initial_path);
  // The window stays usable while a run waits for its file name: only that
  // run waits.
  dialog->setWindowModality(Qt::NonModal);
  auto shared_answer = std::make_shared<SaveAnswer>(std::move(answer));
  QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, shared_answer](int result) {
    std::optional<QString> path;
    if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
      path = dialog->selectedFiles().constFirst();
    }
    if (*shared_answer) std::exchange(*shared_answer, nullptr)(path);
  });
  Remember(dialog);
  dialog->show();
}

void QtDialogProvider::OpenMessage(QWidget* owner, const QString& message, bool block_window,
                                   Closed closed) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, QString::fromUtf8(texts::kMessageTitle), message,
                              QMessageBox::Ok, owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(block_window ? Qt::ApplicationModal : Qt::NonModal);
  auto shared_closed = std::make_shared<Closed>(std::move(closed));
  QObject::connect(box, &QMessageBox::finished, box, [shared_closed](int) {
    if (*shared_closed) std::exchange(*shared_closed, nullptr)();
  });
  Remember(box);
  box->show();
}

void QtDialogProvider::Remember(QWidget* dialog) {
  std::erase_if(open_, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
  open_.emplace_back(dialog);
}

void QtDialogProvider::CloseAll() {
  for (QPointer<QWidget>& dialog : open_) {
    if (dialog) dialog->close();  // a closed dialog finishes as rejected
  }
  open_.clear();
}

SaveFileDialog::SaveFileDialog(DialogProvider& dialogs, QWidget* owner)
    : QObject(owner), dialogs_(dialogs), owner_(owner) {
  setObjectName(QStringLiteral("通用对话框保存文件"));
}

void SaveFileDialog::Open(DialogProvider::SaveAnswer answer) {
  dialogs_.OpenSaveDialog(owner_, last_path_,
                          [this, guard = QPointer<SaveFileDialog>(this),
                           answer = std::move(answer)](std::optional<QString> path) {
                            if (guard && path) last_path_ = *path;
                            answer(std::move(path));
                          });
}

}  // namespace mirelant::app

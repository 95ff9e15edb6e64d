#include "platform/qt/file_dialogs.h"

#include <QFileDialog>

#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

QString Chosen(QFileDialog* d) {
  OwnedDialog<QFileDialog> dialog(d);
  if (ExecModal(dialog.get()) != QDialog::Accepted || !dialog) return {};
  const QStringList files = dialog->selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

}  // namespace

QString ChooseFileToOpen(QWidget* parent, const QString& title, const QString& startFolder, const QString& filter) {
  auto* d = new QFileDialog(parent, title, startFolder, filter);
  d->setFileMode(QFileDialog::ExistingFile);
  d->setAcceptMode(QFileDialog::AcceptOpen);
  return Chosen(d);
}

QString ChooseFolder(QWidget* parent, const QString& title, const QString& startFolder) {
  auto* d = new QFileDialog(parent, title, startFolder);
  d->setFileMode(QFileDialog::Directory);
  d->setOption(QFileDialog::ShowDirsOnly, true);
  return Chosen(d);
}

}  // namespace sw

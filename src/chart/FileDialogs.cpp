#include "chart/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

QStringList QtFileDialogs::openFiles(QWidget* parent, const QString& caption) {
  QFileDialog dialog(parent, caption, m_openDirectory);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (!files.isEmpty()) m_openDirectory = QFileInfo(files.first()).absolutePath();
  return files;
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const QString& caption,
                                               const QString& proposedName) {
  QFileDialog dialog(parent, caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The writers ask "File exists! Overwrite?" themselves.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!proposedName.isEmpty()) {
    const QFileInfo info(proposedName);
    if (info.path() != QStringLiteral(".")) dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return files.first();
}

std::optional<FileDialogs::SaveChoice> QtFileDialogs::saveFileAs(QWidget* parent,
                                                                 const QString& caption,
                                                                 const QString& filters,
                                                                 const QString& selectedFilter) {
  QString filter = selectedFilter;
  const QString path = QFileDialog::getSaveFileName(parent, caption, QString(), filters, &filter);
  if (path.isEmpty()) return std::nullopt;
  return SaveChoice{path, filter};
}

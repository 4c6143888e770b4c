#include "chart/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

#include "core/SequenceFileFormat.h"

namespace {

const QString kAllFiles = QStringLiteral("All files (*)");

QString patterns(const QStringList& extensions) {
  QStringList result;
  for (const QString& extension : extensions) result << u'*' + extension;
  for (const QString& extension : extensions) result << u'*' + extension + QStringLiteral(".gz");
  return result.join(u' ');
}

}  // namespace

QStringList QtFileDialogs::openNameFilters() {
  QStringList filters;
  QStringList sequenceExtensions;
  for (const duvanet::core::SequenceFileGroup& group : duvanet::core::sequenceFileGroups()) {
    filters << QStringLiteral("%1 (%2)").arg(group.title, patterns(group.extensions));
    if (group.title != QStringLiteral("Text")) sequenceExtensions << group.extensions;
  }
  filters.prepend(QStringLiteral("Sequence files (%1)").arg(patterns(sequenceExtensions)));
  filters << kAllFiles;
  return filters;
}

void QtFileDialogs::configureOpenDialog(QFileDialog& dialog) {
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Every file can be loaded (as text at least), so all of them are shown until the user picks
  // a group.
  dialog.setNameFilters(openNameFilters());
  dialog.selectNameFilter(kAllFiles);
}

QStringList QtFileDialogs::openFiles(QWidget* parent, const QString& caption) {
  QFileDialog dialog(parent, caption, m_openDirectory);
  configureOpenDialog(dialog);
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

#include "chart/FileDialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

#include "core/SequenceFileFormat.h"

namespace duvanet::chart {

namespace {

const QString kAllFiles = QStringLiteral("All files (*)");

QString patterns(const QStringList& extensions) {
  QStringList result;
  for (const QString& extension : extensions) result << u'*' + extension;
  for (const QString& extension : extensions) result << u'*' + extension + QStringLiteral(".gz");
  return result.join(u' ');
}

}  // namespace

QString openChoiceProblem(const QStringList& files) {
  QStringList missing;
  QStringList folders;
  for (const QString& file : files) {
    const QFileInfo info(file);
    if (!info.exists())
      missing << QDir::toNativeSeparators(file);
    else if (info.isDir())
      folders
          << QStringLiteral("\"%1\" is a folder, not a file.").arg(QDir::toNativeSeparators(file));
  }
  QStringList lines;
  if (missing.size() == 1)
    lines << QStringLiteral("The file \"%1\" does not exist.").arg(missing.first());
  else if (missing.size() > 1)
    lines << QStringLiteral("These files do not exist:\n") + missing.join(QLatin1Char('\n'));
  lines << folders;
  return lines.join(QLatin1Char('\n'));
}

QString saveChoiceProblem(const QString& file) {
  const QFileInfo info(file);
  const QFileInfo folder(info.absolutePath());
  if (!folder.exists() || !folder.isDir())
    return QStringLiteral("The folder \"%1\" does not exist.")
        .arg(QDir::toNativeSeparators(folder.filePath()));
  // The file's own write bits, not whether this user may write it: a read-only file stays
  // read-only for an administrator too.
  constexpr QFileDevice::Permissions kWrite =
      QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  if (info.exists() && !info.isDir() && !(info.permissions() & kWrite))
    return QStringLiteral("The file \"%1\" is read-only.").arg(QDir::toNativeSeparators(file));
  return QString();
}

CheckedFileDialog::CheckedFileDialog(QWidget* parent, const QString& caption,
                                     FileDialogWarning warn)
    : QFileDialog(parent, caption), m_warn(std::move(warn)) {
  // The checks run in accept(), which only Qt's own dialog calls.
  setOption(QFileDialog::DontUseNativeDialog, true);
}

QStringList CheckedFileDialog::typedFiles() const {
  // The name field holds what the user typed or, after a click in the list, the chosen names;
  // several names are written in double quotes. The list's selection alone would leave out a
  // typed name that names no file.
  const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (edit == nullptr) return {};
  const QString text = edit->text().trimmed();
  QStringList names;
  if (text.contains(QLatin1Char('"'))) {
    const QStringList tokens = text.split(QLatin1Char('"'));
    for (qsizetype i = 1; i < tokens.size(); i += 2) {
      if (!tokens.at(i).isEmpty()) names << tokens.at(i);
    }
  } else if (!text.isEmpty()) {
    names << text;
  }
  QStringList files;
  const QDir folder = directory();
  for (const QString& name : names) files << QDir::cleanPath(folder.absoluteFilePath(name));
  return files;
}

void CheckedFileDialog::accept() {
  QStringList files = typedFiles();
  if (files.isEmpty()) files = selectedFiles();
  if (files.isEmpty()) return;
  // A folder as the one name: the dialog goes into it.
  if (files.size() == 1 && QFileInfo(files.first()).isDir()) {
    QFileDialog::accept();
    return;
  }
  const QString problem =
      acceptMode() == AcceptOpen ? openChoiceProblem(files) : saveChoiceProblem(files.first());
  if (!problem.isEmpty()) {
    if (m_warn) m_warn(this, problem);
    return;
  }
  m_chosen = acceptMode() == AcceptOpen ? files : QStringList{files.first()};
  QFileDialog::accept();
}

QtFileDialogs::QtFileDialogs(FileDialogWarning warn) : m_warn(std::move(warn)) {
  if (!m_warn) {
    m_warn = [](QWidget* parent, const QString& text) {
      QMessageBox::warning(parent, QStringLiteral("Warning"), text, QMessageBox::Ok);
    };
  }
}

QStringList QtFileDialogs::openNameFilters() {
  QStringList filters;
  QStringList sequenceExtensions;
  for (const duvanet::core::SequenceFileGroup& group : duvanet::core::sequenceFileGroups()) {
    filters << QStringLiteral("%1 (%2)").arg(group.title, patterns(group.extensions));
    if (group.title != QStringLiteral("Text")) sequenceExtensions << group.extensions;
  }
  filters.prepend(QStringLiteral("Sequence files (%1)").arg(patterns(sequenceExtensions)));
  filters << QStringLiteral("Annotations (%1)").arg(patterns({".gff", ".gff3", ".gtf", ".bed"}));
  filters << kAllFiles;
  return filters;
}

void QtFileDialogs::configureOpenDialog(QFileDialog& dialog) {
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Every file can be loaded (as text at least), so all of them are shown until the user picks
  // a group.
  // The groups by their titles alone: their extension lists are too long to read in the list.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setNameFilters(openNameFilters());
  dialog.selectNameFilter(kAllFiles);
}

QStringList QtFileDialogs::openFiles(QWidget* parent, const QString& caption) {
  CheckedFileDialog dialog(parent, caption, m_warn);
  if (!m_openDirectory.isEmpty()) dialog.setDirectory(m_openDirectory);
  configureOpenDialog(dialog);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.chosenFiles();
  if (!files.isEmpty()) m_openDirectory = QFileInfo(files.first()).absolutePath();
  return files;
}

std::optional<QString> QtFileDialogs::saveFile(QWidget* parent, const QString& caption,
                                               const QString& proposedName) {
  CheckedFileDialog dialog(parent, caption, m_warn);
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
  const QStringList files = dialog.chosenFiles();
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

}  // namespace duvanet::chart

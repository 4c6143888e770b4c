#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace duvanet::chart {

/// The file dialogs the windows and the charts show; none of them opens a QFileDialog itself.
/// Shows a warning with an OK button over parent (the program passes its message boxes).
using FileDialogWarning = std::function<void(QWidget* parent, const QString& text)>;

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  /// Lets the user choose one or more existing files; empty when the user cancels.
  virtual QStringList openFiles(QWidget* parent, const QString& caption) = 0;
  /// Lets the user choose one file name to save to, starting from proposedName (a full path or
  /// a bare name); nothing when the user cancels. Asks nothing about existing files.
  virtual std::optional<QString> saveFile(QWidget* parent, const QString& caption,
                                          const QString& proposedName) = 0;
  struct SaveChoice {
    QString path;
    QString filter;
  };
  /// Lets the user choose a file to save to and one of the filters (";;"-separated, as
  /// QFileDialog takes them), starting from selectedFilter; nothing when the user cancels. The
  /// dialog asks before an existing file is replaced.
  virtual std::optional<SaveChoice> saveFileAs(QWidget* parent, const QString& caption,
                                               const QString& filters,
                                               const QString& selectedFilter) = 0;
};

/// Why the chosen files cannot be opened (the message names each missing file), or empty.
QString openChoiceProblem(const QStringList& files);
/// Why the chosen name cannot be saved to: its folder does not exist, or it is a read-only file;
/// empty when it can.
QString saveChoiceProblem(const QString& file);

/// A file dialog that stays open, with a message, while a chosen name breaks the rules above:
/// for opening, every typed or selected file must exist (a missing name among several is not
/// dropped); for saving, the folder must exist and no read-only file may be chosen.
class CheckedFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  CheckedFileDialog(QWidget* parent, const QString& caption, FileDialogWarning warn);
  /// The names the dialog was accepted with, as full paths.
  QStringList chosenFiles() const { return m_chosen; }

 public slots:
  void accept() override;

 private:
  QStringList typedFiles() const;

  FileDialogWarning m_warn;
  QStringList m_chosen;
};

/// The real dialogs: CheckedFileDialog without a default extension. The open dialog offers groups
/// of the file names the workspace reads, but shows all files at first.
class QtFileDialogs : public FileDialogs {
 public:
  /// `warn` shows the messages of the dialogs' checks; without one, a plain message box does.
  explicit QtFileDialogs(FileDialogWarning warn = {});
  /// The open dialog's groups: "Sequence files", "FASTA", "GenBank", "EMBL", "Text" (each with
  /// its compressed names) and "All files (*)", the last one chosen at first.
  static QStringList openNameFilters();
  /// Sets up a dialog for choosing files to load.
  static void configureOpenDialog(QFileDialog& dialog);
  QStringList openFiles(QWidget* parent, const QString& caption) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& caption,
                                  const QString& proposedName) override;
  std::optional<SaveChoice> saveFileAs(QWidget* parent, const QString& caption,
                                       const QString& filters,
                                       const QString& selectedFilter) override;

 private:
  FileDialogWarning m_warn;
  QString m_openDirectory;
};

}  // namespace duvanet::chart

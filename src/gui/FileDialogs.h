#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;
class UserPrompts;

/// The file dialogs the windows show. Windows never open a QFileDialog themselves.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  /// Lets the user choose one or more existing files; empty when the user cancels.
  virtual QStringList openFiles(QWidget* parent, const QString& caption) = 0;
  /// Lets the user choose one file name to save to, starting from proposedName (a full path or
  /// a bare name); nothing when the user cancels. Asks nothing about existing files.
  virtual std::optional<QString> saveFile(QWidget* parent, const QString& caption,
                                          const QString& proposedName) = 0;
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
  CheckedFileDialog(QWidget* parent, const QString& caption, UserPrompts& prompts);
  /// The names the dialog was accepted with, as full paths.
  QStringList chosenFiles() const { return m_chosen; }

 public slots:
  void accept() override;

 private:
  QStringList typedFiles() const;

  UserPrompts& m_prompts;
  QStringList m_chosen;
};

/// The real dialogs: CheckedFileDialog without a default extension. The open dialog offers groups
/// of the file names the workspace reads, but shows all files at first.
class QtFileDialogs : public FileDialogs {
 public:
  /// `prompts` shows the messages of the dialogs' checks.
  explicit QtFileDialogs(UserPrompts& prompts) : m_prompts(prompts) {}
  /// The open dialog's groups: "Sequence files", "FASTA", "GenBank", "EMBL", "Text" (each with
  /// its compressed names) and "All files (*)", the last one chosen at first.
  static QStringList openNameFilters();
  /// Sets up a dialog for choosing files to load.
  static void configureOpenDialog(QFileDialog& dialog);
  QStringList openFiles(QWidget* parent, const QString& caption) override;
  std::optional<QString> saveFile(QWidget* parent, const QString& caption,
                                  const QString& proposedName) override;

 private:
  UserPrompts& m_prompts;
  QString m_openDirectory;
};

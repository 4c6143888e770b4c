#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QFileDialog;
class QWidget;

/// The file dialogs the windows and the charts show; none of them opens a QFileDialog itself.
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

/// The real dialogs: QFileDialog without a default extension. The open dialog offers groups of
/// the file names the workspace reads, but shows all files at first.
class QtFileDialogs : public FileDialogs {
 public:
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
  QString m_openDirectory;
};

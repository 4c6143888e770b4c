#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "core/BlastQuery.h"
#include "core/SequenceList.h"
#include "widgets/UpDownControl.h"

class BrowserLauncher;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

/// The modal BLAST wizard: opens one NCBI BLAST query per selected sequence in the browser.
/// Created once; its options stay from one opening to the next.
class TfrmBLASTWizard : public QDialog {
  Q_OBJECT

 public:
  /// Reads the main list's selected rows (workspace indexes, any order) at each opening and run.
  using SelectedRows = std::function<QList<int>()>;

  /// `applicationTitle` starts the caption, followed by " BLAST wizard".
  TfrmBLASTWizard(const tSequenceList& sequences, SelectedRows selectedRows,
                  BrowserLauncher& browser, const QString& applicationTitle,
                  QWidget* parent = nullptr);

  QTabWidget* pcDatabaseSelector;
  QWidget* TabSheet1;
  QTabWidget* pcNCBIPreferences;
  QWidget* TabSheet2;
  QWidget* TabSheet3;
  UpDownControl* udNCBIAlignmentCounter;
  QLineEdit* edNCBIAlignmentCounter;
  QComboBox* cobNCBIAlignmentCommand;
  QComboBox* cobNCBISelectedDatabase;
  QComboBox* cobNCBIWebpage;
  QWidget* Panel1;
  QPushButton* btSequenceBLAST;
  QLabel* lblNoOfSequences;
  QPushButton* Button2;

  /// The options as the controls show them.
  BlastQueryOptions Options() const;
  /// Opens the query URL for the workspace sequence at `index`; false when no URL was built.
  bool ConnectNCBIBlast(int index);

 public slots:
  void btSequenceBLASTClick();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  QList<int> selectedIndexes() const;

  const tSequenceList& m_sequences;
  SelectedRows m_selectedRows;
  BrowserLauncher& m_browser;
  QString m_applicationTitle;
};

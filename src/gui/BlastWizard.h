#pragma once

#include <QDialog>
#include <QList>
#include <functional>

#include "core/BlastQuery.h"
#include "core/SequenceList.h"

class BrowserLauncher;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;
class UpDownControl;

/// The modal BLAST wizard: opens one NCBI BLAST query per selected sequence in the browser.
/// Created once; its options stay from one opening to the next.
class TfrmBLASTWizard : public QDialog {
  Q_OBJECT

 public:
  /// Reads the main list's selected rows (workspace indexes, any order) at each opening and run.
  using SelectedRows = std::function<QList<int>()>;

  /// The caption, set at each opening, is the application title followed by " BLAST wizard".
  TfrmBLASTWizard(const tSequenceList& sequences, SelectedRows selectedRows,
                  BrowserLauncher& browser, QWidget* parent = nullptr);

  /// The options as the controls show them.
  duvanet::core::BlastQueryOptions Options() const;
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

  // The controls; the comments give the object names the tests find them by.
  QTabWidget* m_serviceTabs = nullptr;              // pcDatabaseSelector
  QWidget* m_ncbiPage = nullptr;                    // TabSheet1 "NCBI"
  QTabWidget* m_ncbiOptionTabs = nullptr;           // pcNCBIPreferences
  QWidget* m_alignmentPage = nullptr;               // TabSheet2 "Alignment"
  QWidget* m_databasePage = nullptr;                // TabSheet3 "Database"
  UpDownControl* m_alignmentCountUpDown = nullptr;  // udNCBIAlignmentCounter
  QLineEdit* m_alignmentCountEdit = nullptr;        // edNCBIAlignmentCounter
  QComboBox* m_alignmentViewList = nullptr;         // cobNCBIAlignmentCommand
  QComboBox* m_databaseList = nullptr;              // cobNCBISelectedDatabase
  QComboBox* m_webPageList = nullptr;               // cobNCBIWebpage
  QWidget* m_buttonPanel = nullptr;                 // Panel1
  QPushButton* m_blastButton = nullptr;             // btSequenceBLAST
  QLabel* m_selectionCountLabel = nullptr;          // lblNoOfSequences
  QPushButton* m_cancelButton = nullptr;            // Button2 "Cancel"

  const tSequenceList& m_sequences;
  SelectedRows m_selectedRows;
  BrowserLauncher& m_browser;
};

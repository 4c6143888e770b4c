#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "core/BlastQuery.h"
#include "core/SequenceList.h"

namespace duvanet::gui {
class BrowserLauncher;
}
namespace duvanet::gui {
class UserPrompts;
}
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;
namespace duvanet::widgets {
class UpDownControl;
}

/// The modal BLAST wizard: opens one NCBI BLAST query per selected sequence in the browser.
/// Created once; its options stay from one opening to the next.
class TfrmBLASTWizard : public QDialog {
  Q_OBJECT

 public:
  /// Reads the main list's selected rows (workspace indexes, any order) at each opening and run.
  using SelectedRows = std::function<QList<int>()>;

  /// The caption, set at each opening, is the application title followed by " BLAST wizard".
  /// `prompts` shows the warning when no browser could be started.
  TfrmBLASTWizard(const tSequenceList& sequences, SelectedRows selectedRows,
                  duvanet::gui::BrowserLauncher& browser, duvanet::gui::UserPrompts& prompts,
                  QWidget* parent = nullptr);

  /// The options as the controls show them.
  duvanet::core::BlastQueryOptions Options() const;
  /// Opens the query for the workspace sequence at `index` in the browser: as its URL, or, when
  /// that would be longer than kBlastLongestUrl, as a local page that posts the query. False when
  /// no query was built. An address no browser took is kept for the warning of the run.
  bool ConnectNCBIBlast(int index);

 public slots:
  void btSequenceBLASTClick();
  void Button2Click();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  QList<int> selectedIndexes() const;
  QString formPageAddress(const tSequence& sequence);

  // The controls; the comments give the object names the tests find them by.
  QTabWidget* m_serviceTabs = nullptr;                                // pcDatabaseSelector
  QWidget* m_ncbiPage = nullptr;                                      // TabSheet1 "NCBI"
  QTabWidget* m_ncbiOptionTabs = nullptr;                             // pcNCBIPreferences
  QWidget* m_alignmentPage = nullptr;                                 // TabSheet2 "Alignment"
  QWidget* m_databasePage = nullptr;                                  // TabSheet3 "Database"
  duvanet::widgets::UpDownControl* m_alignmentCountUpDown = nullptr;  // udNCBIAlignmentCounter
  QLineEdit* m_alignmentCountEdit = nullptr;                          // edNCBIAlignmentCounter
  QComboBox* m_alignmentViewList = nullptr;                           // cobNCBIAlignmentCommand
  QComboBox* m_databaseList = nullptr;                                // cobNCBISelectedDatabase
  QComboBox* m_webPageList = nullptr;                                 // cobNCBIWebpage
  QWidget* m_buttonPanel = nullptr;                                   // Panel1
  QPushButton* m_blastButton = nullptr;                               // btSequenceBLAST
  QLabel* m_selectionCountLabel = nullptr;                            // lblNoOfSequences
  QPushButton* m_cancelButton = nullptr;                              // Button2 "Cancel"

  const tSequenceList& m_sequences;
  SelectedRows m_selectedRows;
  duvanet::gui::BrowserLauncher& m_browser;
  duvanet::gui::UserPrompts& m_prompts;
  std::unique_ptr<QTemporaryDir> m_formPages;  // the pages of long queries, removed at the end
  int m_formPageCount = 0;
  QStringList m_unopened;  // addresses of this run that no browser took
};

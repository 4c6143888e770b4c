#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <memory>

#include "core/SequenceList.h"
#include "gui/MainWindowHooks.h"
#include "gui/Ports.h"

class QAction;
class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QStatusBar;
class QToolBar;
class SequenceListBox;
class TDNAMemo;

/// The main window: the workspace list with a preview of one sequence, and every command of the
/// program as an action. The list always shows the workspace names in workspace order, so a row
/// number is a workspace index; other windows read its selection and current row.
class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  /// Creates the workspace, sets the caption and shows the information screen modally.
  TfrmMain(const UiPorts& ports, MainWindowHooks hooks, QWidget* parent = nullptr);
  ~TfrmMain() override;

  /// Creates the dot plot, translation and BLAST wizards, in this order, hidden.
  void CreateWizards();
  /// Refills the list from the workspace and empties the preview: no row selected, row 0 current.
  void UpdateDisplayElements();
  /// Loads files as "Load sequences" does: errors go to the error box, the list is refilled.
  void LoadFiles(const QStringList& fileNames);

  tSequenceList& SequenceList() { return *m_sequenceList; }
  const UiPorts& ports() const { return m_ports; }
  SequenceListBox* lbSequenceList() const { return m_lbSequenceList; }
  /// The current row: 0 for an empty list, −1 when a non-empty list has none.
  int CurrentRow() const;
  /// The selected rows in ascending order.
  QList<int> SelectedRows() const;

  QDialog* frmDotPlotWizard() const { return m_dotPlotWizard; }
  QDialog* frmTranscriptionWizard() const { return m_transcriptionWizard; }
  QDialog* frmBLASTWizard() const { return m_blastWizard; }

  // Actions, named as the menus and tests reach them.
  QAction* acLoadSequences = nullptr;
  QAction* acSaveWorkspace = nullptr;
  QAction* acDeleteWorkspace = nullptr;
  QAction* acTerminate = nullptr;
  QAction* acCreateNewSequence = nullptr;
  QAction* acEditSequence = nullptr;
  QAction* acDuplicateSequence = nullptr;
  QAction* acDeleteSequence = nullptr;
  QAction* acSaveSequenceAsFASFile = nullptr;
  QAction* acSaveSequenceAsTXTFile = nullptr;
  QAction* acSortSequenceAscendingByName = nullptr;
  QAction* acSortSequenceDescendingByName = nullptr;
  QAction* acCreateDotPlot = nullptr;
  QAction* acTranslationWizard = nullptr;
  QAction* acBLAST = nullptr;
  QAction* acSimpleStatistics = nullptr;
  QAction* acShowInfoScreen = nullptr;
  QAction* acCreateTestDotPlot = nullptr;
  QAction* PasteFASfromClipboard1 = nullptr;
  QAction* PasteTXTfromclipboard1 = nullptr;

  QLineEdit* edPreviewSequenceName = nullptr;
  QLineEdit* edPreviewSequenceLength = nullptr;
  TDNAMemo* mePreviewSequenceData = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QMenu* popmenSequenceList = nullptr;
  QStatusBar* sBar = nullptr;

  /// The file name the save dialog holds; kept for the rest of the run.
  const QString& SaveDialogFileName() const { return m_saveFileName; }

 private slots:
  void lbSequenceListMouseDown();
  void lbSequenceListDblClick();
  void PasteFASfromClipboard1Click();
  void PasteTXTfromclipboard1Click();
  void acLoadSequencesExecute();
  void acSaveWorkspaceExecute();
  void acDeleteWorkspaceExecute();
  void acTerminateExecute();
  void acCreateNewSequenceExecute();
  void acEditSequenceExecute();
  void acDuplicateSequenceExecute();
  void acDeleteSequenceExecute();
  void acSaveSequenceAsFASFileExecute();
  void acSaveSequenceAsTXTFileExecute();
  void acSortSequenceAscendingByNameExecute();
  void acSortSequenceDescendingByNameExecute();
  void acCreateDotPlotExecute();
  void acTranslationWizardExecute();
  void acBLASTExecute();
  void acSimpleStatisticsExecute();
  void acShowInfoScreenExecute();
  void acCreateTestDotPlotExecute();

 private:
  void createActions();
  void createMenus();
  void createToolBar();
  void createCentralWidgets();
  void clearPreview();
  void saveSingleSequence(bool asFAS);
  /// Runs one save: asks for the overwrite, shows the save failure or the file error.
  template <typename Save>
  void runSave(Save save);
  bool askOverwrite(const QString& fileName);
  std::optional<QString> clipboardText() const;
  bool hasCurrentSequence() const;

  UiPorts m_ports;
  MainWindowHooks m_hooks;
  std::unique_ptr<tSequenceList> m_sequenceList;
  QString m_saveFileName;
  QDialog* m_dotPlotWizard = nullptr;
  QDialog* m_transcriptionWizard = nullptr;
  QDialog* m_blastWizard = nullptr;
  SequenceListBox* m_lbSequenceList = nullptr;
};

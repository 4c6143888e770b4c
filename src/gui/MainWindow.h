#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>
#include <functional>
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
namespace duvanet::gui {
class SequenceListBox;
}
class TDNAMemo;

/// The main window: the workspace list with a preview of one sequence, and every command of the
/// program as an action. The list always shows the workspace names in workspace order, so a row
/// number is a workspace index; other windows read its selection and current row.
class TfrmMain : public QMainWindow {
  Q_OBJECT

 public:
  /// Creates the workspace, sets the caption and shows the information screen modally.
  TfrmMain(const duvanet::gui::UiPorts& ports, duvanet::gui::MainWindowHooks hooks,
           QWidget* parent = nullptr);
  ~TfrmMain() override;

  /// Creates the dot plot, translation and BLAST wizards, in this order, hidden.
  void CreateWizards();
  /// Refills the list from the workspace and empties the preview: no row selected, row 0 current.
  void UpdateDisplayElements();
  /// Loads files as "Load sequences" does: errors go to the error box, the list is refilled.
  void LoadFiles(const QStringList& fileNames);
  /// LoadFiles once the window is on the screen (at once if it is), so that an error box for a
  /// file named on the command line is centred on the window.
  void LoadFilesWhenShown(const QStringList& fileNames);

  tSequenceList& SequenceList() { return *m_sequenceList; }
  const duvanet::gui::UiPorts& ports() const { return m_ports; }
  duvanet::gui::SequenceListBox* lbSequenceList() const { return m_sequenceListBox; }
  /// The current row: 0 for an empty list, −1 when a non-empty list has none.
  int CurrentRow() const;
  /// The selected rows in ascending order.
  QList<int> SelectedRows() const;

  QDialog* frmDotPlotWizard() const { return m_dotPlotWizard; }
  QDialog* frmTranscriptionWizard() const { return m_transcriptionWizard; }
  QDialog* frmBLASTWizard() const { return m_blastWizard; }

  /// How long a load may take before it shows its progress dialog (about 1/3 s unless set).
  void setLoadProgressDelayMs(int ms) { m_loadProgressDelayMs = ms; }

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
  void acSaveAnnotationsAsGFF3Execute();
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
  // Runs an action's handler; an allocation that fails inside it ends the action with the error
  // box naming it, not the program.
  void runAction(const QString& caption, const std::function<void()>& body);
  bool hasCurrentSequence() const;

  duvanet::gui::UiPorts m_ports;
  duvanet::gui::MainWindowHooks m_hooks;
  std::unique_ptr<tSequenceList> m_sequenceList;
  QString m_saveFileName;
  int m_loadProgressDelayMs = 333;
  QDialog* m_dotPlotWizard = nullptr;
  QDialog* m_transcriptionWizard = nullptr;
  QDialog* m_blastWizard = nullptr;

  // The actions and controls; the comments give the object names the tests find them by.
  QAction* m_loadSequencesAction = nullptr;      // acLoadSequences
  QAction* m_saveWorkspaceAction = nullptr;      // acSaveWorkspace
  QAction* m_deleteWorkspaceAction = nullptr;    // acDeleteWorkspace
  QAction* m_terminateAction = nullptr;          // acTerminate
  QAction* m_newSequenceAction = nullptr;        // acCreateNewSequence
  QAction* m_editSequenceAction = nullptr;       // acEditSequence
  QAction* m_duplicateSequenceAction = nullptr;  // acDuplicateSequence
  QAction* m_deleteSequenceAction = nullptr;     // acDeleteSequence
  QAction* m_saveFastaAction = nullptr;          // acSaveSequenceAsFASFile
  QAction* m_saveTextAction = nullptr;           // acSaveSequenceAsTXTFile
  QAction* m_saveAnnotationsAction = nullptr;    // acSaveAnnotationsAsGFF3
  QAction* m_sortAscendingAction = nullptr;      // acSortSequenceAscendingByName
  QAction* m_sortDescendingAction = nullptr;     // acSortSequenceDescendingByName
  QAction* m_dotPlotWizardAction = nullptr;      // acCreateDotPlot
  QAction* m_translationWizardAction = nullptr;  // acTranslationWizard
  QAction* m_blastAction = nullptr;              // acBLAST
  QAction* m_statisticsAction = nullptr;         // acSimpleStatistics
  QAction* m_informationAction = nullptr;        // acShowInfoScreen
  QAction* m_testDotPlotAction = nullptr;        // acCreateTestDotPlot
  QAction* m_pasteFastaAction = nullptr;         // PasteFASfromClipboard1
  QAction* m_pasteTextAction = nullptr;          // PasteTXTfromclipboard1

  QToolBar* m_toolBar = nullptr;                               // ToolBar1
  duvanet::gui::SequenceListBox* m_sequenceListBox = nullptr;  // lbSequenceList
  QMenu* m_listContextMenu = nullptr;                          // popmenSequenceList
  QLineEdit* m_previewNameEdit = nullptr;                      // edPreviewSequenceName
  QLineEdit* m_previewLengthEdit = nullptr;                    // edPreviewSequenceLength
  TDNAMemo* m_previewData = nullptr;                           // mePreviewSequenceData
  QStatusBar* m_statusBar = nullptr;                           // sBar
};

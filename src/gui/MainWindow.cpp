#include "gui/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/FileError.h"
#include "gui/ApplicationTitle.h"
#include "gui/Icons.h"
#include "gui/SequenceEditor.h"
#include "gui/SequenceListBox.h"
#include "gui/SequenceListViews.h"
#include "gui/WindowDefaults.h"
#include "widgets/DNAMemo.h"

namespace {

const QColor kPreviewBackground(255, 255, 225);
const QString kSaveFailed = QStringLiteral("An error occured during file saving");

QFont courierNew(int pixelSize) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pixelSize);
  return font;
}

void setReadOnlyBackground(QWidget* widget) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Base, kPreviewBackground);
  widget->setPalette(palette);
}

QAction* makeAction(QObject* owner, const char* objectName, const QString& caption,
                    const QString& hint, const QIcon& icon) {
  auto* action = new QAction(icon, caption, owner);
  action->setObjectName(QLatin1String(objectName));
  action->setStatusTip(hint);
  action->setToolTip(hint);
  action->setIconVisibleInMenu(true);
  return action;
}

}  // namespace

TfrmMain::TfrmMain(const UiPorts& ports, MainWindowHooks hooks, QWidget* parent)
    : QMainWindow(parent), m_ports(ports), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("frmMain"));
  // FormCreate: the workspace first, then the caption, then the information screen.
  m_sequenceList = std::make_unique<tSequenceList>();
  setWindowTitle(ApplicationTitle() + QLatin1Char(' '));
  setWindowIcon(DuvanetIcons::own(QStringLiteral("dotplot")));
  duvanet::gui::setWindowFont(*this);

  createActions();
  createMenus();
  createToolBar();
  createCentralWidgets();

  sBar = new QStatusBar(this);
  sBar->setObjectName(QStringLiteral("sBar"));
  sBar->setStatusTip(QStringLiteral("Information field"));
  sBar->setSizeGripEnabled(true);
  setStatusBar(sBar);

  setMinimumSize(500, 460);
  resize(506, 512 + menuBar()->sizeHint().height());
  UpdateDisplayElements();

  if (m_hooks.showInformationScreen) m_hooks.showInformationScreen(*this);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateWizards() {
  if (m_hooks.createDotPlotWizard) m_dotPlotWizard = m_hooks.createDotPlotWizard(*this);
  if (m_hooks.createTranscriptionWizard)
    m_transcriptionWizard = m_hooks.createTranscriptionWizard(*this);
  if (m_hooks.createBLASTWizard) m_blastWizard = m_hooks.createBLASTWizard(*this);
  for (QDialog* wizard : {m_dotPlotWizard, m_transcriptionWizard, m_blastWizard}) {
    if (wizard) wizard->hide();
  }
}

void TfrmMain::createActions() {
  using DuvanetIcons::own;
  using DuvanetIcons::themed;
  acLoadSequences =
      makeAction(this, "acLoadSequences", QStringLiteral("Load sequences"),
                 QStringLiteral("Load one or more sequences"),
                 themed(QStringLiteral("document-open"), QStyle::SP_DialogOpenButton));
  acSaveWorkspace =
      makeAction(this, "acSaveWorkspace", QStringLiteral("Save workspace"),
                 QStringLiteral("Save complete workspace as multi FAS file"),
                 themed(QStringLiteral("document-save"), QStyle::SP_DialogSaveButton));
  acDeleteWorkspace =
      makeAction(this, "acDeleteWorkspace", QStringLiteral("Delete workspace"),
                 QStringLiteral("Deletes complete workspace irretrievably"),
                 themed(QStringLiteral("edit-clear-all"), QStyle::SP_DialogResetButton));
  acTerminate =
      makeAction(this, "acTerminate", QStringLiteral("Terminate programme"),
                 QStringLiteral("Terminate the programme"),
                 themed(QStringLiteral("application-exit"), QStyle::SP_DialogCloseButton));
  acCreateNewSequence =
      makeAction(this, "acCreateNewSequence", QStringLiteral("Create new sequence"),
                 QStringLiteral("Create a new and empy sequence in the workspace"),
                 themed(QStringLiteral("document-new"), QStyle::SP_FileIcon));
  acEditSequence = makeAction(
      this, "acEditSequence", QStringLiteral("Edit sequence"),
      QStringLiteral("Edit a sequence in the workspace"),
      themed(QStringLiteral("accessories-text-editor"), QStyle::SP_FileDialogDetailedView));
  acDuplicateSequence =
      makeAction(this, "acDuplicateSequence", QStringLiteral("Duplicate sequence"),
                 QStringLiteral("Duplicate a sequence in workspace"),
                 themed(QStringLiteral("edit-copy"), QStyle::SP_FileLinkIcon));
  acDeleteSequence = makeAction(this, "acDeleteSequence", QStringLiteral("Delete sequence"),
                                QStringLiteral("Delete selected sequence"),
                                themed(QStringLiteral("edit-delete"), QStyle::SP_TrashIcon));
  acSaveSequenceAsFASFile =
      makeAction(this, "acSaveSequenceAsFASFile", QStringLiteral("Save sequence as FAS file"),
                 QStringLiteral("Save a sequence from the workspace as a FAS file"),
                 themed(QStringLiteral("document-save-as"), QStyle::SP_DialogSaveButton));
  acSaveSequenceAsTXTFile =
      makeAction(this, "acSaveSequenceAsTXTFile", QStringLiteral("Save sequence as TXT file"),
                 QStringLiteral("Save a sequence from the workspace as a TXT file"),
                 themed(QStringLiteral("text-x-generic"), QStyle::SP_FileIcon));
  acSortSequenceAscendingByName = makeAction(
      this, "acSortSequenceAscendingByName", QStringLiteral("Sort sequence by name (ascending)"),
      QStringLiteral("Sort sequences in workspace ascending by name"),
      themed(QStringLiteral("view-sort-ascending"), QStyle::SP_ArrowUp));
  acSortSequenceDescendingByName = makeAction(
      this, "acSortSequenceDescendingByName", QStringLiteral("Sort sequence by name (descending)"),
      QStringLiteral("Sort sequences in workspace descending by name"),
      themed(QStringLiteral("view-sort-descending"), QStyle::SP_ArrowDown));
  acCreateDotPlot = makeAction(this, "acCreateDotPlot", QStringLiteral("Dot plot wizard"),
                               QStringLiteral("Create a dot plot with the wizard"),
                               own(QStringLiteral("dotplot")));
  acTranslationWizard =
      makeAction(this, "acTranslationWizard", QStringLiteral("Translation wizard"),
                 QStringLiteral("Translation wizard"), own(QStringLiteral("translation")));
  acBLAST = makeAction(this, "acBLAST", QStringLiteral("BLAST"),
                       QStringLiteral("Basic Local Alignment Search Tool on NCBI website"),
                       own(QStringLiteral("blast")));
  acSimpleStatistics =
      makeAction(this, "acSimpleStatistics", QStringLiteral("Statistic"),
                 QStringLiteral("Simple statistics"), own(QStringLiteral("statistics")));
  acShowInfoScreen =
      makeAction(this, "acShowInfoScreen", QStringLiteral("Show info"),
                 QStringLiteral("Show the information screen"),
                 themed(QStringLiteral("help-about"), QStyle::SP_MessageBoxInformation));
  acCreateTestDotPlot = makeAction(
      this, "acCreateTestDotPlot", QStringLiteral("Create my test dot plot"),
      QStringLiteral("Create my test dot plot for quick access"), own(QStringLiteral("dotplot")));
  PasteFASfromClipboard1 =
      makeAction(this, "PasteFASfromClipboard1", QStringLiteral("Paste FAS from clipboard"),
                 QString(), themed(QStringLiteral("edit-paste"), QStyle::SP_DialogApplyButton));
  PasteTXTfromclipboard1 =
      makeAction(this, "PasteTXTfromclipboard1", QStringLiteral("Paste TXT from clipboard"),
                 QString(), themed(QStringLiteral("edit-paste"), QStyle::SP_DialogApplyButton));

  const auto on = [this](QAction* action, void (TfrmMain::*handler)()) {
    connect(action, &QAction::triggered, this, handler);
  };
  on(acLoadSequences, &TfrmMain::acLoadSequencesExecute);
  on(acSaveWorkspace, &TfrmMain::acSaveWorkspaceExecute);
  on(acDeleteWorkspace, &TfrmMain::acDeleteWorkspaceExecute);
  on(acTerminate, &TfrmMain::acTerminateExecute);
  on(acCreateNewSequence, &TfrmMain::acCreateNewSequenceExecute);
  on(acEditSequence, &TfrmMain::acEditSequenceExecute);
  on(acDuplicateSequence, &TfrmMain::acDuplicateSequenceExecute);
  on(acDeleteSequence, &TfrmMain::acDeleteSequenceExecute);
  on(acSaveSequenceAsFASFile, &TfrmMain::acSaveSequenceAsFASFileExecute);
  on(acSaveSequenceAsTXTFile, &TfrmMain::acSaveSequenceAsTXTFileExecute);
  on(acSortSequenceAscendingByName, &TfrmMain::acSortSequenceAscendingByNameExecute);
  on(acSortSequenceDescendingByName, &TfrmMain::acSortSequenceDescendingByNameExecute);
  on(acCreateDotPlot, &TfrmMain::acCreateDotPlotExecute);
  on(acTranslationWizard, &TfrmMain::acTranslationWizardExecute);
  on(acBLAST, &TfrmMain::acBLASTExecute);
  on(acSimpleStatistics, &TfrmMain::acSimpleStatisticsExecute);
  on(acShowInfoScreen, &TfrmMain::acShowInfoScreenExecute);
  on(acCreateTestDotPlot, &TfrmMain::acCreateTestDotPlotExecute);
  on(PasteFASfromClipboard1, &TfrmMain::PasteFASfromClipboard1Click);
  on(PasteTXTfromclipboard1, &TfrmMain::PasteTXTfromclipboard1Click);
}

void TfrmMain::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->addAction(acLoadSequences);
  file->addAction(acSaveWorkspace);
  file->addSeparator();
  file->addAction(acDeleteWorkspace);
  file->addAction(acTerminate);
  QMenu* sequence = bar->addMenu(QStringLiteral("Sequence"));
  sequence->addAction(acCreateNewSequence);
  sequence->addAction(acEditSequence);
  sequence->addAction(acDuplicateSequence);
  sequence->addAction(acDeleteSequence);
  sequence->addSeparator();
  sequence->addAction(acSaveSequenceAsFASFile);
  sequence->addAction(acSaveSequenceAsTXTFile);
  QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
  tools->addAction(acBLAST);
  tools->addAction(acCreateDotPlot);
  tools->addAction(acSimpleStatistics);
  tools->addAction(acTranslationWizard);
  QMenu* help = bar->addMenu(QStringLiteral("?"));
  help->addAction(acShowInfoScreen);
  for (QMenu* menu : {file, sequence, tools, help}) menu->setToolTipsVisible(false);
}

void TfrmMain::createToolBar() {
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setStatusTip(QStringLiteral("Duvanet toolbar"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(32, 32));
  ToolBar1->setFixedHeight(53);
  ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
  ToolBar1->setStyleSheet(QStringLiteral(
      "QToolBar#ToolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
      " stop:0 #ffffff, stop:1 #d4d8e8); border: 1px solid; border-color: #ffffff #808080"
      " #808080 #ffffff; padding: 2px; spacing: 1px; }"));
  addToolBar(Qt::TopToolBarArea, ToolBar1);

  const auto button = [this](QAction* action, const QString& ownHint = QString()) {
    auto* toolButton = new QToolButton(ToolBar1);
    toolButton->setDefaultAction(action);
    toolButton->setObjectName(QStringLiteral("tb") + action->objectName().mid(2));
    toolButton->setFixedSize(39, 38);
    toolButton->setIconSize(QSize(32, 32));
    toolButton->setAutoRaise(true);
    if (!ownHint.isEmpty()) {
      toolButton->setStatusTip(ownHint);
      toolButton->setToolTip(ownHint);
    }
    return ToolBar1->addWidget(toolButton);
  };
  button(acSaveWorkspace);
  ToolBar1->addSeparator();
  button(acLoadSequences);
  button(acCreateNewSequence);
  button(acDuplicateSequence);
  button(acDeleteSequence);
  button(acSortSequenceAscendingByName);
  button(acSortSequenceDescendingByName);
  button(acEditSequence);
  ToolBar1->addSeparator();
  button(acCreateDotPlot, QStringLiteral("Dot plot wizard - Create a dot plot from selected "
                                         "preferences and sequences"));
  button(acTranslationWizard,
         QStringLiteral("Transformation wizard - Transform sequences, translate DNA, create "
                        "complements and access coding tables"));
  button(acBLAST, QStringLiteral("BLAST wizard - Access basic local alignment and search tools "
                                 "for selected sequences"));
  button(acSimpleStatistics,
         QStringLiteral("Statistics - Display basic characteristics of the selected sequences"));
  // The developer's test dot plot has a button nobody sees.
  button(acCreateTestDotPlot)->setVisible(false);
  ToolBar1->addSeparator();
}

void TfrmMain::createCentralWidgets() {
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->setObjectName(QStringLiteral("Splitter1"));
  splitter->setHandleWidth(3);
  splitter->setChildrenCollapsible(false);
  splitter->setStyleSheet(QStringLiteral("QSplitter#Splitter1::handle { background: %1; }")
                              .arg(palette().color(QPalette::Dark).name()));

  auto* groupBox2 = new QGroupBox(QStringLiteral("Sequence workspace"), splitter);
  groupBox2->setObjectName(QStringLiteral("GroupBox2"));
  m_lbSequenceList = new SequenceListBox(groupBox2);
  m_lbSequenceList->setObjectName(QStringLiteral("lbSequenceList"));
  m_lbSequenceList->setFont(courierNew(13));
  m_lbSequenceList->setStatusTip(
      QStringLiteral("List of sequences Duvanet has available in workspace"));
  QPalette listPalette = m_lbSequenceList->palette();
  listPalette.setColor(QPalette::Base, Qt::white);
  m_lbSequenceList->setPalette(listPalette);
  m_lbSequenceList->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* listLayout = new QVBoxLayout(groupBox2);
  listLayout->setContentsMargins(2, 2, 2, 2);
  listLayout->addWidget(m_lbSequenceList);

  popmenSequenceList = new QMenu(this);
  popmenSequenceList->setObjectName(QStringLiteral("popmenSequenceList"));
  popmenSequenceList->addAction(PasteFASfromClipboard1);
  popmenSequenceList->addAction(PasteTXTfromclipboard1);
  connect(m_lbSequenceList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    popmenSequenceList->popup(m_lbSequenceList->viewport()->mapToGlobal(at));
  });
  connect(m_lbSequenceList, &SequenceListBox::leftButtonPressed, this,
          &TfrmMain::lbSequenceListMouseDown);
  connect(m_lbSequenceList, &SequenceListBox::leftButtonDoubleClicked, this,
          &TfrmMain::lbSequenceListDblClick);
  connect(m_lbSequenceList, &SequenceListBox::filesDropped, this, &TfrmMain::LoadFiles);

  auto* panel2 = new QWidget(splitter);
  panel2->setObjectName(QStringLiteral("Panel2"));
  panel2->setMinimumHeight(60);
  panel2->setMaximumHeight(300);
  auto* groupBox1 = new QGroupBox(QStringLiteral("Sequence preview"), panel2);
  groupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* panel2Layout = new QVBoxLayout(panel2);
  panel2Layout->setContentsMargins(0, 0, 0, 0);
  panel2Layout->addWidget(groupBox1);

  auto* panel5 = new QWidget(groupBox1);
  panel5->setObjectName(QStringLiteral("Panel5"));
  panel5->setFixedHeight(26);
  auto* nameLabel = new QLabel(QStringLiteral("Name"), panel5);
  edPreviewSequenceName = new QLineEdit(panel5);
  edPreviewSequenceName->setObjectName(QStringLiteral("edPreviewSequenceName"));
  edPreviewSequenceName->setReadOnly(true);
  edPreviewSequenceName->setStatusTip(QStringLiteral("Preview sequence name"));
  auto* lengthLabel = new QLabel(QStringLiteral("Length"), panel5);
  lengthLabel->setObjectName(QStringLiteral("lablPreviewSequenceLength"));
  edPreviewSequenceLength = new QLineEdit(QStringLiteral("0"), panel5);
  edPreviewSequenceLength->setObjectName(QStringLiteral("edPreviewSequenceLength"));
  edPreviewSequenceLength->setReadOnly(true);
  edPreviewSequenceLength->setFixedWidth(80);
  edPreviewSequenceLength->setStatusTip(QStringLiteral("Preview sequence length"));
  auto* stripLayout = new QHBoxLayout(panel5);
  stripLayout->setContentsMargins(2, 1, 2, 1);
  stripLayout->addWidget(nameLabel);
  stripLayout->addWidget(edPreviewSequenceName, 1);
  stripLayout->addSpacing(6);
  stripLayout->addWidget(lengthLabel);
  stripLayout->addWidget(edPreviewSequenceLength);

  mePreviewSequenceData = new TDNAMemo(groupBox1);
  mePreviewSequenceData->setObjectName(QStringLiteral("mePreviewSequenceData"));
  mePreviewSequenceData->setFont(courierNew(11));
  mePreviewSequenceData->setStatusTip(QStringLiteral("Preview sequence data"));
  for (QWidget* field : {static_cast<QWidget*>(edPreviewSequenceName),
                         static_cast<QWidget*>(edPreviewSequenceLength),
                         static_cast<QWidget*>(mePreviewSequenceData)}) {
    setReadOnlyBackground(field);
  }
  auto* previewLayout = new QVBoxLayout(groupBox1);
  previewLayout->setContentsMargins(2, 2, 2, 2);
  previewLayout->setSpacing(1);
  previewLayout->addWidget(panel5);
  previewLayout->addWidget(mePreviewSequenceData, 1);

  splitter->addWidget(groupBox2);
  splitter->addWidget(panel2);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setSizes({300, 150});
  setCentralWidget(splitter);
}

int TfrmMain::CurrentRow() const {
  if (m_lbSequenceList->count() == 0) return 0;
  return m_lbSequenceList->currentRow();
}

QList<int> TfrmMain::SelectedRows() const {
  return duvanet::gui::selectedRowsOf(*m_lbSequenceList);
}

bool TfrmMain::hasCurrentSequence() const {
  return m_lbSequenceList->count() > 0 && CurrentRow() >= 0;
}

void TfrmMain::clearPreview() {
  edPreviewSequenceLength->setText(QStringLiteral("0"));
  edPreviewSequenceName->clear();
  mePreviewSequenceData->clear();
}

void TfrmMain::UpdateDisplayElements() {
  FillListBox(*m_sequenceList, *m_lbSequenceList);
  m_lbSequenceList->clearSelection();
  if (m_lbSequenceList->count() > 0)
    m_lbSequenceList->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  edPreviewSequenceName->clear();
  mePreviewSequenceData->clear();
  mePreviewSequenceData->SetDNAText(QString());
  edPreviewSequenceLength->setText(QStringLiteral("0"));
}

void TfrmMain::lbSequenceListMouseDown() {
  const int row = CurrentRow();
  if (row < 0) return;
  clearPreview();
  tSequence sequence;
  m_sequenceList->GetSequence(row, sequence);
  edPreviewSequenceName->setText(sequence.Name);
  mePreviewSequenceData->SetDNAText(sequence.Data);
  edPreviewSequenceLength->setText(QString::number(sequence.Data.size()));
}

void TfrmMain::lbSequenceListDblClick() { acEditSequence->trigger(); }

std::optional<QString> TfrmMain::clipboardText() const {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr || !mime->hasText()) return std::nullopt;
  return mime->text();
}

void TfrmMain::PasteFASfromClipboard1Click() {
  m_sequenceList->PasteFASFromClipboard(clipboardText());
  UpdateDisplayElements();
}

void TfrmMain::PasteTXTfromclipboard1Click() {
  m_sequenceList->PasteTXTFromClipboard(clipboardText());
  UpdateDisplayElements();
}

void TfrmMain::LoadFiles(const QStringList& fileNames) {
  if (fileNames.isEmpty()) return;
  try {
    m_sequenceList->LoadSequenceFiles(fileNames);
  } catch (const FileError& error) {
    // The sequences read before the failure stay; the list must show them to keep rows and
    // workspace indexes in step.
    UpdateDisplayElements();
    m_ports.prompts->error(this, error.message());
    return;
  }
  UpdateDisplayElements();
}

void TfrmMain::acLoadSequencesExecute() {
  LoadFiles(m_ports.fileDialogs->openFiles(this, QStringLiteral("Load sequences")));
}

bool TfrmMain::askOverwrite(const QString&) {
  return m_ports.prompts->question(this, UserPrompts::Kind::Warning,
                                   QStringLiteral("File exists! Overwrite?"), true);
}

template <typename Save>
void TfrmMain::runSave(Save save) {
  const std::optional<QString> chosen =
      m_ports.fileDialogs->saveFile(this, QStringLiteral("Save"), m_saveFileName);
  if (!chosen) return;
  m_saveFileName = *chosen;
  const OverwriteQuestion overwrite = [this](const QString& name) { return askOverwrite(name); };
  try {
    if (!save(*chosen, overwrite)) m_ports.prompts->warning(this, kSaveFailed);
  } catch (const FileError& error) {
    m_ports.prompts->error(this, error.message());
  }
}

void TfrmMain::acSaveWorkspaceExecute() {
  runSave([this](const QString& name, const OverwriteQuestion& overwrite) {
    return m_sequenceList->SaveWorkspace(name, overwrite);
  });
}

void TfrmMain::acDeleteWorkspaceExecute() {
  const bool yes = m_ports.prompts->question(
      this, UserPrompts::Kind::Warning,
      QStringLiteral("This will delete the complete workspace. No sequences will be left or "
                     "restoreable. Are you really sure to continue?"),
      true);
  if (!yes) return;
  m_sequenceList->DeleteAllSequences();
  UpdateDisplayElements();
}

void TfrmMain::acTerminateExecute() { close(); }

void TfrmMain::acCreateNewSequenceExecute() {
  m_sequenceList->AddSequence();
  UpdateDisplayElements();
}

void TfrmMain::acEditSequenceExecute() {
  if (!hasCurrentSequence()) return;
  // A new editor for every edit; it is not used again after it closes.
  std::unique_ptr<TfrmSequenceEditor> editor =
      std::make_unique<TfrmSequenceEditor>(this, *m_sequenceList, CurrentRow());
  editor->exec();
  editor.reset();
  UpdateDisplayElements();
}

void TfrmMain::acDuplicateSequenceExecute() {
  if (!hasCurrentSequence()) return;
  m_sequenceList->DuplicateSequence(CurrentRow());
  UpdateDisplayElements();
}

void TfrmMain::acDeleteSequenceExecute() {
  const QList<int> rows = SelectedRows();
  if (rows.isEmpty()) return;
  if (!m_ports.prompts->question(this, UserPrompts::Kind::Confirmation,
                                 QStringLiteral("Delete the selected sequences?"), true))
    return;
  // From the last row to the first, so the rows still to visit keep their indexes.
  for (auto row = rows.crbegin(); row != rows.crend(); ++row) m_sequenceList->DeleteSequence(*row);
  UpdateDisplayElements();
}

void TfrmMain::saveSingleSequence(bool asFAS) {
  const int row = CurrentRow();
  if (row < 0) return;
  tSequence sequence;
  m_sequenceList->GetSequence(row, sequence);
  const qsizetype slash = m_saveFileName.lastIndexOf(QLatin1Char('/'));
  m_saveFileName = m_saveFileName.left(slash + 1) + sequence.Name;
  runSave([this, row, asFAS](const QString& name, const OverwriteQuestion& overwrite) {
    return asFAS ? m_sequenceList->SaveSequenceAsFASFile(name, row, overwrite)
                 : m_sequenceList->SaveSequenceAsTXTFile(name, row, overwrite);
  });
}

void TfrmMain::acSaveSequenceAsFASFileExecute() { saveSingleSequence(true); }

void TfrmMain::acSaveSequenceAsTXTFileExecute() { saveSingleSequence(false); }

void TfrmMain::acSortSequenceAscendingByNameExecute() {
  m_sequenceList->SortAscendingByName();
  UpdateDisplayElements();
}

void TfrmMain::acSortSequenceDescendingByNameExecute() {
  m_sequenceList->SortDescendingByName();
  UpdateDisplayElements();
}

void TfrmMain::acCreateDotPlotExecute() {
  if (m_lbSequenceList->count() == 0 || m_dotPlotWizard == nullptr) return;
  m_dotPlotWizard->exec();
}

void TfrmMain::acTranslationWizardExecute() {
  if (SelectedRows().isEmpty() || m_transcriptionWizard == nullptr) return;
  m_transcriptionWizard->exec();
  UpdateDisplayElements();
}

void TfrmMain::acBLASTExecute() {
  if (SelectedRows().isEmpty() || m_blastWizard == nullptr) return;
  m_blastWizard->exec();
  UpdateDisplayElements();
}

void TfrmMain::acSimpleStatisticsExecute() {
  if (SelectedRows().isEmpty() || !m_hooks.createStatistics) return;
  if (QWidget* window = m_hooks.createStatistics(*this)) window->show();
}

void TfrmMain::acShowInfoScreenExecute() {
  if (m_hooks.showInformationScreen) m_hooks.showInformationScreen(*this);
}

void TfrmMain::acCreateTestDotPlotExecute() {
  if (m_hooks.createTestDotPlot) m_hooks.createTestDotPlot(*this);
}

#include "gui/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFontMetrics>
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
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <new>

#include "core/FileError.h"
#include "core/Gff3Writer.h"
#include "core/SequenceFileLoad.h"
#include "gui/ApplicationTitle.h"
#include "gui/Icons.h"
#include "gui/LoadProgress.h"
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

}  // namespace

TfrmMain::TfrmMain(const duvanet::gui::UiPorts& ports, duvanet::gui::MainWindowHooks hooks,
                   QWidget* parent)
    : QMainWindow(parent), m_ports(ports), m_hooks(std::move(hooks)) {
  setObjectName(QStringLiteral("frmMain"));
  // FormCreate: the workspace first, then the caption, then the information screen.
  m_sequenceList = std::make_unique<tSequenceList>();
  setWindowTitle(duvanet::gui::ApplicationTitle() + QLatin1Char(' '));
  setWindowIcon(duvanet::gui::icons::own(QStringLiteral("dotplot")));
  duvanet::gui::setWindowFont(*this);

  createActions();
  createMenus();
  createToolBar();
  createCentralWidgets();

  m_statusBar = new QStatusBar(this);
  m_statusBar->setObjectName(QStringLiteral("sBar"));
  m_statusBar->setStatusTip(QStringLiteral("Information field"));
  m_statusBar->setSizeGripEnabled(true);
  setStatusBar(m_statusBar);

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
  // An icon of the freedesktop theme with the style's picture as fallback, or one of the
  // program's own pictures when there is no theme name. The theme's pictures for loading,
  // duplicating and sorting are pale grey, as if disabled, and its ascending arrow points down,
  // so the program draws those itself.
  struct Icon {
    const char* themeName;
    QStyle::StandardPixmap fallback;
    const char* ownName;
  };
  const auto theme = [](const char* name, QStyle::StandardPixmap fallback) {
    return Icon{name, fallback, nullptr};
  };
  const auto own = [](const char* name) { return Icon{nullptr, QStyle::SP_CustomBase, name}; };
  struct ActionEntry {
    QAction* TfrmMain::*member;
    const char* objectName;
    const char* caption;
    const char* hint;
    Icon icon;
    void (TfrmMain::*handler)();
  };
  const ActionEntry actions[] = {
      {&TfrmMain::m_loadSequencesAction, "acLoadSequences", "Load sequences",
       "Load one or more sequences", own("load"), &TfrmMain::acLoadSequencesExecute},
      {&TfrmMain::m_saveWorkspaceAction, "acSaveWorkspace", "Save workspace",
       "Save complete workspace as multi FAS file",
       theme("document-save", QStyle::SP_DialogSaveButton), &TfrmMain::acSaveWorkspaceExecute},
      {&TfrmMain::m_deleteWorkspaceAction, "acDeleteWorkspace", "Delete workspace",
       "Deletes complete workspace irretrievably",
       theme("edit-clear-all", QStyle::SP_DialogResetButton), &TfrmMain::acDeleteWorkspaceExecute},
      {&TfrmMain::m_terminateAction, "acTerminate", "Terminate programme",
       "Terminate the programme", theme("application-exit", QStyle::SP_DialogCloseButton),
       &TfrmMain::acTerminateExecute},
      {&TfrmMain::m_newSequenceAction, "acCreateNewSequence", "Create new sequence",
       "Create a new and empy sequence in the workspace",
       theme("document-new", QStyle::SP_FileIcon), &TfrmMain::acCreateNewSequenceExecute},
      {&TfrmMain::m_editSequenceAction, "acEditSequence", "Edit sequence",
       "Edit a sequence in the workspace",
       theme("accessories-text-editor", QStyle::SP_FileDialogDetailedView),
       &TfrmMain::acEditSequenceExecute},
      {&TfrmMain::m_duplicateSequenceAction, "acDuplicateSequence", "Duplicate sequence",
       "Duplicate a sequence in workspace", own("duplicate"),
       &TfrmMain::acDuplicateSequenceExecute},
      {&TfrmMain::m_deleteSequenceAction, "acDeleteSequence", "Delete sequence",
       "Delete selected sequence", theme("edit-delete", QStyle::SP_TrashIcon),
       &TfrmMain::acDeleteSequenceExecute},
      {&TfrmMain::m_saveFastaAction, "acSaveSequenceAsFASFile", "Save sequence as FAS file",
       "Save a sequence from the workspace as a FAS file",
       theme("document-save-as", QStyle::SP_DialogSaveButton),
       &TfrmMain::acSaveSequenceAsFASFileExecute},
      {&TfrmMain::m_saveTextAction, "acSaveSequenceAsTXTFile", "Save sequence as TXT file",
       "Save a sequence from the workspace as a TXT file",
       theme("text-x-generic", QStyle::SP_FileIcon), &TfrmMain::acSaveSequenceAsTXTFileExecute},
      {&TfrmMain::m_saveAnnotationsAction, "acSaveAnnotationsAsGFF3", "Save annotations as GFF3",
       "Save the features of a sequence as a GFF3 file",
       theme("document-save-as", QStyle::SP_DialogSaveButton),
       &TfrmMain::acSaveAnnotationsAsGFF3Execute},
      {&TfrmMain::m_sortAscendingAction, "acSortSequenceAscendingByName",
       "Sort sequence by name (ascending)", "Sort sequences in workspace ascending by name",
       own("sort-ascending"), &TfrmMain::acSortSequenceAscendingByNameExecute},
      {&TfrmMain::m_sortDescendingAction, "acSortSequenceDescendingByName",
       "Sort sequence by name (descending)", "Sort sequences in workspace descending by name",
       own("sort-descending"), &TfrmMain::acSortSequenceDescendingByNameExecute},
      {&TfrmMain::m_dotPlotWizardAction, "acCreateDotPlot", "Dot plot wizard",
       "Create a dot plot with the wizard", own("dotplot"), &TfrmMain::acCreateDotPlotExecute},
      {&TfrmMain::m_translationWizardAction, "acTranslationWizard", "Translation wizard",
       "Translation wizard", own("translation"), &TfrmMain::acTranslationWizardExecute},
      {&TfrmMain::m_blastAction, "acBLAST", "BLAST",
       "Basic Local Alignment Search Tool on NCBI website", own("blast"),
       &TfrmMain::acBLASTExecute},
      {&TfrmMain::m_statisticsAction, "acSimpleStatistics", "Statistic", "Simple statistics",
       own("statistics"), &TfrmMain::acSimpleStatisticsExecute},
      {&TfrmMain::m_informationAction, "acShowInfoScreen", "Show info",
       "Show the information screen", theme("help-about", QStyle::SP_MessageBoxInformation),
       &TfrmMain::acShowInfoScreenExecute},
      {&TfrmMain::m_testDotPlotAction, "acCreateTestDotPlot", "Create my test dot plot",
       "Create my test dot plot for quick access", own("dotplot"),
       &TfrmMain::acCreateTestDotPlotExecute},
      {&TfrmMain::m_pasteFastaAction, "PasteFASfromClipboard1", "Paste FAS from clipboard", "",
       theme("edit-paste", QStyle::SP_DialogApplyButton), &TfrmMain::PasteFASfromClipboard1Click},
      {&TfrmMain::m_pasteTextAction, "PasteTXTfromclipboard1", "Paste TXT from clipboard", "",
       theme("edit-paste", QStyle::SP_DialogApplyButton), &TfrmMain::PasteTXTfromclipboard1Click},
  };
  for (const ActionEntry& entry : actions) {
    const QIcon icon = entry.icon.ownName
                           ? duvanet::gui::icons::own(QString::fromLatin1(entry.icon.ownName))
                           : duvanet::gui::icons::themed(QString::fromLatin1(entry.icon.themeName),
                                                         entry.icon.fallback);
    auto* action = new QAction(icon, QString::fromUtf8(entry.caption), this);
    action->setObjectName(QString::fromLatin1(entry.objectName));
    const QString hint = QString::fromUtf8(entry.hint);
    action->setStatusTip(hint);
    action->setToolTip(hint);
    action->setIconVisibleInMenu(true);
    connect(action, &QAction::triggered, this,
            [this, handler = entry.handler, caption = action->text()] {
              runAction(caption, [this, handler] { (this->*handler)(); });
            });
    this->*entry.member = action;
  }
}

void TfrmMain::createMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = bar->addMenu(QStringLiteral("File"));
  file->addAction(m_loadSequencesAction);
  file->addAction(m_saveWorkspaceAction);
  file->addSeparator();
  file->addAction(m_deleteWorkspaceAction);
  file->addAction(m_terminateAction);
  QMenu* sequence = bar->addMenu(QStringLiteral("Sequence"));
  sequence->addAction(m_newSequenceAction);
  sequence->addAction(m_editSequenceAction);
  sequence->addAction(m_duplicateSequenceAction);
  sequence->addAction(m_deleteSequenceAction);
  sequence->addSeparator();
  sequence->addAction(m_saveFastaAction);
  sequence->addAction(m_saveTextAction);
  sequence->addAction(m_saveAnnotationsAction);
  QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
  tools->addAction(m_blastAction);
  tools->addAction(m_dotPlotWizardAction);
  tools->addAction(m_statisticsAction);
  tools->addAction(m_translationWizardAction);
  QMenu* help = bar->addMenu(QStringLiteral("?"));
  help->addAction(m_informationAction);
  for (QMenu* menu : {file, sequence, tools, help}) menu->setToolTipsVisible(false);
}

void TfrmMain::createToolBar() {
  m_toolBar = new QToolBar(this);
  m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
  m_toolBar->setStatusTip(QStringLiteral("Duvanet toolbar"));
  m_toolBar->setMovable(false);
  m_toolBar->setFloatable(false);
  m_toolBar->setIconSize(QSize(32, 32));
  m_toolBar->setFixedHeight(53);
  m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
  m_toolBar->setStyleSheet(QStringLiteral(
      "QToolBar#ToolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
      " stop:0 #ffffff, stop:1 #d4d8e8); border: 1px solid; border-color: #ffffff #808080"
      " #808080 #ffffff; padding: 2px; spacing: 1px; }"));
  addToolBar(Qt::TopToolBarArea, m_toolBar);

  const auto button = [this](QAction* action, const QString& ownHint = QString()) {
    auto* toolButton = new QToolButton(m_toolBar);
    toolButton->setDefaultAction(action);
    toolButton->setObjectName(QStringLiteral("tb") + action->objectName().mid(2));
    toolButton->setFixedSize(39, 38);
    toolButton->setIconSize(QSize(32, 32));
    toolButton->setAutoRaise(true);
    if (!ownHint.isEmpty()) {
      toolButton->setStatusTip(ownHint);
      toolButton->setToolTip(ownHint);
    }
    return m_toolBar->addWidget(toolButton);
  };
  button(m_saveWorkspaceAction);
  m_toolBar->addSeparator();
  button(m_loadSequencesAction);
  button(m_newSequenceAction);
  button(m_duplicateSequenceAction);
  button(m_deleteSequenceAction);
  button(m_sortAscendingAction);
  button(m_sortDescendingAction);
  button(m_editSequenceAction);
  m_toolBar->addSeparator();
  button(m_dotPlotWizardAction, QStringLiteral("Dot plot wizard - Create a dot plot from selected "
                                               "preferences and sequences"));
  button(m_translationWizardAction,
         QStringLiteral("Transformation wizard - Transform sequences, translate DNA, create "
                        "complements and access coding tables"));
  button(m_blastAction,
         QStringLiteral("BLAST wizard - Access basic local alignment and search tools "
                        "for selected sequences"));
  button(m_statisticsAction,
         QStringLiteral("Statistics - Display basic characteristics of the selected sequences"));
  // The developer's test dot plot has a button nobody sees.
  button(m_testDotPlotAction)->setVisible(false);
  m_toolBar->addSeparator();
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
  m_sequenceListBox = new duvanet::gui::SequenceListBox(groupBox2);
  m_sequenceListBox->setObjectName(QStringLiteral("lbSequenceList"));
  m_sequenceListBox->setFont(courierNew(13));
  m_sequenceListBox->setStatusTip(
      QStringLiteral("List of sequences Duvanet has available in workspace"));
  QPalette listPalette = m_sequenceListBox->palette();
  listPalette.setColor(QPalette::Base, Qt::white);
  m_sequenceListBox->setPalette(listPalette);
  m_sequenceListBox->setContextMenuPolicy(Qt::CustomContextMenu);
  auto* listLayout = new QVBoxLayout(groupBox2);
  listLayout->setContentsMargins(2, 2, 2, 2);
  listLayout->addWidget(m_sequenceListBox);

  m_listContextMenu = new QMenu(this);
  m_listContextMenu->setObjectName(QStringLiteral("popmenSequenceList"));
  m_listContextMenu->addAction(m_pasteFastaAction);
  m_listContextMenu->addAction(m_pasteTextAction);
  connect(m_sequenceListBox, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    m_listContextMenu->popup(m_sequenceListBox->viewport()->mapToGlobal(at));
  });
  connect(m_sequenceListBox, &duvanet::gui::SequenceListBox::leftButtonPressed, this,
          &TfrmMain::lbSequenceListMouseDown);
  connect(m_sequenceListBox, &duvanet::gui::SequenceListBox::leftButtonDoubleClicked, this,
          &TfrmMain::lbSequenceListDblClick);
  connect(m_sequenceListBox, &duvanet::gui::SequenceListBox::filesDropped, this,
          &TfrmMain::LoadFiles);

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
  m_previewNameEdit = new QLineEdit(panel5);
  m_previewNameEdit->setObjectName(QStringLiteral("edPreviewSequenceName"));
  m_previewNameEdit->setReadOnly(true);
  m_previewNameEdit->setStatusTip(QStringLiteral("Preview sequence name"));
  auto* lengthLabel = new QLabel(QStringLiteral("Length"), panel5);
  lengthLabel->setObjectName(QStringLiteral("lablPreviewSequenceLength"));
  m_previewLengthEdit = new QLineEdit(QStringLiteral("0"), panel5);
  m_previewLengthEdit->setObjectName(QStringLiteral("edPreviewSequenceLength"));
  m_previewLengthEdit->setReadOnly(true);
  m_previewLengthEdit->setFixedWidth(80);
  m_previewLengthEdit->setStatusTip(QStringLiteral("Preview sequence length"));
  auto* stripLayout = new QHBoxLayout(panel5);
  stripLayout->setContentsMargins(2, 1, 2, 1);
  stripLayout->addWidget(nameLabel);
  stripLayout->addWidget(m_previewNameEdit, 1);
  stripLayout->addSpacing(6);
  stripLayout->addWidget(lengthLabel);
  stripLayout->addWidget(m_previewLengthEdit);

  m_previewData = new TDNAMemo(groupBox1);
  m_previewData->setObjectName(QStringLiteral("mePreviewSequenceData"));
  m_previewData->setFont(courierNew(11));
  m_previewData->setStatusTip(QStringLiteral("Preview sequence data"));
  for (QWidget* field :
       {static_cast<QWidget*>(m_previewNameEdit), static_cast<QWidget*>(m_previewLengthEdit),
        static_cast<QWidget*>(m_previewData)}) {
    setReadOnlyBackground(field);
  }
  auto* previewLayout = new QVBoxLayout(groupBox1);
  previewLayout->setContentsMargins(2, 2, 2, 2);
  previewLayout->setSpacing(1);
  previewLayout->addWidget(panel5);
  previewLayout->addWidget(m_previewData, 1);
  // At its smallest the preview still shows the Name and Length fields whole above at least one
  // line of the sequence, however small the splitter makes it.
  m_previewData->setMinimumHeight(QFontMetrics(m_previewData->font()).lineSpacing() +
                                  2 * m_previewData->frameWidth() + 4);
  panel2->setMinimumHeight(std::max(60, panel2Layout->totalMinimumSize().height()));

  splitter->addWidget(groupBox2);
  splitter->addWidget(panel2);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setSizes({300, 150});
  setCentralWidget(splitter);
}

int TfrmMain::CurrentRow() const {
  if (m_sequenceListBox->count() == 0) return 0;
  return m_sequenceListBox->currentRow();
}

QList<int> TfrmMain::SelectedRows() const { return m_sequenceListBox->selectedRows(); }

bool TfrmMain::hasCurrentSequence() const {
  return m_sequenceListBox->count() > 0 && CurrentRow() >= 0;
}

void TfrmMain::runAction(const QString& caption, const std::function<void()>& body) {
  try {
    body();
  } catch (const std::bad_alloc&) {
    // What the action changed before it ran out stays; the list must show it to keep rows and
    // workspace indexes in step.
    try {
      UpdateDisplayElements();
    } catch (const std::bad_alloc&) {
      // The list itself needs no memory per row; showing the workspace as it is cannot fail.
      m_sequenceListBox->showList(*m_sequenceList);
    }
    m_ports.prompts->error(
        this, QStringLiteral("There is not enough memory for \"%1\"; the action was stopped.")
                  .arg(caption));
  }
}

void TfrmMain::clearPreview() {
  m_previewLengthEdit->setText(QStringLiteral("0"));
  m_previewNameEdit->clear();
  m_previewData->clear();
}

void TfrmMain::UpdateDisplayElements() {
  FillListBox(*m_sequenceList, *m_sequenceListBox);
  m_sequenceListBox->clearSelection();
  if (m_sequenceListBox->count() > 0)
    m_sequenceListBox->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  m_previewNameEdit->clear();
  m_previewData->clear();
  m_previewData->SetDNAText(QString());
  m_previewLengthEdit->setText(QStringLiteral("0"));
}

void TfrmMain::lbSequenceListMouseDown() {
  const int row = CurrentRow();
  if (row < 0) return;
  clearPreview();
  tSequence sequence;
  m_sequenceList->GetSequence(row, sequence);
  m_previewNameEdit->setText(sequence.Name);
  // A name longer than the field shows its start, not its end.
  m_previewNameEdit->setCursorPosition(0);
  m_previewData->SetDNAText(sequence.Data);
  m_previewLengthEdit->setText(QString::number(sequence.Data.size()));
}

void TfrmMain::lbSequenceListDblClick() { m_editSequenceAction->trigger(); }

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

namespace {

// The note after annotations were attached: seqids that name no entry (ten at most) and
// features cut at the end of their sequence. Empty when there is nothing to say.
QString attachmentNote(const duvanet::core::FeatureAttachment& attachment) {
  QStringList paragraphs;
  const QStringList& unmatched = attachment.unmatchedSeqids;
  if (!unmatched.isEmpty()) {
    constexpr qsizetype kNamed = 10;
    QString names = unmatched.mid(0, kNamed).join(QStringLiteral(", "));
    if (unmatched.size() > kNamed)
      names += QStringLiteral(" and %1 more").arg(unmatched.size() - kNamed);
    paragraphs << QStringLiteral(
                      "No sequence in the workspace is named %1; the features of %2 "
                      "were not attached.")
                      .arg(names, unmatched.size() == 1 ? QStringLiteral("this seqid")
                                                        : QStringLiteral("these seqids"));
  }
  if (attachment.clipped > 0)
    paragraphs << QStringLiteral(
                      "%1 feature(s) reached past the end of their sequence and were "
                      "clipped there.")
                      .arg(attachment.clipped);
  return paragraphs.join(QStringLiteral("\n\n"));
}

}  // namespace

void TfrmMain::LoadFiles(const QStringList& fileNames) {
  if (fileNames.isEmpty()) return;
  // Read apart from the workspace on a worker thread, so that a pipe, a FIFO or a device that
  // never ends can be cancelled; what was read joins the workspace here, at once.
  duvanet::core::SequenceFileLoad load(fileNames);
  const duvanet::gui::LoadOutcome outcome =
      duvanet::gui::readFilesWithProgress(load, this, m_loadProgressDelayMs);
  if (outcome.end == duvanet::gui::LoadOutcome::End::Cancelled) return;  // nothing joins
  QString failure;
  if (outcome.failure) {
    try {
      std::rethrow_exception(outcome.failure);
    } catch (const duvanet::core::FileError& error) {
      failure = error.message();
    } catch (const std::bad_alloc&) {
      failure = QStringLiteral(
          "There is not enough memory for \"Load sequences\"; the action was "
          "stopped.");
    } catch (const std::exception& error) {
      failure = QString::fromLocal8Bit(error.what());
    }
  }
  duvanet::core::FeatureAttachment attachment;
  try {
    // The sequences read before a failure stay.
    attachment = load.applyTo(*m_sequenceList);
  } catch (const std::bad_alloc&) {
    failure = QStringLiteral(
        "There is not enough memory for \"Load sequences\"; the action was "
        "stopped.");
  }
  try {
    // The list must show what the workspace holds to keep rows and workspace indexes in step.
    UpdateDisplayElements();
  } catch (const std::bad_alloc&) {
    // The list itself needs no memory per row; showing the workspace as it is cannot fail.
    m_sequenceListBox->showList(*m_sequenceList);
  }
  if (!failure.isEmpty()) {
    m_ports.prompts->error(this, failure);
    return;
  }
  const QString note = attachmentNote(attachment);
  if (!note.isEmpty()) m_ports.prompts->warning(this, note);
}

namespace {

// Waits for the window's first exposure, then runs a job once from the event loop.
class RunWhenExposed : public QObject {
 public:
  RunWhenExposed(QWindow* window, std::function<void()> job)
      : QObject(window), m_window(window), m_job(std::move(job)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
      m_window->removeEventFilter(this);
      QTimer::singleShot(0, m_window, std::move(m_job));
      deleteLater();
    }
    return false;
  }

 private:
  QWindow* m_window;
  std::function<void()> m_job;
};

}  // namespace

void TfrmMain::LoadFilesWhenShown(const QStringList& fileNames) {
  if (fileNames.isEmpty()) return;
  // Loaded before the window is placed, an error box would have no window to centre on.
  QWindow* window = windowHandle();
  if (window != nullptr && window->isExposed()) {
    LoadFiles(fileNames);
    return;
  }
  if (window == nullptr) {
    winId();  // creates the window's handle, to wait on
    window = windowHandle();
  }
  new RunWhenExposed(window, [this, fileNames] { LoadFiles(fileNames); });
}

void TfrmMain::acLoadSequencesExecute() {
  LoadFiles(m_ports.fileDialogs->openFiles(this, QStringLiteral("Load sequences")));
}

bool TfrmMain::askOverwrite(const QString&) {
  return m_ports.prompts->question(this, duvanet::gui::UserPrompts::Kind::Warning,
                                   QStringLiteral("File exists! Overwrite?"), true);
}

template <typename Save>
void TfrmMain::runSave(Save save) {
  const std::optional<QString> chosen =
      m_ports.fileDialogs->saveFile(this, QStringLiteral("Save"), m_saveFileName);
  if (!chosen) return;
  m_saveFileName = *chosen;
  const duvanet::core::OverwriteQuestion overwrite = [this](const QString& name) {
    return askOverwrite(name);
  };
  try {
    if (!save(*chosen, overwrite)) m_ports.prompts->warning(this, kSaveFailed);
  } catch (const duvanet::core::FileError& error) {
    m_ports.prompts->error(this, error.message());
  }
}

void TfrmMain::acSaveWorkspaceExecute() {
  runSave([this](const QString& name, const duvanet::core::OverwriteQuestion& overwrite) {
    return m_sequenceList->SaveWorkspace(name, overwrite);
  });
}

void TfrmMain::acDeleteWorkspaceExecute() {
  const bool yes = m_ports.prompts->question(
      this, duvanet::gui::UserPrompts::Kind::Warning,
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
  if (!m_ports.prompts->question(this, duvanet::gui::UserPrompts::Kind::Confirmation,
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
  // A "/" in the name would propose another folder ("../../x", "HIV-1/HXB2 env").
  QString proposed = sequence.Name;
  proposed.replace(QLatin1Char('/'), QLatin1Char('_'));
  m_saveFileName = m_saveFileName.left(slash + 1) + proposed;
  runSave(
      [this, row, asFAS](const QString& name, const duvanet::core::OverwriteQuestion& overwrite) {
        return asFAS ? m_sequenceList->SaveSequenceAsFASFile(name, row, overwrite)
                     : m_sequenceList->SaveSequenceAsTXTFile(name, row, overwrite);
      });
}

void TfrmMain::acSaveSequenceAsFASFileExecute() { saveSingleSequence(true); }

void TfrmMain::acSaveSequenceAsTXTFileExecute() { saveSingleSequence(false); }

void TfrmMain::acSaveAnnotationsAsGFF3Execute() {
  const int row = CurrentRow();
  if (row < 0) return;
  tSequence sequence;
  m_sequenceList->GetSequence(row, sequence);
  const qsizetype slash = m_saveFileName.lastIndexOf(QLatin1Char('/'));
  m_saveFileName = m_saveFileName.left(slash + 1) + duvanet::core::entrySeqid(sequence.Name) +
                   QStringLiteral(".gff3");
  runSave([this, row](const QString& name, const duvanet::core::OverwriteQuestion& overwrite) {
    return m_sequenceList->SaveAnnotationsAsGFF3File(name, row, overwrite);
  });
}

void TfrmMain::acSortSequenceAscendingByNameExecute() {
  m_sequenceList->SortAscendingByName();
  UpdateDisplayElements();
}

void TfrmMain::acSortSequenceDescendingByNameExecute() {
  m_sequenceList->SortDescendingByName();
  UpdateDisplayElements();
}

void TfrmMain::acCreateDotPlotExecute() {
  if (m_sequenceListBox->count() == 0 || m_dotPlotWizard == nullptr) return;
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

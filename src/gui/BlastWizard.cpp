#include "gui/BlastWizard.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/OpenUrl.h"
#include "gui/SequenceListViews.h"
#include "gui/WindowDefaults.h"
#include "widgets/UpDownControl.h"

namespace {

using duvanet::gui::named;

const QString kNcbiPage = QStringLiteral("NCBI");

QComboBox* selectionList(const char* name, const QStringList& items, const QString& selected,
                         QWidget* parent) {
  auto* list = named(new QComboBox(parent), name);
  list->setEditable(false);
  list->addItems(items);
  list->setCurrentIndex(items.indexOf(selected));
  return list;
}

}  // namespace

TfrmBLASTWizard::TfrmBLASTWizard(const tSequenceList& sequences, SelectedRows selectedRows,
                                 BrowserLauncher& browser, const QString& applicationTitle,
                                 QWidget* parent)
    : QDialog(parent),
      m_sequences(sequences),
      m_selectedRows(std::move(selectedRows)),
      m_browser(browser),
      m_applicationTitle(applicationTitle) {
  setObjectName(QStringLiteral("frmBLASTWizard"));
  setModal(true);
  resize(339, 214);
  duvanet::gui::setWindowFont(*this);

  pcDatabaseSelector = named(new QTabWidget(this), "pcDatabaseSelector");
  TabSheet1 = named(new QWidget, "TabSheet1");
  pcNCBIPreferences = named(new QTabWidget(TabSheet1), "pcNCBIPreferences");
  pcNCBIPreferences->setTabPosition(QTabWidget::South);

  // "Alignment" page.
  TabSheet2 = named(new QWidget, "TabSheet2");
  auto* counterLabel = new QLabel(QStringLiteral("Number of alignments"), TabSheet2);
  udNCBIAlignmentCounter = named(new UpDownControl(TabSheet2), "udNCBIAlignmentCounter");
  udNCBIAlignmentCounter->setRange(1, 32767);
  udNCBIAlignmentCounter->setValue(50);
  edNCBIAlignmentCounter = udNCBIAlignmentCounter->edit();
  edNCBIAlignmentCounter->setObjectName(QStringLiteral("edNCBIAlignmentCounter"));
  counterLabel->setBuddy(udNCBIAlignmentCounter);
  auto* commandLabel = new QLabel(QStringLiteral("Alignment view command"), TabSheet2);
  cobNCBIAlignmentCommand = selectionList(
      "cobNCBIAlignmentCommand",
      {QStringLiteral("FlatQueryAnchored"), QStringLiteral("FlatQueryAnchoredNoIdentities"),
       QStringLiteral("Pairwise"), QStringLiteral("QueryAnchored"),
       QStringLiteral("QueryAnchoredNoIdentities"), QStringLiteral("Tabular")},
      QStringLiteral("Tabular"), TabSheet2);
  commandLabel->setBuddy(cobNCBIAlignmentCommand);
  auto* alignmentLayout = new QVBoxLayout(TabSheet2);
  alignmentLayout->addWidget(counterLabel);
  alignmentLayout->addWidget(udNCBIAlignmentCounter);
  alignmentLayout->addWidget(commandLabel);
  alignmentLayout->addWidget(cobNCBIAlignmentCommand);
  alignmentLayout->addStretch(1);

  // "Database" page.
  TabSheet3 = named(new QWidget, "TabSheet3");
  auto* databaseLabel = new QLabel(QStringLiteral("Data base selection command"), TabSheet3);
  cobNCBISelectedDatabase =
      selectionList("cobNCBISelectedDatabase", {QStringLiteral("nr"), QStringLiteral("swissprot")},
                    QStringLiteral("nr"), TabSheet3);
  databaseLabel->setBuddy(cobNCBISelectedDatabase);
  auto* webpageLabel = new QLabel(QStringLiteral("Web page command"), TabSheet3);
  cobNCBIWebpage = selectionList("cobNCBIWebpage",
                                 {QStringLiteral("Proteins"), QStringLiteral("Nucleotides"),
                                  QStringLiteral("Translations"), QStringLiteral("MegaBlast")},
                                 QStringLiteral("MegaBlast"), TabSheet3);
  webpageLabel->setBuddy(cobNCBIWebpage);
  auto* databaseLayout = new QVBoxLayout(TabSheet3);
  databaseLayout->addWidget(databaseLabel);
  databaseLayout->addWidget(cobNCBISelectedDatabase);
  databaseLayout->addWidget(webpageLabel);
  databaseLayout->addWidget(cobNCBIWebpage);
  databaseLayout->addStretch(1);

  pcNCBIPreferences->addTab(TabSheet2, QStringLiteral("Alignment"));
  pcNCBIPreferences->addTab(TabSheet3, QStringLiteral("Database"));
  pcNCBIPreferences->setCurrentWidget(TabSheet3);
  auto* ncbiLayout = new QVBoxLayout(TabSheet1);
  ncbiLayout->setContentsMargins(4, 4, 4, 4);
  ncbiLayout->addWidget(pcNCBIPreferences);
  pcDatabaseSelector->addTab(TabSheet1, kNcbiPage);

  // Bottom panel.
  Panel1 = named(new QWidget(this), "Panel1");
  btSequenceBLAST = named(new QPushButton(QStringLiteral("BLAST"), Panel1), "btSequenceBLAST");
  lblNoOfSequences = named(new QLabel(Panel1), "lblNoOfSequences");
  lblNoOfSequences->setAlignment(Qt::AlignCenter);
  Button2 = named(new QPushButton(QStringLiteral("Cancel"), Panel1), "Button2");
  btSequenceBLAST->setDefault(true);
  auto* panelLayout = new QHBoxLayout(Panel1);
  panelLayout->setContentsMargins(8, 6, 8, 6);
  panelLayout->addWidget(btSequenceBLAST);
  panelLayout->addWidget(lblNoOfSequences, 1);
  panelLayout->addWidget(Button2);

  auto* windowLayout = new QVBoxLayout(this);
  windowLayout->setContentsMargins(0, 0, 0, 0);
  windowLayout->setSpacing(0);
  windowLayout->addWidget(pcDatabaseSelector, 1);
  windowLayout->addWidget(Panel1);

  connect(btSequenceBLAST, &QPushButton::clicked, this, &TfrmBLASTWizard::btSequenceBLASTClick);
  connect(Button2, &QPushButton::clicked, this, &TfrmBLASTWizard::Button2Click);
}

void TfrmBLASTWizard::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TfrmBLASTWizard::FormShow() {
  setWindowTitle(m_applicationTitle + QStringLiteral(" BLAST wizard"));
  const auto count = selectedIndexes().size();
  lblNoOfSequences->setText(count == 1
                                ? QStringLiteral("1 sequence selected.")
                                : QString::number(count) + QStringLiteral(" sequences selected."));
}

QList<int> TfrmBLASTWizard::selectedIndexes() const {
  // The list is walked from its first row on, each row once.
  return duvanet::gui::normalisedRows(m_selectedRows ? m_selectedRows() : QList<int>{});
}

BlastQueryOptions TfrmBLASTWizard::Options() const {
  BlastQueryOptions options;
  options.alignments = udNCBIAlignmentCounter->value();
  options.alignmentView = cobNCBIAlignmentCommand->currentText();
  options.database = cobNCBISelectedDatabase->currentText();
  options.page = cobNCBIWebpage->currentText();
  return options;
}

bool TfrmBLASTWizard::ConnectNCBIBlast(int index) {
  tSequence sequence;
  if (!m_sequences.GetSequence(index, sequence)) return false;
  OpenURLInBrowser(m_browser, blastQueryUrl(Options(), sequence.Data));
  return true;
}

void TfrmBLASTWizard::btSequenceBLASTClick() {
  const QList<int> rows = selectedIndexes();
  for (const int index : rows) {
    if (pcDatabaseSelector->tabText(pcDatabaseSelector->currentIndex()) == kNcbiPage)
      ConnectNCBIBlast(index);
  }
  accept();
}

void TfrmBLASTWizard::Button2Click() { reject(); }

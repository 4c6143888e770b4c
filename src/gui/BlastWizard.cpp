#include "gui/BlastWizard.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/ApplicationTitle.h"
#include "gui/OpenUrl.h"
#include "gui/SequenceListViews.h"
#include "gui/UserPrompts.h"
#include "gui/WindowDefaults.h"
#include "widgets/UpDownControl.h"

namespace {

using duvanet::gui::named;
using namespace duvanet::core;

const QString kNcbiPage = QStringLiteral("NCBI");
const QString kNoBrowser = QStringLiteral(
    "No web browser could be started. Open the query address below in a web browser to run the "
    "BLAST search.");

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
                                 duvanet::gui::BrowserLauncher& browser,
                                 duvanet::gui::UserPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      m_sequences(sequences),
      m_selectedRows(std::move(selectedRows)),
      m_browser(browser),
      m_prompts(prompts) {
  setObjectName(QStringLiteral("frmBLASTWizard"));
  setModal(true);
  resize(339, 214);
  duvanet::gui::setWindowFont(*this);

  m_serviceTabs = named(new QTabWidget(this), "pcDatabaseSelector");
  m_ncbiPage = named(new QWidget, "TabSheet1");
  m_ncbiOptionTabs = named(new QTabWidget(m_ncbiPage), "pcNCBIPreferences");
  m_ncbiOptionTabs->setTabPosition(QTabWidget::South);

  // "Alignment" page.
  m_alignmentPage = named(new QWidget, "TabSheet2");
  auto* counterLabel = new QLabel(QStringLiteral("Number of alignments"), m_alignmentPage);
  m_alignmentCountUpDown =
      named(new duvanet::widgets::UpDownControl(m_alignmentPage), "udNCBIAlignmentCounter");
  m_alignmentCountUpDown->setRange(1, 32767);
  m_alignmentCountUpDown->setValue(50);
  m_alignmentCountEdit = m_alignmentCountUpDown->edit();
  m_alignmentCountEdit->setObjectName(QStringLiteral("edNCBIAlignmentCounter"));
  counterLabel->setBuddy(m_alignmentCountUpDown);
  auto* commandLabel = new QLabel(QStringLiteral("Alignment view command"), m_alignmentPage);
  m_alignmentViewList = selectionList(
      "cobNCBIAlignmentCommand",
      {QStringLiteral("FlatQueryAnchored"), QStringLiteral("FlatQueryAnchoredNoIdentities"),
       QStringLiteral("Pairwise"), QStringLiteral("QueryAnchored"),
       QStringLiteral("QueryAnchoredNoIdentities"), QStringLiteral("Tabular")},
      QStringLiteral("Tabular"), m_alignmentPage);
  commandLabel->setBuddy(m_alignmentViewList);
  auto* alignmentLayout = new QVBoxLayout(m_alignmentPage);
  alignmentLayout->addWidget(counterLabel);
  alignmentLayout->addWidget(m_alignmentCountUpDown);
  alignmentLayout->addWidget(commandLabel);
  alignmentLayout->addWidget(m_alignmentViewList);
  alignmentLayout->addStretch(1);

  // "Database" page.
  m_databasePage = named(new QWidget, "TabSheet3");
  auto* databaseLabel = new QLabel(QStringLiteral("Data base selection command"), m_databasePage);
  m_databaseList =
      selectionList("cobNCBISelectedDatabase", {QStringLiteral("nr"), QStringLiteral("swissprot")},
                    QStringLiteral("nr"), m_databasePage);
  databaseLabel->setBuddy(m_databaseList);
  auto* webpageLabel = new QLabel(QStringLiteral("Web page command"), m_databasePage);
  m_webPageList = selectionList("cobNCBIWebpage",
                                {QStringLiteral("Proteins"), QStringLiteral("Nucleotides"),
                                 QStringLiteral("Translations"), QStringLiteral("MegaBlast")},
                                QStringLiteral("MegaBlast"), m_databasePage);
  webpageLabel->setBuddy(m_webPageList);
  auto* databaseLayout = new QVBoxLayout(m_databasePage);
  databaseLayout->addWidget(databaseLabel);
  databaseLayout->addWidget(m_databaseList);
  databaseLayout->addWidget(webpageLabel);
  databaseLayout->addWidget(m_webPageList);
  databaseLayout->addStretch(1);

  m_ncbiOptionTabs->addTab(m_alignmentPage, QStringLiteral("Alignment"));
  m_ncbiOptionTabs->addTab(m_databasePage, QStringLiteral("Database"));
  m_ncbiOptionTabs->setCurrentWidget(m_databasePage);
  auto* ncbiLayout = new QVBoxLayout(m_ncbiPage);
  ncbiLayout->setContentsMargins(4, 4, 4, 4);
  ncbiLayout->addWidget(m_ncbiOptionTabs);
  m_serviceTabs->addTab(m_ncbiPage, kNcbiPage);

  // Bottom panel.
  m_buttonPanel = named(new QWidget(this), "Panel1");
  m_blastButton = named(new QPushButton(QStringLiteral("BLAST"), m_buttonPanel), "btSequenceBLAST");
  m_selectionCountLabel = named(new QLabel(m_buttonPanel), "lblNoOfSequences");
  m_selectionCountLabel->setAlignment(Qt::AlignCenter);
  m_cancelButton = named(new QPushButton(QStringLiteral("Cancel"), m_buttonPanel), "Button2");
  m_blastButton->setDefault(true);
  auto* panelLayout = new QHBoxLayout(m_buttonPanel);
  panelLayout->setContentsMargins(8, 6, 8, 6);
  panelLayout->addWidget(m_blastButton);
  panelLayout->addWidget(m_selectionCountLabel, 1);
  panelLayout->addWidget(m_cancelButton);

  auto* windowLayout = new QVBoxLayout(this);
  windowLayout->setContentsMargins(0, 0, 0, 0);
  windowLayout->setSpacing(0);
  windowLayout->addWidget(m_serviceTabs, 1);
  windowLayout->addWidget(m_buttonPanel);

  connect(m_blastButton, &QPushButton::clicked, this, &TfrmBLASTWizard::btSequenceBLASTClick);
  connect(m_cancelButton, &QPushButton::clicked, this, &TfrmBLASTWizard::Button2Click);
}

void TfrmBLASTWizard::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void TfrmBLASTWizard::FormShow() {
  setWindowTitle(duvanet::gui::ApplicationTitle() + QStringLiteral(" BLAST wizard"));
  const auto count = selectedIndexes().size();
  m_selectionCountLabel->setText(count == 1 ? QStringLiteral("1 sequence selected.")
                                            : QString::number(count) +
                                                  QStringLiteral(" sequences selected."));
}

QList<int> TfrmBLASTWizard::selectedIndexes() const {
  // The list is walked from its first row on, each row once.
  return duvanet::gui::normalisedRows(m_selectedRows ? m_selectedRows() : QList<int>{});
}

duvanet::core::BlastQueryOptions TfrmBLASTWizard::Options() const {
  BlastQueryOptions options;
  options.alignments = m_alignmentCountUpDown->value();
  options.alignmentView = m_alignmentViewList->currentText();
  options.database = m_databaseList->currentText();
  options.page = m_webPageList->currentText();
  return options;
}

QString TfrmBLASTWizard::formPageAddress(const tSequence& sequence) {
  // The page must outlive the browser's reading of it, so the pages stay until the wizard goes.
  if (!m_formPages) m_formPages = std::make_unique<QTemporaryDir>();
  if (!m_formPages->isValid()) return QString();
  const QString path = QDir(m_formPages->path())
                           .filePath(QStringLiteral("blast-query-%1.html").arg(++m_formPageCount));
  QFile page(path);
  if (!page.open(QIODevice::WriteOnly)) return QString();
  const QByteArray text = blastFormPage(Options(), sequence.Data);
  if (page.write(text) != text.size() || !page.flush()) return QString();
  return QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
}

bool TfrmBLASTWizard::ConnectNCBIBlast(int index) {
  tSequence sequence;
  if (!m_sequences.GetSequence(index, sequence)) return false;
  QString address = blastQueryUrl(Options(), sequence.Data);
  // Browsers and the service take addresses of a few thousand characters only; longer queries
  // go as a form that a local page posts, so the whole sequence arrives.
  if (address.size() > kBlastLongestUrl) address = formPageAddress(sequence);
  if (address.isEmpty()) return false;
  if (!OpenURLInBrowser(m_browser, address)) m_unopened << address;
  return true;
}

void TfrmBLASTWizard::btSequenceBLASTClick() {
  m_unopened.clear();
  const QList<int> rows = selectedIndexes();
  for (const int index : rows) {
    if (m_serviceTabs->tabText(m_serviceTabs->currentIndex()) == kNcbiPage) ConnectNCBIBlast(index);
  }
  accept();
  // One warning for the run, with every address that no browser took.
  if (!m_unopened.isEmpty())
    m_prompts.warningWithDetails(parentWidget(), kNoBrowser,
                                 m_unopened.join(QStringLiteral("\n\n")));
  m_unopened.clear();
}

void TfrmBLASTWizard::Button2Click() { reject(); }

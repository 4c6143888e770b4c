#include "gui/TranscriptionWizard.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <optional>

#include "core/GeneticCodes.h"
#include "core/StrandTransforms.h"
#include "core/Translation.h"
#include "gui/SequenceListViews.h"
#include "gui/WindowDefaults.h"

namespace {

using duvanet::gui::named;

const QString kAminoAcidPage = QStringLiteral("DNA => Amino acid");
const QString kReverseComplementPage = QStringLiteral("DNA reverse complement");

}  // namespace

TfrmTranscriptionWizard::TfrmTranscriptionWizard(tSequenceList& sequences,
                                                 SelectedRows selectedRows,
                                                 const QString& applicationTitle, QWidget* parent)
    : QDialog(parent), m_sequences(sequences), m_selectedRows(std::move(selectedRows)) {
  setObjectName(QStringLiteral("frmTranscriptionWizard"));
  setModal(true);
  setFixedSize(493, 339);
  duvanet::gui::setWindowFont(*this);

  PageControl1 = named(new QTabWidget(this), "PageControl1");

  // First page: translation into amino acids.
  TabSheet1 = named(new QWidget, "TabSheet1");
  GroupBox2 =
      named(new QGroupBox(QStringLiteral("Translate genetic code as"), TabSheet1), "GroupBox2");
  cobTranslateToGeneCode = named(new QComboBox(GroupBox2), "cobTranslateToGeneCode");
  cobTranslateToGeneCode->setEditable(false);
  auto* codeLayout = new QVBoxLayout(GroupBox2);
  codeLayout->addWidget(cobTranslateToGeneCode);

  GroupBox1 = named(new QGroupBox(QStringLiteral("Reading frame offset"), TabSheet1), "GroupBox1");
  rbDNA2ASSingle = named(
      new QRadioButton(
          QStringLiteral("Create one protein string with defined reading frame offset"), GroupBox1),
      "rbDNA2ASSingle");
  RadioButton2 =
      named(new QRadioButton(QStringLiteral("Create all three possible transcriptions"), GroupBox1),
            "RadioButton2");
  cobNucleoBaseOffset = named(new QComboBox(GroupBox1), "cobNucleoBaseOffset");
  cobNucleoBaseOffset->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
  cobNucleoBaseOffset->setCurrentIndex(0);
  rbDNA2ASSingle->setChecked(true);
  auto* frameLayout = new QGridLayout(GroupBox1);
  frameLayout->addWidget(rbDNA2ASSingle, 0, 0);
  frameLayout->addWidget(cobNucleoBaseOffset, 0, 1);
  frameLayout->addWidget(RadioButton2, 1, 0, 1, 2);
  frameLayout->setColumnStretch(0, 1);

  GroupBox3 = named(new QGroupBox(QStringLiteral("Reading direction"), TabSheet1), "GroupBox3");
  rbDNA2ASNormal =
      named(new QRadioButton(QStringLiteral("Translate DNA sequence unmodified"), GroupBox3),
            "rbDNA2ASNormal");
  rbDNA2ASRevComplement = named(
      new QRadioButton(QStringLiteral("Translate DNA sequence as reverse complement"), GroupBox3),
      "rbDNA2ASRevComplement");
  rbDNA2ASNormAndRevComplement =
      named(new QRadioButton(QStringLiteral("Translate both reading directions"), GroupBox3),
            "rbDNA2ASNormAndRevComplement");
  rbDNA2ASNormal->setChecked(true);
  auto* directionLayout = new QVBoxLayout(GroupBox3);
  directionLayout->addWidget(rbDNA2ASNormal);
  directionLayout->addWidget(rbDNA2ASRevComplement);
  directionLayout->addWidget(rbDNA2ASNormAndRevComplement);

  auto* firstPageLayout = new QVBoxLayout(TabSheet1);
  firstPageLayout->addWidget(GroupBox2);
  firstPageLayout->addWidget(GroupBox1);
  firstPageLayout->addWidget(GroupBox3);
  firstPageLayout->addStretch(1);

  // Second page: reverse complements.
  TabSheet2 = named(new QWidget, "TabSheet2");
  auto* explanation =
      named(new QLabel(QStringLiteral("This function creates a reverse complement of a given DNA "
                                      "sequence, respecting all possible IUPAC codes."),
                       TabSheet2),
            "Label1");
  explanation->setWordWrap(true);
  auto* instruction =
      named(new QLabel(QStringLiteral("Just press 'Apply' to perform this action on the sequence "
                                      "selection."),
                       TabSheet2),
            "Label2");
  auto* secondPageLayout = new QVBoxLayout(TabSheet2);
  secondPageLayout->addWidget(explanation);
  secondPageLayout->addWidget(instruction);
  secondPageLayout->addStretch(1);

  PageControl1->addTab(TabSheet1, kAminoAcidPage);
  PageControl1->addTab(TabSheet2, kReverseComplementPage);
  PageControl1->setCurrentWidget(TabSheet1);

  // Bottom panel.
  Panel1 = named(new QWidget(this), "Panel1");
  Panel1->setFixedHeight(41);
  btTranscriptAccept =
      named(new QPushButton(QStringLiteral("Apply"), Panel1), "btTranscriptAccept");
  lbNoOfSelectedItems = named(new QLabel(Panel1), "lbNoOfSelectedItems");
  lbNoOfSelectedItems->setAlignment(Qt::AlignCenter);
  btTranscriptClose = named(new QPushButton(QStringLiteral("Close"), Panel1), "btTranscriptClose");
  btTranscriptAccept->setDefault(true);
  auto* panelLayout = new QHBoxLayout(Panel1);
  panelLayout->setContentsMargins(8, 0, 8, 0);
  panelLayout->addWidget(btTranscriptAccept);
  panelLayout->addWidget(lbNoOfSelectedItems, 1);
  panelLayout->addWidget(btTranscriptClose);

  auto* windowLayout = new QVBoxLayout(this);
  windowLayout->setContentsMargins(0, 0, 0, 0);
  windowLayout->setSpacing(0);
  windowLayout->addWidget(PageControl1, 1);
  windowLayout->addWidget(Panel1);

  connect(btTranscriptAccept, &QPushButton::clicked, this,
          &TfrmTranscriptionWizard::btTranscriptAcceptClick);
  connect(btTranscriptClose, &QPushButton::clicked, this,
          &TfrmTranscriptionWizard::btTranscriptCloseClick);

  FormCreate(applicationTitle);
}

void TfrmTranscriptionWizard::FormCreate(const QString& applicationTitle) {
  cobTranslateToGeneCode->clear();
  for (const char* name : GeneticCodeNames)
    cobTranslateToGeneCode->addItem(QString::fromUtf8(name));
  cobTranslateToGeneCode->setCurrentIndex(0);
  setWindowTitle(applicationTitle + QStringLiteral(" translation wizard"));
}

void TfrmTranscriptionWizard::showEvent(QShowEvent* event) {
  if (const QScreen* shown = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(shown->availableGeometry().center());
    move(frame.topLeft());
  }
  FormShow();
  QDialog::showEvent(event);
}

void TfrmTranscriptionWizard::FormShow() {
  const auto count = selectedIndexes().size();
  lbNoOfSelectedItems->setText(QString::number(count) +
                               (count == 1 ? QStringLiteral(" sequence selected.")
                                           : QStringLiteral(" sequences selected.")));
}

QList<int> TfrmTranscriptionWizard::selectedIndexes() const {
  // The list is walked from its first row on, each row once.
  return duvanet::gui::normalisedRows(m_selectedRows ? m_selectedRows() : QList<int>{});
}

void TfrmTranscriptionWizard::append(const tSequence& result) {
  // A failed AddSequence yields -1, which SetSequence ignores.
  const int index = m_sequences.AddSequence();
  m_sequences.SetSequence(index, result);
}

void TfrmTranscriptionWizard::btTranscriptAcceptClick() {
  const QString page = PageControl1->tabText(PageControl1->currentIndex());
  if (page == kAminoAcidPage) {
    DNA2AminoAcid();
  } else if (page == kReverseComplementPage) {
    DNAReverseComplements();
  }
  accept();
}

void TfrmTranscriptionWizard::btTranscriptCloseClick() { reject(); }

void TfrmTranscriptionWizard::DNA2AminoAcid() {
  using duvanet::core::TranslationStrands;
  const TranslationStrands strands =
      rbDNA2ASNormAndRevComplement->isChecked() ? TranslationStrands::Both
      : rbDNA2ASRevComplement->isChecked()      ? TranslationStrands::ReverseComplement
                                                : TranslationStrands::Forward;
  const std::optional<int> offset = rbDNA2ASSingle->isChecked()
                                        ? std::optional<int>(cobNucleoBaseOffset->currentIndex())
                                        : std::nullopt;
  // The rows are taken before anything is appended, so new entries are never processed.
  duvanet::core::translateRecords(
      m_sequences, selectedIndexes(), duvanet::core::translationFrames(strands, offset),
      cobTranslateToGeneCode->currentIndex(), [this](tSequence&& result) { append(result); });
}

void TfrmTranscriptionWizard::DNAReverseComplements() {
  for (const int index : selectedIndexes()) {
    tSequence sequence;
    if (!m_sequences.GetSequence(index, sequence)) continue;
    // Characters outside the IUPAC table are carried over unchanged.
    append(duvanet::core::reverseComplementRecord(sequence));
  }
}

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
#include "gui/ApplicationTitle.h"
#include "gui/SequenceListViews.h"
#include "gui/WindowDefaults.h"

namespace {

using duvanet::gui::named;

const QString kAminoAcidPage = QStringLiteral("DNA => Amino acid");
const QString kReverseComplementPage = QStringLiteral("DNA reverse complement");

}  // namespace

TfrmTranscriptionWizard::TfrmTranscriptionWizard(tSequenceList& sequences,
                                                 SelectedRows selectedRows, QWidget* parent)
    : QDialog(parent), m_sequences(sequences), m_selectedRows(std::move(selectedRows)) {
  setObjectName(QStringLiteral("frmTranscriptionWizard"));
  setModal(true);
  setFixedSize(493, 339);
  // A fixed-size dialog: a title, a close button and nothing to maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  duvanet::gui::setWindowFont(*this);

  m_pages = named(new QTabWidget(this), "PageControl1");

  // First page: translation into amino acids.
  m_aminoAcidPage = named(new QWidget, "TabSheet1");
  m_geneticCodeGroup = named(
      new QGroupBox(QStringLiteral("Translate genetic code as"), m_aminoAcidPage), "GroupBox2");
  m_geneticCodeList = named(new QComboBox(m_geneticCodeGroup), "cobTranslateToGeneCode");
  m_geneticCodeList->setEditable(false);
  auto* codeLayout = new QVBoxLayout(m_geneticCodeGroup);
  codeLayout->addWidget(m_geneticCodeList);

  m_frameGroup =
      named(new QGroupBox(QStringLiteral("Reading frame offset"), m_aminoAcidPage), "GroupBox1");
  m_oneFrameButton =
      named(new QRadioButton(
                QStringLiteral("Create one protein string with defined reading frame offset"),
                m_frameGroup),
            "rbDNA2ASSingle");
  m_allFramesButton = named(
      new QRadioButton(QStringLiteral("Create all three possible transcriptions"), m_frameGroup),
      "RadioButton2");
  m_frameOffsetList = named(new QComboBox(m_frameGroup), "cobNucleoBaseOffset");
  m_frameOffsetList->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
  m_frameOffsetList->setCurrentIndex(0);
  m_oneFrameButton->setChecked(true);
  auto* frameLayout = new QGridLayout(m_frameGroup);
  frameLayout->addWidget(m_oneFrameButton, 0, 0);
  frameLayout->addWidget(m_frameOffsetList, 0, 1);
  frameLayout->addWidget(m_allFramesButton, 1, 0, 1, 2);
  frameLayout->setColumnStretch(0, 1);

  m_directionGroup =
      named(new QGroupBox(QStringLiteral("Reading direction"), m_aminoAcidPage), "GroupBox3");
  m_forwardButton =
      named(new QRadioButton(QStringLiteral("Translate DNA sequence unmodified"), m_directionGroup),
            "rbDNA2ASNormal");
  m_reverseComplementButton =
      named(new QRadioButton(QStringLiteral("Translate DNA sequence as reverse complement"),
                             m_directionGroup),
            "rbDNA2ASRevComplement");
  m_bothDirectionsButton =
      named(new QRadioButton(QStringLiteral("Translate both reading directions"), m_directionGroup),
            "rbDNA2ASNormAndRevComplement");
  m_forwardButton->setChecked(true);
  auto* directionLayout = new QVBoxLayout(m_directionGroup);
  directionLayout->addWidget(m_forwardButton);
  directionLayout->addWidget(m_reverseComplementButton);
  directionLayout->addWidget(m_bothDirectionsButton);

  auto* firstPageLayout = new QVBoxLayout(m_aminoAcidPage);
  firstPageLayout->addWidget(m_geneticCodeGroup);
  firstPageLayout->addWidget(m_frameGroup);
  firstPageLayout->addWidget(m_directionGroup);
  firstPageLayout->addStretch(1);

  // Second page: reverse complements.
  m_reverseComplementPage = named(new QWidget, "TabSheet2");
  auto* explanation =
      named(new QLabel(QStringLiteral("This function creates a reverse complement of a given DNA "
                                      "sequence, respecting all possible IUPAC codes."),
                       m_reverseComplementPage),
            "Label1");
  explanation->setWordWrap(true);
  auto* instruction =
      named(new QLabel(QStringLiteral("Just press 'Apply' to perform this action on the sequence "
                                      "selection."),
                       m_reverseComplementPage),
            "Label2");
  auto* secondPageLayout = new QVBoxLayout(m_reverseComplementPage);
  secondPageLayout->addWidget(explanation);
  secondPageLayout->addWidget(instruction);
  secondPageLayout->addStretch(1);

  m_pages->addTab(m_aminoAcidPage, kAminoAcidPage);
  m_pages->addTab(m_reverseComplementPage, kReverseComplementPage);
  m_pages->setCurrentWidget(m_aminoAcidPage);

  // Bottom panel.
  m_buttonPanel = named(new QWidget(this), "Panel1");
  m_buttonPanel->setFixedHeight(41);
  m_applyButton =
      named(new QPushButton(QStringLiteral("Apply"), m_buttonPanel), "btTranscriptAccept");
  m_selectionCountLabel = named(new QLabel(m_buttonPanel), "lbNoOfSelectedItems");
  m_selectionCountLabel->setAlignment(Qt::AlignCenter);
  m_closeButton =
      named(new QPushButton(QStringLiteral("Close"), m_buttonPanel), "btTranscriptClose");
  m_applyButton->setDefault(true);
  auto* panelLayout = new QHBoxLayout(m_buttonPanel);
  panelLayout->setContentsMargins(8, 0, 8, 0);
  panelLayout->addWidget(m_applyButton);
  panelLayout->addWidget(m_selectionCountLabel, 1);
  panelLayout->addWidget(m_closeButton);

  auto* windowLayout = new QVBoxLayout(this);
  windowLayout->setContentsMargins(0, 0, 0, 0);
  windowLayout->setSpacing(0);
  windowLayout->addWidget(m_pages, 1);
  windowLayout->addWidget(m_buttonPanel);

  connect(m_applyButton, &QPushButton::clicked, this,
          &TfrmTranscriptionWizard::btTranscriptAcceptClick);
  connect(m_closeButton, &QPushButton::clicked, this,
          &TfrmTranscriptionWizard::btTranscriptCloseClick);

  FormCreate();
}

void TfrmTranscriptionWizard::FormCreate() {
  m_geneticCodeList->clear();
  for (const char* name : GeneticCodeNames) m_geneticCodeList->addItem(QString::fromUtf8(name));
  m_geneticCodeList->setCurrentIndex(0);
  setWindowTitle(duvanet::gui::ApplicationTitle() + QStringLiteral(" translation wizard"));
}

void TfrmTranscriptionWizard::showEvent(QShowEvent* event) {
  // Centred on the screen the first time, and from then on where it opened then, so the window
  // manager's frame cannot shift it from one opening to the next.
  if (!m_placed) {
    if (const QScreen* shown = screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(shown->availableGeometry().center());
      move(frame.topLeft());
    }
    m_firstPlace = pos();
    m_placed = true;
  } else {
    move(m_firstPlace);
  }
  FormShow();
  QDialog::showEvent(event);
}

void TfrmTranscriptionWizard::FormShow() {
  const auto count = selectedIndexes().size();
  m_selectionCountLabel->setText(QString::number(count) +
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
  const QString page = m_pages->tabText(m_pages->currentIndex());
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
  const TranslationStrands strands = m_bothDirectionsButton->isChecked() ? TranslationStrands::Both
                                     : m_reverseComplementButton->isChecked()
                                         ? TranslationStrands::ReverseComplement
                                         : TranslationStrands::Forward;
  const std::optional<int> offset = m_oneFrameButton->isChecked()
                                        ? std::optional<int>(m_frameOffsetList->currentIndex())
                                        : std::nullopt;
  // The rows are taken before anything is appended, so new entries are never processed.
  duvanet::core::translateRecords(
      m_sequences, selectedIndexes(), duvanet::core::translationFrames(strands, offset),
      m_geneticCodeList->currentIndex(), [this](tSequence&& result) { append(result); });
}

void TfrmTranscriptionWizard::DNAReverseComplements() {
  for (const int index : selectedIndexes()) {
    tSequence sequence;
    if (!m_sequences.GetSequence(index, sequence)) continue;
    // Characters outside the IUPAC table are carried over unchanged.
    append(duvanet::core::reverseComplementRecord(sequence));
  }
}

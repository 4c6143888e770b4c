#include "gui/DotPlotWizard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "chart/ColourGridChart.h"
#include "gui/ApplicationTitle.h"
#include "gui/SequenceListViews.h"
#include "gui/UserPrompts.h"
#include "gui/WindowDefaults.h"

namespace duvanet::gui {

DotPlotChoice dotPlotChoiceFor(const QString& pageCaption, int typeButton, int evaluationButton) {
  const auto evaluation = static_cast<tMatchEvaluation>(std::clamp(evaluationButton, 0, 2));
  const int type = std::clamp(typeButton, 0, 2);
  if (pageCaption == QLatin1String("DNA")) {
    return {static_cast<tDotPlotType>(dptDNAHoriz + type), evaluation};
  }
  if (pageCaption == QLatin1String("Literal")) {
    return {static_cast<tDotPlotType>(dptLiteralHoriz + type), evaluation};
  }
  return {dptIdentity, meHighest};
}

std::optional<Preselection> preselectionFor(const QList<int>& selectedRows, int currentRow) {
  if (selectedRows.isEmpty()) return std::nullopt;
  if (selectedRows.size() == 1) return Preselection{currentRow, currentRow};
  int second = 0;
  for (auto it = selectedRows.crbegin(); it != selectedRows.crend(); ++it) {
    if (*it != currentRow) {
      second = *it;
      break;
    }
  }
  return Preselection{currentRow, second};
}

bool exceedsDotPlotSizeLimit(const tSequence& horizontal, const tSequence& vertical) {
  return horizontal.Data.size() > kDotPlotSizeLimit || vertical.Data.size() > kDotPlotSizeLimit;
}

QString dotPlotSizeQuestion(const QString& applicationTitle) {
  return applicationTitle +
         QStringLiteral(
             " was designed to compare sequences of small and medium sizes below 4000 symbols. "
             "Try to perform anyhow?");
}

MainListAccess MainListAccess::of(const QListWidget* list) {
  MainListAccess access;
  access.selectedRows = [list] { return selectedRowsOf(*list); };
  access.currentRow = [list] { return list->currentRow(); };
  return access;
}

}  // namespace duvanet::gui

using duvanet::gui::DotPlotChoice;

namespace {

QRadioButton* radio(const QString& name, const QString& caption, QWidget* parent,
                    QVBoxLayout* layout) {
  auto* button = new QRadioButton(caption, parent);
  button->setObjectName(name);
  layout->addWidget(button);
  return button;
}

// The selected button among three, counted from 0.
int selectedOf(const QRadioButton* a, const QRadioButton* b, const QRadioButton* c) {
  if (b->isChecked()) return 1;
  if (c->isChecked()) return 2;
  (void)a;
  return 0;
}

}  // namespace

TfrmDotPlotWizard::TfrmDotPlotWizard(tSequenceList& list, duvanet::gui::MainListAccess mainList,
                                     duvanet::gui::UserPrompts* prompts, QWidget* parent)
    : TfrmDotPlotWizard(list, std::move(mainList),
                        duvanet::gui::UiPorts{prompts, nullptr, nullptr, nullptr}, parent) {}

TfrmDotPlotWizard::TfrmDotPlotWizard(tSequenceList& list, duvanet::gui::MainListAccess mainList,
                                     const duvanet::gui::UiPorts& ports, QWidget* parent)
    : QDialog(parent),
      m_list(list),
      m_mainList(std::move(mainList)),
      m_ports(ports),
      m_prompts(ports.prompts) {
  setObjectName(QStringLiteral("frmDotPlotWizard"));
  setModal(true);
  resize(465, 408);
  duvanet::gui::setWindowFont(*this);

  auto* outer = new QVBoxLayout(this);
  // Tight spacing: the designed client area of 465 x 408 pixels holds every control.
  outer->setContentsMargins(6, 4, 6, 6);
  outer->setSpacing(4);

  m_generalGroup = new QGroupBox(QStringLiteral("General dot plot preferences"), this);
  m_generalGroup->setObjectName(QStringLiteral("GroupBox1"));
  auto* general = new QVBoxLayout(m_generalGroup);
  general->setContentsMargins(8, 2, 8, 4);
  general->setSpacing(2);
  general->addWidget(new QLabel(QStringLiteral("Sequence for horizontal axis:"), m_generalGroup));
  m_horizontalList = new QComboBox(m_generalGroup);
  m_horizontalList->setObjectName(QStringLiteral("cobPlotSeq1"));
  general->addWidget(m_horizontalList);
  general->addWidget(new QLabel(QStringLiteral("Sequence for vertical axis:"), m_generalGroup));
  m_verticalList = new QComboBox(m_generalGroup);
  m_verticalList->setObjectName(QStringLiteral("cobPlotSeq2"));
  general->addWidget(m_verticalList);
  auto* caseAndWindow = new QHBoxLayout;
  m_caseInsensitiveBox =
      new QCheckBox(QStringLiteral("Perform case insensitive analysis"), m_generalGroup);
  m_caseInsensitiveBox->setObjectName(QStringLiteral("cbPlotCaseInsensitive"));
  m_caseInsensitiveBox->setChecked(true);
  caseAndWindow->addWidget(m_caseInsensitiveBox);
  caseAndWindow->addStretch();
  caseAndWindow->addWidget(new QLabel(QStringLiteral("Window size"), m_generalGroup));
  m_windowSizeUpDown = new duvanet::widgets::UpDownControl(m_generalGroup);
  m_windowSizeUpDown->setObjectName(QStringLiteral("udDotWindowSize"));
  m_windowSizeUpDown->setRange(1, 1024);
  m_windowSizeUpDown->setValue(12);
  m_windowSizeUpDown->setMinimumWidth(70);
  m_windowSizeEdit = m_windowSizeUpDown->edit();
  m_windowSizeEdit->setObjectName(QStringLiteral("edWindowSize"));
  caseAndWindow->addWidget(m_windowSizeUpDown);
  general->addLayout(caseAndWindow);
  outer->addWidget(m_generalGroup);

  m_typeGroup = new QGroupBox(QStringLiteral("Dot plot type"), this);
  m_typeGroup->setObjectName(QStringLiteral("GroupBox2"));
  auto* typeLayout = new QVBoxLayout(m_typeGroup);
  typeLayout->setContentsMargins(6, 2, 6, 4);
  m_typePages = new QTabWidget(m_typeGroup);
  m_typePages->setObjectName(QStringLiteral("pcDotPlotSelection"));
  typeLayout->addWidget(m_typePages);

  const QString highest = QStringLiteral("Use match count of strand with highest number");
  const QString lowest = QStringLiteral("Use match count of strand with lowest number");
  const QString summed = QStringLiteral("Sum all matches of analysed strands");

  m_dnaPage = new QWidget;
  m_dnaPage->setObjectName(QStringLiteral("TabSheet2"));
  auto* dna = new QVBoxLayout(m_dnaPage);
  dna->setContentsMargins(6, 2, 6, 2);
  dna->setSpacing(0);
  m_dnaHorizontalButton = radio(
      QStringLiteral("rbDotPlotDNARevCompHoriz"),
      QStringLiteral("Include reverse complement of horizontal axis in analysis"), m_dnaPage, dna);
  m_dnaVerticalButton = radio(
      QStringLiteral("rbDotPlotDNARevCompVerti"),
      QStringLiteral("Include reverse complement of vertical axis in analysis"), m_dnaPage, dna);
  m_dnaBothButton =
      radio(QStringLiteral("rbDotPlotDNARevCompBoth"),
            QStringLiteral("Include reverse complement of both axes in analysis"), m_dnaPage, dna);
  m_dnaHorizontalButton->setChecked(true);
  m_dnaEvaluationGroup = new QGroupBox(QStringLiteral("Evaluation of matching scores"), m_dnaPage);
  m_dnaEvaluationGroup->setObjectName(QStringLiteral("GroupBox4"));
  auto* dnaEval = new QVBoxLayout(m_dnaEvaluationGroup);
  dnaEval->setContentsMargins(6, 2, 6, 2);
  dnaEval->setSpacing(0);
  m_dnaHighestButton =
      radio(QStringLiteral("rbDNAStrandHighestCount"), highest, m_dnaEvaluationGroup, dnaEval);
  m_dnaLowestButton =
      radio(QStringLiteral("rbDNAStrandLowestCount"), lowest, m_dnaEvaluationGroup, dnaEval);
  m_dnaSummedButton =
      radio(QStringLiteral("rbDNAStrandSummedCount"), summed, m_dnaEvaluationGroup, dnaEval);
  m_dnaHighestButton->setChecked(true);
  dna->addWidget(m_dnaEvaluationGroup);
  dna->addStretch();

  m_identityPage = new QWidget;
  m_identityPage->setObjectName(QStringLiteral("TabSheet3"));
  auto* identity = new QVBoxLayout(m_identityPage);
  identity->setContentsMargins(6, 2, 6, 2);
  identity->setSpacing(0);
  m_identityButton = radio(QStringLiteral("RadioButton1"), QStringLiteral("Identity dot plot"),
                           m_identityPage, identity);
  m_identityButton->setChecked(true);
  identity->addStretch();

  m_literalPage = new QWidget;
  m_literalPage->setObjectName(QStringLiteral("TabSheet1"));
  auto* literal = new QVBoxLayout(m_literalPage);
  literal->setContentsMargins(6, 2, 6, 2);
  literal->setSpacing(0);
  m_literalHorizontalButton =
      radio(QStringLiteral("rbDotPlotLitRevCompHoriz"),
            QStringLiteral("Include reverted sequence of the horizontal axis in analysis"),
            m_literalPage, literal);
  m_literalVerticalButton =
      radio(QStringLiteral("rbDotPlotLitRevCompVerti"),
            QStringLiteral("Include reverted sequence of the vertical axis in analysis"),
            m_literalPage, literal);
  m_literalBothButton = radio(QStringLiteral("rbDotPlotLitRevCompBoth"),
                              QStringLiteral("Include reverted sequence of both axes in analysis "),
                              m_literalPage, literal);
  m_literalHorizontalButton->setChecked(true);
  m_literalEvaluationGroup =
      new QGroupBox(QStringLiteral("Evaluation of matching scores"), m_literalPage);
  m_literalEvaluationGroup->setObjectName(QStringLiteral("GroupBox3"));
  auto* litEval = new QVBoxLayout(m_literalEvaluationGroup);
  litEval->setContentsMargins(6, 2, 6, 2);
  litEval->setSpacing(0);
  m_literalHighestButton =
      radio(QStringLiteral("rbLitStrandHighestCount"), highest, m_literalEvaluationGroup, litEval);
  m_literalLowestButton =
      radio(QStringLiteral("rbLitStrandLowestCount"), lowest, m_literalEvaluationGroup, litEval);
  m_literalSummedButton =
      radio(QStringLiteral("rbLitStrandSummedCount"), summed, m_literalEvaluationGroup, litEval);
  m_literalHighestButton->setChecked(true);
  literal->addWidget(m_literalEvaluationGroup);
  literal->addStretch();

  m_typePages->addTab(m_dnaPage, QStringLiteral("DNA"));
  m_typePages->addTab(m_identityPage, QStringLiteral("Identity"));
  m_typePages->addTab(m_literalPage, QStringLiteral("Literal"));
  m_typePages->setCurrentWidget(m_dnaPage);
  outer->addWidget(m_typeGroup, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  m_createButton = new QPushButton(QStringLiteral("Create dot plot"), this);
  m_createButton->setObjectName(QStringLiteral("btDotPlotWizCreate"));
  m_createButton->setDefault(true);
  m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
  m_cancelButton->setObjectName(QStringLiteral("btDotPlotWizCancel"));
  buttons->addWidget(m_createButton);
  buttons->addWidget(m_cancelButton);
  outer->addLayout(buttons);

  connect(m_createButton, &QPushButton::clicked, this, &TfrmDotPlotWizard::btDotPlotWizCreateClick);
  connect(m_cancelButton, &QPushButton::clicked, this, &TfrmDotPlotWizard::btDotPlotWizCancelClick);

  m_prepare = [](TfrmDotPlot& window, tDotPlotType type, const tSequence& horizontal,
                 const tSequence& vertical, bool caseInsensitive, int windowSize,
                 tMatchEvaluation evaluation) {
    return window.PrepareDotPlot(type, horizontal, vertical, caseInsensitive, windowSize,
                                 evaluation);
  };
}

DotPlotChoice TfrmDotPlotWizard::currentChoice() const {
  const QString page = m_typePages->tabText(m_typePages->currentIndex());
  if (page == QLatin1String("DNA")) {
    return duvanet::gui::dotPlotChoiceFor(
        page, selectedOf(m_dnaHorizontalButton, m_dnaVerticalButton, m_dnaBothButton),
        selectedOf(m_dnaHighestButton, m_dnaLowestButton, m_dnaSummedButton));
  }
  if (page == QLatin1String("Literal")) {
    return duvanet::gui::dotPlotChoiceFor(
        page, selectedOf(m_literalHorizontalButton, m_literalVerticalButton, m_literalBothButton),
        selectedOf(m_literalHighestButton, m_literalLowestButton, m_literalSummedButton));
  }
  return duvanet::gui::dotPlotChoiceFor(page, 0, 0);
}

void TfrmDotPlotWizard::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmDotPlotWizard::FormShow() {
  FillComboBox(m_list, *m_horizontalList);
  FillComboBox(m_list, *m_verticalList);
  const QList<int> selected = m_mainList.selectedRows ? m_mainList.selectedRows() : QList<int>{};
  const int current = m_mainList.currentRow ? m_mainList.currentRow() : -1;
  if (const auto pick = duvanet::gui::preselectionFor(selected, current)) {
    m_horizontalList->setCurrentIndex(pick->horizontal);
    m_verticalList->setCurrentIndex(pick->vertical);
  }
  setWindowTitle(duvanet::gui::ApplicationTitle() + QStringLiteral(" dot plot wizard"));
}

void TfrmDotPlotWizard::btDotPlotWizCreateClick() {
  tSequence horizontal;
  tSequence vertical;
  if (!m_list.GetSequence(m_horizontalList->currentIndex(), horizontal)) horizontal = tSequence{};
  if (!m_list.GetSequence(m_verticalList->currentIndex(), vertical)) vertical = tSequence{};
  const bool caseInsensitive = m_caseInsensitiveBox->isChecked();
  const int windowSize = m_windowSizeUpDown->value();
  const DotPlotChoice choice = currentChoice();

  if (duvanet::gui::exceedsDotPlotSizeLimit(horizontal, vertical) && m_prompts &&
      !m_prompts->question(this, duvanet::gui::UserPrompts::Kind::Information,
                           duvanet::gui::dotPlotSizeQuestion(duvanet::gui::ApplicationTitle()),
                           false)) {
    return;
  }

  auto* window = new TfrmDotPlot(this, m_ports);
  window->setFeatures(m_list.Features(m_horizontalList->currentIndex()),
                      m_list.Features(m_verticalList->currentIndex()));
  try {
    const auto outcome = m_prepare(*window, choice.type, horizontal, vertical, caseInsensitive,
                                   windowSize, choice.evaluation);
    if (outcome == TfrmDotPlot::PrepareOutcome::Cancelled) {
      // The user stopped the computation: back to the wizard as it was.
      delete window;
      return;
    }
    window->show();
    m_lastDotPlot = window;
    emit dotPlotShown(window);
  } catch (...) {
    delete window;
  }
  close();
}

void TfrmDotPlotWizard::btDotPlotWizCancelClick() { close(); }

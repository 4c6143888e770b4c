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
                                     UserPrompts* prompts, QWidget* parent)
    : QDialog(parent), m_list(list), m_mainList(std::move(mainList)), m_prompts(prompts) {
  setObjectName(QStringLiteral("frmDotPlotWizard"));
  setModal(true);
  resize(465, 408);
  duvanet::gui::setWindowFont(*this);

  auto* outer = new QVBoxLayout(this);

  GroupBox1 = new QGroupBox(QStringLiteral("General dot plot preferences"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  auto* general = new QVBoxLayout(GroupBox1);
  general->addWidget(new QLabel(QStringLiteral("Sequence for horizontal axis:"), GroupBox1));
  cobPlotSeq1 = new QComboBox(GroupBox1);
  cobPlotSeq1->setObjectName(QStringLiteral("cobPlotSeq1"));
  general->addWidget(cobPlotSeq1);
  general->addWidget(new QLabel(QStringLiteral("Sequence for vertical axis:"), GroupBox1));
  cobPlotSeq2 = new QComboBox(GroupBox1);
  cobPlotSeq2->setObjectName(QStringLiteral("cobPlotSeq2"));
  general->addWidget(cobPlotSeq2);
  auto* caseAndWindow = new QHBoxLayout;
  cbPlotCaseInsensitive =
      new QCheckBox(QStringLiteral("Perform case insensitive analysis"), GroupBox1);
  cbPlotCaseInsensitive->setObjectName(QStringLiteral("cbPlotCaseInsensitive"));
  cbPlotCaseInsensitive->setChecked(true);
  caseAndWindow->addWidget(cbPlotCaseInsensitive);
  caseAndWindow->addStretch();
  caseAndWindow->addWidget(new QLabel(QStringLiteral("Window size"), GroupBox1));
  udDotWindowSize = new UpDownControl(GroupBox1);
  udDotWindowSize->setObjectName(QStringLiteral("udDotWindowSize"));
  udDotWindowSize->setRange(1, 1024);
  udDotWindowSize->setValue(12);
  udDotWindowSize->setMinimumWidth(70);
  edWindowSize = udDotWindowSize->edit();
  edWindowSize->setObjectName(QStringLiteral("edWindowSize"));
  caseAndWindow->addWidget(udDotWindowSize);
  general->addLayout(caseAndWindow);
  outer->addWidget(GroupBox1);

  GroupBox2 = new QGroupBox(QStringLiteral("Dot plot type"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  auto* typeLayout = new QVBoxLayout(GroupBox2);
  pcDotPlotSelection = new QTabWidget(GroupBox2);
  pcDotPlotSelection->setObjectName(QStringLiteral("pcDotPlotSelection"));
  typeLayout->addWidget(pcDotPlotSelection);

  const QString highest = QStringLiteral("Use match count of strand with highest number");
  const QString lowest = QStringLiteral("Use match count of strand with lowest number");
  const QString summed = QStringLiteral("Sum all matches of analysed strands");

  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  auto* dna = new QVBoxLayout(TabSheet2);
  rbDotPlotDNARevCompHoriz = radio(
      QStringLiteral("rbDotPlotDNARevCompHoriz"),
      QStringLiteral("Include reverse complement of horizontal axis in analysis"), TabSheet2, dna);
  rbDotPlotDNARevCompVerti = radio(
      QStringLiteral("rbDotPlotDNARevCompVerti"),
      QStringLiteral("Include reverse complement of vertical axis in analysis"), TabSheet2, dna);
  rbDotPlotDNARevCompBoth =
      radio(QStringLiteral("rbDotPlotDNARevCompBoth"),
            QStringLiteral("Include reverse complement of both axes in analysis"), TabSheet2, dna);
  rbDotPlotDNARevCompHoriz->setChecked(true);
  GroupBox4 = new QGroupBox(QStringLiteral("Evaluation of matching scores"), TabSheet2);
  GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
  auto* dnaEval = new QVBoxLayout(GroupBox4);
  rbDNAStrandHighestCount =
      radio(QStringLiteral("rbDNAStrandHighestCount"), highest, GroupBox4, dnaEval);
  rbDNAStrandLowestCount =
      radio(QStringLiteral("rbDNAStrandLowestCount"), lowest, GroupBox4, dnaEval);
  rbDNAStrandSummedCount =
      radio(QStringLiteral("rbDNAStrandSummedCount"), summed, GroupBox4, dnaEval);
  rbDNAStrandHighestCount->setChecked(true);
  dna->addWidget(GroupBox4);
  dna->addStretch();

  TabSheet3 = new QWidget;
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  auto* identity = new QVBoxLayout(TabSheet3);
  RadioButton1 = radio(QStringLiteral("RadioButton1"), QStringLiteral("Identity dot plot"),
                       TabSheet3, identity);
  RadioButton1->setChecked(true);
  identity->addStretch();

  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  auto* literal = new QVBoxLayout(TabSheet1);
  rbDotPlotLitRevCompHoriz =
      radio(QStringLiteral("rbDotPlotLitRevCompHoriz"),
            QStringLiteral("Include reverted sequence of the horizontal axis in analysis"),
            TabSheet1, literal);
  rbDotPlotLitRevCompVerti =
      radio(QStringLiteral("rbDotPlotLitRevCompVerti"),
            QStringLiteral("Include reverted sequence of the vertical axis in analysis"), TabSheet1,
            literal);
  rbDotPlotLitRevCompBoth = radio(
      QStringLiteral("rbDotPlotLitRevCompBoth"),
      QStringLiteral("Include reverted sequence of both axes in analysis "), TabSheet1, literal);
  rbDotPlotLitRevCompHoriz->setChecked(true);
  GroupBox3 = new QGroupBox(QStringLiteral("Evaluation of matching scores"), TabSheet1);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  auto* litEval = new QVBoxLayout(GroupBox3);
  rbLitStrandHighestCount =
      radio(QStringLiteral("rbLitStrandHighestCount"), highest, GroupBox3, litEval);
  rbLitStrandLowestCount =
      radio(QStringLiteral("rbLitStrandLowestCount"), lowest, GroupBox3, litEval);
  rbLitStrandSummedCount =
      radio(QStringLiteral("rbLitStrandSummedCount"), summed, GroupBox3, litEval);
  rbLitStrandHighestCount->setChecked(true);
  literal->addWidget(GroupBox3);
  literal->addStretch();

  pcDotPlotSelection->addTab(TabSheet2, QStringLiteral("DNA"));
  pcDotPlotSelection->addTab(TabSheet3, QStringLiteral("Identity"));
  pcDotPlotSelection->addTab(TabSheet1, QStringLiteral("Literal"));
  pcDotPlotSelection->setCurrentWidget(TabSheet2);
  outer->addWidget(GroupBox2, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  btDotPlotWizCreate = new QPushButton(QStringLiteral("Create dot plot"), this);
  btDotPlotWizCreate->setObjectName(QStringLiteral("btDotPlotWizCreate"));
  btDotPlotWizCreate->setDefault(true);
  btDotPlotWizCancel = new QPushButton(QStringLiteral("Cancel"), this);
  btDotPlotWizCancel->setObjectName(QStringLiteral("btDotPlotWizCancel"));
  buttons->addWidget(btDotPlotWizCreate);
  buttons->addWidget(btDotPlotWizCancel);
  outer->addLayout(buttons);

  connect(btDotPlotWizCreate, &QPushButton::clicked, this,
          &TfrmDotPlotWizard::btDotPlotWizCreateClick);
  connect(btDotPlotWizCancel, &QPushButton::clicked, this,
          &TfrmDotPlotWizard::btDotPlotWizCancelClick);

  m_prepare = [](TfrmDotPlot& window, tDotPlotType type, const tSequence& horizontal,
                 const tSequence& vertical, bool caseInsensitive, int windowSize,
                 tMatchEvaluation evaluation) {
    return window.PrepareDotPlot(type, horizontal, vertical, caseInsensitive, windowSize,
                                 evaluation);
  };
}

DotPlotChoice TfrmDotPlotWizard::currentChoice() const {
  const QString page = pcDotPlotSelection->tabText(pcDotPlotSelection->currentIndex());
  if (page == QLatin1String("DNA")) {
    return duvanet::gui::dotPlotChoiceFor(
        page,
        selectedOf(rbDotPlotDNARevCompHoriz, rbDotPlotDNARevCompVerti, rbDotPlotDNARevCompBoth),
        selectedOf(rbDNAStrandHighestCount, rbDNAStrandLowestCount, rbDNAStrandSummedCount));
  }
  if (page == QLatin1String("Literal")) {
    return duvanet::gui::dotPlotChoiceFor(
        page,
        selectedOf(rbDotPlotLitRevCompHoriz, rbDotPlotLitRevCompVerti, rbDotPlotLitRevCompBoth),
        selectedOf(rbLitStrandHighestCount, rbLitStrandLowestCount, rbLitStrandSummedCount));
  }
  return duvanet::gui::dotPlotChoiceFor(page, 0, 0);
}

void TfrmDotPlotWizard::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmDotPlotWizard::FormShow() {
  FillComboBox(m_list, *cobPlotSeq1);
  FillComboBox(m_list, *cobPlotSeq2);
  const QList<int> selected = m_mainList.selectedRows ? m_mainList.selectedRows() : QList<int>{};
  const int current = m_mainList.currentRow ? m_mainList.currentRow() : -1;
  if (const auto pick = duvanet::gui::preselectionFor(selected, current)) {
    cobPlotSeq1->setCurrentIndex(pick->horizontal);
    cobPlotSeq2->setCurrentIndex(pick->vertical);
  }
  setWindowTitle(ApplicationTitle() + QStringLiteral(" dot plot wizard"));
}

void TfrmDotPlotWizard::btDotPlotWizCreateClick() {
  tSequence horizontal;
  tSequence vertical;
  if (!m_list.GetSequence(cobPlotSeq1->currentIndex(), horizontal)) horizontal = tSequence{};
  if (!m_list.GetSequence(cobPlotSeq2->currentIndex(), vertical)) vertical = tSequence{};
  const bool caseInsensitive = cbPlotCaseInsensitive->isChecked();
  const int windowSize = udDotWindowSize->value();
  const DotPlotChoice choice = currentChoice();

  if (duvanet::gui::exceedsDotPlotSizeLimit(horizontal, vertical) && m_prompts &&
      !m_prompts->question(this, UserPrompts::Kind::Information,
                           duvanet::gui::dotPlotSizeQuestion(ApplicationTitle()), false)) {
    return;
  }

  auto* window = new TfrmDotPlot(this, m_prompts);
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
    window->chartDotPlot->removeAllSeries();
    delete window;
  }
  close();
}

void TfrmDotPlotWizard::btDotPlotWizCancelClick() { close(); }

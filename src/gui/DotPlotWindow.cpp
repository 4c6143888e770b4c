#include "gui/DotPlotWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include "chart/ChartEditor.h"
#include "chart/ChartExport.h"
#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"
#include "core/DotPlotPreparation.h"
#include "engine/DotPlotEngine.h"
#include "engine/FloorPlan.h"
#include "engine/Palette.h"
#include "gui/ApplicationTitle.h"
#include "gui/DotPlotTracks.h"
#include "gui/InformationLine.h"
#include "gui/UserPrompts.h"
#include "gui/WindowDefaults.h"
#include "widgets/DoubleSlider.h"

using duvanet::chart::ChartAxis;
using duvanet::chart::ColourGridChart;
using duvanet::gui::SequenceStripInput;
using duvanet::gui::SequenceStripPicture;

namespace {

const QString kStripFontFamily = QStringLiteral("Courier New");
constexpr int kStripFontPoints = 9;

QFont stripFont() {
  QFont font(kStripFontFamily, kStripFontPoints, QFont::Bold);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

int truncatedIndex(double value) {
  const double t = std::trunc(value);
  if (!(t > std::numeric_limits<int>::min() + 2.0)) return std::numeric_limits<int>::min() + 2;
  if (t > std::numeric_limits<int>::max() - 2.0) return std::numeric_limits<int>::max() - 2;
  return static_cast<int>(t) - 1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

duvanet::gui::SequenceDisplayBox::SequenceDisplayBox(TfrmDotPlot* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {}

void duvanet::gui::SequenceDisplayBox::showPicture(SequenceStripPicture picture) {
  m_picture = std::move(picture);
  m_requested = true;
  update();
}

void duvanet::gui::SequenceDisplayBox::paintEvent(QPaintEvent*) {
  if (!m_requested) {
    // A repaint nobody asked for shows the cell at positions 1 and 1.
    m_owner->imgSequenceDisplayPaint();
  }
  m_requested = false;
  if (!m_picture || !m_picture->drawn) return;
  const SequenceStripPicture& pic = *m_picture;
  QPainter painter(this);
  const QFont font = stripFont();
  painter.setFont(font);
  const QFontMetrics metrics(font, this);
  painter.fillRect(pic.clearRect, pic.background);
  for (const auto& text : pic.texts) {
    if (text.text.isEmpty()) continue;
    painter.fillRect(QRect(text.x, text.y, metrics.horizontalAdvance(text.text), metrics.height()),
                     text.background);
    painter.setPen(text.colour);
    painter.drawText(text.x, text.y + metrics.ascent(), text.text);
  }
  painter.setPen(QPen(Qt::black, 0));
  for (const auto& line : pic.lines) painter.drawLine(line.from, line.to);
}

// ---------------------------------------------------------------------------------------------

TfrmDotPlot::TfrmDotPlot(QWidget* owner, duvanet::gui::UserPrompts* prompts)
    : TfrmDotPlot(owner, duvanet::gui::UiPorts{prompts, nullptr, nullptr, nullptr}) {}

TfrmDotPlot::TfrmDotPlot(QWidget* owner, const duvanet::gui::UiPorts& ports)
    : QWidget(owner, Qt::Window),
      m_prompts(ports.prompts),
      m_fileDialogs(ports.fileDialogs ? ports.fileDialogs : &m_ownFileDialogs),
      m_fontDialogs(ports.fontDialogs ? ports.fontDialogs : &m_ownFontDialogs) {
  setObjectName(QStringLiteral("frmDotPlot"));
  setWindowTitle(QStringLiteral("Dot plot"));
  duvanet::gui::setWindowFont(*this);
  setMinimumSize(350, 350);
  resize(642, 616);
  // Several plots are often open at once: each new one steps aside from those already shown.
  duvanet::gui::cascadeAmongItsKind(*this, QPoint(589, 160));
  buildLayout();
  measureFont();
}

TfrmDotPlot::~TfrmDotPlot() {
  // A search for hits reads the strands, which go before the child objects do.
  stopHitSearch();
}

void TfrmDotPlot::buildLayout() {
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  m_plotPanel = new QFrame(this);
  m_plotPanel->setObjectName(QStringLiteral("Panel2"));
  auto* left = new QVBoxLayout(m_plotPanel);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  m_chart = new ColourGridChart(m_plotPanel);
  m_chart->setObjectName(QStringLiteral("chartDotPlot"));
  left->addWidget(m_chart, 1);
  m_stripPanel = new QFrame(m_plotPanel);
  m_stripPanel->setObjectName(QStringLiteral("Panel4"));
  m_stripPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // The strip keeps its height; the panel grows when the information line needs more lines.
  m_stripPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* strip = new QVBoxLayout(m_stripPanel);
  strip->setContentsMargins(2, 2, 2, 2);
  strip->setSpacing(0);
  m_stripBox = new duvanet::gui::SequenceDisplayBox(this, m_stripPanel);
  m_stripBox->setObjectName(QStringLiteral("imgSequenceDisplay"));
  m_stripBox->setFixedHeight(141);
  strip->addWidget(m_stripBox);
  m_infoLine = new duvanet::gui::InformationLine(QStringLiteral("panInfoDot"), m_stripPanel);
  m_infoLine->setObjectName(QStringLiteral("panInfoDot"));
  strip->addWidget(m_infoLine);
  m_floorPanel = new QFrame(m_stripPanel);
  m_floorPanel->setObjectName(QStringLiteral("panFloor"));
  auto* floorRow = new QHBoxLayout(m_floorPanel);
  floorRow->setContentsMargins(0, 1, 0, 0);
  floorRow->setSpacing(4);
  m_floorNote = new QLabel(m_floorPanel);
  m_floorNote->setObjectName(QStringLiteral("lbFloorNote"));
  m_floorNote->setAlignment(Qt::AlignCenter);
  floorRow->addWidget(m_floorNote, 1);
  m_cancelRecompute = new QPushButton(QStringLiteral("Cancel"), m_floorPanel);
  m_cancelRecompute->setObjectName(QStringLiteral("btCancelRecompute"));
  m_cancelRecompute->setFixedHeight(18);
  floorRow->addWidget(m_cancelRecompute);
  m_floorPanel->hide();
  strip->addWidget(m_floorPanel);
  left->addWidget(m_stripPanel);
  // The Hits pane opens beside the chart, in a splitter the user can drag.
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("hitsSplitter"));
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(m_plotPanel);
  outer->addWidget(splitter, 1);

  // The commands' panel scrolls when the window is too low to show it whole, so that every
  // control stays reachable; the scroll bar comes beside the panel, which keeps its width.
  m_controlScroller = new QScrollArea(this);
  m_controlScroller->setObjectName(QStringLiteral("scrPanel1"));
  m_controlScroller->setFrameShape(QFrame::NoFrame);
  m_controlScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_controlScroller->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_controlScroller->setWidgetResizable(true);
  m_controlScroller->setFixedWidth(kControlPanelWidth);
  connect(m_controlScroller->verticalScrollBar(), &QScrollBar::rangeChanged, this,
          [this](int, int maximum) {
            const int bar =
                maximum > 0 ? m_controlScroller->verticalScrollBar()->sizeHint().width() : 0;
            m_controlScroller->setFixedWidth(kControlPanelWidth + bar);
          });
  m_controlPanel = new QFrame(m_controlScroller);
  m_controlPanel->setObjectName(QStringLiteral("Panel1"));
  m_controlPanel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  m_controlPanel->setLineWidth(2);
  m_controlPanel->setFixedWidth(kControlPanelWidth);
  m_controlPanel->setMinimumHeight(kControlPanelHeight);
  outer->addWidget(m_controlScroller);

  m_chartGroup = new QGroupBox(QStringLiteral("Chart"), m_controlPanel);
  m_chartGroup->setObjectName(QStringLiteral("GroupBox3"));
  m_chartGroup->setGeometry(9, 8, 141, 201);
  auto button = [this](const QString& name, const QString& caption, int top) {
    auto* b = new QPushButton(caption, m_chartGroup);
    b->setObjectName(name);
    b->setGeometry(6, top, 129, 25);
    return b;
  };
  m_saveButton = button(QStringLiteral("btPlotSave"), QStringLiteral("Save"), 17);
  m_printButton = button(QStringLiteral("btPlotPrint"), QStringLiteral("Print"), 44);
  m_legendButton =
      button(QStringLiteral("btPlotLegend"), QStringLiteral("Toggle legend visibility"), 75);
  m_invertVerticalButton =
      button(QStringLiteral("btPlotInvAxisVert"), QStringLiteral("Invert vertically"), 106);
  m_invertHorizontalButton =
      button(QStringLiteral("btPlotInvAxisHoriz"), QStringLiteral("Invert horizontally"), 133);
  m_customiseButton = button(QStringLiteral("btCustomise"), QStringLiteral("Customise"), 164);

  m_coloursGroup = new QGroupBox(QStringLiteral("Colours"), m_controlPanel);
  m_coloursGroup->setObjectName(QStringLiteral("GroupBox1"));
  m_coloursGroup->setGeometry(6, 215, 141, 172);
  auto colourButton = [this](const QString& name, const QString& caption, int x, int y) {
    auto* b = new QRadioButton(caption, m_coloursGroup);
    b->setObjectName(name);
    b->setGeometry(x, y, 62, 17);
    return b;
  };
  m_redButton = colourButton(QStringLiteral("rbRedChart"), QStringLiteral("Red"), 8, 16);
  m_greenButton = colourButton(QStringLiteral("rbGreenChart"), QStringLiteral("Green"), 72, 16);
  m_blueButton = colourButton(QStringLiteral("rbBlueChart"), QStringLiteral("Blue"), 8, 33);
  m_greyButton = colourButton(QStringLiteral("rbGreyChart"), QStringLiteral("Grey"), 72, 33);
  m_greyButton->setChecked(true);
  m_colourBar = new duvanet::chart::ColourBarBox(m_coloursGroup);
  m_colourBar->setObjectName(QStringLiteral("pbColorBar"));
  m_colourBar->setGeometry(3, 52, 134, 40);
  m_colourRangeSlider = new TDblSlider(m_coloursGroup);
  m_colourRangeSlider->setObjectName(QStringLiteral("dblslColor"));
  m_colourRangeSlider->setGeometry(6, 94, 129, 38);
  m_colourRangeSlider->setBevel(dblLowered);
  m_colourRangeSlider->setMin(0);
  m_colourRangeSlider->setMax(1);
  m_colourRangeSlider->setFrequency(5);
  m_colourRangeSlider->setIndicator(dblPos1Pos2);
  m_colourRangeSlider->setScale(false);
  m_colourRangeSlider->setPositionDsp(false);
  m_colourRangeSlider->setPosition1(0);
  m_colourRangeSlider->setPosition2(1);
  m_highlightButton = new QPushButton(QStringLiteral("Highlight level:"), m_coloursGroup);
  m_highlightButton->setObjectName(QStringLiteral("btHighlightColour"));
  m_highlightButton->setCheckable(true);
  m_highlightButton->setGeometry(6, 138, 84, 25);
  m_highlightLevel = new duvanet::widgets::UpDownControl(m_coloursGroup);
  m_highlightLevel->setRange(0, 0);
  m_highlightLevel->setObjectName(QStringLiteral("udHighlightColour"));
  m_highlightLevel->setGeometry(92, 139, 44, 23);
  m_highlightLevelEdit = m_highlightLevel->edit();
  m_highlightLevelEdit->setObjectName(QStringLiteral("Edit1"));
  m_highlightLevelEdit->setText(QStringLiteral("0"));

  m_sequenceTrackingBox = new QCheckBox(QStringLiteral("Sequence tracking"), m_controlPanel);
  m_sequenceTrackingBox->setObjectName(QStringLiteral("cbMouseSequenceTracking"));
  m_sequenceTrackingBox->setGeometry(20, 393, 121, 17);
  m_sequenceTrackingBox->setChecked(true);
  m_tracksBox = new QCheckBox(QStringLiteral("Tracks"), m_controlPanel);
  m_tracksBox->setObjectName(QStringLiteral("cbTracks"));
  m_tracksBox->setGeometry(20, 414, 121, 17);

  // Chart design settings: no title, bold axis labels, rows growing downwards.
  m_chart->setTitle(QStringLiteral("Dot plot"));
  m_chart->setTitleVisible(false);
  m_chart->setLegendVisible(true);
  for (const ChartAxis axis : {ChartAxis::Top, ChartAxis::Left}) {
    auto settings = m_chart->axis(axis);
    settings.increment = 1;
    QFont labels = settings.labelFont;
    labels.setBold(true);
    labels.setPixelSize(13);
    settings.labelFont = labels;
    settings.inverted = axis == ChartAxis::Left;
    m_chart->setAxis(axis, settings);
  }

  m_colourScale = std::make_unique<duvanet::chart::ColourScale>(m_chart, m_colourBar);
  m_colourScale->setControlSource([this] { return colourControls(); });

  connect(m_saveButton, &QPushButton::clicked, this, &TfrmDotPlot::btPlotSaveClick);
  connect(m_printButton, &QPushButton::clicked, this, &TfrmDotPlot::btPlotPrintClick);
  connect(m_legendButton, &QPushButton::clicked, this, &TfrmDotPlot::btPlotLegendClick);
  connect(m_invertVerticalButton, &QPushButton::clicked, this,
          &TfrmDotPlot::btPlotInvAxisVertClick);
  connect(m_invertHorizontalButton, &QPushButton::clicked, this,
          &TfrmDotPlot::btPlotInvAxisHorizClick);
  connect(m_customiseButton, &QPushButton::clicked, this, &TfrmDotPlot::btCustomiseClick);
  for (QRadioButton* rb : {m_redButton, m_greenButton, m_blueButton, m_greyButton}) {
    connect(rb, &QRadioButton::clicked, this, &TfrmDotPlot::rbGreyChartClick);
  }
  connect(m_highlightButton, &QPushButton::clicked, this, &TfrmDotPlot::btHighlightColourClick);
  connect(m_highlightLevel, &duvanet::widgets::UpDownControl::arrowClicked, this,
          &TfrmDotPlot::udHighlightColourClick);
  connect(m_colourRangeSlider, &TDblSlider::posChange, this, &TfrmDotPlot::dblslColorPosChange);
  connect(m_cancelRecompute, &QPushButton::clicked, this, &TfrmDotPlot::btCancelRecomputeClick);
  using duvanet::core::DotPlotComputation;
  connect(&m_floorComputation, &DotPlotComputation::finished, this,
          [this](quint64 id, const duvanet::engine::DotPlotComputeResult& result) {
            if (id == m_floorJob) recomputationFinished(result);
          });
  connect(&m_floorComputation, &DotPlotComputation::progressed, this,
          [this](quint64 id, double fraction) {
            if (id != m_floorJob) return;
            m_recomputeFraction = fraction;
            showFloorNote();
          });
  // Cancelled, or memory ran out: the old picture stays.
  const auto ended = [this](quint64 id) {
    if (id != m_floorJob) return;
    m_floorJob = 0;
    showFloorNote();
  };
  connect(&m_floorComputation, &DotPlotComputation::cancelled, this, ended);
  connect(&m_floorComputation, &DotPlotComputation::failed, this,
          [ended](quint64 id, const QString&, std::exception_ptr) { ended(id); });
  connect(m_chart, &ColourGridChart::afterDraw, this, &TfrmDotPlot::chartDotPlotAfterDraw);
  connect(m_chart, &ColourGridChart::mouseMoved, this, &TfrmDotPlot::chartDotPlotMouseMove);
  connect(m_chart, &ColourGridChart::mousePressed, this, &TfrmDotPlot::chartDotPlotMouseDown);
  buildHitControls(splitter);
  m_controlScroller->setWidget(m_controlPanel);
  // After the window's own handlers, so that a feature's description wins the information line.
  m_tracks = new duvanet::gui::DotPlotTracks(m_chart, m_infoLine, m_tracksBox, this);
}

void TfrmDotPlot::setFeatures(std::shared_ptr<const duvanet::core::FeatureTable> horizontal,
                              std::shared_ptr<const duvanet::core::FeatureTable> vertical) {
  m_tracks->setFeatures(std::move(horizontal), std::move(vertical));
}

void TfrmDotPlot::measureFont() {
  const QFont font = stripFont();
  const QFontMetrics metrics(font, m_stripBox);
  int widest = 0;
  for (char16_t c = 0x20; c <= 0xFF; ++c) {
    widest = std::max(widest, metrics.horizontalAdvance(QString(QChar(c))));
  }
  m_charWidth = widest + 1;
  m_lineHeight = std::abs(QFontInfo(font).pixelSize()) + 2;
}

QString TfrmDotPlot::requestCaption() const {
  return duvanet::gui::ApplicationTitle() + duvanet::core::dotPlotCaptionSuffix(m_plot.PlotType);
}

TfrmDotPlot::PrepareOutcome TfrmDotPlot::PrepareDotPlot(tDotPlotType plotType, tSequence HorizSeq,
                                                        tSequence VertiSeq, bool CaseInsensitive,
                                                        int windowSize,
                                                        tMatchEvaluation evaluation) {
  m_plot = duvanet::core::prepareDotPlot(plotType, std::move(HorizSeq), std::move(VertiSeq),
                                         CaseInsensitive, windowSize, evaluation);
  m_chart->setAxisTitle(ChartAxis::Top, m_plot.SeqHoriz.Name);
  m_chart->setAxisTitle(ChartAxis::Left, m_plot.SeqVerti.Name);
  m_prepared = true;
  setWindowTitle(requestCaption());

  for (const QString& warning : m_plot.warnings) {
    if (m_prompts) m_prompts->warning(this, warning);
  }

  // The computation reads a copy that shares the window's texts, so that closing the window
  // while it runs frees nothing under it.
  const auto owner = std::make_shared<const duvanet::core::PreparedDotPlot>(m_plot);
  m_computedPlot = owner;
  duvanet::engine::DotPlotComputeRequest request = plotRequest();
  // A plot too large to compute in full within a few seconds opens with the highest floor that
  // shows something, the full matches at most: the seeded path then counts only a few windows.
  const auto lh = static_cast<double>(m_plot.SeqHoriz.Data.size());
  const auto lv = static_cast<double>(m_plot.SeqVerti.Data.size());
  const int w = m_plot.WindowSize;
  if (w > 1 && lh >= w && lv >= w &&
      duvanet::engine::estimatedSweepSeconds((lh - w + 1) * (lv - w + 1),
                                             duvanet::engine::strandSetOf(m_plot.PlotType),
                                             0) > m_fullComputationSeconds) {
    request.floor = w - 1;
    request.lowerFloorUntilShown = true;
  }
  Computed computed = computeWithProgress(request, owner);
  if (computed.end == Computed::End::Failed) std::rethrow_exception(computed.failure);
  if (computed.end == Computed::End::Cancelled) return PrepareOutcome::Cancelled;

  duvanet::engine::DotPlotComputeResult& result = computed.result;
  if (result.isFilled()) {
    m_floor = result.floor;
    const bool exact = result.grid.isExact();
    m_chart->setGrid(std::move(result.grid));
    if (!exact) m_chart->setRegionProvider(regionProvider());
  }
  for (const QString& message : duvanet::core::dotPlotErrorMessages(m_plot.PlotType, result)) {
    if (m_prompts) m_prompts->warning(this, message);
  }

  m_colourRangeSlider->setMin(0);
  m_colourRangeSlider->setMax(m_plot.MaxScore);
  m_colourRangeSlider->setPosition1(0);
  m_colourRangeSlider->setPosition2(m_plot.MaxScore);
  if (m_floor > 0) m_colourRangeSlider->setPosition1(m_floor);
  m_highlightLevel->setRange(0, m_plot.MaxScore);
  m_infoLine->setWidestText(widestInformationLine());
  UpdateColors();
  showFloorNote();
  m_followFloor = true;
  return PrepareOutcome::Completed;
}

duvanet::engine::DotPlotComputeRequest TfrmDotPlot::plotRequest() const {
  duvanet::engine::DotPlotComputeRequest request = m_computedPlot->computeRequest();
  request.exactBudgetCells = m_exactBudgetCells;
  request.maxBinsPerSide = m_maxBinsPerSide;
  request.floor = m_floor;
  return request;
}

duvanet::chart::RegionProvider TfrmDotPlot::regionProvider() const {
  // Zoomed regions are at most as many cells as the chart has pixels: always exact. They keep
  // the floor of the whole plot.
  duvanet::engine::DotPlotComputeRequest regions = plotRequest();
  regions.exactBudgetCells = duvanet::engine::DotPlotComputeRequest{}.exactBudgetCells;
  return duvanet::chart::engineRegionProvider(regions);
}

// --- floor -----------------------------------------------------------------------------------

void TfrmDotPlot::followFloor() {
  if (!m_followFloor || !m_chart->hasSeries() || !m_computedPlot) return;
  const auto controls = colourControls();
  const int needed =
      duvanet::engine::floorForThumbs(controls.lo, controls.hi, m_plot.MaxScore,
                                      controls.highlightDown ? controls.highlightLevel : -1);
  // Raising the thumb never recomputes: what the floor hid is drawn black anyway.
  if (needed >= (isRecomputing() ? m_recomputeFloor : m_floor)) return;
  duvanet::engine::DotPlotComputeRequest request = plotRequest();
  request.floor = needed;
  m_recomputeFloor = needed;
  m_recomputeFraction = 0;
  m_floorJob = m_floorComputation.start(request, m_computedPlot);
  showFloorNote();
}

void TfrmDotPlot::recomputationFinished(const duvanet::engine::DotPlotComputeResult& result) {
  m_floorJob = 0;
  if (result.isFilled() && m_chart->hasSeries()) {
    m_floor = result.floor;
    duvanet::engine::DotPlotGrid grid = result.grid;
    const bool exact = grid.isExact();
    m_chart->replaceGrid(std::move(grid),
                         exact ? duvanet::chart::RegionProvider{} : regionProvider());
  }
  showFloorNote();
  UpdateColors();
}

void TfrmDotPlot::btCancelRecomputeClick() {
  m_floorComputation.cancel();
  m_floorJob = 0;
  showFloorNote();
}

void TfrmDotPlot::showFloorNote() {
  QString note;
  if (isRecomputing()) {
    note = QStringLiteral("Recomputing the windows with more than %1 matches: %2 %")
               .arg(m_recomputeFloor)
               .arg(static_cast<int>(m_recomputeFraction * 100));
  } else if (m_floor > 0) {
    note = QStringLiteral(
               "Showing windows with more than %1 matches: lower the colour slider to see more.")
               .arg(m_floor);
  }
  m_floorNote->setText(note);
  m_cancelRecompute->setVisible(isRecomputing());
  m_floorPanel->setVisible(!note.isEmpty());
}

TfrmDotPlot::Computed TfrmDotPlot::computeWithProgress(
    const duvanet::engine::DotPlotComputeRequest& request, std::shared_ptr<const void> owner) {
  using duvanet::core::DotPlotComputation;
  Computed computed;
  bool running = true;
  QEventLoop waiting;
  QProgressDialog* dialog = nullptr;
  const auto end = [&] {
    running = false;
    waiting.quit();
    if (dialog) dialog->done(QDialog::Accepted);
  };
  // The connections of this one computation.
  QObject listener;
  quint64 job = 0;
  connect(&m_computation, &DotPlotComputation::finished, &listener,
          [&](quint64 id, const duvanet::engine::DotPlotComputeResult& result) {
            if (id != job) return;
            computed.end = Computed::End::Finished;
            computed.result = result;
            end();
          });
  connect(&m_computation, &DotPlotComputation::cancelled, &listener, [&](quint64 id) {
    if (id != job) return;
    computed.end = Computed::End::Cancelled;
    end();
  });
  connect(&m_computation, &DotPlotComputation::failed, &listener,
          [&](quint64 id, const QString&, std::exception_ptr error) {
            if (id != job) return;
            computed.end = Computed::End::Failed;
            computed.failure = error;
            end();
          });
  job = m_computation.start(request, std::move(owner));

  if (m_progressDelayMs > 0) {
    // Short computations end before anything shows; the user's input waits meanwhile.
    QTimer::singleShot(m_progressDelayMs, &listener, [&] { waiting.quit(); });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (!running) return computed;

  QWidget* progressOwner = parentWidget() ? parentWidget()->window() : nullptr;
  QProgressDialog progress(QStringLiteral("Computing the dot plot ..."), QStringLiteral("Cancel"),
                           0, 1000, progressOwner);
  progress.setWindowTitle(duvanet::gui::ApplicationTitle());
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  connect(&m_computation, &DotPlotComputation::progressed, &progress,
          [&](quint64 id, double fraction) {
            if (id == job) progress.setValue(static_cast<int>(fraction * 1000));
          });
  connect(&progress, &QProgressDialog::canceled, &listener, [&] { m_computation.cancel(); });
  dialog = &progress;
  progress.exec();
  dialog = nullptr;
  if (progress.wasCanceled() || running) {
    // The user's choice wins over a result that arrived meanwhile.
    m_computation.cancel();
    m_computation.waitUntilIdle();
    computed = Computed{};
  }
  return computed;
}

// --- colour scale ----------------------------------------------------------------------------

void TfrmDotPlot::UpdateColors() {
  m_colourScale->setMaxScore(m_plot.MaxScore);
  m_colourScale->UpdateColors();
}

void TfrmDotPlot::SmoothGreyScale(int Lo, int Hi) {
  m_colourScale->setMaxScore(m_plot.MaxScore);
  m_colourScale->SmoothGreyScale(Lo, Hi, colourControls().family);
}

void TfrmDotPlot::DrawColorBar() {
  m_colourScale->setMaxScore(m_plot.MaxScore);
  const auto controls = colourControls();
  m_colourScale->DrawColorBar(controls.highlightDown, controls.highlightLevel);
}

duvanet::chart::ColourControls TfrmDotPlot::colourControls() const {
  using duvanet::engine::ColourFamily;
  duvanet::chart::ColourControls controls;
  controls.lo = m_colourRangeSlider->Position1();
  controls.hi = m_colourRangeSlider->Position2();
  controls.family = m_redButton->isChecked()     ? ColourFamily::Red
                    : m_greenButton->isChecked() ? ColourFamily::Green
                    : m_blueButton->isChecked()  ? ColourFamily::Blue
                                                 : ColourFamily::Grey;
  controls.highlightDown = m_highlightButton->isChecked();
  controls.highlightLevel = m_highlightLevel->value();
  return controls;
}

void TfrmDotPlot::rbGreyChartClick() { UpdateColors(); }
void TfrmDotPlot::btHighlightColourClick() {
  UpdateColors();
  followFloor();
}
void TfrmDotPlot::udHighlightColourClick() {
  UpdateColors();
  followFloor();
}
void TfrmDotPlot::dblslColorPosChange() {
  UpdateColors();
  followFloor();
}
void TfrmDotPlot::chartDotPlotAfterDraw() { UpdateColors(); }

// --- sequence display ------------------------------------------------------------------------

QString TfrmDotPlot::widestInformationLine() const {
  // Every position of the plot has at most the digits of its sequence's length.
  const auto allNines = [](qsizetype length) {
    qint64 nines = 9;
    while (nines < length && nines < std::numeric_limits<int>::max() / 10) nines = nines * 10 + 9;
    return int(nines);
  };
  return duvanet::gui::stripInfoLine(m_plot.Evaluation, allNines(m_plot.SeqHoriz.Data.size()),
                                     allNines(m_plot.SeqVerti.Data.size()), m_plot.MaxScore,
                                     m_plot.MaxScore, m_plot.WindowSize);
}

SequenceStripInput TfrmDotPlot::stripInput() const {
  SequenceStripInput in;
  in.seqHoriz = m_plot.SeqHoriz.Data;
  in.seqVerti = m_plot.SeqVerti.Data;
  in.seqHorizRev = m_plot.SeqHorizRev.Data;
  in.seqVertiRev = m_plot.SeqVertiRev.Data;
  in.windowSize = m_plot.WindowSize;
  in.plotType = m_plot.PlotType;
  in.evaluation = m_plot.Evaluation;
  in.maxScore = m_plot.MaxScore;
  in.charWidth = m_charWidth;
  in.lineHeight = m_lineHeight;
  in.width = m_stripBox->width();
  in.height = m_stripBox->height();
  return in;
}

SequenceStripPicture TfrmDotPlot::stripPicture(int horizIndex, int vertiIndex) const {
  return duvanet::gui::computeSequenceStrip(stripInput(), horizIndex, vertiIndex);
}

void TfrmDotPlot::DecideWhichSequenceDisplayToShow(int horizIndex, int vertiIndex) {
  SequenceStripPicture picture = stripPicture(horizIndex, vertiIndex);
  if (!picture.drawn) return;
  m_shownCell = QPoint(horizIndex, vertiIndex);
  m_infoLine->setText(picture.infoLine);
  m_stripBox->showPicture(std::move(picture));
}

void TfrmDotPlot::imgSequenceDisplayPaint() {
  SequenceStripPicture picture = stripPicture(0, 0);
  if (!picture.drawn) return;
  m_shownCell = QPoint(0, 0);
  m_markerShown = false;
  placeCellMarker();
  m_infoLine->setText(picture.infoLine);
  // Painted by the box's current paint pass.
  m_stripBox->adoptPicture(std::move(picture));
}

QPoint TfrmDotPlot::cellAtChartPixel(int x, int y) const {
  // Where cells take at least a pixel, the cell at the pixel's coordinate; where a pixel covers
  // several, the one the pixel is drawn from: the highest count under it.
  if (!cellAtPixelIsExact(x, y)) {
    if (const auto best = bestCellAtChartPixel(x, y)) return *best;
  }
  return {truncatedIndex(m_chart->pixelToValue(ChartAxis::Top, x)),
          truncatedIndex(m_chart->pixelToValue(ChartAxis::Left, y))};
}

void TfrmDotPlot::chartDotPlotMouseMove(Qt::KeyboardModifiers, int x, int y) {
  if (!m_sequenceTrackingBox->isChecked()) return;
  const QPoint cell = cellAtChartPixel(x, y);
  DecideWhichSequenceDisplayToShow(cell.x(), cell.y());
}

void TfrmDotPlot::chartDotPlotMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                        int y) {
  if (button != Qt::LeftButton || m_sequenceTrackingBox->isChecked()) return;
  QPoint cell = cellAtChartPixel(x, y);
  DecideWhichSequenceDisplayToShow(cell.x(), cell.y());
  UpdateColors();
  cell = cellAtChartPixel(x, y);
  DecideWhichSequenceDisplayToShow(cell.x(), cell.y());
}

// --- commands --------------------------------------------------------------------------------

duvanet::chart::ChartRenderer TfrmDotPlot::chartRenderer() const { return m_chart->renderer(); }

void TfrmDotPlot::btPlotSaveClick() {
  duvanet::chart::showChartExportDialog(this, chartRenderer(), m_chart->size(), *m_fileDialogs);
}

void TfrmDotPlot::btPlotPrintClick() {
  duvanet::chart::showChartPrintPreview(this, chartRenderer(), m_chart->size(),
                                        QStringLiteral("Duvanet print preview"));
}

void TfrmDotPlot::btPlotLegendClick() { m_chart->setLegendVisible(!m_chart->legendVisible()); }

void TfrmDotPlot::btPlotInvAxisVertClick() {
  m_chart->setAxisInverted(ChartAxis::Left, !m_chart->axisInverted(ChartAxis::Left));
}

void TfrmDotPlot::btPlotInvAxisHorizClick() {
  m_chart->setAxisInverted(ChartAxis::Top, !m_chart->axisInverted(ChartAxis::Top));
}

void TfrmDotPlot::btCustomiseClick() {
  duvanet::chart::ChartEditorDialog::edit(m_chart, this, QStringLiteral("Duvanet dot-plot editor"),
                                          *m_fontDialogs);
}

// --- window ----------------------------------------------------------------------------------

void TfrmDotPlot::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  setWindowTitle(m_prepared ? requestCaption()
                            : duvanet::gui::ApplicationTitle() + QStringLiteral(" dot plot"));
}

void TfrmDotPlot::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateColors();
}

void TfrmDotPlot::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TfrmDotPlot::FormClose() {
  // The recomputation holds its own copy of the strands; its result is of no use any more.
  m_floorComputation.cancel();
  m_floorJob = 0;
  // Searches for hits read the strands too.
  stopHitSearch();
  m_chart->removeAllSeries();
  m_tracks->setFeatures(nullptr, nullptr);
  for (tSequence* record :
       {&m_plot.SeqHoriz, &m_plot.SeqVerti, &m_plot.SeqHorizRev, &m_plot.SeqVertiRev}) {
    record->Name.clear();
    record->Data.clear();
  }
}

#include "gui/DotPlotWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDeadlineTimer>
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
#include <QSplitter>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <limits>

#include "chart/ChartEditor.h"
#include "chart/ChartExport.h"
#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"
#include "core/DotPlotPreparation.h"
#include "core/HitSearch.h"
#include "engine/DotPlotEngine.h"
#include "engine/Palette.h"
#include "gui/ApplicationTitle.h"
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

std::u16string_view viewOf(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

int truncatedIndex(double value) {
  const double t = std::trunc(value);
  if (!(t > std::numeric_limits<int>::min() + 2.0)) return std::numeric_limits<int>::min() + 2;
  if (t > std::numeric_limits<int>::max() - 2.0) return std::numeric_limits<int>::max() - 2;
  return static_cast<int>(t) - 1;
}

}  // namespace

// ---------------------------------------------------------------------------------------------

SequenceDisplayBox::SequenceDisplayBox(TfrmDotPlot* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner) {}

void SequenceDisplayBox::showPicture(SequenceStripPicture picture) {
  m_picture = std::move(picture);
  m_requested = true;
  update();
}

void SequenceDisplayBox::paintEvent(QPaintEvent*) {
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

TfrmDotPlot::TfrmDotPlot(QWidget* owner, UserPrompts* prompts)
    : QWidget(owner, Qt::Window), m_prompts(prompts) {
  setObjectName(QStringLiteral("frmDotPlot"));
  setWindowTitle(QStringLiteral("Dot plot"));
  duvanet::gui::setWindowFont(*this);
  setMinimumSize(350, 350);
  resize(642, 616);
  move(589, 160);
  buildLayout();
  measureFont();
}

TfrmDotPlot::~TfrmDotPlot() {
  // A search for hits reads the strands, which go before the child objects do.
  if (m_hitSearch) m_hitSearch->cancel();
}

void TfrmDotPlot::buildLayout() {
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  Panel2 = new QFrame(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  auto* left = new QVBoxLayout(Panel2);
  left->setContentsMargins(0, 0, 0, 0);
  left->setSpacing(0);
  chartDotPlot = new ColourGridChart(Panel2);
  chartDotPlot->setObjectName(QStringLiteral("chartDotPlot"));
  left->addWidget(chartDotPlot, 1);
  Panel4 = new QFrame(Panel2);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel4->setFixedHeight(161);
  auto* strip = new QVBoxLayout(Panel4);
  strip->setContentsMargins(2, 2, 2, 2);
  strip->setSpacing(0);
  imgSequenceDisplay = new SequenceDisplayBox(this, Panel4);
  imgSequenceDisplay->setObjectName(QStringLiteral("imgSequenceDisplay"));
  strip->addWidget(imgSequenceDisplay, 1);
  panInfoDot = new QLabel(QStringLiteral("panInfoDot"), Panel4);
  panInfoDot->setObjectName(QStringLiteral("panInfoDot"));
  panInfoDot->setFixedHeight(16);
  panInfoDot->setAlignment(Qt::AlignCenter);
  panInfoDot->setFrameStyle(QFrame::Panel | QFrame::Raised);
  strip->addWidget(panInfoDot);
  left->addWidget(Panel4);
  // The Hits pane opens beside the chart, in a splitter the user can drag.
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("hitsSplitter"));
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(Panel2);
  outer->addWidget(splitter, 1);

  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Panel1->setLineWidth(2);
  Panel1->setFixedWidth(159);
  outer->addWidget(Panel1);

  GroupBox3 = new QGroupBox(QStringLiteral("Chart"), Panel1);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  GroupBox3->setGeometry(9, 8, 141, 201);
  auto button = [this](const QString& name, const QString& caption, int top) {
    auto* b = new QPushButton(caption, GroupBox3);
    b->setObjectName(name);
    b->setGeometry(6, top, 129, 25);
    return b;
  };
  btPlotSave = button(QStringLiteral("btPlotSave"), QStringLiteral("Save"), 17);
  btPlotPrint = button(QStringLiteral("btPlotPrint"), QStringLiteral("Print"), 44);
  btPlotLegend =
      button(QStringLiteral("btPlotLegend"), QStringLiteral("Toggle legend visibility"), 75);
  btPlotInvAxisVert =
      button(QStringLiteral("btPlotInvAxisVert"), QStringLiteral("Invert vertically"), 106);
  btPlotInvAxisHoriz =
      button(QStringLiteral("btPlotInvAxisHoriz"), QStringLiteral("Invert horizontally"), 133);
  btCustomise = button(QStringLiteral("btCustomise"), QStringLiteral("Customise"), 164);

  GroupBox1 = new QGroupBox(QStringLiteral("Colours"), Panel1);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(6, 215, 141, 172);
  auto colourButton = [this](const QString& name, const QString& caption, int x, int y) {
    auto* b = new QRadioButton(caption, GroupBox1);
    b->setObjectName(name);
    b->setGeometry(x, y, 62, 17);
    return b;
  };
  rbRedChart = colourButton(QStringLiteral("rbRedChart"), QStringLiteral("Red"), 8, 16);
  rbGreenChart = colourButton(QStringLiteral("rbGreenChart"), QStringLiteral("Green"), 72, 16);
  rbBlueChart = colourButton(QStringLiteral("rbBlueChart"), QStringLiteral("Blue"), 8, 33);
  rbGreyChart = colourButton(QStringLiteral("rbGreyChart"), QStringLiteral("Grey"), 72, 33);
  rbGreyChart->setChecked(true);
  pbColorBar = new duvanet::chart::ColourBarBox(GroupBox1);
  pbColorBar->setObjectName(QStringLiteral("pbColorBar"));
  pbColorBar->setGeometry(3, 52, 134, 40);
  dblslColor = new TDblSlider(GroupBox1);
  dblslColor->setObjectName(QStringLiteral("dblslColor"));
  dblslColor->setGeometry(6, 94, 129, 38);
  dblslColor->setBevel(dblLowered);
  dblslColor->setMin(0);
  dblslColor->setMax(1);
  dblslColor->setFrequency(5);
  dblslColor->setIndicator(dblPos1Pos2);
  dblslColor->setScale(false);
  dblslColor->setPositionDsp(false);
  dblslColor->setPosition1(0);
  dblslColor->setPosition2(1);
  btHighlightColour = new QPushButton(QStringLiteral("Highlight level:"), GroupBox1);
  btHighlightColour->setObjectName(QStringLiteral("btHighlightColour"));
  btHighlightColour->setCheckable(true);
  btHighlightColour->setGeometry(6, 138, 84, 25);
  udHighlightColour = new UpDownControl(GroupBox1);
  udHighlightColour->setRange(0, 0);
  udHighlightColour->setObjectName(QStringLiteral("udHighlightColour"));
  udHighlightColour->setGeometry(92, 139, 44, 23);
  Edit1 = udHighlightColour->edit();
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setText(QStringLiteral("0"));

  cbMouseSequenceTracking = new QCheckBox(QStringLiteral("Sequence tracking"), Panel1);
  cbMouseSequenceTracking->setObjectName(QStringLiteral("cbMouseSequenceTracking"));
  cbMouseSequenceTracking->setGeometry(20, 393, 121, 17);
  cbMouseSequenceTracking->setChecked(true);

  // Chart design settings: no title, bold axis labels, rows growing downwards.
  chartDotPlot->setTitle(QStringLiteral("Dot plot"));
  chartDotPlot->setTitleVisible(false);
  chartDotPlot->setLegendVisible(true);
  for (const ChartAxis axis : {ChartAxis::Top, ChartAxis::Left}) {
    auto settings = chartDotPlot->axis(axis);
    settings.increment = 1;
    QFont labels = settings.labelFont;
    labels.setBold(true);
    labels.setPixelSize(13);
    settings.labelFont = labels;
    settings.inverted = axis == ChartAxis::Left;
    chartDotPlot->setAxis(axis, settings);
  }

  m_colourScale = std::make_unique<duvanet::chart::ColourScale>(chartDotPlot, pbColorBar);
  m_colourScale->setControlSource([this] { return colourControls(); });

  connect(btPlotSave, &QPushButton::clicked, this, &TfrmDotPlot::btPlotSaveClick);
  connect(btPlotPrint, &QPushButton::clicked, this, &TfrmDotPlot::btPlotPrintClick);
  connect(btPlotLegend, &QPushButton::clicked, this, &TfrmDotPlot::btPlotLegendClick);
  connect(btPlotInvAxisVert, &QPushButton::clicked, this, &TfrmDotPlot::btPlotInvAxisVertClick);
  connect(btPlotInvAxisHoriz, &QPushButton::clicked, this, &TfrmDotPlot::btPlotInvAxisHorizClick);
  connect(btCustomise, &QPushButton::clicked, this, &TfrmDotPlot::btCustomiseClick);
  for (QRadioButton* rb : {rbRedChart, rbGreenChart, rbBlueChart, rbGreyChart}) {
    connect(rb, &QRadioButton::clicked, this, &TfrmDotPlot::rbGreyChartClick);
  }
  connect(btHighlightColour, &QPushButton::clicked, this, &TfrmDotPlot::btHighlightColourClick);
  connect(udHighlightColour, &UpDownControl::arrowClicked, this,
          &TfrmDotPlot::udHighlightColourClick);
  connect(dblslColor, &TDblSlider::posChange, this, &TfrmDotPlot::dblslColorPosChange);
  connect(chartDotPlot, &ColourGridChart::afterDraw, this, &TfrmDotPlot::chartDotPlotAfterDraw);
  connect(chartDotPlot, &ColourGridChart::mouseMoved, this, &TfrmDotPlot::chartDotPlotMouseMove);
  connect(chartDotPlot, &ColourGridChart::mousePressed, this, &TfrmDotPlot::chartDotPlotMouseDown);
  buildHitControls(splitter);
}

void TfrmDotPlot::measureFont() {
  const QFont font = stripFont();
  const QFontMetrics metrics(font, imgSequenceDisplay);
  int widest = 0;
  for (char16_t c = 0x20; c <= 0xFF; ++c) {
    widest = std::max(widest, metrics.horizontalAdvance(QString(QChar(c))));
  }
  CharWidth = widest + 1;
  LineHeight = std::abs(QFontInfo(font).pixelSize()) + 2;
}

QString TfrmDotPlot::requestCaption() const {
  return ApplicationTitle() + duvanet::core::dotPlotCaptionSuffix(PlotType);
}

TfrmDotPlot::PrepareOutcome TfrmDotPlot::PrepareDotPlot(tDotPlotType plotType, tSequence HorizSeq,
                                                        tSequence VertiSeq, bool CaseInsensitive,
                                                        int windowSize,
                                                        tMatchEvaluation evaluation) {
  const duvanet::core::PreparedDotPlot prepared = duvanet::core::prepareDotPlot(
      plotType, std::move(HorizSeq), std::move(VertiSeq), CaseInsensitive, windowSize, evaluation);
  WindowSize = prepared.WindowSize;
  PlotType = prepared.PlotType;
  Evaluation = prepared.Evaluation;
  SeqHoriz = prepared.SeqHoriz;
  SeqVerti = prepared.SeqVerti;
  chartDotPlot->setAxisTitle(ChartAxis::Top, SeqHoriz.Name);
  chartDotPlot->setAxisTitle(ChartAxis::Left, SeqVerti.Name);
  SeqHorizRev = prepared.SeqHorizRev;
  SeqVertiRev = prepared.SeqVertiRev;
  MaxScore = prepared.MaxScore;
  m_prepared = true;
  setWindowTitle(requestCaption());

  for (const QString& warning : prepared.warnings) {
    if (m_prompts) m_prompts->warning(this, warning);
  }

  duvanet::engine::DotPlotComputeRequest request;
  request.strands = {viewOf(SeqHoriz.Data), viewOf(SeqVerti.Data), viewOf(SeqHorizRev.Data),
                     viewOf(SeqVertiRev.Data)};
  request.windowSize = WindowSize;
  request.type = PlotType;
  request.evaluation = Evaluation;
  request.exactBudgetCells = m_exactBudgetCells;
  request.maxBinsPerSide = m_maxBinsPerSide;

  std::atomic<bool> cancel{false};
  std::atomic<double> fraction{0.0};
  duvanet::engine::DotPlotComputeRequest running = request;
  running.progress = [&cancel, &fraction](double done) {
    fraction.store(done);
    return !cancel.load();
  };
  duvanet::engine::DotPlotComputeResult result;
  std::exception_ptr failure;
  QThread* worker = QThread::create([&] {
    try {
      result = duvanet::engine::computeDotPlot(running);
    } catch (...) {
      failure = std::current_exception();
    }
  });
  worker->start();
  if (!worker->wait(QDeadlineTimer(m_progressDelayMs))) {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    QProgressDialog progress(QStringLiteral("Computing the dot plot ..."), QStringLiteral("Cancel"),
                             0, 1000, owner);
    progress.setWindowTitle(ApplicationTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QTimer poll;
    connect(&poll, &QTimer::timeout, &progress, [&] {
      if (worker->isFinished()) {
        progress.done(QDialog::Accepted);
        return;
      }
      progress.setValue(static_cast<int>(fraction.load() * 1000));
    });
    connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancel.store(true); });
    poll.start(40);
    if (!worker->isFinished()) progress.exec();
    poll.stop();
    if (progress.wasCanceled()) cancel.store(true);
    worker->wait();
  }
  delete worker;
  if (failure) std::rethrow_exception(failure);
  if (cancel.load() || result.status == duvanet::engine::DotPlotStatus::Cancelled) {
    return PrepareOutcome::Cancelled;
  }

  if (result.isFilled()) {
    const bool exact = result.grid.isExact();
    chartDotPlot->setGrid(std::move(result.grid));
    if (!exact) {
      // Zoomed regions are at most as many cells as the chart has pixels: always exact.
      duvanet::engine::DotPlotComputeRequest regions = request;
      regions.exactBudgetCells = duvanet::engine::DotPlotComputeRequest{}.exactBudgetCells;
      chartDotPlot->setRegionProvider(duvanet::chart::engineRegionProvider(regions));
    }
  }
  for (const QString& message : duvanet::core::dotPlotErrorMessages(PlotType, result)) {
    if (m_prompts) m_prompts->warning(this, message);
  }

  dblslColor->setMin(0);
  dblslColor->setMax(MaxScore);
  dblslColor->setPosition1(0);
  dblslColor->setPosition2(MaxScore);
  udHighlightColour->setRange(0, MaxScore);
  UpdateColors();
  return PrepareOutcome::Completed;
}

// --- colour scale ----------------------------------------------------------------------------

void TfrmDotPlot::UpdateColors() {
  m_colourScale->setMaxScore(MaxScore);
  m_colourScale->UpdateColors();
}

void TfrmDotPlot::SmoothGreyScale(int Lo, int Hi) {
  m_colourScale->setMaxScore(MaxScore);
  m_colourScale->SmoothGreyScale(Lo, Hi, colourControls().family);
}

void TfrmDotPlot::DrawColorBar() {
  m_colourScale->setMaxScore(MaxScore);
  const auto controls = colourControls();
  m_colourScale->DrawColorBar(controls.highlightDown, controls.highlightLevel);
}

duvanet::chart::ColourControls TfrmDotPlot::colourControls() const {
  using duvanet::engine::ColourFamily;
  duvanet::chart::ColourControls controls;
  controls.lo = dblslColor->Position1();
  controls.hi = dblslColor->Position2();
  controls.family = rbRedChart->isChecked()     ? ColourFamily::Red
                    : rbGreenChart->isChecked() ? ColourFamily::Green
                    : rbBlueChart->isChecked()  ? ColourFamily::Blue
                                                : ColourFamily::Grey;
  controls.highlightDown = btHighlightColour->isChecked();
  controls.highlightLevel = udHighlightColour->value();
  return controls;
}

void TfrmDotPlot::rbGreyChartClick() { UpdateColors(); }
void TfrmDotPlot::btHighlightColourClick() { UpdateColors(); }
void TfrmDotPlot::udHighlightColourClick() { UpdateColors(); }
void TfrmDotPlot::dblslColorPosChange() { UpdateColors(); }
void TfrmDotPlot::chartDotPlotAfterDraw() { UpdateColors(); }

// --- sequence display ------------------------------------------------------------------------

SequenceStripInput TfrmDotPlot::stripInput() const {
  SequenceStripInput in;
  in.seqHoriz = SeqHoriz.Data;
  in.seqVerti = SeqVerti.Data;
  in.seqHorizRev = SeqHorizRev.Data;
  in.seqVertiRev = SeqVertiRev.Data;
  in.windowSize = WindowSize;
  in.plotType = PlotType;
  in.evaluation = Evaluation;
  in.maxScore = MaxScore;
  in.charWidth = CharWidth;
  in.lineHeight = LineHeight;
  in.width = imgSequenceDisplay->width();
  in.height = imgSequenceDisplay->height();
  return in;
}

SequenceStripPicture TfrmDotPlot::stripPicture(int horizIndex, int vertiIndex) const {
  return duvanet::gui::computeSequenceStrip(stripInput(), horizIndex, vertiIndex);
}

void TfrmDotPlot::DecideWhichSequenceDisplayToShow(int horizIndex, int vertiIndex) {
  SequenceStripPicture picture = stripPicture(horizIndex, vertiIndex);
  if (!picture.drawn) return;
  m_shownCell = QPoint(horizIndex, vertiIndex);
  panInfoDot->setText(picture.infoLine);
  imgSequenceDisplay->showPicture(std::move(picture));
}

void TfrmDotPlot::imgSequenceDisplayPaint() {
  SequenceStripPicture picture = stripPicture(0, 0);
  if (!picture.drawn) return;
  m_shownCell = QPoint(0, 0);
  m_markerShown = false;
  placeCellMarker();
  panInfoDot->setText(picture.infoLine);
  // Painted by the box's current paint pass.
  imgSequenceDisplay->adoptPicture(std::move(picture));
}

QPoint TfrmDotPlot::cellAtChartPixel(int x, int y) const {
  // Where cells take at least a pixel, the cell at the pixel's coordinate; where a pixel covers
  // several, the one the pixel is drawn from: the highest count under it.
  if (!cellAtPixelIsExact(x, y)) {
    if (const auto best = bestCellAtChartPixel(x, y)) return *best;
  }
  return {truncatedIndex(chartDotPlot->pixelToValue(ChartAxis::Top, x)),
          truncatedIndex(chartDotPlot->pixelToValue(ChartAxis::Left, y))};
}

void TfrmDotPlot::chartDotPlotMouseMove(Qt::KeyboardModifiers, int x, int y) {
  if (!cbMouseSequenceTracking->isChecked()) return;
  const QPoint cell = cellAtChartPixel(x, y);
  DecideWhichSequenceDisplayToShow(cell.x(), cell.y());
}

void TfrmDotPlot::chartDotPlotMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x,
                                        int y) {
  if (button != Qt::LeftButton || cbMouseSequenceTracking->isChecked()) return;
  QPoint cell = cellAtChartPixel(x, y);
  DecideWhichSequenceDisplayToShow(cell.x(), cell.y());
  UpdateColors();
  cell = cellAtChartPixel(x, y);
  DecideWhichSequenceDisplayToShow(cell.x(), cell.y());
}

// --- commands --------------------------------------------------------------------------------

duvanet::chart::ChartRenderer TfrmDotPlot::chartRenderer() const {
  ColourGridChart* chart = chartDotPlot;
  return [chart](QPainter& painter, const QRect& target) { chart->renderChart(painter, target); };
}

void TfrmDotPlot::btPlotSaveClick() {
  duvanet::chart::showChartExportDialog(this, chartRenderer(), chartDotPlot->size());
}

void TfrmDotPlot::btPlotPrintClick() {
  duvanet::chart::showChartPrintPreview(this, chartRenderer(), chartDotPlot->size(),
                                        QStringLiteral("Duvanet print preview"));
}

void TfrmDotPlot::btPlotLegendClick() {
  chartDotPlot->setLegendVisible(!chartDotPlot->legendVisible());
}

void TfrmDotPlot::btPlotInvAxisVertClick() {
  chartDotPlot->setAxisInverted(ChartAxis::Left, !chartDotPlot->axisInverted(ChartAxis::Left));
}

void TfrmDotPlot::btPlotInvAxisHorizClick() {
  chartDotPlot->setAxisInverted(ChartAxis::Top, !chartDotPlot->axisInverted(ChartAxis::Top));
}

void TfrmDotPlot::btCustomiseClick() {
  duvanet::chart::ChartEditorDialog::edit(chartDotPlot, this,
                                          QStringLiteral("Duvanet dot-plot editor"));
}

// --- window ----------------------------------------------------------------------------------

void TfrmDotPlot::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  setWindowTitle(m_prepared ? requestCaption() : ApplicationTitle() + QStringLiteral(" dot plot"));
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
  // Searches for hits read the strands too.
  m_hitSearch->cancel();
  m_hitTimer->stop();
  // The series goes first: a background computation of a zoomed region reads the strands.
  chartDotPlot->removeAllSeries();
  for (tSequence* record : {&SeqHoriz, &SeqVerti, &SeqHorizRev, &SeqVertiRev}) {
    record->Name.clear();
    record->Data.clear();
  }
}

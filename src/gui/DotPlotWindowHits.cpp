// The dot plot window's keyboard walk, its Hits pane, copying the compared stretches and the
// export of hit segments.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/AxisMath.h"
#include "chart/ColourGridChart.h"
#include "core/ComparedStretches.h"
#include "core/DotPlotComputation.h"
#include "core/FileError.h"
#include "core/HitFile.h"
#include "engine/BestCell.h"
#include "engine/DotPlotEngine.h"
#include "engine/HitFormats.h"
#include "gui/ApplicationTitle.h"
#include "gui/CellNavigation.h"
#include "gui/DotPlotWindow.h"
#include "gui/HitDialogs.h"
#include "gui/HitsPanel.h"
#include "gui/UserPrompts.h"
#include "widgets/DoubleSlider.h"

using duvanet::chart::ChartAxis;
using duvanet::engine::CellRect;
using duvanet::engine::HitSegment;
using duvanet::engine::HitSegmentRequest;
using duvanet::engine::HitSegmentResult;

Q_DECLARE_METATYPE(duvanet::engine::HitSegmentResult)

namespace {

std::u16string_view textView(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

const QString kHitFilters = QStringLiteral(
    "Tab-separated values (*.tsv);;PAF, pairwise mapping format (*.paf);;BEDPE (*.bedpe)");

/// The extension of a file filter such as "PAF, pairwise mapping format (*.paf)".
QString filterExtension(const QString& filter) {
  const qsizetype star = filter.lastIndexOf(QStringLiteral("(*"));
  if (star < 0) return QStringLiteral(".tsv");
  return filter.mid(star + 2).chopped(1);
}

/// The cells [first, last) of one axis under a pixel, as the chart draws them: the cell at the
/// pixel's coordinate where cells are wider than pixels, otherwise every cell the pixel touches.
/// Also the pixel's centre and the pixels per cell, in 0-based cell coordinates.
struct PixelCells {
  qint64 first = 0;
  qint64 last = 0;
  double centre = 0;
  double pixelsPerCell = 1;
};

PixelCells pixelCells(const duvanet::chart::ColourGridChart& chart, ChartAxis axis, int pixel) {
  const double a = chart.pixelToValue(axis, pixel);
  const double b = chart.pixelToValue(axis, pixel + 1);
  PixelCells cells;
  if (std::abs(b - a) < 1) {
    cells.first = static_cast<qint64>(std::floor(a)) - 1;
    cells.last = cells.first + 1;
  } else {
    const duvanet::chart::CellSpan span = duvanet::chart::cellsBetween(a, b);
    cells.first = span.first - 1;
    cells.last = span.last - 1;
  }
  cells.centre = (a + b) / 2 - 1;
  cells.pixelsPerCell = std::abs(b - a) > 0 ? 1 / std::abs(b - a) : 1;
  return cells;
}

/// A hit search for the computation object: the request's strands stay valid while the window
/// lives, and the window stops its searches before its strands go.
duvanet::core::DotPlotComputation::Task hitTask(HitSegmentRequest request) {
  return [request](duvanet::core::ComputationControl& control) {
    HitSegmentRequest running = request;
    running.progress = control.progressCallback();
    return QVariant::fromValue(duvanet::engine::findHitSegments(running));
  };
}

}  // namespace

// --- building ----------------------------------------------------------------------------------

void TfrmDotPlot::buildHitControls(QSplitter* splitter) {
  m_hitsSplitter = splitter;
  m_hitsPanel = new duvanet::gui::HitsPanel(splitter);
  splitter->addWidget(m_hitsPanel);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setCollapsible(0, false);
  m_hitsPanel->hide();

  auto button = [this](const char* name, const QString& caption, int top, const QString& tip) {
    auto* b = new QPushButton(caption, m_controlPanel);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(15, top, 129, 25);
    b->setToolTip(tip);
    return b;
  };
  // Below the "Tracks" box (414 to 431).
  m_hitsButton = button("btHits", QStringLiteral("Hits"), 438,
                        QStringLiteral("Show or hide the hit segments of the region shown"));
  m_hitsButton->setCheckable(true);
  m_goToButton = button("btGoToPosition", QStringLiteral("Go to position…"), 467,
                        QStringLiteral("Show the cell at a position you type (Ctrl+G)"));
  m_exportHitsButton = button("btExportHits", QStringLiteral("Export hits…"), 496,
                              QStringLiteral("Write the hit segments as TSV, PAF or BEDPE"));

  m_cellMarker = new duvanet::gui::CellMarker(m_chart);
  m_hitComputation = new duvanet::core::DotPlotComputation(this);
  m_hitTimer = new QTimer(this);
  m_hitTimer->setSingleShot(true);
  m_hitTimer->setInterval(120);

  m_chart->setFocusPolicy(Qt::StrongFocus);
  m_chart->setToolTip(QString::fromLatin1(duvanet::gui::chartKeysToolTip()));
  m_chart->installEventFilter(this);

  connect(m_hitsButton, &QPushButton::toggled, this, &TfrmDotPlot::btHitsClick);
  connect(m_goToButton, &QPushButton::clicked, this, &TfrmDotPlot::btGoToPositionClick);
  connect(m_exportHitsButton, &QPushButton::clicked, this, &TfrmDotPlot::btExportHitsClick);
  connect(m_hitTimer, &QTimer::timeout, this, &TfrmDotPlot::startHitSearch);
  connect(m_hitComputation, &duvanet::core::DotPlotComputation::failed, this,
          [this](quint64 job, const QString& message) {
            if (job != m_hitJob) return;
            m_hitJob = 0;
            m_hitsPanel->showNote(QStringLiteral("The search for hits failed: %1").arg(message));
          });
  connect(m_hitComputation, &duvanet::core::DotPlotComputation::taskFinished, this,
          &TfrmDotPlot::hitSearchFinished);
  connect(m_hitsPanel, &duvanet::gui::HitsPanel::thresholdChanged, this,
          [this] { scheduleHitSearch(true); });
  connect(m_hitsPanel, &duvanet::gui::HitsPanel::segmentActivated, this,
          [this](const HitSegment& segment) {
            const auto cell = duvanet::engine::firstCellOf(segment, m_plot.WindowSize);
            showCell(cell.x - 1, cell.y - 1, true);
          });
  // The threshold follows the colour slider's lower thumb until the user sets it in the pane.
  connect(m_colourRangeSlider, &TDblSlider::posChange, this, [this] {
    if (m_hitsPanel->thresholdChosen() || m_plot.WindowSize < 1) return;
    m_hitsPanel->setThreshold(
        std::clamp(m_colourRangeSlider->Position1() + 1, 1, m_plot.WindowSize));
    scheduleHitSearch(true);
  });
  // Zooming and scrolling end in a drawing pass: the pane follows the region shown.
  connect(m_chart, &duvanet::chart::ColourGridChart::afterDraw, this, [this] {
    placeCellMarker();
    scheduleHitSearch(false);
  });
}

QSize TfrmDotPlot::plotCells() const {
  const qint64 w = m_plot.SeqHoriz.Data.size() - m_plot.WindowSize + 1;
  const qint64 h = m_plot.SeqVerti.Data.size() - m_plot.WindowSize + 1;
  if (m_plot.WindowSize < 1 || w <= 0 || h <= 0) return {};
  return {static_cast<int>(std::min<qint64>(w, std::numeric_limits<int>::max())),
          static_cast<int>(std::min<qint64>(h, std::numeric_limits<int>::max()))};
}

// --- the shown cell ----------------------------------------------------------------------------

void TfrmDotPlot::showCell(qint64 horizIndex, qint64 vertiIndex, bool zoomIn) {
  const QSize plot = plotCells();
  if (plot.isEmpty()) return;
  const qint64 x = std::clamp<qint64>(horizIndex, 0, plot.width() - 1);
  const qint64 y = std::clamp<qint64>(vertiIndex, 0, plot.height() - 1);
  const QRect area = m_chart->plotRect();
  const auto [x0, x1] = m_chart->visibleRange(ChartAxis::Top);
  const auto [y0, y1] = m_chart->visibleRange(ChartAxis::Left);
  const double spanX = std::abs(x1 - x0);
  const double spanY = std::abs(y1 - y0);
  const double pixelsPerCell =
      std::min(area.width() / std::max(spanX, 1e-9), area.height() / std::max(spanY, 1e-9));
  // Axis value v + 1 is cell v; the cell's middle is at x + 1.5.
  const double cx = static_cast<double>(x) + 1.5;
  const double cy = static_cast<double>(y) + 1.5;
  auto clampRange = [](double centre, double span, double last) {
    double from = centre - span / 2;
    double to = centre + span / 2;
    if (from < 1) {
      to += 1 - from;
      from = 1;
    }
    if (to > last) {
      from = std::max(1.0, from - (to - last));
      to = last;
    }
    return std::pair{from, to};
  };
  if (zoomIn && pixelsPerCell < 1) {
    // Cells of eight pixels around the cell.
    const double cellsX = std::max(1.0, area.width() / 8.0);
    const double cellsY = std::max(1.0, area.height() / 8.0);
    const auto [fx, tx] = clampRange(cx, cellsX, plot.width() + 1.0);
    const auto [fy, ty] = clampRange(cy, cellsY, plot.height() + 1.0);
    m_chart->zoomTo(fx, tx, fy, ty);
  } else if (m_chart->isZoomed() && (cx < std::min(x0, x1) || cx > std::max(x0, x1) ||
                                     cy < std::min(y0, y1) || cy > std::max(y0, y1))) {
    // Scroll the view so that the cell is in the middle.
    const auto [fx, tx] = clampRange(cx, spanX, plot.width() + 1.0);
    const auto [fy, ty] = clampRange(cy, spanY, plot.height() + 1.0);
    m_chart->zoomTo(fx, tx, fy, ty);
  }
  DecideWhichSequenceDisplayToShow(static_cast<int>(x), static_cast<int>(y));
  m_markerShown = true;
  placeCellMarker();
}

void TfrmDotPlot::placeCellMarker() {
  if (!m_cellMarker) return;
  const QSize plot = plotCells();
  if (!m_markerShown || plot.isEmpty()) {
    m_cellMarker->hide();
    return;
  }
  const double left = m_chart->valueToPixel(ChartAxis::Top, m_shownCell.x() + 1.0);
  const double right = m_chart->valueToPixel(ChartAxis::Top, m_shownCell.x() + 2.0);
  const double top = m_chart->valueToPixel(ChartAxis::Left, m_shownCell.y() + 1.0);
  const double bottom = m_chart->valueToPixel(ChartAxis::Left, m_shownCell.y() + 2.0);
  QRect frame(QPoint(static_cast<int>(std::floor(std::min(left, right))),
                     static_cast<int>(std::floor(std::min(top, bottom)))),
              QPoint(static_cast<int>(std::ceil(std::max(left, right))),
                     static_cast<int>(std::ceil(std::max(top, bottom)))));
  // A cell smaller than the frame's lines still gets a frame one can see.
  const QPoint centre = frame.center();
  if (frame.width() < 9) frame.setWidth(9);
  if (frame.height() < 9) frame.setHeight(9);
  frame.moveCenter(centre);
  frame.adjust(-2, -2, 2, 2);
  const QRect area = m_chart->plotRect();
  if (!area.intersects(frame)) {
    m_cellMarker->hide();
    return;
  }
  m_cellMarker->setGeometry(frame);
  m_cellMarker->show();
  m_cellMarker->raise();
}

bool TfrmDotPlot::cellAtPixelIsExact(int x, int y) const {
  return std::abs(m_chart->pixelToValue(ChartAxis::Top, x + 1) -
                  m_chart->pixelToValue(ChartAxis::Top, x)) < 1 &&
         std::abs(m_chart->pixelToValue(ChartAxis::Left, y + 1) -
                  m_chart->pixelToValue(ChartAxis::Left, y)) < 1;
}

std::optional<QPoint> TfrmDotPlot::bestCellAtChartPixel(int x, int y) const {
  const QSize plot = plotCells();
  if (plot.isEmpty()) return std::nullopt;
  const PixelCells columns = pixelCells(*m_chart, ChartAxis::Top, x);
  const PixelCells rows = pixelCells(*m_chart, ChartAxis::Left, y);
  const CellRect cells{columns.first, rows.first, columns.last - columns.first,
                       rows.last - rows.first};
  // The counts of the pixel's cells, exactly, whatever the grid on screen holds.
  duvanet::engine::DotPlotComputeRequest request;
  request.strands = {textView(m_plot.SeqHoriz.Data), textView(m_plot.SeqVerti.Data),
                     textView(m_plot.SeqHorizRev.Data), textView(m_plot.SeqVertiRev.Data)};
  request.windowSize = m_plot.WindowSize;
  request.type = m_plot.PlotType;
  request.evaluation = m_plot.Evaluation;
  request.region = cells;
  request.exactBudgetCells = std::numeric_limits<std::int64_t>::max();
  request.threads = 1;
  const duvanet::engine::DotPlotComputeResult counted = duvanet::engine::computeDotPlot(request);
  if (!counted.isFilled()) return std::nullopt;
  const auto best = duvanet::engine::bestCellIn(
      counted.grid, cells,
      {columns.centre, rows.centre, columns.pixelsPerCell, rows.pixelsPerCell});
  if (!best) return std::nullopt;
  return QPoint(static_cast<int>(best->x), static_cast<int>(best->y));
}

// --- keys and the context menu -------------------------------------------------------------

bool TfrmDotPlot::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_chart) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      return chartKeyPressed(static_cast<QKeyEvent*>(event));
    case QEvent::ShortcutOverride: {
      // Keep Ctrl+C and the walking keys for the chart while it has the focus.
      auto* key = static_cast<QKeyEvent*>(event);
      if (duvanet::gui::chartKeyCommand(key->key(), key->modifiers()) !=
          duvanet::gui::ChartKeyCommand::None) {
        event->accept();
        return true;
      }
      break;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::RightButton) m_rightPress = mouse->position().toPoint();
      break;
    }
    case QEvent::MouseButtonRelease: {
      // A right click that did not drag the view opens the menu; a drag scrolls.
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = mouse->position().toPoint();
      if (mouse->button() == Qt::RightButton &&
          (at - m_rightPress).manhattanLength() < QApplication::startDragDistance()) {
        QTimer::singleShot(0, this, [this, at] { showChartMenu(m_chart->mapToGlobal(at)); });
      }
      break;
    }
    case QEvent::ContextMenu: {
      auto* menu = static_cast<QContextMenuEvent*>(event);
      // The mouse's menu comes on release (above); the keyboard's menu key opens it here.
      if (menu->reason() == QContextMenuEvent::Keyboard) {
        showChartMenu(m_cellMarker && m_cellMarker->isVisible()
                          ? m_cellMarker->mapToGlobal(m_cellMarker->rect().center())
                          : m_chart->mapToGlobal(m_chart->plotRect().center()));
      }
      return true;
    }
    case QEvent::MouseMove:
      // The mouse takes over from the keys: the frame goes until the keys move the cell again.
      if (m_sequenceTrackingBox->isChecked() && m_markerShown) {
        m_markerShown = false;
        placeCellMarker();
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

bool TfrmDotPlot::chartKeyPressed(QKeyEvent* event) {
  using duvanet::gui::ChartKeyCommand;
  switch (duvanet::gui::chartKeyCommand(event->key(), event->modifiers())) {
    case ChartKeyCommand::Move: {
      const auto step = duvanet::gui::cellStepForKey(
          event->key(), event->modifiers(),
          {m_chart->axisInverted(ChartAxis::Top), m_chart->axisInverted(ChartAxis::Left)});
      const QSize plot = plotCells();
      if (!step || plot.isEmpty()) return true;
      const auto next = duvanet::gui::steppedCell({m_shownCell.x(), m_shownCell.y()}, *step,
                                                  plot.width(), plot.height());
      showCell(next.x, next.y, false);
      return true;
    }
    case ChartKeyCommand::NextHit:
      stepHit(1);
      return true;
    case ChartKeyCommand::PreviousHit:
      stepHit(-1);
      return true;
    case ChartKeyCommand::GoToPosition:
      btGoToPositionClick();
      return true;
    case ChartKeyCommand::Copy:
      copyComparedStretches();
      return true;
    case ChartKeyCommand::None:
      break;
  }
  return false;
}

void TfrmDotPlot::showChartMenu(const QPoint& globalPosition) {
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("chartMenu"));
  QAction* copy = menu.addAction(QStringLiteral("Copy compared stretches as FASTA"));
  copy->setShortcut(QKeySequence::Copy);
  copy->setEnabled(!plotCells().isEmpty());
  QAction* goTo = menu.addAction(QStringLiteral("Go to position…"));
  goTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  QAction* hits = menu.addAction(QStringLiteral("Hits"));
  hits->setCheckable(true);
  hits->setChecked(m_hitsButton->isChecked());
  QAction* chosen = m_menuAnswer ? m_menuAnswer(menu) : menu.exec(globalPosition);
  if (chosen == copy) {
    copyComparedStretches();
  } else if (chosen == goTo) {
    btGoToPositionClick();
  } else if (chosen == hits) {
    m_hitsButton->toggle();
  }
}

void TfrmDotPlot::copyComparedStretches() {
  const QString fasta = duvanet::core::comparedStretchesFasta(
      {m_plot.SeqHoriz, m_plot.SeqVerti, m_plot.SeqHorizRev, m_plot.SeqVertiRev, m_plot.WindowSize,
       m_plot.PlotType},
      m_shownCell.x(), m_shownCell.y());
  if (fasta.isEmpty()) return;
  QGuiApplication::clipboard()->setText(fasta);
}

void TfrmDotPlot::btGoToPositionClick() {
  const QSize plot = plotCells();
  if (plot.isEmpty()) return;
  std::optional<QPoint> target;
  if (m_goToAnswer) {
    target = m_goToAnswer(QPoint(m_shownCell.x() + 1, m_shownCell.y() + 1));
  } else {
    duvanet::gui::GoToPositionDialog dialog(this, plot.width(), plot.height(), m_shownCell.x() + 1,
                                            m_shownCell.y() + 1);
    if (dialog.exec() == QDialog::Accepted) {
      target = QPoint(static_cast<int>(dialog.x()), static_cast<int>(dialog.y()));
    }
  }
  if (!target) return;
  showCell(target->x() - 1, target->y() - 1, true);
  m_chart->setFocus();
}

// --- the Hits pane ---------------------------------------------------------------------------

void TfrmDotPlot::btHitsClick() {
  const bool show = m_hitsButton->isChecked();
  if (show == m_hitsPanel->isVisible()) return;
  const int paneWidth = 330;
  if (show) {
    m_hitsPanel->setWindowSize(m_plot.WindowSize);
    if (!m_hitsPanel->thresholdChosen() && m_plot.WindowSize >= 1) {
      m_hitsPanel->setThreshold(
          std::clamp(m_colourRangeSlider->Position1() + 1, 1, m_plot.WindowSize));
    }
    m_hitsPanel->show();
    // Room for the pane beside the chart, as far as the screen allows.
    int wider = width() + paneWidth;
    if (const QScreen* s = screen()) wider = std::min(wider, s->availableGeometry().width());
    if (!isMaximized() && !isFullScreen()) resize(std::max(width(), wider), height());
    const int total = m_hitsSplitter->width();
    m_hitsSplitter->setSizes({std::max(total - paneWidth, 100), paneWidth});
    scheduleHitSearch(true);
  } else {
    m_hitsPanel->hide();
    stopHitSearch();
    m_pendingHitStep = 0;
  }
}

std::optional<CellRect> TfrmDotPlot::regionShown() const {
  const QSize plot = plotCells();
  if (plot.isEmpty()) return std::nullopt;
  const auto [x0, x1] = m_chart->visibleRange(ChartAxis::Top);
  const auto [y0, y1] = m_chart->visibleRange(ChartAxis::Left);
  const auto xs = duvanet::chart::cellsBetween(x0, x1);
  const auto ys = duvanet::chart::cellsBetween(y0, y1);
  // Axis value v is cell v − 1; the engine clips the rectangle to the plot.
  return CellRect{xs.first - 1, ys.first - 1, xs.last - xs.first, ys.last - ys.first};
}

std::optional<HitSegmentRequest> TfrmDotPlot::hitRequest(std::optional<CellRect> region) const {
  if (plotCells().isEmpty()) return std::nullopt;
  HitSegmentRequest request;
  request.strands = {textView(m_plot.SeqHoriz.Data), textView(m_plot.SeqVerti.Data),
                     textView(m_plot.SeqHorizRev.Data), textView(m_plot.SeqVertiRev.Data)};
  request.windowSize = m_plot.WindowSize;
  request.type = m_plot.PlotType;
  request.minCount = std::clamp(m_hitsPanel->threshold(), 1, m_plot.WindowSize);
  request.region = region;
  return request;
}

void TfrmDotPlot::scheduleHitSearch(bool always) {
  if (!m_hitsPanel || !m_hitsPanel->isVisible()) return;
  if (!always && regionShown() == m_searchedRegion) return;
  m_hitTimer->start();
}

void TfrmDotPlot::startHitSearch() {
  if (!m_hitsPanel->isVisible()) return;
  m_searchedRegion = regionShown();
  auto request = hitRequest(m_searchedRegion);
  if (!request) {
    stopHitSearch();
    m_hitsPanel->showNote(QStringLiteral("No hits: a sequence is shorter than the window."));
    return;
  }
  request->maxSegments = m_hitRowCap;
  m_hitsPanel->showSearching();
  m_hitJob = m_hitComputation->startTask(hitTask(*request));
}

void TfrmDotPlot::stopHitSearch() {
  if (!m_hitComputation) return;
  m_hitComputation->cancel();
  m_hitComputation->waitUntilIdle();
  m_hitJob = 0;
}

void TfrmDotPlot::hitSearchFinished(quint64 job, const QVariant& value) {
  if (job != m_hitJob) return;
  m_hitJob = 0;
  const auto result = value.value<HitSegmentResult>();
  if (!result.filled) {
    m_hitsPanel->showNote(QStringLiteral("No hits: a sequence is shorter than the window."));
  } else {
    m_hitsPanel->showSegments(result.segments, result.total, m_hitRowCap);
  }
  if (m_pendingHitStep != 0) {
    const int step = m_pendingHitStep;
    m_pendingHitStep = 0;
    m_hitsPanel->stepSegment(step);
  }
  emit hitsShown();
}

void TfrmDotPlot::stepHit(int direction) {
  if (!m_hitsPanel->isVisible()) {
    // The pane opens and the step follows once its segments are there.
    m_pendingHitStep = direction;
    m_hitsButton->setChecked(true);
    return;
  }
  if (m_hitJob != 0 || m_hitTimer->isActive()) {
    m_pendingHitStep = direction;
    return;
  }
  m_hitsPanel->stepSegment(direction);
}

// --- export ----------------------------------------------------------------------------------

bool TfrmDotPlot::exportHits(const QString& fileName, bool wholePlot) {
  const auto format = duvanet::engine::hitFileFormatOf(fileName.toStdString());
  if (!format) return false;
  if (m_plot.WindowSize >= 1) m_hitsPanel->setWindowSize(m_plot.WindowSize);
  auto request = hitRequest(wholePlot ? std::nullopt : regionShown());
  if (!request) {
    if (m_prompts)
      m_prompts->warning(this, QStringLiteral("No hits: a sequence is shorter than the window."));
    return false;
  }
  // Searched off the GUI thread; a long search shows its progress and can be cancelled.
  duvanet::core::DotPlotComputation search;
  std::optional<HitSegmentResult> found;
  QEventLoop wait;
  connect(&search, &duvanet::core::DotPlotComputation::taskFinished, &wait,
          [&](quint64, const QVariant& value) {
            found = value.value<HitSegmentResult>();
            wait.quit();
          });
  connect(&search, &duvanet::core::DotPlotComputation::cancelled, &wait, [&] { wait.quit(); });
  connect(&search, &duvanet::core::DotPlotComputation::failed, &wait,
          [&](quint64, const QString& message) {
            if (m_prompts) m_prompts->error(this, message);
            wait.quit();
          });
  search.startTask(hitTask(*request));
  QProgressDialog progress(QStringLiteral("Finding hits ..."), QStringLiteral("Cancel"), 0, 0,
                           this);
  progress.setWindowTitle(duvanet::gui::ApplicationTitle());
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(m_progressDelayMs);
  connect(&progress, &QProgressDialog::canceled, &wait, [&] {
    search.cancel();
    search.waitUntilIdle();
    wait.quit();
  });
  if (!found) wait.exec();
  progress.reset();
  if (!found || !found->filled) return false;
  try {
    duvanet::core::writeHitFile(
        fileName, *format, found->segments,
        duvanet::core::hitFileContext(m_plot.SeqHoriz, m_plot.SeqVerti, m_plot.WindowSize));
  } catch (const duvanet::core::FileError& error) {
    if (m_prompts) m_prompts->error(this, error.message());
    return false;
  }
  return true;
}

void TfrmDotPlot::btExportHitsClick() {
  if (plotCells().isEmpty()) return;
  bool whole = true;
  if (m_exportScopeAnswer) {
    const auto answer = m_exportScopeAnswer();
    if (!answer) return;
    whole = *answer;
  } else {
    duvanet::gui::HitExportDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted) return;
    whole = dialog.wholePlot();
  }
  QString filter = kHitFilters.section(QStringLiteral(";;"), 0, 0);
  const QString caption = QStringLiteral("Export hits");
  const auto choice = m_fileDialogs->saveFileAs(this, caption, kHitFilters, filter);
  if (!choice || choice->path.isEmpty()) return;
  QString path = choice->path;
  filter = choice->filter;
  // A typed extension decides the format; without one the chosen filter's is added.
  if (!duvanet::engine::hitFileFormatOf(path.toStdString())) path += filterExtension(filter);
  exportHits(path, whole);
}

#include "chart/ColourGridChart.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace duvanet::chart {

namespace {

constexpr std::uint16_t kNoCell = 0xFFFF;  // a place addCell left empty

QColor toQColor(engine::Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }
engine::Rgb toRgb(QColor colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

QFont boldLabelFont(QFont font) {
  font.setBold(true);
  font.setPixelSize(13);
  return font;
}

}  // namespace

RegionProvider engineRegionProvider(engine::DotPlotComputeRequest request) {
  // The provider keeps copies of the strands: a computation may still be running on its worker
  // while the window releases its sequences.
  struct Owned {
    std::u16string horiz, verti, horizRev, vertiRev;
    engine::DotPlotComputeRequest request;
  };
  auto owned = std::make_shared<Owned>();
  owned->horiz.assign(request.strands.horiz);
  owned->verti.assign(request.strands.verti);
  owned->horizRev.assign(request.strands.horizRev);
  owned->vertiRev.assign(request.strands.vertiRev);
  owned->request = std::move(request);
  owned->request.strands = {owned->horiz, owned->verti, owned->horizRev, owned->vertiRev};
  owned->request.progress = nullptr;
  return [owned](engine::CellRect region, const std::function<bool()>& keepGoing) {
    engine::DotPlotComputeRequest copy = owned->request;
    copy.region = region;
    copy.exactBudgetCells =
        std::max<std::int64_t>(copy.exactBudgetCells, region.width * region.height);
    copy.maxBinsPerSide = static_cast<int>(
        std::max<std::int64_t>({copy.maxBinsPerSide, region.width, region.height}));
    copy.progress = [keepGoing](double) { return keepGoing(); };
    engine::DotPlotComputeResult result = engine::computeDotPlot(copy);
    if (!result.isFilled()) return engine::DotPlotGrid{};
    return std::move(result.grid);
  };
}

QSize ColourGridChart::sizeHint() const { return QSize(500, 400); }

ColourGridChart::ColourGridChart(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  for (AxisSettings& settings : m_axes) settings.labelFont = boldLabelFont(font());
  m_axes[index(ChartAxis::Left)].inverted = true;
  m_regionLoader.setWorkerPriority(QThread::LowPriority);
  connect(&m_regionLoader, &core::DotPlotComputation::taskFinished, this,
          [this](quint64, const QVariant& result) {
            detailFinished(result.value<std::shared_ptr<engine::DotPlotGrid>>());
          });
}

ColourGridChart::~ColourGridChart() = default;

// ---------------------------------------------------------------------------------- cells

void ColourGridChart::setGrid(engine::DotPlotGrid grid) {
  stopDetail();
  m_pendingCells.clear();
  m_detail.reset();
  m_grid = std::make_shared<engine::DotPlotGrid>(std::move(grid));
  scanMaxCount();
  m_zoomed = false;
  viewChanged();
}

void ColourGridChart::replaceGrid(engine::DotPlotGrid grid, RegionProvider provider) {
  stopDetail();
  m_pendingCells.clear();
  m_detail.reset();
  m_grid = std::make_shared<engine::DotPlotGrid>(std::move(grid));
  m_regionProvider = std::move(provider);
  scanMaxCount();
  viewChanged();
}

void ColourGridChart::addCell(double x, double value, double z) {
  const double count = std::clamp(std::ceil(value), 0.0, double{kNoCell - 1});
  m_pendingCells.push_back({static_cast<std::int64_t>(std::floor(x)) - 1,
                            static_cast<std::int64_t>(std::floor(z)) - 1,
                            static_cast<std::uint16_t>(count)});
  m_maxCount = std::max(m_maxCount, static_cast<int>(count));
  viewChanged();
}

void ColourGridChart::materializeCells() const {
  if (m_pendingCells.empty()) return;
  const engine::DotPlotGrid* old = m_grid.get();
  if (old && !old->isEmpty() && !old->isExact()) {
    // A binned plot: a cell raises the bin that holds it; cells outside the plot are dropped.
    const engine::CellRect& r = old->cells();
    for (const PendingCell& cell : m_pendingCells) {
      if (cell.x < r.x || cell.z < r.y || cell.x >= r.x + r.width || cell.z >= r.y + r.height)
        continue;
      std::uint16_t& bin = m_grid->row(old->binOfCellY(cell.z))[old->binOfCellX(cell.x)];
      bin = std::max(bin, cell.count);
    }
    m_pendingCells.clear();
    return;
  }
  std::int64_t x0 = std::numeric_limits<std::int64_t>::max(), z0 = x0;
  std::int64_t x1 = std::numeric_limits<std::int64_t>::min(), z1 = x1;
  if (old && !old->isEmpty()) {
    x0 = old->cells().x;
    z0 = old->cells().y;
    x1 = x0 + old->cells().width;
    z1 = z0 + old->cells().height;
  }
  for (const PendingCell& cell : m_pendingCells) {
    x0 = std::min(x0, cell.x);
    z0 = std::min(z0, cell.z);
    x1 = std::max(x1, cell.x + 1);
    z1 = std::max(z1, cell.z + 1);
  }
  const engine::CellRect rect{x0, z0, x1 - x0, z1 - z0};
  auto grid = std::make_shared<engine::DotPlotGrid>(rect, static_cast<int>(rect.width),
                                                    static_cast<int>(rect.height));
  for (int row = 0; row < grid->binsY(); ++row) std::fill_n(grid->row(row), grid->binsX(), kNoCell);
  if (old && !old->isEmpty()) {
    for (int row = 0; row < old->binsY(); ++row) {
      std::copy_n(old->row(row), old->binsX(),
                  grid->row(static_cast<int>(old->cells().y - z0 + row)) + (old->cells().x - x0));
    }
  }
  for (const PendingCell& cell : m_pendingCells)
    grid->row(static_cast<int>(cell.z - z0))[cell.x - x0] = cell.count;
  m_pendingCells.clear();
  m_grid = std::move(grid);
}

void ColourGridChart::removeAllSeries() {
  stopDetail();
  m_grid.reset();
  m_detail.reset();
  m_pendingCells.clear();
  m_maxCount = 0;
  m_zoomed = false;
  viewChanged();
}

bool ColourGridChart::hasSeries() const {
  materializeCells();
  return m_grid && !m_grid->isEmpty();
}

const engine::DotPlotGrid* ColourGridChart::baseGrid() const {
  materializeCells();
  return m_grid && !m_grid->isEmpty() ? m_grid.get() : nullptr;
}

engine::CellRect ColourGridChart::plotCells() const {
  const engine::DotPlotGrid* grid = baseGrid();
  return grid ? grid->cells() : engine::CellRect{};
}

void ColourGridChart::scanMaxCount() {
  m_maxCount = 0;
  if (!m_grid) return;
  std::uint16_t highest = 0;
  for (const std::uint16_t count : m_grid->counts())
    if (count != kNoCell && count > highest) highest = count;
  m_maxCount = highest;
}

void ColourGridChart::setRegionProvider(RegionProvider provider) {
  m_regionProvider = std::move(provider);
  maybeRequestDetail();
}

bool ColourGridChart::detailPending() const { return m_regionLoader.isBusy(); }

const engine::DotPlotGrid* ColourGridChart::detailGrid() const { return m_detail.get(); }

// -------------------------------------------------------------------------------- palette

void ColourGridChart::setPaletteSettings(const PaletteSettings& settings) {
  m_palette.setSettings(settings);
}

void ColourGridChart::clearPalette() {
  m_palette.clear();
  requestUpdate();
}

int ColourGridChart::addPaletteEntry(double upperBound, QColor colour) {
  const int at = m_palette.addEntry(upperBound, toRgb(colour));
  requestUpdate();
  return at;
}

QColor ColourGridChart::paletteColour(int index) const { return toQColor(m_palette.colour(index)); }

void ColourGridChart::setPaletteColour(int index, QColor colour) {
  if (m_palette.setColour(index, toRgb(colour))) requestUpdate();
}

void ColourGridChart::setHighlightedLevel(int level) {
  if (level == m_highlightedLevel) return;
  m_highlightedLevel = level;
  requestUpdate();
}

QRgb ColourGridChart::countColour(int count) const {
  const int entry = m_palette.lookup(count - 0.001);
  if (entry < 0) return qRgb(255, 255, 255);
  return toQColor(m_palette.colour(entry)).rgb();
}

std::vector<QRgb> ColourGridChart::buildLut() const {
  std::vector<QRgb> lut(static_cast<std::size_t>(m_maxCount) + 2);
  lut[0] = qRgb(255, 255, 255);
  for (int count = 0; count <= m_maxCount; ++count)
    lut[static_cast<std::size_t>(count) + 1] = countColour(count);
  return lut;
}

// ------------------------------------------------------------------- axes and properties

void ColourGridChart::setAxis(ChartAxis which, const AxisSettings& settings) {
  AxisSettings& current = m_axes[index(which)];
  if (current.automatic != settings.automatic || current.min != settings.min ||
      current.max != settings.max)
    m_zoomed = false;
  current = settings;
  viewChanged();
}

void ColourGridChart::setAxisTitle(ChartAxis which, const QString& title) {
  m_axes[index(which)].title = title;
  viewChanged();
}

void ColourGridChart::setAxisInverted(ChartAxis which, bool inverted) {
  m_axes[index(which)].inverted = inverted;
  viewChanged();
}

std::pair<double, double> ColourGridChart::automaticRange(ChartAxis which) const {
  const engine::DotPlotGrid* grid = baseGrid();
  if (!grid) return {0.0, 1.0};
  const engine::CellRect& cells = grid->cells();
  if (which == ChartAxis::Top) return {double(cells.x + 1), double(cells.x + cells.width + 1)};
  return {double(cells.y + 1), double(cells.y + cells.height + 1)};
}

std::pair<double, double> ColourGridChart::visibleRange(ChartAxis which) const {
  if (m_zoomed) return m_zoomRange[index(which)];
  const AxisSettings& settings = axis(which);
  if (settings.automatic) return automaticRange(which);
  return {settings.min, settings.max};
}

void ColourGridChart::setTitle(const QString& title) {
  m_title = title;
  viewChanged();
}
void ColourGridChart::setTitleVisible(bool visible) {
  m_titleVisible = visible;
  viewChanged();
}
void ColourGridChart::setLegendVisible(bool visible) {
  m_legendVisible = visible;
  viewChanged();
}
void ColourGridChart::setLegendPosition(LegendPosition position) {
  m_legendPosition = position;
  viewChanged();
}
void ColourGridChart::setCrossHair(bool enabled) {
  m_crossHair = enabled;
  requestUpdate();
}

void ColourGridChart::viewChanged() {
  m_rasteriser.invalidate();
  requestUpdate();
  maybeRequestDetail();
}

void ColourGridChart::requestUpdate() {
  if (!m_drawing) update();
}

// ------------------------------------------------------------------------------- geometry

QRect ColourGridChart::plotRect() const { return computeLayout(rect()).plot; }

void ColourGridChart::setFeatureTrack(ChartAxis which,
                                      std::shared_ptr<const render::FeatureTrack> track) {
  m_tracks[index(which)] = std::move(track);
  viewChanged();
}

void ColourGridChart::setTracksVisible(bool visible) {
  if (m_tracksVisible == visible) return;
  m_tracksVisible = visible;
  viewChanged();
}

QRect ColourGridChart::trackRect(ChartAxis which) const {
  return computeLayout(rect()).tracks[index(which)];
}

std::optional<std::pair<ChartAxis, size_t>> ColourGridChart::featureAt(QPoint pixel) const {
  const Layout layout = computeLayout(rect());
  for (const ChartAxis which : {ChartAxis::Top, ChartAxis::Left}) {
    const QRect& band = layout.tracks[index(which)];
    if (band.isEmpty() || !band.contains(pixel)) continue;
    if (const auto found =
            m_tracks[index(which)]->featureAt(geometryFor(which, layout.plot), band, pixel))
      return std::pair{which, *found};
  }
  return std::nullopt;
}

AxisGeometry ColourGridChart::geometryFor(ChartAxis which, const QRect& plot) const {
  AxisGeometry geometry;
  const auto [min, max] = visibleRange(which);
  geometry.min = min;
  geometry.max = max;
  geometry.inverted = axis(which).inverted;
  geometry.vertical = which == ChartAxis::Left;
  if (which == ChartAxis::Top) {
    geometry.start = plot.left();
    geometry.end = plot.left() + plot.width();
  } else {
    geometry.start = plot.top();
    geometry.end = plot.top() + plot.height();
  }
  return geometry;
}

AxisGeometry ColourGridChart::axisGeometry(ChartAxis which) const {
  return geometryFor(which, plotRect());
}

double ColourGridChart::pixelToValue(ChartAxis which, int pixel) const {
  return render::pixelToValue(axisGeometry(which), pixel);
}

double ColourGridChart::valueToPixel(ChartAxis which, double value) const {
  return render::valueToPixel(axisGeometry(which), value);
}

// -------------------------------------------------------------------- zoom and scrolling

void ColourGridChart::zoomTo(double xFrom, double xTo, double zFrom, double zTo) {
  if (xFrom == xTo || zFrom == zTo) return;
  m_zoomRange[0] = {std::min(xFrom, xTo), std::max(xFrom, xTo)};
  m_zoomRange[1] = {std::min(zFrom, zTo), std::max(zFrom, zTo)};
  m_zoomed = true;
  viewChanged();
}

void ColourGridChart::unzoom() {
  if (!m_zoomed) return;
  m_zoomed = false;
  viewChanged();
}

void ColourGridChart::scrollByPixels(int dx, int dy) {
  const QRect plot = plotRect();
  std::pair<double, double> ranges[2] = {visibleRange(ChartAxis::Top),
                                         visibleRange(ChartAxis::Left)};
  const int deltas[2] = {dx, dy};
  bool moved = false;
  for (const ChartAxis which : {ChartAxis::Top, ChartAxis::Left}) {
    const int i = index(which);
    if (deltas[i] == 0) continue;
    const AxisGeometry geometry = geometryFor(which, plot);
    double shift = render::pixelToValue(geometry, geometry.start) -
                   render::pixelToValue(geometry, geometry.start + deltas[i]);
    const auto [lo, hi] = automaticRange(which);
    auto& [min, max] = ranges[i];
    if (max - min >= hi - lo) continue;  // the whole extent is in view already
    shift = std::clamp(shift, lo - min, hi - max);
    if (shift == 0) continue;
    min += shift;
    max += shift;
    moved = true;
  }
  if (!moved) return;
  m_zoomRange[0] = ranges[0];
  m_zoomRange[1] = ranges[1];
  m_zoomed = true;
  viewChanged();
}

// --------------------------------------------------------------- background computation

void ColourGridChart::maybeRequestDetail() {
  const engine::DotPlotGrid* base = baseGrid();
  if (!m_regionProvider || !base || base->isExact() || !m_zoomed) return;
  const QRect plot = plotRect();
  const engine::CellRect& all = base->cells();
  const auto [xmin, xmax] = visibleRange(ChartAxis::Top);
  const auto [ymin, ymax] = visibleRange(ChartAxis::Left);
  const std::int64_t x0 =
      std::max<std::int64_t>(all.x, static_cast<std::int64_t>(std::floor(xmin)) - 1);
  const std::int64_t x1 =
      std::min<std::int64_t>(all.x + all.width, static_cast<std::int64_t>(std::ceil(xmax)) - 1);
  const std::int64_t y0 =
      std::max<std::int64_t>(all.y, static_cast<std::int64_t>(std::floor(ymin)) - 1);
  const std::int64_t y1 =
      std::min<std::int64_t>(all.y + all.height, static_cast<std::int64_t>(std::ceil(ymax)) - 1);
  if (x1 <= x0 || y1 <= y0) return;
  const std::int64_t width = x1 - x0, height = y1 - y0;
  if (width * height > static_cast<std::int64_t>(plot.width()) * plot.height()) return;
  const auto covers = [&](const engine::CellRect& r) {
    return r.x <= x0 && r.y <= y0 && r.x + r.width >= x1 && r.y + r.height >= y1;
  };
  if (m_detail && covers(m_detail->cells())) return;
  if (m_regionLoader.isBusy() && covers(m_pendingRegion)) return;
  // Ask for a margin around the view so that small scroll steps need no new computation.
  const std::int64_t padX = width / 2, padY = height / 2;
  const std::int64_t rx0 = std::max(all.x, x0 - padX), ry0 = std::max(all.y, y0 - padY);
  const std::int64_t rx1 = std::min(all.x + all.width, x1 + padX);
  const std::int64_t ry1 = std::min(all.y + all.height, y1 + padY);
  // A new region supersedes the one being computed.
  m_pendingRegion = {rx0, ry0, rx1 - rx0, ry1 - ry0};
  m_regionLoader.startTask(
      [provider = m_regionProvider, region = m_pendingRegion](core::ComputationControl& control) {
        auto grid = std::make_shared<engine::DotPlotGrid>(
            provider(region, [&control] { return control.keepGoing(); }));
        return QVariant::fromValue(std::move(grid));
      });
}

void ColourGridChart::stopDetail() {
  // Returns once the worker has let go of the region it was computing.
  m_regionLoader.cancel();
  m_regionLoader.waitUntilIdle();
}

void ColourGridChart::detailFinished(std::shared_ptr<engine::DotPlotGrid> grid) {
  if (!grid || grid->isEmpty() || !grid->isExact() || !baseGrid()) return;
  m_detail = std::move(grid);
  m_rasteriser.invalidate();
  requestUpdate();
  emit detailArrived();
}

// -------------------------------------------------------------------------------- drawing

ChartRenderer ColourGridChart::renderer() {
  return [this](QPainter& painter, const QRect& target, const PictureTarget& how) {
    const render::FigureContent content = figureContent();
    render::FigureDrawing drawing;
    drawing.grid = how.vector ? render::GridImage::Cells : render::GridImage::DevicePixels;
    drawing.scale = render::fittedScale(content, target.size(), how.scale);
    render::drawFigure(painter, content, target, drawing);
  };
}

bool ColourGridChart::exportToFile(const QString& path, ChartImageFormat format) {
  return exportChart(renderer(), size(), path, format);
}

bool ColourGridChart::exportToFile(const QString& path, ChartImageFormat format,
                                   const PictureSize& pictureSize) {
  return render::writePicture(renderer(), pictureSize, path, format);
}

bool ColourGridChart::showExportDialog(QWidget* owner, FileDialogs& dialogs,
                                       const PictureSizeChooser& chooseSize) {
  return showChartExportDialog(owner, renderer(), size(), dialogs, {}, chooseSize);
}

void ColourGridChart::showPrintPreview(QWidget* owner, const QString& title) {
  showChartPrintPreview(owner, renderer(), size(), title);
}

void ColourGridChart::repaintNow() {
  if (m_drawing) return;
  repaint();
}

void ColourGridChart::paintEvent(QPaintEvent*) {
  if (m_drawing) return;
  m_drawing = true;
  ++m_drawCount;
  {
    QPainter painter(this);
    renderChart(painter, rect());
    const QRect plot = plotRect();
    if (m_drag == Drag::Zoom) {
      painter.setPen(QPen(Qt::red, 1));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(QRect(m_dragStart, m_dragNow).normalized());
    }
    if (m_crossHair && plot.contains(m_mouse)) {
      painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
      painter.drawLine(plot.left(), m_mouse.y(), plot.right(), m_mouse.y());
      painter.drawLine(m_mouse.x(), plot.top(), m_mouse.x(), plot.bottom());
    }
  }
  m_drawnLut = m_rasteriser.colours();
  emit afterDraw();
  m_drawing = false;
  // Colours changed inside afterDraw take effect with one more pass, started from the event
  // loop; an unchanged palette starts none.
  if (buildLut() != m_drawnLut) update();
}

// ---------------------------------------------------------------------------------- mouse

void ColourGridChart::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mousePressed(event->button(), event->modifiers(), pos.x(), pos.y());
  if (event->button() == Qt::LeftButton && m_zoomEnabled && plotRect().contains(pos)) {
    m_drag = Drag::Zoom;
  } else if (event->button() == Qt::RightButton && m_scrollEnabled) {
    m_drag = Drag::Scroll;
  } else {
    return;
  }
  m_dragStart = pos;
  m_dragNow = pos;
}

void ColourGridChart::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mouseMoved(event->modifiers(), pos.x(), pos.y());
  m_mouse = pos;
  if (m_drag == Drag::Zoom) {
    m_dragNow = pos;
    requestUpdate();
  } else if (m_drag == Drag::Scroll) {
    const QPoint delta = pos - m_dragNow;
    m_dragNow = pos;
    scrollByPixels(delta.x(), delta.y());
  } else if (m_crossHair) {
    requestUpdate();
  }
}

void ColourGridChart::mouseReleaseEvent(QMouseEvent* event) {
  if (m_drag == Drag::Zoom) {
    m_drag = Drag::None;
    const QPoint end = event->position().toPoint();
    const int dx = end.x() - m_dragStart.x(), dy = end.y() - m_dragStart.y();
    if (dx >= 4 && dy >= 4) {
      zoomTo(pixelToValue(ChartAxis::Top, m_dragStart.x()), pixelToValue(ChartAxis::Top, end.x()),
             pixelToValue(ChartAxis::Left, m_dragStart.y()),
             pixelToValue(ChartAxis::Left, end.y()));
    } else if (dx <= -4 || dy <= -4) {
      unzoom();
    }
    requestUpdate();
  } else if (m_drag == Drag::Scroll) {
    m_drag = Drag::None;
  }
}

void ColourGridChart::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit mousePressed(event->button(), event->modifiers(), pos.x(), pos.y());
  if (event->button() == Qt::LeftButton && m_zoomEnabled) {
    m_drag = Drag::None;
    unzoom();
  }
}

void ColourGridChart::wheelEvent(QWheelEvent* event) {
  if (!m_scrollEnabled) return;
  const QRect plot = plotRect();
  const int notches = event->angleDelta().y() / 120;
  if (notches == 0) return;
  if (event->modifiers() & Qt::ShiftModifier) {
    scrollByPixels(notches * plot.width() / 10, 0);
  } else {
    scrollByPixels(0, notches * plot.height() / 10);
  }
  event->accept();
}

void ColourGridChart::leaveEvent(QEvent*) {
  m_mouse = QPoint(-1, -1);
  if (m_crossHair) requestUpdate();
}

}  // namespace duvanet::chart

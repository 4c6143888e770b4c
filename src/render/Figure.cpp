#include "render/Figure.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>

// The dot plot as a figure: where the title, the grid, the axes, the legend and the tracks go in
// a target rectangle, and how they are drawn, for the screen, the pictures and the printer alike.

namespace duvanet::render {

namespace {

constexpr int kFrame = 2;
constexpr int kMargin = 6;
constexpr int kMajorTick = 4;  // lengths
constexpr int kMinorTick = 2;
constexpr int kMajorTickWidth = 3;  // pen widths
constexpr int kMinorTickWidth = 2;
constexpr int kLegendSymbolWidth = 40;

QString numberText(double value) {
  if (std::abs(value - std::round(value)) < 1e-9) {
    return QString::number(static_cast<qlonglong>(std::llround(value)));
  }
  return QString::number(value, 'g', 6);
}

QFont boldFont(QFont font) {
  font.setBold(true);
  return font;
}

bool verticalLegend(LegendPlace place) {
  return place == LegendPlace::Right || place == LegendPlace::Left;
}

QPen tickPen(int width) {
  QPen pen(Qt::black, width);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

}  // namespace

QFont pixelSizedFont(QFont font) {
  if (font.pixelSize() > 0) return font;
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 9.0;
  int pixels = 0;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    pixels = QFontInfo(font).pixelSize();
  if (pixels <= 0) pixels = static_cast<int>(std::lround(points * 96.0 / 72.0));
  font.setPixelSize(std::max(1, pixels));
  return font;
}

AxisGeometry figureAxisGeometry(const FigureContent& content, FigureSide side, const QRect& plot) {
  const FigureAxis& axis = content.axis(side);
  AxisGeometry geometry;
  geometry.min = axis.min;
  geometry.max = axis.max;
  geometry.inverted = axis.inverted;
  geometry.vertical = side == FigureSide::Left;
  if (side == FigureSide::Top) {
    geometry.start = plot.left();
    geometry.end = plot.left() + plot.width();
  } else {
    geometry.start = plot.top();
    geometry.end = plot.top() + plot.height();
  }
  return geometry;
}

FigureLayout layoutFigure(const FigureContent& content, const QRect& target) {
  FigureLayout layout;
  const QFontMetrics titleMetrics(content.font);
  const QFontMetrics topMetrics(content.axis(FigureSide::Top).labelFont);
  const QFontMetrics leftMetrics(content.axis(FigureSide::Left).labelFont);
  const QFontMetrics legendMetrics(boldFont(content.legendFont));
  int top = target.top() + kMargin;
  int left = target.left() + kMargin;
  int right = target.right() + 1 - kMargin;
  int bottom = target.bottom() + 1 - kMargin;

  if (content.titleVisible && !content.title.isEmpty()) {
    layout.title = QRect(left, top, right - left, titleMetrics.height());
    top += titleMetrics.height() + 4;
  }
  const int levels = static_cast<int>(content.legend.size());
  if (content.legendVisible && levels > 0) {
    int labelWidth = 0;
    for (int i = 0; i < levels; i += std::max(1, levels / 50))
      labelWidth = std::max(
          labelWidth, legendMetrics.horizontalAdvance(numberText(content.legend[i].upperBound)));
    labelWidth = std::max(
        labelWidth, legendMetrics.horizontalAdvance(numberText(content.legend.back().upperBound)));
    const int width = kLegendSymbolWidth + labelWidth + 16;
    const int height = legendMetrics.height() * 2 + 14;
    switch (content.legendPlace) {
      case LegendPlace::Right:
        layout.legend = QRect(right - width, top, width, bottom - top);
        right -= width + 8;
        break;
      case LegendPlace::Left:
        layout.legend = QRect(left, top, width, bottom - top);
        left += width + 8;
        break;
      case LegendPlace::Top:
        layout.legend = QRect(left, top, right - left, height);
        top += height + 6;
        break;
      case LegendPlace::Bottom:
        layout.legend = QRect(left, bottom - height, right - left, height);
        bottom -= height + 6;
        break;
    }
  }
  // The tracks lie outside the axes' titles and labels.
  const auto trackThickness = [&](FigureSide side) {
    const auto& track = content.tracks[int(side)];
    return track && !track->empty() ? track->thickness() : 0;
  };
  const int topTrack = trackThickness(FigureSide::Top);
  const int leftTrack = trackThickness(FigureSide::Left);
  const int topTrackAt = top;
  const int leftTrackAt = left;
  if (topTrack > 0) top += topTrack + 3;
  if (leftTrack > 0) left += leftTrack + 3;
  if (!content.axis(FigureSide::Top).title.isEmpty()) top += titleMetrics.height() + 2;
  top += topMetrics.height() + 2 + kMajorTick + kFrame;
  if (!content.axis(FigureSide::Left).title.isEmpty()) left += titleMetrics.height() + 4;
  const FigureAxis& leftAxis = content.axis(FigureSide::Left);
  const int labelWidth =
      std::max(leftMetrics.horizontalAdvance(numberText(std::floor(leftAxis.min))),
               leftMetrics.horizontalAdvance(numberText(std::ceil(leftAxis.max))));
  left += labelWidth + 3 + kMajorTick + kFrame;
  // The last top label may stick out beyond the plot by half its width.
  const double topMax = content.axis(FigureSide::Top).max;
  right -= std::max(kFrame, topMetrics.horizontalAdvance(numberText(std::ceil(topMax))) / 2 + 2);
  bottom -= kFrame;
  layout.plot = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
  if (topTrack > 0)
    layout.tracks[int(FigureSide::Top)] =
        QRect(layout.plot.left(), topTrackAt, layout.plot.width(), topTrack);
  if (leftTrack > 0)
    layout.tracks[int(FigureSide::Left)] =
        QRect(leftTrackAt, layout.plot.top(), leftTrack, layout.plot.height());
  if (layout.legend.isValid() && verticalLegend(content.legendPlace)) {
    // As tall as the grid at most; shorter when every level has a row of its own.
    const int rowsHeight = levels * legendMetrics.height() + 10;
    layout.legend.setTop(layout.plot.top() - kFrame);
    layout.legend.setBottom(
        std::min(layout.plot.bottom() + kFrame, layout.legend.top() + rowsHeight - 1));
  }
  return layout;
}

namespace {

void drawAxes(QPainter& painter, const FigureContent& content, const QRect& plot) {
  const QFontMetrics titleMetrics(content.font);
  painter.setPen(Qt::black);
  // Top axis: ticks upwards from the frame, labels above them, the title above the labels.
  {
    const FigureAxis& settings = content.axis(FigureSide::Top);
    const AxisGeometry g = figureAxisGeometry(content, FigureSide::Top, plot);
    const QFontMetrics metrics(settings.labelFont);
    const double range = g.max - g.min;
    const int widest = std::max(metrics.horizontalAdvance(numberText(std::floor(g.min))),
                                metrics.horizontalAdvance(numberText(std::ceil(g.max))));
    const double step = tickStep(range, plot.width(), widest + 8, settings.increment);
    const int tickBase = plot.top() - kFrame;
    painter.setFont(settings.labelFont);
    for (const double value : tickValues(g.min, g.max, step)) {
      const int x = static_cast<int>(std::lround(valueToPixel(g, value)));
      painter.setPen(tickPen(kMajorTickWidth));
      painter.drawLine(x, tickBase - kMajorTick, x, tickBase);
      painter.setPen(Qt::black);
      const QString text = numberText(value);
      const int w = metrics.horizontalAdvance(text);
      painter.drawText(QRect(x - w / 2 - 1, tickBase - kMajorTick - 2 - metrics.height(), w + 2,
                             metrics.height()),
                       Qt::AlignCenter, text);
    }
    if (step * plot.width() / std::max(range, 1e-300) >= 8) {
      painter.setPen(tickPen(kMinorTickWidth));
      for (const double value : tickValues(g.min - step / 2, g.max, step)) {
        const double minor = value + step / 2;
        if (minor < g.min || minor > g.max) continue;
        const int x = static_cast<int>(std::lround(valueToPixel(g, minor)));
        painter.drawLine(x, tickBase - kMinorTick, x, tickBase);
      }
      painter.setPen(Qt::black);
    }
    if (!settings.title.isEmpty()) {
      painter.setFont(content.font);
      painter.drawText(
          QRect(plot.left(), tickBase - kMajorTick - 4 - metrics.height() - titleMetrics.height(),
                plot.width(), titleMetrics.height()),
          Qt::AlignCenter, titleMetrics.elidedText(settings.title, Qt::ElideRight, plot.width()));
    }
  }
  // Left axis: ticks to the left of the frame, labels right-aligned, the title turned upright.
  {
    const FigureAxis& settings = content.axis(FigureSide::Left);
    const AxisGeometry g = figureAxisGeometry(content, FigureSide::Left, plot);
    const QFontMetrics metrics(settings.labelFont);
    const double range = g.max - g.min;
    const double step = tickStep(range, plot.height(), metrics.height() + 2, settings.increment);
    const int tickBase = plot.left() - kFrame;
    painter.setFont(settings.labelFont);
    int widest = 0;
    for (const double value : tickValues(g.min, g.max, step)) {
      const int y = static_cast<int>(std::lround(valueToPixel(g, value)));
      painter.setPen(tickPen(kMajorTickWidth));
      painter.drawLine(tickBase - kMajorTick, y, tickBase, y);
      painter.setPen(Qt::black);
      const QString text = numberText(value);
      widest = std::max(widest, metrics.horizontalAdvance(text));
      painter.drawText(
          QRect(0, y - metrics.height() / 2, tickBase - kMajorTick - 3, metrics.height()),
          Qt::AlignRight | Qt::AlignVCenter, text);
    }
    if (step * plot.height() / std::max(range, 1e-300) >= 8) {
      painter.setPen(tickPen(kMinorTickWidth));
      for (const double value : tickValues(g.min - step / 2, g.max, step)) {
        const double minor = value + step / 2;
        if (minor < g.min || minor > g.max) continue;
        const int y = static_cast<int>(std::lround(valueToPixel(g, minor)));
        painter.drawLine(tickBase - kMinorTick, y, tickBase, y);
      }
      painter.setPen(Qt::black);
    }
    if (!settings.title.isEmpty()) {
      painter.setFont(content.font);
      painter.save();
      const int x = tickBase - kMajorTick - 5 - widest - titleMetrics.height();
      painter.translate(x, plot.center().y());
      painter.rotate(-90);
      // Titles longer than the axis lose their end rather than both ends.
      painter.drawText(QRect(-plot.height() / 2, 0, plot.height(), titleMetrics.height()),
                       Qt::AlignCenter,
                       titleMetrics.elidedText(settings.title, Qt::ElideRight, plot.height()));
      painter.restore();
    }
  }
  // The frame around the grid, 2 pixels wide.
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  const QRect outer = plot.adjusted(-kFrame, -kFrame, kFrame, kFrame);
  painter.drawRect(QRect(outer.left(), outer.top(), outer.width(), kFrame));
  painter.drawRect(QRect(outer.left(), plot.bottom() + 1, outer.width(), kFrame));
  painter.drawRect(QRect(outer.left(), plot.top(), kFrame, plot.height()));
  painter.drawRect(QRect(plot.right() + 1, plot.top(), kFrame, plot.height()));
  painter.setBrush(Qt::NoBrush);
}

void drawLegend(QPainter& painter, const FigureContent& content, const QRect& box) {
  const int n = static_cast<int>(content.legend.size());
  if (n == 0 || !box.isValid()) return;
  const QFont legendFont = boldFont(content.legendFont);
  const QFontMetrics metrics(legendFont);
  painter.setFont(legendFont);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QRect inner = box.adjusted(5, 5, -5, -5);
  const int highlighted =
      content.highlightedLevel >= 0 && content.highlightedLevel < n ? content.highlightedLevel : -1;
  const auto colourOf = [&](int i) { return QColor::fromRgb(content.legend[i].colour); };
  const auto labelOf = [&](int i) { return numberText(content.legend[i].upperBound); };
  if (verticalLegend(content.legendPlace)) {
    // The highest level at the top; each level one row when they fit, a continuous strip else.
    const int rowHeight = metrics.height();
    const bool rows = n * rowHeight <= inner.height();
    const double band = rows ? rowHeight : static_cast<double>(inner.height()) / n;
    const int labelEvery = rows ? 1 : static_cast<int>(tickStep(n, inner.height(), rowHeight, 1));
    const auto bandOf = [&](int i) {
      const int slot = n - 1 - i;
      const int y0 = inner.top() + static_cast<int>(std::floor(slot * band));
      const int y1 = inner.top() + static_cast<int>(std::floor((slot + 1) * band));
      return std::pair{y0, std::max(y0 + 1, y1)};
    };
    const auto drawLabel = [&](int i) {
      const auto [y0, y1] = bandOf(i);
      const int centre = (y0 + y1) / 2;
      painter.drawText(QRect(inner.left() + kLegendSymbolWidth + 4, centre - rowHeight / 2,
                             inner.width() - kLegendSymbolWidth - 4, rowHeight),
                       Qt::AlignLeft | Qt::AlignVCenter, labelOf(i));
    };
    const int highlightCentre =
        highlighted >= 0 ? (bandOf(highlighted).first + bandOf(highlighted).second) / 2 : 0;
    for (int i = 0; i < n; ++i) {
      const auto [y0, y1] = bandOf(i);
      painter.fillRect(QRect(inner.left(), y0, kLegendSymbolWidth, y1 - y0), colourOf(i));
      // A label close to the highlighted level's gives way to it.
      if (i % labelEvery == 0 && i != highlighted &&
          (highlighted < 0 || rows || std::abs((y0 + y1) / 2 - highlightCentre) >= rowHeight))
        drawLabel(i);
    }
    if (highlighted >= 0) {
      // Never thinner than two pixels, so that it shows however many levels share the strip.
      auto [y0, y1] = bandOf(highlighted);
      if (y1 - y0 < 2) y1 = std::min(inner.bottom() + 1, y0 + 2), y0 = y1 - 2;
      painter.fillRect(QRect(inner.left(), y0, kLegendSymbolWidth, y1 - y0), colourOf(highlighted));
      drawLabel(highlighted);
    }
  } else {
    const int stripHeight = inner.height() - metrics.height() - 2;
    const double band = static_cast<double>(inner.width()) / n;
    const int labelWidth = metrics.horizontalAdvance(labelOf(n - 1)) + 8;
    const int labelEvery = static_cast<int>(tickStep(n, inner.width(), labelWidth, 1));
    const auto bandOf = [&](int i) {
      const int x0 = inner.left() + static_cast<int>(std::floor(i * band));
      const int x1 = inner.left() + static_cast<int>(std::floor((i + 1) * band));
      return std::pair{x0, std::max(x0 + 1, x1)};
    };
    const auto drawLabel = [&](int i) {
      const auto [x0, x1] = bandOf(i);
      const QString text = labelOf(i);
      const int w = metrics.horizontalAdvance(text);
      painter.drawText(
          QRect((x0 + x1) / 2 - w / 2 - 1, inner.top() + stripHeight + 2, w + 2, metrics.height()),
          Qt::AlignCenter, text);
    };
    const int highlightCentre =
        highlighted >= 0 ? (bandOf(highlighted).first + bandOf(highlighted).second) / 2 : 0;
    for (int i = 0; i < n; ++i) {
      const auto [x0, x1] = bandOf(i);
      painter.fillRect(QRect(x0, inner.top(), x1 - x0, stripHeight), colourOf(i));
      if (i % labelEvery == 0 && i != highlighted &&
          (highlighted < 0 || std::abs((x0 + x1) / 2 - highlightCentre) >= labelWidth))
        drawLabel(i);
    }
    if (highlighted >= 0) {
      auto [x0, x1] = bandOf(highlighted);
      if (x1 - x0 < 2) x1 = std::min(inner.right() + 1, x0 + 2), x0 = x1 - 2;
      painter.fillRect(QRect(x0, inner.top(), x1 - x0, stripHeight), colourOf(highlighted));
      drawLabel(highlighted);
    }
  }
}

// The whole cells of one axis that the view shows, as axis values [from, to), within the plot.
std::pair<std::int64_t, std::int64_t> wholeCells(const FigureAxis& axis, std::int64_t start,
                                                 std::int64_t size) {
  const double low = std::min(axis.min, axis.max), high = std::max(axis.min, axis.max);
  const auto from = std::max<std::int64_t>(start + 1, static_cast<std::int64_t>(std::floor(low)));
  const auto to =
      std::min<std::int64_t>(start + size + 1, static_cast<std::int64_t>(std::ceil(high)));
  return {from, std::max(from, to)};
}

QImage colouredImage(const std::vector<std::uint16_t>& counts, QSize size,
                     const std::vector<QRgb>& colours) {
  if (colours.size() <= 256) {
    // A palette image: a quarter of the memory, and small embedded in vector drawings.
    QImage image(size, QImage::Format_Indexed8);
    if (image.isNull()) return image;
    image.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
    const std::size_t last = colours.size() - 1;
    for (int y = 0; y < size.height(); ++y) {
      uchar* line = image.scanLine(y);
      const std::uint16_t* row = counts.data() + static_cast<std::size_t>(y) * size.width();
      for (int x = 0; x < size.width(); ++x)
        line[x] = static_cast<uchar>(std::min<std::size_t>(row[x], last));
    }
    return image;
  }
  QImage image;
  colourPixels(counts, size, colours, image);
  return image;
}

void drawCellImage(QPainter& painter, const FigureContent& content, const QRect& plot) {
  const CellImage cells = cellImage(content);
  if (cells.image.isNull()) return;
  const AxisGeometry gx = figureAxisGeometry(content, FigureSide::Top, plot);
  const AxisGeometry gy = figureAxisGeometry(content, FigureSide::Left, plot);
  const double x0 = valueToPixel(gx, cells.columnsFrom), x1 = valueToPixel(gx, cells.columnsTo);
  const double y0 = valueToPixel(gy, cells.rowsFrom), y1 = valueToPixel(gy, cells.rowsTo);
  const QRectF placed = QRectF(QPointF(x0, y0), QPointF(x1, y1)).normalized();
  painter.save();
  painter.setClipRect(plot, Qt::IntersectClip);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  painter.drawImage(placed, cells.image);
  painter.restore();
  // Whole cells may reach beyond a zoomed view; not every vector format clips, so what sticks
  // out is painted over before the axes, the tracks and the legend are drawn.
  const QRectF inside(plot);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  if (placed.left() < inside.left())
    painter.drawRect(
        QRectF(placed.left(), placed.top(), inside.left() - placed.left(), placed.height()));
  if (placed.right() > inside.right())
    painter.drawRect(
        QRectF(inside.right(), placed.top(), placed.right() - inside.right(), placed.height()));
  if (placed.top() < inside.top())
    painter.drawRect(
        QRectF(placed.left(), placed.top(), placed.width(), inside.top() - placed.top()));
  if (placed.bottom() > inside.bottom())
    painter.drawRect(
        QRectF(placed.left(), inside.bottom(), placed.width(), placed.bottom() - inside.bottom()));
  painter.restore();
}

void drawDeviceImage(QPainter& painter, const FigureContent& content, const QRect& plot,
                     GridRasteriser* rasteriser) {
  const QTransform transform = painter.combinedTransform();
  if (transform.type() > QTransform::TxScale) {
    drawCellImage(painter, content, plot);
    return;
  }
  const QRectF mapped = transform.mapRect(QRectF(plot));
  const QRect device(
      QPoint(int(std::lround(mapped.left())), int(std::lround(mapped.top()))),
      QPoint(int(std::lround(mapped.right())) - 1, int(std::lround(mapped.bottom())) - 1));
  if (device.isEmpty()) return;
  GridRasteriser local;
  GridRasteriser& raster = rasteriser ? *rasteriser : local;
  const GridView view{device, figureAxisGeometry(content, FigureSide::Top, device),
                      figureAxisGeometry(content, FigureSide::Left, device)};
  const QImage& image = raster.image(content.grid, content.detail, view, content.colours);
  painter.save();
  painter.resetTransform();
  painter.drawImage(device.topLeft(), image);
  painter.restore();
}

}  // namespace

CellImage cellImage(const FigureContent& content, int maxSide) {
  CellImage result;
  const engine::DotPlotGrid* grid = content.grid;
  if (!grid || grid->isEmpty() || content.colours.empty()) return result;
  const engine::CellRect& all = grid->cells();
  const FigureAxis& columns = content.axis(FigureSide::Top);
  const FigureAxis& rows = content.axis(FigureSide::Left);
  const auto [cx0, cx1] = wholeCells(columns, all.x, all.width);
  const auto [cy0, cy1] = wholeCells(rows, all.y, all.height);
  if (cx1 <= cx0 || cy1 <= cy0) return result;
  std::int64_t sideX = cx1 - cx0, sideY = cy1 - cy0;
  // A binned grid has no more to show than its bins, unless the exact detail covers the view.
  const engine::DotPlotGrid* detail = content.detail;
  const bool detailCovers = detail && !detail->isEmpty() && detail->cells().x <= cx0 - 1 &&
                            detail->cells().y <= cy0 - 1 &&
                            detail->cells().x + detail->cells().width >= cx1 - 1 &&
                            detail->cells().y + detail->cells().height >= cy1 - 1;
  if (!grid->isExact() && !detailCovers) {
    sideX = std::min(sideX, (sideX * grid->binsX() + all.width - 1) / all.width);
    sideY = std::min(sideY, (sideY * grid->binsY() + all.height - 1) / all.height);
  }
  sideX = std::clamp<std::int64_t>(sideX, 1, maxSide);
  sideY = std::clamp<std::int64_t>(sideY, 1, maxSide);
  const QRect plot(0, 0, int(sideX), int(sideY));
  FigureContent whole;
  whole.axes[0] = columns;
  whole.axes[1] = rows;
  whole.axes[0].min = double(cx0);
  whole.axes[0].max = double(cx1);
  whole.axes[1].min = double(cy0);
  whole.axes[1].max = double(cy1);
  const GridView view{plot, figureAxisGeometry(whole, FigureSide::Top, plot),
                      figureAxisGeometry(whole, FigureSide::Left, plot)};
  std::vector<std::uint16_t> counts;
  pixelCounts(grid, detailCovers ? detail : nullptr, view, counts);
  result.image = colouredImage(counts, plot.size(), content.colours);
  // The image's left edge is the low end of the columns unless the axis runs the other way.
  result.columnsFrom = columns.inverted ? double(cx1) : double(cx0);
  result.columnsTo = columns.inverted ? double(cx0) : double(cx1);
  // A vertical axis has its maximum at the top unless it is inverted.
  result.rowsFrom = rows.inverted ? double(cy0) : double(cy1);
  result.rowsTo = rows.inverted ? double(cy1) : double(cy0);
  return result;
}

void drawFigure(QPainter& painter, const FigureContent& content, const QRect& target,
                const FigureDrawing& drawing) {
  const double scale = drawing.scale > 0 ? drawing.scale : 1;
  painter.save();
  painter.fillRect(target, Qt::white);
  painter.translate(target.topLeft());
  painter.scale(scale, scale);
  const QRect logical(0, 0, static_cast<int>(std::floor(target.width() / scale + 1e-9)),
                      static_cast<int>(std::floor(target.height() / scale + 1e-9)));
  const FigureLayout layout = layoutFigure(content, logical);
  if (layout.plot.width() > 0 && layout.plot.height() > 0) {
    if (drawing.grid == GridImage::Cells)
      drawCellImage(painter, content, layout.plot);
    else
      drawDeviceImage(painter, content, layout.plot, drawing.rasteriser);
    drawAxes(painter, content, layout.plot);
    for (const FigureSide side : {FigureSide::Top, FigureSide::Left})
      if (!layout.tracks[int(side)].isEmpty())
        content.tracks[int(side)]->draw(painter, figureAxisGeometry(content, side, layout.plot),
                                        layout.tracks[int(side)]);
  }
  if (content.legendVisible) drawLegend(painter, content, layout.legend);
  if (layout.title.isValid()) {
    painter.setPen(Qt::black);
    painter.setFont(content.font);
    painter.drawText(layout.title, Qt::AlignCenter, content.title);
  }
  painter.restore();
}

double fittedScale(const FigureContent& content, QSize size, double wanted) {
  if (wanted <= 0 || size.isEmpty()) return 1;
  const double lowest = std::min(wanted, 1.0);
  double scale = wanted;
  while (scale > lowest) {
    const QRect logical(0, 0, static_cast<int>(size.width() / scale),
                        static_cast<int>(size.height() / scale));
    const QRect plot = layoutFigure(content, logical).plot;
    if (plot.width() >= 0.4 * logical.width() && plot.height() >= 0.4 * logical.height()) break;
    scale = std::max(lowest, scale * 0.9);
  }
  return scale;
}

}  // namespace duvanet::render

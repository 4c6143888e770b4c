#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "chart/ColourGridChart.h"

// The chart as a figure: where the title, the grid, the axes and the legend go in a target
// rectangle, and how the axes and the legend are drawn, for the screen, export and print alike.

namespace duvanet::chart {

namespace {

constexpr int kFrame = 2;
constexpr int kMargin = 6;
constexpr int kMajorTick = 4;
constexpr int kMinorTick = 2;
constexpr int kLegendSymbolWidth = 40;

QString numberText(double value) {
  if (std::abs(value - std::round(value)) < 1e-9) {
    return QString::number(static_cast<qlonglong>(std::llround(value)));
  }
  return QString::number(value, 'g', 6);
}

}  // namespace

ColourGridChart::Layout ColourGridChart::computeLayout(const QRect& target) const {
  Layout layout;
  const QFontMetrics titleMetrics(font());
  const QFontMetrics topMetrics(axis(ChartAxis::Top).labelFont);
  const QFontMetrics leftMetrics(axis(ChartAxis::Left).labelFont);
  int top = target.top() + kMargin;
  int left = target.left() + kMargin;
  int right = target.right() + 1 - kMargin;
  int bottom = target.bottom() + 1 - kMargin;

  if (m_titleVisible && !m_title.isEmpty()) {
    layout.title = QRect(left, top, right - left, titleMetrics.height());
    top += titleMetrics.height() + 4;
  }
  if (m_legendVisible && m_palette.count() > 0) {
    QFont legendFont = font();
    legendFont.setBold(true);
    const QFontMetrics legendMetrics(legendFont);
    int labelWidth = 0;
    for (int i = 0; i < m_palette.count(); i += std::max(1, m_palette.count() / 50))
      labelWidth = std::max(
          labelWidth, legendMetrics.horizontalAdvance(numberText(m_palette.entry(i).upperBound)));
    labelWidth = std::max(labelWidth, legendMetrics.horizontalAdvance(numberText(
                                          m_palette.entry(m_palette.count() - 1).upperBound)));
    const int width = kLegendSymbolWidth + labelWidth + 16;
    const int height = legendMetrics.height() * 2 + 14;
    switch (m_legendPosition) {
      case LegendPosition::Right:
        layout.legend = QRect(right - width, top, width, bottom - top);
        right -= width + 8;
        break;
      case LegendPosition::Left:
        layout.legend = QRect(left, top, width, bottom - top);
        left += width + 8;
        break;
      case LegendPosition::Top:
        layout.legend = QRect(left, top, right - left, height);
        top += height + 6;
        break;
      case LegendPosition::Bottom:
        layout.legend = QRect(left, bottom - height, right - left, height);
        bottom -= height + 6;
        break;
    }
  }
  if (!axis(ChartAxis::Top).title.isEmpty()) top += titleMetrics.height() + 2;
  top += topMetrics.height() + 2 + kMajorTick + kFrame;
  if (!axis(ChartAxis::Left).title.isEmpty()) left += titleMetrics.height() + 4;
  const auto [lmin, lmax] = visibleRange(ChartAxis::Left);
  const int labelWidth = std::max(leftMetrics.horizontalAdvance(numberText(std::floor(lmin))),
                                  leftMetrics.horizontalAdvance(numberText(std::ceil(lmax))));
  left += labelWidth + 3 + kMajorTick + kFrame;
  // The last top label may stick out beyond the plot by half its width.
  const double topMax = visibleRange(ChartAxis::Top).second;
  right -= std::max(kFrame, topMetrics.horizontalAdvance(numberText(std::ceil(topMax))) / 2 + 2);
  bottom -= kFrame;
  layout.plot = QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
  if (layout.legend.isValid() &&
      (m_legendPosition == LegendPosition::Right || m_legendPosition == LegendPosition::Left)) {
    // As tall as the grid at most; shorter when every level has a row of its own.
    QFont legendFont = font();
    legendFont.setBold(true);
    const int rowsHeight = m_palette.count() * QFontMetrics(legendFont).height() + 10;
    layout.legend.setTop(layout.plot.top() - kFrame);
    layout.legend.setBottom(
        std::min(layout.plot.bottom() + kFrame, layout.legend.top() + rowsHeight - 1));
  }
  return layout;
}

void ColourGridChart::drawAxes(QPainter& painter, const Layout& layout) const {
  const QRect& plot = layout.plot;
  const QFontMetrics titleMetrics(font());
  painter.setPen(Qt::black);
  // Top axis: ticks upwards from the frame, labels above them, the title above the labels.
  {
    const AxisSettings& settings = axis(ChartAxis::Top);
    const AxisGeometry g = geometryFor(ChartAxis::Top, plot);
    const QFontMetrics metrics(settings.labelFont);
    const double range = g.max - g.min;
    const int widest = std::max(metrics.horizontalAdvance(numberText(std::floor(g.min))),
                                metrics.horizontalAdvance(numberText(std::ceil(g.max))));
    const double step = tickStep(range, plot.width(), widest + 8, settings.increment);
    const int tickBase = plot.top() - kFrame;
    painter.setFont(settings.labelFont);
    for (const double value : tickValues(g.min, g.max, step)) {
      const int x = static_cast<int>(std::lround(render::valueToPixel(g, value)));
      painter.drawLine(x, tickBase - kMajorTick, x, tickBase - 1);
      const QString text = numberText(value);
      const int w = metrics.horizontalAdvance(text);
      painter.drawText(QRect(x - w / 2 - 1, tickBase - kMajorTick - 2 - metrics.height(), w + 2,
                             metrics.height()),
                       Qt::AlignCenter, text);
    }
    if (step * plot.width() / std::max(range, 1e-300) >= 8) {
      for (const double value : tickValues(g.min - step / 2, g.max, step)) {
        const double minor = value + step / 2;
        if (minor < g.min || minor > g.max) continue;
        const int x = static_cast<int>(std::lround(render::valueToPixel(g, minor)));
        painter.drawLine(x, tickBase - kMinorTick, x, tickBase - 1);
      }
    }
    if (!settings.title.isEmpty()) {
      painter.setFont(font());
      painter.drawText(
          QRect(plot.left(), tickBase - kMajorTick - 4 - metrics.height() - titleMetrics.height(),
                plot.width(), titleMetrics.height()),
          Qt::AlignCenter, titleMetrics.elidedText(settings.title, Qt::ElideRight, plot.width()));
    }
  }
  // Left axis: ticks to the left of the frame, labels right-aligned, the title turned upright.
  {
    const AxisSettings& settings = axis(ChartAxis::Left);
    const AxisGeometry g = geometryFor(ChartAxis::Left, plot);
    const QFontMetrics metrics(settings.labelFont);
    const double range = g.max - g.min;
    const double step = tickStep(range, plot.height(), metrics.height() + 2, settings.increment);
    const int tickBase = plot.left() - kFrame;
    painter.setFont(settings.labelFont);
    int widest = 0;
    for (const double value : tickValues(g.min, g.max, step)) {
      const int y = static_cast<int>(std::lround(render::valueToPixel(g, value)));
      painter.drawLine(tickBase - kMajorTick, y, tickBase - 1, y);
      const QString text = numberText(value);
      widest = std::max(widest, metrics.horizontalAdvance(text));
      painter.drawText(
          QRect(0, y - metrics.height() / 2, tickBase - kMajorTick - 3, metrics.height()),
          Qt::AlignRight | Qt::AlignVCenter, text);
    }
    if (step * plot.height() / std::max(range, 1e-300) >= 8) {
      for (const double value : tickValues(g.min - step / 2, g.max, step)) {
        const double minor = value + step / 2;
        if (minor < g.min || minor > g.max) continue;
        const int y = static_cast<int>(std::lround(render::valueToPixel(g, minor)));
        painter.drawLine(tickBase - kMinorTick, y, tickBase - 1, y);
      }
    }
    if (!settings.title.isEmpty()) {
      painter.setFont(font());
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

void ColourGridChart::drawLegend(QPainter& painter, const QRect& box) const {
  const int n = m_palette.count();
  if (n == 0 || !box.isValid()) return;
  QFont legendFont = font();
  legendFont.setBold(true);
  const QFontMetrics metrics(legendFont);
  painter.setFont(legendFont);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QRect inner = box.adjusted(5, 5, -5, -5);
  const bool vertical =
      m_legendPosition == LegendPosition::Right || m_legendPosition == LegendPosition::Left;
  if (vertical) {
    // The highest level at the top; each level one row when they fit, a continuous strip else.
    const int rowHeight = metrics.height();
    const bool rows = n * rowHeight <= inner.height();
    const double band = rows ? rowHeight : static_cast<double>(inner.height()) / n;
    const int labelEvery = rows ? 1 : static_cast<int>(tickStep(n, inner.height(), rowHeight, 1));
    for (int i = 0; i < n; ++i) {
      const int slot = n - 1 - i;
      const int y0 = inner.top() + static_cast<int>(std::floor(slot * band));
      const int y1 = inner.top() + static_cast<int>(std::floor((slot + 1) * band));
      painter.fillRect(QRect(inner.left(), y0, kLegendSymbolWidth, std::max(1, y1 - y0)),
                       paletteColour(i));
      if (i % labelEvery == 0) {
        const int centre = (y0 + y1) / 2;
        painter.drawText(QRect(inner.left() + kLegendSymbolWidth + 4, centre - rowHeight / 2,
                               inner.width() - kLegendSymbolWidth - 4, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         numberText(m_palette.entry(i).upperBound));
      }
    }
  } else {
    const int stripHeight = inner.height() - metrics.height() - 2;
    const double band = static_cast<double>(inner.width()) / n;
    const int labelEvery = static_cast<int>(
        tickStep(n, inner.width(),
                 metrics.horizontalAdvance(numberText(m_palette.entry(n - 1).upperBound)) + 8, 1));
    for (int i = 0; i < n; ++i) {
      const int x0 = inner.left() + static_cast<int>(std::floor(i * band));
      const int x1 = inner.left() + static_cast<int>(std::floor((i + 1) * band));
      painter.fillRect(QRect(x0, inner.top(), std::max(1, x1 - x0), stripHeight), paletteColour(i));
      if (i % labelEvery == 0) {
        const QString text = numberText(m_palette.entry(i).upperBound);
        const int w = metrics.horizontalAdvance(text);
        painter.drawText(QRect((x0 + x1) / 2 - w / 2 - 1, inner.top() + stripHeight + 2, w + 2,
                               metrics.height()),
                         Qt::AlignCenter, text);
      }
    }
  }
}

void ColourGridChart::renderChart(QPainter& painter, const QRect& target) {
  const Layout layout = computeLayout(target);
  painter.fillRect(target, Qt::white);
  if (layout.title.isValid()) {
    painter.setPen(Qt::black);
    painter.setFont(font());
    painter.drawText(layout.title, Qt::AlignCenter, m_title);
  }
  if (layout.plot.width() > 0 && layout.plot.height() > 0) {
    painter.drawImage(layout.plot.topLeft(), plotImage(layout.plot));
    drawAxes(painter, layout);
  }
  if (m_legendVisible) drawLegend(painter, layout.legend);
}

QImage ColourGridChart::renderImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  renderChart(painter, QRect(QPoint(0, 0), size));
  return image;
}

}  // namespace duvanet::chart

#include <QPainter>

#include "chart/ColourGridChart.h"

// The chart as the figure the render library lays out and draws, for the screen, export and
// print alike.

namespace duvanet::chart {

render::FigureContent ColourGridChart::figureContent() const {
  render::FigureContent content;
  content.grid = baseGrid();
  content.detail = m_detail.get();
  content.colours = buildLut();
  for (const ChartAxis which : {ChartAxis::Top, ChartAxis::Left}) {
    const AxisSettings& settings = axis(which);
    render::FigureAxis& figureAxis = content.axes[index(which)];
    std::tie(figureAxis.min, figureAxis.max) = visibleRange(which);
    figureAxis.increment = settings.increment;
    figureAxis.inverted = settings.inverted;
    figureAxis.title = settings.title;
    figureAxis.labelFont = render::pixelSizedFont(settings.labelFont);
  }
  content.title = m_title;
  content.titleVisible = m_titleVisible;
  content.font = render::pixelSizedFont(font());
  content.legendFont = content.font;
  content.legendVisible = m_legendVisible;
  content.legendPlace = static_cast<render::LegendPlace>(m_legendPosition);
  content.legend.reserve(static_cast<std::size_t>(m_palette.count()));
  for (int i = 0; i < m_palette.count(); ++i)
    content.legend.push_back({m_palette.entry(i).upperBound, paletteColour(i).rgb()});
  content.highlightedLevel = m_highlightedLevel;
  if (m_tracksVisible)
    for (const ChartAxis which : {ChartAxis::Top, ChartAxis::Left})
      content.tracks[index(which)] = m_tracks[index(which)];
  return content;
}

ColourGridChart::Layout ColourGridChart::computeLayout(const QRect& target) const {
  return render::layoutFigure(figureContent(), target);
}

void ColourGridChart::renderChart(QPainter& painter, const QRect& target) {
  render::FigureDrawing drawing;
  drawing.rasteriser = &m_rasteriser;
  render::drawFigure(painter, figureContent(), target, drawing);
}

QImage ColourGridChart::renderImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  renderChart(painter, QRect(QPoint(0, 0), size));
  return image;
}

}  // namespace duvanet::chart

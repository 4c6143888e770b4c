#include "chart/ColourScale.h"

#include <QPainter>
#include <cmath>

#include "chart/ColourGridChart.h"

namespace duvanet::chart {

ColourBarBox::ColourBarBox(QWidget* parent) : QWidget(parent) {
  setFixedSize(134, 40);
  m_canvas = QImage(size(), QImage::Format_RGB32);
  m_canvas.fill(palette().color(QPalette::Window));
}

void ColourBarBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, m_canvas);
}

void ColourBarBox::resizeEvent(QResizeEvent*) {
  if (m_canvas.size() == size()) return;
  QImage canvas(size(), QImage::Format_RGB32);
  canvas.fill(palette().color(QPalette::Window));
  QPainter painter(&canvas);
  painter.drawImage(0, 0, m_canvas);
  painter.end();
  m_canvas = canvas;
}

ColourScale::ColourScale(ColourGridChart* chart, ColourBarBox* bar) : m_chart(chart), m_bar(bar) {}

int ColourScale::bandWidth(int levels, int width) {
  if (levels <= 0) return 0;
  return static_cast<int>(std::lrint(static_cast<double>(width) / levels));
}

void ColourScale::UpdateColors() { UpdateColors(m_source ? m_source() : ColourControls{}); }

void ColourScale::UpdateColors(const ColourControls& controls) {
  SmoothGreyScale(controls.lo, controls.hi, controls.family);
  m_chart->repaintNow();
  DrawColorBar(controls.highlightDown, controls.highlightLevel);
}

void ColourScale::SmoothGreyScale(int lo, int hi, engine::ColourFamily family) {
  PaletteSettings settings;
  settings.useColorRange = false;
  settings.usePalette = true;
  settings.stepCount = m_maxScore + 1;
  settings.step = 1.0;
  settings.usePaletteMinimum = true;
  settings.minimum = 0.0;
  m_chart->setPaletteSettings(settings);
  m_chart->clearPalette();
  const std::vector<engine::Rgb> colours = engine::smoothGreyScale(lo, hi, m_maxScore, family);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    m_chart->addPaletteEntry(static_cast<double>(i),
                             QColor(colours[i].red, colours[i].green, colours[i].blue));
  }
  m_chart->repaintNow();
}

void ColourScale::DrawColorBar(bool highlightDown, int highlightLevel) {
  QImage& canvas = m_bar->canvas();
  const int levels = m_maxScore + 1;
  const int w = canvas.width(), h = canvas.height();
  {
    QPainter painter(&canvas);
    // The canvas's own pen and brush (black outline, white fill) clear the old bar.
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, w - 1, h - 1);
    if (levels <= w) {
      // Each band b + 1 columns wide, its last column overdrawn by the next band; bands beyond
      // the box are clipped.
      const int b = bandWidth(levels, w);
      for (int j = 0; j < levels && j < m_chart->paletteCount(); ++j) {
        painter.setPen(m_chart->paletteColour(j));
        for (int k = 0; k <= b; ++k) {
          const int x = b * j + k;
          if (x >= w) break;
          painter.drawLine(x, 0, x, h - 1);
        }
      }
    } else {
      // More levels than columns: each column shows the level at its place in the scale, the
      // first column level 0 and the last column the highest level.
      for (int x = 0; x < w; ++x) {
        const int j = w > 1 ? static_cast<int>(std::lround(double(x) * (levels - 1) / (w - 1))) : 0;
        painter.setPen(m_chart->paletteColour(std::min(j, levels - 1)));
        painter.drawLine(x, 0, x, h - 1);
      }
    }
  }
  m_bar->update();
  if (highlightDown) m_chart->setPaletteColour(highlightLevel, QColor(255, 0, 0));
  m_chart->setHighlightedLevel(highlightDown ? highlightLevel : -1);
}

}  // namespace duvanet::chart

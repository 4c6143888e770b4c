#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "engine/Palette.h"

namespace duvanet::chart {

class ColourGridChart;

/// A paint box with a canvas of its own size: what is drawn on the canvas stays until drawn
/// over. The colour bar of the dot plot window.
class ColourBarBox : public QWidget {
  Q_OBJECT
 public:
  explicit ColourBarBox(QWidget* parent = nullptr);
  QImage& canvas() { return m_canvas; }
  const QImage& canvas() const { return m_canvas; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage m_canvas;
};

/// The settings of the colour controls that the colour scale reads.
struct ColourControls {
  int lo = 0;  // first thumb of the slider
  int hi = 0;  // second thumb
  engine::ColourFamily family = engine::ColourFamily::Grey;
  bool highlightDown = false;
  int highlightLevel = 0;
};

/// The colour scale of a dot plot: builds the chart's palette from the slider's thumbs, paints
/// the colour bar and applies the highlighted level.
class ColourScale {
 public:
  ColourScale(ColourGridChart* chart, ColourBarBox* bar);

  void setMaxScore(int maxScore) { m_maxScore = maxScore; }
  int maxScore() const { return m_maxScore; }
  /// Where UpdateColors() reads the controls (the window's radio buttons, slider and toggle).
  void setControlSource(std::function<ColourControls()> source) { m_source = std::move(source); }

  /// SmoothGreyScale, repaint the chart now, DrawColorBar (with the highlight).
  void UpdateColors();
  void UpdateColors(const ColourControls& controls);
  /// Rebuilds the palette: entry i for count i, then repaints the chart now.
  void SmoothGreyScale(int lo, int hi, engine::ColourFamily family);
  /// Paints the bar from the palette, then paints the highlighted level red in the palette.
  void DrawColorBar(bool highlightDown, int highlightLevel);

  /// The width of one level's band: width ÷ levels rounded, halves to even.
  static int bandWidth(int levels, int width);

 private:
  ColourGridChart* m_chart;
  ColourBarBox* m_bar;
  int m_maxScore = 0;
  std::function<ColourControls()> m_source;
};

}  // namespace duvanet::chart

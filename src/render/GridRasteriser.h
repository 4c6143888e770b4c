#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <vector>

#include "engine/DotPlotGrid.h"
#include "render/AxisMath.h"

namespace duvanet::render {

/// Where a grid is drawn: the plot rectangle in pixels and its two axes, whose pixel spans are
/// the rectangle's sides. Axis value v covers cell v − 1 (window positions are 1-based).
struct GridView {
  QRect plot;
  AxisGeometry columns;
  AxisGeometry rows;
};

/// The count + 1 of every plot pixel, row by row, 0 where no cell lies under it: the highest
/// count of the cells under the pixel, or where cells are wider than pixels the cell at the
/// pixel's own coordinate (as a mouse conversion gives it). Reads detail instead of grid when
/// it covers every cell in view. Large views are counted on two threads.
void pixelCounts(const engine::DotPlotGrid* grid, const engine::DotPlotGrid* detail,
                 const GridView& view, std::vector<std::uint16_t>& out);

/// Colours pixel counts into an RGB32 image of the given size: colours[value], and the last
/// colour for values beyond the table.
void colourPixels(const std::vector<std::uint16_t>& counts, QSize size,
                  const std::vector<QRgb>& colours, QImage& image);

/// Turns a grid into the image of a view, keeping the pixel counts and the image between calls
/// so that a change of colours repaints without reading the grid again.
class GridRasteriser {
 public:
  /// The counts are read afresh at the next image(): the grid, the detail or the view changed.
  void invalidate() { m_countsValid = false; }
  /// The image of the view; colours[0] is the colour of pixels without a cell, colours[n + 1]
  /// that of count n (the table must not be empty).
  const QImage& image(const engine::DotPlotGrid* grid, const engine::DotPlotGrid* detail,
                      const GridView& view, std::vector<QRgb> colours);
  /// The colour table of the image returned last.
  const std::vector<QRgb>& colours() const { return m_colours; }

 private:
  std::vector<std::uint16_t> m_counts;
  QSize m_countsSize;
  bool m_countsValid = false;
  QImage m_image;
  std::vector<QRgb> m_colours;
  bool m_imageValid = false;
};

}  // namespace duvanet::render

#pragma once

#include <QColor>
#include <functional>

#include "chart/ColourGridChart.h"
#include "engine/DotPlotGrid.h"

namespace duvanet::testing {

using duvanet::engine::CellRect;
using duvanet::engine::DotPlotGrid;

/// An exact grid of w × h cells from (0, 0), filled by count(x, y).
inline DotPlotGrid exactGrid(int w, int h, const std::function<int(int, int)>& count) {
  DotPlotGrid grid(CellRect{0, 0, w, h}, w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) grid.row(y)[x] = static_cast<std::uint16_t>(count(x, y));
  return grid;
}

/// A colour per level, different for every level up to 40 and never white or red.
inline QColor levelColour(int level) {
  return QColor((level * 37 + 5) % 200, (level * 91 + 11) % 200, (level * 53 + 17) % 200);
}

/// Palette entries 0 … maxLevel with the distinct level colours.
inline void distinctPalette(duvanet::chart::ColourGridChart& chart, int maxLevel) {
  chart.clearPalette();
  for (int level = 0; level <= maxLevel; ++level) chart.addPaletteEntry(level, levelColour(level));
}

}  // namespace duvanet::testing

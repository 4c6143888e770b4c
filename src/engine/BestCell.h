#pragma once

#include <optional>

#include "engine/DotPlotGrid.h"

namespace duvanet::engine {

/// A point in cell coordinates (0-based cell column / row; cell c covers [c, c + 1)) and how many
/// screen pixels one cell takes on each axis.
struct PixelCentre {
  double x = 0;
  double y = 0;
  double pixelsPerCellX = 1;
  double pixelsPerCellY = 1;
};

struct BestCell {
  std::int64_t x = 0;
  std::int64_t y = 0;
  int count = 0;
  bool operator==(const BestCell&) const = default;
};

/// The cell of `cells` (clipped to an exact grid's rectangle) with the highest count; among equal
/// counts the one whose centre lies nearest the point, measured in screen pixels; among equally
/// near ones the first in reading order. Nothing when the grid is binned or no cell remains.
std::optional<BestCell> bestCellIn(const DotPlotGrid& grid, CellRect cells, PixelCentre centre);

}  // namespace duvanet::engine

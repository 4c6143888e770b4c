#include "engine/BestCell.h"

#include <algorithm>

namespace duvanet::engine {

std::optional<BestCell> bestCellIn(const DotPlotGrid& grid, CellRect cells, PixelCentre centre) {
  if (!grid.isExact() || grid.isEmpty()) return std::nullopt;
  const CellRect& all = grid.cells();
  const std::int64_t x0 = std::max(cells.x, all.x);
  const std::int64_t y0 = std::max(cells.y, all.y);
  const std::int64_t x1 = std::min(cells.x + cells.width, all.x + all.width);
  const std::int64_t y1 = std::min(cells.y + cells.height, all.y + all.height);
  if (x0 >= x1 || y0 >= y1) return std::nullopt;
  std::optional<BestCell> best;
  double bestDistance = 0;
  for (std::int64_t y = y0; y < y1; ++y) {
    const std::uint16_t* row = grid.row(static_cast<int>(y - all.y));
    const double dy = (static_cast<double>(y) + 0.5 - centre.y) * centre.pixelsPerCellY;
    for (std::int64_t x = x0; x < x1; ++x) {
      const int count = row[x - all.x];
      if (best && count < best->count) continue;
      const double dx = (static_cast<double>(x) + 0.5 - centre.x) * centre.pixelsPerCellX;
      const double distance = dx * dx + dy * dy;
      if (!best || count > best->count || distance < bestDistance) {
        best = BestCell{x, y, count};
        bestDistance = distance;
      }
    }
  }
  return best;
}

}  // namespace duvanet::engine

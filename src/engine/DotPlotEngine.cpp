#include "engine/DotPlotEngine.h"

#include <algorithm>

#include "engine/DotPlotKernels.h"

namespace duvanet::engine {

namespace {

// The end of the span [start, start + length) clipped to [0, limit], for any 64-bit values: the
// sum is formed only where it cannot overflow.
std::int64_t clippedEnd(std::int64_t start, std::int64_t length, std::int64_t limit) {
  if (length <= 0) return std::clamp<std::int64_t>(start, 0, limit);
  if (start >= limit) return limit;
  if (start < 0) return std::clamp<std::int64_t>(start + length, 0, limit);
  return length >= limit - start ? limit : start + length;
}

bool strandsFit(const DotPlotStrands& s, StrandSet set) {
  if (usesHorizRev(set) && s.horizRev.size() != s.horiz.size()) return false;
  if (usesVertiRev(set) && s.vertiRev.size() != s.verti.size()) return false;
  return true;
}

}  // namespace

DotPlotComputeResult computeDotPlot(const DotPlotComputeRequest& request) {
  DotPlotComputeResult result;
  const DotPlotStrands& strands = request.strands;
  const int window = request.windowSize;
  const StrandSet set = strandSetOf(request.type);
  const int highestCount = maxScore(request.type, request.evaluation, window);
  if (window < 1 || highestCount > 0xFFFF) return result;
  if (!strandsFit(strands, set)) return result;
  const auto lh = static_cast<std::int64_t>(strands.horiz.size());
  const auto lv = static_cast<std::int64_t>(strands.verti.size());
  const std::int64_t nH = lh - window + 1;
  const std::int64_t nV = lv - window + 1;
  if (nH <= 0 || nV <= 0) {
    result.status = DotPlotStatus::TooShort;
    return result;
  }
  result.plotWidth = nH;
  result.plotHeight = nV;
  result.status = DotPlotStatus::Filled;

  // The region, clipped to the plot.
  CellRect cells{0, 0, nH, nV};
  if (request.region) {
    const CellRect& r = *request.region;
    const std::int64_t x0 = std::clamp<std::int64_t>(r.x, 0, nH);
    const std::int64_t y0 = std::clamp<std::int64_t>(r.y, 0, nV);
    const std::int64_t x1 = clippedEnd(r.x, r.width, nH);
    const std::int64_t y1 = clippedEnd(r.y, r.height, nV);
    cells = {x0, y0, std::max<std::int64_t>(x1 - x0, 0), std::max<std::int64_t>(y1 - y0, 0)};
  }
  if (cells.width == 0 || cells.height == 0) {
    result.grid = DotPlotGrid(cells, 0, 0);
    return result;
  }
  const bool exact =
      cells.height <= std::max<std::int64_t>(request.exactBudgetCells, 0) / cells.width;
  const std::int64_t maxBins = std::max(request.maxBinsPerSide, 1);
  // Every count of the grid is written by the kernels.
  const DotPlotGrid::Uninitialised uninitialised;
  result.grid = exact
                    ? DotPlotGrid(cells, static_cast<int>(cells.width),
                                  static_cast<int>(cells.height), uninitialised)
                    : DotPlotGrid(cells, static_cast<int>(std::min(cells.width, maxBins)),
                                  static_cast<int>(std::min(cells.height, maxBins)), uninitialised);

  const KernelRequest kernels{
      strands,         window,          set, request.evaluation, highestCount, &result.grid,
      request.threads, request.progress};
  if (!fillGrid(kernels)) {
    result.status = DotPlotStatus::Cancelled;
    result.grid = DotPlotGrid();
  } else if (request.progress) {
    request.progress(1.0);
  }
  return result;
}

}  // namespace duvanet::engine

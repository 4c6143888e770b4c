#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/DotPlotGrid.h"
#include "engine/DotPlotTypes.h"
#include "engine/WorkerPool.h"

namespace duvanet::engine {

/// The prepared strands of a request (already upper-cased where asked). The opposite strands
/// have the lengths of their sources; those the plot type does not use may be empty.
struct DotPlotStrands {
  std::u16string_view horiz;
  std::u16string_view verti;
  std::u16string_view horizRev;
  std::u16string_view vertiRev;
};

struct DotPlotComputeRequest {
  DotPlotStrands strands;
  int windowSize = 12;
  tDotPlotType type = dptDNAHoriz;
  tMatchEvaluation evaluation = meHighest;
  /// Cells to compute; the whole plot (nH × nV cells) when not given. Clipped to the plot.
  std::optional<CellRect> region;
  /// Grids up to this many cells are exact; larger ones are binned.
  std::int64_t exactBudgetCells = std::int64_t{64} << 20;
  /// Bins per side of a binned grid at the most.
  int maxBinsPerSide = 4096;
  /// Worker threads; 0 takes every core.
  int threads = 0;
  /// Called on the thread that called computeDotPlot while the workers count, and once with 1
  /// when the computation has finished (its answer is then ignored).
  ProgressCallback progress;
};

/// How a computation ended.
enum class DotPlotStatus {
  /// Every cell of the region is counted (an empty grid when the region lies outside the plot).
  Filled,
  /// A sequence is shorter than the window: the plot has no cell at all.
  TooShort,
  /// The progress callback said stop.
  Cancelled,
  /// A request the kernels cannot honour: a window below 1, a MaxScore above 65535, or an
  /// opposite strand the type compares whose length differs from its source's.
  Refused,
};

struct DotPlotComputeResult {
  /// The grid is empty unless Filled.
  DotPlotStatus status = DotPlotStatus::Refused;
  bool isFilled() const { return status == DotPlotStatus::Filled; }
  /// nH = Lh − W + 1 and nV = Lv − W + 1 of the whole plot (0 when a sequence is too short).
  std::int64_t plotWidth = 0;
  std::int64_t plotHeight = 0;
  DotPlotGrid grid;
};

/// Computes the match counts of a request over its region, exact or binned by the budget.
/// Grid cell (x, y) holds the count of the horizontal window starting at x + 1 against the
/// vertical window starting at y + 1, as the dot plot routines of DotPlotRoutines.h name them.
/// Runs on request.threads workers and returns when they are done; an exception in a worker
/// (memory exhausted) is rethrown here.
DotPlotComputeResult computeDotPlot(const DotPlotComputeRequest& request);

}  // namespace duvanet::engine

#pragma once

#include <vector>

#include "engine/DotPlotEngine.h"
#include "engine/FloorPlan.h"

namespace duvanet::engine {

/// A request with a floor: the counts at or below it are reported as 0, the others exactly.
struct SeededRequest {
  DotPlotStrands strands;
  int window = 12;
  StrandSet set = StrandSet::Forward;
  tMatchEvaluation evaluation = meHighest;
  /// 0 ≤ floor < MaxScore.
  int floor = 0;
  FloorPath path = FloorPath::Automatic;
  /// Worker threads; 0 takes every core.
  int threads = 0;
};

/// The two paths' estimated times, in seconds on the request's threads.
struct FloorCostEstimate {
  double sweepSeconds = 0;
  /// Infinite when the seeded path was ruled out before its indexes were built.
  double seededSeconds = 0;
  bool seeded = false;
};

struct SeededOutcome {
  /// The grid holds the counts above the floor. False: the full sweep is the cheaper way (or
  /// the path says so) and the grid is untouched.
  bool computed = false;
  /// The progress callback said stop; the grid's contents are then undefined.
  bool cancelled = false;
  FloorCostEstimate estimate;
};

/// Computes a grid (its rectangle already clipped to the plot, its counts to be written) by the
/// seeded path, unless the estimate or the request's path takes the full sweep. Progress as for
/// computeDotPlot, without the final call with 1.
SeededOutcome computeSeeded(const SeededRequest& request, DotPlotGrid& grid,
                            const ProgressCallback& progress);

/// One cell above the floor: 0-based cell coordinates of the plot and the combined count.
struct FlooredCell {
  std::int64_t x = 0;
  std::int64_t y = 0;
  int count = 0;

  bool operator==(const FlooredCell&) const = default;
};

struct SeededCells {
  SeededOutcome outcome;
  /// Row by row (y, then x), when the outcome is computed.
  std::vector<FlooredCell> cells;
};

/// The cells above the floor in a rectangle of the plot, as a list: for plots whose grid would
/// not fit in memory. Not computed when the estimate or the path takes the full sweep.
SeededCells seededCells(const SeededRequest& request, const CellRect& cells,
                        const ProgressCallback& progress);

/// The estimate alone, as computeSeeded makes it (building the indexes where it comes to that).
FloorCostEstimate estimateFloorCost(const SeededRequest& request, const CellRect& cells);

/// Sets every count at or below the floor to 0: the full sweep's counts become the floored
/// ones (a bin's highest count stays when it is above the floor).
void applyFloor(DotPlotGrid& grid, int floor);

}  // namespace duvanet::engine

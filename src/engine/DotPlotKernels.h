#pragma once

#include "engine/DotPlotEngine.h"
#include "engine/DotPlotGrid.h"
#include "engine/DotPlotTypes.h"
#include "engine/WorkerPool.h"

namespace duvanet::engine {

/// What the match-count kernels need: a request checked by computeDotPlot (window at least 1,
/// opposite strands as long as their sources, every cell of the grid inside the plot).
struct KernelRequest {
  DotPlotStrands strands;
  int windowSize = 1;
  StrandSet set = StrandSet::Forward;
  tMatchEvaluation evaluation = meHighest;
  /// The highest count a cell can reach: counts are bytes up to 255.
  int highestCount = 0;
  /// Exact or binned, with the cells to count; every count is written.
  DotPlotGrid* grid = nullptr;
  int threads = 0;
  ProgressCallback progress;
};

/// Writes every count of the request's grid on the request's workers. Returns false when the
/// progress callback stopped the computation (the grid is then incomplete); an exception in a
/// worker is rethrown.
bool fillGrid(const KernelRequest& request);

}  // namespace duvanet::engine

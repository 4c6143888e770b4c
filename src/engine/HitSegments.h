#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/DotPlotEngine.h"
#include "engine/DotPlotGrid.h"
#include "engine/DotPlotTypes.h"

namespace duvanet::engine {

/// The strand pair a hit segment runs on: forward segments follow a diagonal, the opposite
/// pairs an anti-diagonal.
enum class StrandPair : std::uint8_t { Forward = 0, HorizontalOpposite = 1, VerticalOpposite = 2 };

/// "forward", "horizontal-opposite" or "vertical-opposite".
const char* strandPairName(StrandPair pair);

/// A maximal run of cells whose count of one strand pair reaches the threshold. Spans are
/// 1-based and inclusive, in forward coordinates of the stored strands: [hStart, hEnd] on the
/// horizontal strand, [vStart, vEnd] on the vertical one, each covering cells + W − 1 symbols.
struct HitSegment {
  StrandPair pair = StrandPair::Forward;
  std::int64_t hStart = 0;
  std::int64_t hEnd = 0;
  std::int64_t vStart = 0;
  std::int64_t vEnd = 0;
  std::int64_t cells = 0;
  /// The highest count of the pair over the segment's cells.
  int best = 0;
  /// Equal symbol pairs over the whole aligned block of cells + W − 1 positions.
  std::int64_t matches = 0;

  bool operator==(const HitSegment&) const = default;
};

/// The segment's first cell as 1-based window start positions (x on the horizontal strand,
/// y on the vertical): the top-left cell of a forward run, the top-right cell of a horizontal
/// opposite run, the bottom-left cell of a vertical opposite run.
struct CellPosition {
  std::int64_t x = 0;
  std::int64_t y = 0;
  bool operator==(const CellPosition&) const = default;
};
CellPosition firstCellOf(const HitSegment& segment, int windowSize);

/// The strand pairs a plot type counts, in the order the segments are reported.
std::vector<StrandPair> strandPairsOf(tDotPlotType type);

struct HitSegmentRequest {
  DotPlotStrands strands;
  int windowSize = 12;
  tDotPlotType type = dptIdentity;
  /// The threshold N, 1 ≤ N ≤ W: a cell is a hit of a pair when the pair's count reaches it.
  int minCount = 12;
  /// Cells to search (0-based, clipped to the plot); runs are cut at its edges. The whole plot
  /// when not given.
  std::optional<CellRect> region;
  /// At most this many segments are returned (the first ones in order); all when negative.
  std::int64_t maxSegments = -1;
  /// Worker threads; 0 takes every core.
  int threads = 0;
  /// Asked about every 20 ms with the fraction of cells done; false cancels.
  ProgressCallback progress;
};

struct HitSegmentResult {
  /// False when a sequence is shorter than the window, when the request is refused (a window
  /// below 1, a threshold outside 1 … W, an opposite strand of the wrong length) or cancelled.
  bool filled = false;
  bool cancelled = false;
  std::int64_t plotWidth = 0;
  std::int64_t plotHeight = 0;
  /// Forward segments first, then horizontal-opposite, then vertical-opposite; within a pair
  /// by vStart, then hStart, then hEnd. At most maxSegments of them.
  std::vector<HitSegment> segments;
  /// How many segments there are in all, also those beyond maxSegments.
  std::int64_t total = 0;
};

/// Finds the hit segments of every strand pair the request's type counts. The counts are
/// slid row by row and never stored as a grid: besides the segments the work takes memory in
/// proportion to Lh + Lv per worker.
HitSegmentResult findHitSegments(const HitSegmentRequest& request);

}  // namespace duvanet::engine

#include "engine/FloorPlan.h"

#include <algorithm>
#include <thread>

namespace duvanet::engine {

int strandPairCount(StrandSet set) {
  switch (set) {
    case StrandSet::Forward:
      return 1;
    case StrandSet::HorizRev:
    case StrandSet::VertiRev:
      return 2;
    case StrandSet::BothRev:
      break;
  }
  return 3;
}

int pairFloor(StrandSet set, tMatchEvaluation evaluation, int floor) {
  if (set == StrandSet::Forward || evaluation != meSummed) return floor;
  // A sum above the floor has a term of at least ⌈(floor + 1) / pairs⌉.
  const int pairs = strandPairCount(set);
  return (floor + pairs) / pairs - 1;
}

int seedLength(int window, int floor) {
  // At most window − floor − 1 mismatches cut the window into at most window − floor runs of
  // matches that hold floor + 1 matches or more between them.
  const int runs = std::max(window - floor, 1);
  return std::max((floor + runs) / runs, 1);
}

int floorForThumbs(int lo, int hi, int maxScore, int highlightLevel) {
  const int top = std::max(maxScore - 1, 0);
  // From the upper thumb on every count has the full colour; below it the counts up to the lower
  // thumb are black, and so is the whole ramp when its step 256 / (hi − lo + 1) truncates to 0.
  int same = top;
  if (hi > 0) {
    const bool blackRamp = lo < hi && 256 / (hi - lo + 1) == 0;
    same = blackRamp ? hi - 1 : std::min(lo, hi - 1);
  }
  // The highlighted level has a colour of its own.
  if (highlightLevel == 0) same = 0;
  if (highlightLevel > 0) same = std::min(same, highlightLevel - 1);
  return std::clamp(same, 0, top);
}

int effectiveThreads(int threads) {
  if (threads > 0) return threads;
  return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

double estimatedSweepSeconds(double cells, StrandSet set, int threads) {
  // Measured on the sliding kernels: a fixed part per cell (the output) and a part per strand
  // pair, on one core.
  constexpr double kPerCell = 0.09e-9;
  constexpr double kPerCellAndPair = 0.045e-9;
  const double perCell = kPerCell + kPerCellAndPair * strandPairCount(set);
  return cells * perCell / effectiveThreads(threads);
}

}  // namespace duvanet::engine

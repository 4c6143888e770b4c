#pragma once

#include <cstdint>

#include "engine/DotPlotTypes.h"

namespace duvanet::engine {

/// How a request with a floor is computed: the automatic choice by the cost estimate, or one
/// path forced (for comparisons and tests).
enum class FloorPath { Automatic, FullSweep, Seeded };

/// The strand pairs a strand set compares: 1, 2 or 3.
int strandPairCount(StrandSet set);

/// The floor each strand pair is searched with so that every cell whose combined count exceeds
/// `floor` is found: the floor itself, or for summed counts ⌈(floor + 1) / pairs⌉ − 1.
int pairFloor(StrandSet set, tMatchEvaluation evaluation, int floor);

/// The run of equal symbols that every window of `window` positions with more than `floor`
/// matches holds on its diagonal: ⌈(floor + 1) / (window − floor)⌉ (0 ≤ floor < window).
int seedLength(int window, int floor);

/// The highest floor of a picture drawn with the colour scale's thumbs lo and hi out of
/// 0 … maxScore (and, unless negative, the highlighted level): every count at or below it has the
/// colour of 0, so computing with it changes no pixel.
int floorForThumbs(int lo, int hi, int maxScore, int highlightLevel = -1);

/// Estimated seconds of the full sweep over a number of cells on a number of threads (0: every
/// core), from the speed of the sliding kernels.
double estimatedSweepSeconds(double cells, StrandSet set, int threads);

/// The worker threads a request's thread count means (0: every core).
int effectiveThreads(int threads);

}  // namespace duvanet::engine

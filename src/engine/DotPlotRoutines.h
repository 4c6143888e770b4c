#pragma once

#include <array>

#include "engine/DotPlotEngine.h"

namespace duvanet::engine {

// The ten computation routines, one per strand set and evaluation. Each computes the counts of
// its strand pairs over the request's region (the whole plot by default), exact or binned by the
// request's budget; the request's own type and evaluation are ignored. Cell (x, y) of the grid is
// the window pair x + 1, y + 1: the horizontal window starting at x + 1 against the vertical one
// starting at y + 1. The result is not filled when a sequence is shorter than the window.

// The list every routine is made from: name, strand set, evaluation. The declarations below,
// the definitions and kDotPlotRoutines all expand it, so that they cannot drift apart.
#define DUVANET_DOT_PLOT_ROUTINES(ROUTINE)                       \
  ROUTINE(CreateDotPlotIdentity, Forward, meHighest)             \
  ROUTINE(CreateDotPlotWithHorizRevHighest, HorizRev, meHighest) \
  ROUTINE(CreateDotPlotWithHorizRevLowest, HorizRev, meLowest)   \
  ROUTINE(CreateDotPlotWithHorizRevSummed, HorizRev, meSummed)   \
  ROUTINE(CreateDotPlotWithVertiRevHighest, VertiRev, meHighest) \
  ROUTINE(CreateDotPlotWithVertiRevLowest, VertiRev, meLowest)   \
  ROUTINE(CreateDotPlotWithVertiRevSummed, VertiRev, meSummed)   \
  ROUTINE(CreateDotPlotWithBothRevHighest, BothRev, meHighest)   \
  ROUTINE(CreateDotPlotWithBothRevLowest, BothRev, meLowest)     \
  ROUTINE(CreateDotPlotWithBothRevSummed, BothRev, meSummed)

#define DUVANET_DECLARE_ROUTINE(name, set, evaluation) \
  DotPlotComputeResult name(DotPlotComputeRequest request);
DUVANET_DOT_PLOT_ROUTINES(DUVANET_DECLARE_ROUTINE)
#undef DUVANET_DECLARE_ROUTINE

/// The request of a routine over whole strands with default options.
DotPlotComputeRequest routineRequest(const DotPlotStrands& strands, int windowSize);

using DotPlotRoutineFunction = DotPlotComputeResult (*)(DotPlotComputeRequest);

/// One routine: what it computes and its name, e.g. "CreateDotPlotWithBothRevSummed".
struct DotPlotRoutine {
  DotPlotRoutineFunction compute;
  StrandSet strands;
  tMatchEvaluation evaluation;
  const char* name;
};

/// The ten routines: identity, then highest, lowest and summed for each opposite strand set.
#define DUVANET_ROUTINE_ENTRY(name, set, evaluation) \
  DotPlotRoutine{&name, StrandSet::set, evaluation, #name},
inline constexpr std::array kDotPlotRoutines{DUVANET_DOT_PLOT_ROUTINES(DUVANET_ROUTINE_ENTRY)};
#undef DUVANET_ROUTINE_ENTRY
static_assert(kDotPlotRoutines.size() == 10);

/// The routine that a plot type and evaluation run (identity ignores the evaluation; an
/// evaluation outside the table counts as highest, as the computation takes it).
const DotPlotRoutine& dotPlotRoutineFor(tDotPlotType type, tMatchEvaluation evaluation);

}  // namespace duvanet::engine

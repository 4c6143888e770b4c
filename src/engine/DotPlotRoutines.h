#pragma once

#include <array>

#include "engine/DotPlotEngine.h"

namespace duvanet::engine {

// The ten computation routines, one per strand set and evaluation. Each computes the counts of
// its strand pairs over the request's region (the whole plot by default), exact or binned by the
// request's budget; the request's own type and evaluation are ignored. Cell (x, y) of the grid is
// the window pair x + 1, y + 1: the horizontal window starting at x + 1 against the vertical one
// starting at y + 1. The result is not filled when a sequence is shorter than the window.

DotPlotComputeResult CreateDotPlotIdentity(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithHorizRevHighest(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithHorizRevLowest(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithHorizRevSummed(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithVertiRevHighest(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithVertiRevLowest(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithVertiRevSummed(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithBothRevHighest(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithBothRevLowest(DotPlotComputeRequest request);
DotPlotComputeResult CreateDotPlotWithBothRevSummed(DotPlotComputeRequest request);

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
inline constexpr std::array<DotPlotRoutine, 10> kDotPlotRoutines{{
    {&CreateDotPlotIdentity, StrandSet::Forward, meHighest, "CreateDotPlotIdentity"},
    {&CreateDotPlotWithHorizRevHighest, StrandSet::HorizRev, meHighest,
     "CreateDotPlotWithHorizRevHighest"},
    {&CreateDotPlotWithHorizRevLowest, StrandSet::HorizRev, meLowest,
     "CreateDotPlotWithHorizRevLowest"},
    {&CreateDotPlotWithHorizRevSummed, StrandSet::HorizRev, meSummed,
     "CreateDotPlotWithHorizRevSummed"},
    {&CreateDotPlotWithVertiRevHighest, StrandSet::VertiRev, meHighest,
     "CreateDotPlotWithVertiRevHighest"},
    {&CreateDotPlotWithVertiRevLowest, StrandSet::VertiRev, meLowest,
     "CreateDotPlotWithVertiRevLowest"},
    {&CreateDotPlotWithVertiRevSummed, StrandSet::VertiRev, meSummed,
     "CreateDotPlotWithVertiRevSummed"},
    {&CreateDotPlotWithBothRevHighest, StrandSet::BothRev, meHighest,
     "CreateDotPlotWithBothRevHighest"},
    {&CreateDotPlotWithBothRevLowest, StrandSet::BothRev, meLowest,
     "CreateDotPlotWithBothRevLowest"},
    {&CreateDotPlotWithBothRevSummed, StrandSet::BothRev, meSummed,
     "CreateDotPlotWithBothRevSummed"},
}};

/// The routine that a plot type and evaluation run (identity ignores the evaluation; an
/// evaluation outside the table counts as highest, as the computation takes it).
const DotPlotRoutine& dotPlotRoutineFor(tDotPlotType type, tMatchEvaluation evaluation);

}  // namespace duvanet::engine

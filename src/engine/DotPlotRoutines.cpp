#include "engine/DotPlotRoutines.h"

#include <algorithm>
#include <utility>

namespace duvanet::engine {

namespace {

// A plot type of the strand set: the DNA and literal types of one set compute alike.
constexpr tDotPlotType typeOf(StrandSet set) {
  switch (set) {
    case StrandSet::HorizRev:
      return dptDNAHoriz;
    case StrandSet::VertiRev:
      return dptDNAVerti;
    case StrandSet::BothRev:
      return dptDNABoth;
    case StrandSet::Forward:
      break;
  }
  return dptIdentity;
}

template <StrandSet Set, tMatchEvaluation Evaluation>
DotPlotComputeResult run(DotPlotComputeRequest request) {
  request.type = typeOf(Set);
  request.evaluation = Evaluation;
  return computeDotPlot(request);
}

}  // namespace

#define DUVANET_DEFINE_ROUTINE(name, set, evaluation)           \
  DotPlotComputeResult name(DotPlotComputeRequest request) {    \
    return run<StrandSet::set, evaluation>(std::move(request)); \
  }
DUVANET_DOT_PLOT_ROUTINES(DUVANET_DEFINE_ROUTINE)
#undef DUVANET_DEFINE_ROUTINE

DotPlotComputeRequest routineRequest(const DotPlotStrands& strands, int windowSize) {
  DotPlotComputeRequest request;
  request.strands = strands;
  request.windowSize = windowSize;
  return request;
}

const DotPlotRoutine& dotPlotRoutineFor(tDotPlotType type, tMatchEvaluation evaluation) {
  const StrandSet set = strandSetOf(type);
  const tMatchEvaluation e = set == StrandSet::Forward                          ? meHighest
                             : evaluation == meLowest || evaluation == meSummed ? evaluation
                                                                                : meHighest;
  const auto* found =
      std::find_if(kDotPlotRoutines.begin(), kDotPlotRoutines.end(),
                   [&](const DotPlotRoutine& r) { return r.strands == set && r.evaluation == e; });
  return *found;
}

}  // namespace duvanet::engine

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

DotPlotComputeResult CreateDotPlotIdentity(DotPlotComputeRequest request) {
  return run<StrandSet::Forward, meHighest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithHorizRevHighest(DotPlotComputeRequest request) {
  return run<StrandSet::HorizRev, meHighest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithHorizRevLowest(DotPlotComputeRequest request) {
  return run<StrandSet::HorizRev, meLowest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithHorizRevSummed(DotPlotComputeRequest request) {
  return run<StrandSet::HorizRev, meSummed>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithVertiRevHighest(DotPlotComputeRequest request) {
  return run<StrandSet::VertiRev, meHighest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithVertiRevLowest(DotPlotComputeRequest request) {
  return run<StrandSet::VertiRev, meLowest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithVertiRevSummed(DotPlotComputeRequest request) {
  return run<StrandSet::VertiRev, meSummed>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithBothRevHighest(DotPlotComputeRequest request) {
  return run<StrandSet::BothRev, meHighest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithBothRevLowest(DotPlotComputeRequest request) {
  return run<StrandSet::BothRev, meLowest>(std::move(request));
}
DotPlotComputeResult CreateDotPlotWithBothRevSummed(DotPlotComputeRequest request) {
  return run<StrandSet::BothRev, meSummed>(std::move(request));
}

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

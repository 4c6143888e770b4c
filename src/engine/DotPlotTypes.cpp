#include "engine/DotPlotTypes.h"

namespace duvanet::engine {

StrandSet strandSetOf(tDotPlotType type) {
  switch (type) {
    case dptDNAHoriz:
    case dptLiteralHoriz:
      return StrandSet::HorizRev;
    case dptDNAVerti:
    case dptLiteralVerti:
      return StrandSet::VertiRev;
    case dptDNABoth:
    case dptLiteralBoth:
      return StrandSet::BothRev;
    case dptIdentity:
      break;
  }
  return StrandSet::Forward;
}

bool isDnaType(tDotPlotType type) {
  return type == dptDNAHoriz || type == dptDNAVerti || type == dptDNABoth;
}

int maxScore(tDotPlotType type, tMatchEvaluation evaluation, int windowSize) {
  if (evaluation != meSummed) return windowSize;
  switch (strandSetOf(type)) {
    case StrandSet::Forward:
      return windowSize;
    case StrandSet::HorizRev:
    case StrandSet::VertiRev:
      return 2 * windowSize;
    case StrandSet::BothRev:
      return 3 * windowSize;
  }
  return windowSize;
}

}  // namespace duvanet::engine

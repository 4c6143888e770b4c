#pragma once

#include <cstdint>

/// Plot type codes: which opposite strands are compared, and how they are built.
enum tDotPlotType : std::int32_t {
  dptIdentity = 0,
  dptDNAHoriz = 1,
  dptDNAVerti = 2,
  dptDNABoth = 3,
  dptLiteralHoriz = 4,
  dptLiteralVerti = 5,
  dptLiteralBoth = 6,
};

/// How the counts of the compared strand pairs combine into one cell count.
enum tMatchEvaluation : std::int32_t {
  meHighest = 0,
  meLowest = 1,
  meSummed = 2,
};

namespace duvanet::engine {

/// The strand pairs a plot type counts: DNA and literal types of one direction compute alike.
/// The computation, the sequence strip and the preparation of the strands all speak of it.
enum class StrandSet { Forward, HorizRev, VertiRev, BothRev };

/// The strand set of a type; Forward for identity and for codes outside the table.
StrandSet strandSetOf(tDotPlotType type);

/// True when the set compares the horizontal / vertical opposite strand.
constexpr bool usesHorizRev(StrandSet set) {
  return set == StrandSet::HorizRev || set == StrandSet::BothRev;
}
constexpr bool usesVertiRev(StrandSet set) {
  return set == StrandSet::VertiRev || set == StrandSet::BothRev;
}
inline bool usesHorizRev(tDotPlotType type) { return usesHorizRev(strandSetOf(type)); }
inline bool usesVertiRev(tDotPlotType type) { return usesVertiRev(strandSetOf(type)); }

/// True for the three DNA types that build opposite strands by reverse complement.
bool isDnaType(tDotPlotType type);

/// Highest count a cell can reach: W, or 2 W / 3 W for summed plots of two / three strand pairs.
int maxScore(tDotPlotType type, tMatchEvaluation evaluation, int windowSize);

}  // namespace duvanet::engine

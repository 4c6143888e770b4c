#pragma once

#include <QString>

#include "core/SequenceList.h"
#include "engine/DotPlotTypes.h"

namespace duvanet::core {

/// The prepared strands of a dot plot as the window holds them.
struct ComparedStrands {
  const tSequence& horiz;
  const tSequence& verti;
  const tSequence& horizRev;
  const tSequence& vertiRev;
  int windowSize = 0;
  tDotPlotType plotType = dptIdentity;
};

/// The stretches a cell compares (0-based start indexes) as FASTA records, one line of data
/// each: the horizontal window, the vertical window, then the opposite windows the type counts
/// (horizontal, vertical). Each header names the sequence, the strand ("forward", "reverse
/// complement" or "reverted") and the 1-based span on that strand, e.g.
/// ">chr1 forward 12-23". Empty when the cell lies outside the plot.
QString comparedStretchesFasta(const ComparedStrands& strands, qint64 horizIndex,
                               qint64 vertiIndex);

}  // namespace duvanet::core

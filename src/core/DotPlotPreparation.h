#pragma once

#include <QString>
#include <QStringList>

#include "core/SequenceList.h"
#include "engine/DotPlotEngine.h"
#include "engine/DotPlotTypes.h"

namespace duvanet::core {

/// Shown before the computation of a DNA type when a reverse complement reports a symbol
/// outside the IUPAC table or an empty sequence.
inline const QString kIupacWarning = QStringLiteral(
    "Characters found that are not listed as standard IUPAC abbreviations for nucleic acids or "
    "their ambiguities in DNA molecules. Information obtained from the dot plot might be subject "
    "to errors.");
/// Shown before the computation of a literal type when a strand cannot be reverted (empty).
inline const QString kRevertedStrandWarning = QStringLiteral(
    "Problems occured while creating the reverted strand of the requested sequence. Information "
    "obtained from the dot plot might be subject to errors.");
/// Shown after the computation of every type but identity when it could not fill the plot.
inline const QString kDotPlotError =
    QStringLiteral("An error occured while creating the requested dot plot.");

/// The state of a dot plot request once its strands are prepared: the copies of both
/// sequences (upper-cased for a case-insensitive request), the opposite strands the type
/// compares, MaxScore, and the warning to show before the computation.
struct PreparedDotPlot {
  int WindowSize = 0;
  tDotPlotType PlotType = dptIdentity;
  tMatchEvaluation Evaluation = meHighest;
  tSequence SeqHoriz;
  tSequence SeqVerti;
  tSequence SeqHorizRev;
  tSequence SeqVertiRev;
  int MaxScore = 0;
  /// The messages to show before the computation, in order: at most one warning.
  QStringList warnings;

  /// Views of the four prepared texts, valid while this object and its texts are unchanged.
  engine::DotPlotStrands strands() const;
  /// A request for the whole plot with the engine's default budget and threads.
  engine::DotPlotComputeRequest computeRequest() const;
};

/// Copies both sequences, upper-cases their data code unit by code unit when asked (names keep
/// their case), builds the opposite strands of the type with ReverseComplementDNA (DNA types)
/// or RevertSequence (literal types), the horizontal one first, and sets MaxScore. Collects at
/// most one warning. Does not compute the plot.
PreparedDotPlot prepareDotPlot(tDotPlotType plotType, tSequence horizSeq, tSequence vertiSeq,
                               bool caseInsensitive, int windowSize, tMatchEvaluation evaluation);

/// True when the error message applies after the computation: every type but identity, when
/// the computation could not fill the plot (a sequence shorter than the window, or a request
/// the kernels refuse). A cancelled computation is the user's choice and no error.
bool dotPlotErrorApplies(tDotPlotType plotType, const engine::DotPlotComputeResult& result);

/// The messages to show after the computation: kDotPlotError or nothing.
QStringList dotPlotErrorMessages(tDotPlotType plotType, const engine::DotPlotComputeResult& result);

/// The window caption's suffix after the application title, per type
/// (" - Identity dot plot." and so on).
QString dotPlotCaptionSuffix(tDotPlotType plotType);

}  // namespace duvanet::core

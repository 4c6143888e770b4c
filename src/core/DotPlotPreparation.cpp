#include "core/DotPlotPreparation.h"

#include "core/CaseMapping.h"

namespace duvanet::core {

namespace {

std::u16string_view viewOf(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

engine::DotPlotStrands PreparedDotPlot::strands() const {
  return {viewOf(SeqHoriz.Data), viewOf(SeqVerti.Data), viewOf(SeqHorizRev.Data),
          viewOf(SeqVertiRev.Data)};
}

engine::DotPlotComputeRequest PreparedDotPlot::computeRequest() const {
  engine::DotPlotComputeRequest request;
  request.strands = strands();
  request.windowSize = WindowSize;
  request.type = PlotType;
  request.evaluation = Evaluation;
  return request;
}

PreparedDotPlot prepareDotPlot(tDotPlotType plotType, tSequence horizSeq, tSequence vertiSeq,
                               bool caseInsensitive, int windowSize, tMatchEvaluation evaluation) {
  PreparedDotPlot p;
  p.WindowSize = windowSize;
  p.PlotType = plotType;
  p.Evaluation = evaluation;
  p.SeqHoriz = std::move(horizSeq);
  p.SeqVerti = std::move(vertiSeq);
  if (caseInsensitive) {
    makeUpperPerCodeUnit(p.SeqHoriz.Data);
    makeUpperPerCodeUnit(p.SeqVerti.Data);
  }
  p.SeqHorizRev.Name = p.SeqHoriz.Name;
  p.SeqVertiRev.Name = p.SeqVerti.Name;
  p.MaxScore = engine::maxScore(plotType, evaluation, windowSize);

  bool trouble = false;
  if (engine::isDnaType(plotType)) {
    // Both strands are built even when the first reports a problem, so that the computation
    // always has complete opposite strands.
    if (engine::usesHorizRev(plotType)) {
      trouble |= tSequenceList::ReverseComplementDNA(p.SeqHoriz.Data, p.SeqHorizRev.Data) != 0;
    }
    if (engine::usesVertiRev(plotType)) {
      trouble |= tSequenceList::ReverseComplementDNA(p.SeqVerti.Data, p.SeqVertiRev.Data) != 0;
    }
    if (trouble) p.warnings << kIupacWarning;
  } else if (plotType != dptIdentity) {
    if (engine::usesHorizRev(plotType)) {
      trouble |= !tSequenceList::RevertSequence(p.SeqHoriz.Data, p.SeqHorizRev.Data);
    }
    if (engine::usesVertiRev(plotType)) {
      trouble |= !tSequenceList::RevertSequence(p.SeqVerti.Data, p.SeqVertiRev.Data);
    }
    if (trouble) p.warnings << kRevertedStrandWarning;
  }
  return p;
}

bool dotPlotErrorApplies(tDotPlotType plotType, const engine::DotPlotComputeResult& result) {
  return plotType != dptIdentity && (result.status == engine::DotPlotStatus::TooShort ||
                                     result.status == engine::DotPlotStatus::Refused);
}

QStringList dotPlotErrorMessages(tDotPlotType plotType,
                                 const engine::DotPlotComputeResult& result) {
  if (dotPlotErrorApplies(plotType, result)) return {kDotPlotError};
  return {};
}

QString dotPlotCaptionSuffix(tDotPlotType plotType) {
  switch (plotType) {
    case dptIdentity:
      return QStringLiteral(" - Identity dot plot.");
    case dptDNAHoriz:
      return QStringLiteral(" - DNA dot plot, including reverse complement of horizontal strand.");
    case dptDNAVerti:
      return QStringLiteral(" - DNA dot plot, including reverse complement of vertical strand.");
    case dptDNABoth:
      return QStringLiteral(" - DNA dot plot, including reverse complement of both strands.");
    case dptLiteralHoriz:
      return QStringLiteral(
          " - Literal dot plot, including reverted sequence of horizontal strand.");
    case dptLiteralVerti:
      return QStringLiteral(" - Literal dot plot, including reverted sequence of vertical strand.");
    case dptLiteralBoth:
      return QStringLiteral(" - Literal dot plot, including reverse complement of both strands.");
  }
  return {};
}

}  // namespace duvanet::core

#include "cli/CliDotPlotInput.h"

#include <limits>

#include "core/SequenceList.h"
#include "engine/DotPlotEngine.h"

namespace duvanet::cli {

namespace {

std::optional<tDotPlotType> parseType(const QString& text) {
  static const std::pair<const char*, tDotPlotType> kTypes[] = {
      {"identity", dptIdentity},          {"dna-horiz", dptDNAHoriz},
      {"dna-verti", dptDNAVerti},         {"dna-both", dptDNABoth},
      {"literal-horiz", dptLiteralHoriz}, {"literal-verti", dptLiteralVerti},
      {"literal-both", dptLiteralBoth}};
  for (const auto& [name, type] : kTypes) {
    if (text == QLatin1String(name)) return type;
  }
  return std::nullopt;
}

std::optional<tMatchEvaluation> parseEvaluation(const QString& text) {
  if (text == QLatin1String("highest")) return meHighest;
  if (text == QLatin1String("lowest")) return meLowest;
  if (text == QLatin1String("summed")) return meSummed;
  return std::nullopt;
}

/// Record `index` of a file read as the main window's "Load sequences" reads it.
std::optional<tSequence> loadRecord(const QString& fileName, int index) {
  tSequenceList list;
  if (!loadSequenceFiles({fileName}, list)) return std::nullopt;
  tSequence sequence;
  if (!list.GetSequence(index, sequence)) {
    printError(QStringLiteral("duvanet-cli dotplot: %1 has no record %2 (it holds %3)")
                   .arg(fileName)
                   .arg(index)
                   .arg(list.Count()));
    return std::nullopt;
  }
  return sequence;
}

}  // namespace

const char* const kDotPlotOptionsHelp =
    "  --hindex N         record of HFILE, 0-based (default 0)\n"
    "  --vindex N         record of VFILE, 0-based (default 0)\n"
    "  --type T           identity, dna-horiz, dna-verti, dna-both, literal-horiz,\n"
    "                     literal-verti or literal-both (default dna-horiz)\n"
    "  --eval E           highest, lowest or summed (default highest)\n"
    "  --window W         window size, 1 to 1024 (default 12)\n"
    "  --case-sensitive   compare upper and lower case as different symbols\n"
    "  --threads N        worker threads (default: every core)\n";

int DotPlotOptions::maxScore() const { return engine::maxScore(plotType, evaluation, windowSize); }

QStringList dotPlotValueOptions() {
  return {QStringLiteral("--hindex"), QStringLiteral("--vindex"), QStringLiteral("--type"),
          QStringLiteral("--eval"),   QStringLiteral("--window"), QStringLiteral("--threads")};
}

QStringList dotPlotFlagOptions() { return {QStringLiteral("--case-sensitive")}; }

void requireTwoFiles(const ArgumentParser& parser) {
  if (parser.positional().size() != 2)
    throw UsageError(QStringLiteral("two sequence files are needed"));
}

DotPlotOptions parseDotPlotOptions(const ArgumentParser& parser) {
  requireTwoFiles(parser);
  DotPlotOptions options;
  options.horizontalFile = parser.positional()[0];
  options.verticalFile = parser.positional()[1];
  const auto valueOf = [&parser](const char* option, const char* fallback) {
    return parser.value(QString::fromLatin1(option)).value_or(QString::fromLatin1(fallback));
  };

  const auto hIndex = parseNumber(valueOf("--hindex", "0"), 0, std::numeric_limits<int>::max());
  const auto vIndex = parseNumber(valueOf("--vindex", "0"), 0, std::numeric_limits<int>::max());
  if (!hIndex || !vIndex) throw UsageError(QStringLiteral("a record index is a number from 0"));
  const QString typeName = valueOf("--type", "dna-horiz");
  const auto plotType = parseType(typeName);
  if (!plotType) throw UsageError(QStringLiteral("unknown type: ") + typeName);
  const QString evaluationName = valueOf("--eval", "highest");
  const auto evaluation = parseEvaluation(evaluationName);
  if (!evaluation) throw UsageError(QStringLiteral("unknown evaluation: ") + evaluationName);
  const auto windowSize = parseNumber(valueOf("--window", "12"), 1, 1024);
  if (!windowSize) throw UsageError(QStringLiteral("the window is a number from 1 to 1024"));
  const auto threadCount = parseNumber(valueOf("--threads", "0"), 0, 1024);
  if (!threadCount) throw UsageError(QStringLiteral("the thread count is a number from 0 to 1024"));

  options.horizontalIndex = *hIndex;
  options.verticalIndex = *vIndex;
  options.plotType = *plotType;
  options.evaluation = *evaluation;
  options.windowSize = *windowSize;
  options.caseSensitive = parser.isSet(QStringLiteral("--case-sensitive"));
  options.threads = *threadCount;
  return options;
}

std::optional<core::PreparedDotPlot> loadDotPlot(const DotPlotOptions& options) {
  const auto horiz = loadRecord(options.horizontalFile, options.horizontalIndex);
  if (!horiz) return std::nullopt;
  const auto verti = loadRecord(options.verticalFile, options.verticalIndex);
  if (!verti) return std::nullopt;

  core::PreparedDotPlot plot =
      core::prepareDotPlot(options.plotType, *horiz, *verti, !options.caseSensitive,
                           options.windowSize, options.evaluation);
  for (const QString& warning : plot.warnings) printError(warning);
  // A sequence shorter than the window is an error for every type here, identity included.
  if (plot.SeqHoriz.Data.size() < options.windowSize ||
      plot.SeqVerti.Data.size() < options.windowSize) {
    printError(core::kDotPlotError);
    return std::nullopt;
  }
  return plot;
}

engine::DotPlotComputeRequest dotPlotRequest(const core::PreparedDotPlot& plot,
                                             const DotPlotOptions& options) {
  engine::DotPlotComputeRequest request = plot.computeRequest();
  request.threads = options.threads;
  return request;
}

void printError(const QString& text) { writeErr(text + QLatin1Char('\n')); }

}  // namespace duvanet::cli

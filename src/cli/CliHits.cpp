// duvanet-cli hits: the hit segments of a dot plot of two sequence files as TSV, PAF or BEDPE.

#include <QSaveFile>
#include <string>

#include "cli/CliCommand.h"
#include "cli/CliDotPlotInput.h"
#include "cli/CliSupport.h"
#include "core/DotPlotPreparation.h"
#include "core/FileError.h"
#include "engine/HitFormats.h"
#include "engine/HitSegments.h"

namespace duvanet::cli {

namespace {

const char* const kHelpHead =
    "Usage: duvanet-cli hits HFILE VFILE [options] -o OUT\n"
    "\n"
    "Writes the hit segments of the dot plot of record --hindex of HFILE (horizontal) against\n"
    "record --vindex of VFILE (vertical): the maximal runs of cells along a diagonal (forward)\n"
    "or an anti-diagonal (the opposite strands the type compares) whose count of that strand\n"
    "pair reaches --min-count. Files are read as \"Load sequences\" reads them.\n"
    "\n"
    "Options:\n";
const char* const kHelpTail =
    "  --min-count N      threshold, 1 to the window (default: the window)\n"
    "  -o, --output OUT   OUT.tsv: a header line, then pair, h_start, h_end, v_start, v_end,\n"
    "                     cells, best, matches (1-based, inclusive);\n"
    "                     OUT.paf: PAF, the vertical sequence as the query;\n"
    "                     OUT.bedpe: BEDPE with 0-based starts, the pair as the name and the\n"
    "                     best count as the score\n"
    "  -h, --help         this text\n"
    "\n"
    "Segments are listed forward first, then horizontal-opposite, then vertical-opposite,\n"
    "each by v_start, then h_start, then h_end.\n"
    "\n"
    "Exit status: 0 done (warnings included), 1 a file could not be read or written, a record\n"
    "is missing or a sequence is shorter than the window, 2 wrong arguments.\n";

void writeFailed(const QString& fileName, const QString& reason) {
  printError(QStringLiteral("duvanet-cli: ") +
             FileError(FileError::Operation::Write, fileName, reason).message());
}

/// Writes the segments through a QSaveFile, so that a failed write leaves any old file as it was.
int writeHits(const QString& fileName, engine::HitFileFormat format,
              const std::vector<engine::HitSegment>& segments,
              const engine::HitFileContext& context) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    writeFailed(fileName, file.errorString());
    return kExitFailure;
  }
  std::string buffer = engine::hitFileHeader(format);
  bool ok = true;
  for (const engine::HitSegment& segment : segments) {
    engine::appendHitLine(buffer, segment, context, format);
    if (buffer.size() >= (std::size_t{1} << 20)) {
      ok = file.write(buffer.data(), static_cast<qint64>(buffer.size())) ==
           static_cast<qint64>(buffer.size());
      buffer.clear();
      if (!ok) break;
    }
  }
  if (ok && !buffer.empty()) {
    ok = file.write(buffer.data(), static_cast<qint64>(buffer.size())) ==
         static_cast<qint64>(buffer.size());
  }
  if (!ok || !file.commit()) {
    writeFailed(fileName, file.errorString());
    return kExitFailure;
  }
  return kExitSuccess;
}

int runHits(const QStringList& arguments) {
  return runGuarded("hits", [&] {
    QStringList valueOptions = dotPlotValueOptions();
    // The evaluation combines the strand pairs of a cell; segments take every pair on its own.
    valueOptions.removeAll(QStringLiteral("--eval"));
    valueOptions << QStringLiteral("--output") << QStringLiteral("--min-count");
    const ArgumentParser parser(arguments, valueOptions, dotPlotFlagOptions(),
                                {{QStringLiteral("-o"), QStringLiteral("--output")}});
    if (parser.helpRequested()) {
      QString shared = QString::fromUtf8(kDotPlotOptionsHelp);
      // The shared help names --eval on one line of its own; hits takes no evaluation.
      QStringList lines = shared.split(QLatin1Char('\n'));
      lines.removeIf(
          [](const QString& line) { return line.startsWith(QLatin1String("  --eval")); });
      writeOut(QString::fromUtf8(kHelpHead) + lines.join(QLatin1Char('\n')) +
               QString::fromUtf8(kHelpTail));
      return kExitSuccess;
    }
    requireTwoFiles(parser);
    const auto output = parser.value(QStringLiteral("--output"));
    if (!output) throw UsageError(QStringLiteral("no output file given (-o OUT)"));
    const auto format = engine::hitFileFormatOf(output->toStdString());
    if (!format)
      throw UsageError(QStringLiteral("the output file must end in .tsv, .paf or .bedpe"));
    const DotPlotOptions options = parseDotPlotOptions(parser);
    int minCount = options.windowSize;
    if (const auto text = parser.value(QStringLiteral("--min-count"))) {
      const auto value = parseNumber(*text, 1, options.windowSize);
      if (!value) {
        throw UsageError(QStringLiteral("the minimum count is a number from 1 to the window (%1)")
                             .arg(options.windowSize));
      }
      minCount = *value;
    }
    const auto plot = loadDotPlot(options);
    if (!plot) return kExitFailure;

    engine::HitSegmentRequest request;
    request.strands = plot->strands();
    request.windowSize = plot->WindowSize;
    request.type = plot->PlotType;
    request.minCount = minCount;
    request.threads = options.threads;
    const engine::HitSegmentResult result = engine::findHitSegments(request);
    if (!result.filled) {
      printError(core::kDotPlotError);
      return kExitFailure;
    }
    const engine::HitFileContext context{
        engine::firstWordOf(plot->SeqHoriz.Name.toStdString(), "horizontal"),
        engine::firstWordOf(plot->SeqVerti.Name.toStdString(), "vertical"),
        plot->SeqHoriz.Data.size(), plot->SeqVerti.Data.size(), plot->WindowSize};
    return writeHits(*output, *format, result.segments, context);
  });
}

const CliCommandRegistrar registrar(CliCommand{
    "hits", "the hit segments of a dot plot as TSV, PAF or BEDPE", &runHits});

}  // namespace

}  // namespace duvanet::cli

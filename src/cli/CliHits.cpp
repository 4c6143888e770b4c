// duvanet-cli hits: the hit segments of a dot plot of two sequence files as TSV, PAF or BEDPE.

#include "cli/CliCommand.h"
#include "cli/CliDotPlotInput.h"
#include "cli/CliSupport.h"
#include "core/DotPlotPreparation.h"
#include "core/FileError.h"
#include "core/HitFile.h"
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
    try {
      core::writeHitFile(*output, *format, result.segments,
                         core::hitFileContext(plot->SeqHoriz, plot->SeqVerti, plot->WindowSize));
    } catch (const core::FileError& error) {
      printError(QStringLiteral("duvanet-cli: ") + error.message());
      return kExitFailure;
    }
    return kExitSuccess;
  });
}

const CliCommandRegistrar registrar(CliCommand{
    "hits", "the hit segments of a dot plot as TSV, PAF or BEDPE", &runHits});

}  // namespace

}  // namespace duvanet::cli

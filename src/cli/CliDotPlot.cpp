// duvanet-cli dotplot: computes a dot plot of two sequence files into a TSV table, a PNG image or
// a figure.

#include <algorithm>
#include <limits>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliDotPlotInput.h"
#include "cli/CliFigure.h"
#include "cli/CliSupport.h"
#include "core/DotPlotPreparation.h"
#include "core/FileError.h"
#include "core/SaveFile.h"
#include "engine/DotPlotEngine.h"
#include "engine/Palette.h"
#include "engine/SeededDotPlot.h"
#include "render/GridPng.h"

namespace duvanet::cli {

namespace {

const char* const kHelpHead =
    "Usage: duvanet-cli dotplot HFILE VFILE [options] -o OUT\n"
    "\n"
    "Computes the dot plot of record --hindex of HFILE (horizontal) against record --vindex of\n"
    "VFILE (vertical). Files are read as \"Load sequences\" reads them: FASTA, GenBank, EMBL or\n"
    "plain text by their names, gzip-compressed too (see 'duvanet-cli --help').\n"
    "\n"
    "Options:\n";
const char* const kHelpTail =
    "  -o, --output OUT   OUT.tsv: the lines x, y, count (1-based, y ascending, then x);\n"
    "                     OUT.png: one pixel per cell, or the highest count of each block of\n"
    "                     cells when a side exceeds --size\n"
    "                     OUT.svg, OUT.pdf: the figure (see --figure)\n"
    "  --size N           largest side of the image in pixels (default 4096)\n"
    "  --colour C         grey, red, green or blue (default grey)\n"
    "  --thumbs LO,HI     colour scale thumbs, 0 to the highest count (default 0,MaxScore)\n"
    "  --floor F          counts at or below F (0 to MaxScore - 1) count as 0: a TSV lists only\n"
    "                     the cells above F. An image is computed with the highest floor its\n"
    "                     thumbs draw black (LO, or HI - 1 when HI <= LO), so that its pixels\n"
    "                     are those of the full computation, unless --floor gives another;\n"
    "                     a high floor on long sequences computes much faster\n"
    "%FIGURE%"
    "  -h, --help         this text\n"
    "\n"
    "Exit status: 0 done (warnings included), 1 a file could not be read or written, a record\n"
    "is missing or the plot could not be computed, 2 wrong arguments.\n";

void writeFailed(const QString& fileName, const QString& reason) {
  printError(QStringLiteral("duvanet-cli: ") +
             core::FileError(core::FileError::Operation::Write, fileName, reason).message());
}

std::optional<engine::ColourFamily> parseColour(const QString& text) {
  if (text == QLatin1String("grey")) return engine::ColourFamily::Grey;
  if (text == QLatin1String("red")) return engine::ColourFamily::Red;
  if (text == QLatin1String("green")) return engine::ColourFamily::Green;
  if (text == QLatin1String("blue")) return engine::ColourFamily::Blue;
  return std::nullopt;
}

/// Appends the decimal digits of a non-negative number.
char* putNumber(char* out, std::int64_t value) {
  char digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  while (n > 0) *out++ = digits[--n];
  return out;
}

/// Streams the cells in bands of rows, so that no more than a band is held at a time. With a
/// floor only the cells above it are written; the seeded path, when it pays, lists them at once.
int writeTsv(const QString& fileName, const engine::DotPlotComputeRequest& base,
             std::optional<int> floor) {
  // Written beside the target and renamed over it when complete: a failure or a kill leaves an
  // existing file as it was.
  core::SafeSaveFile file(fileName);
  if (!file.open()) {
    writeFailed(fileName, file.failureReason());
    return kExitFailure;
  }
  std::vector<char> buffer(std::size_t{1} << 20);
  std::size_t used = 0;
  bool ok = true;
  auto flush = [&] {
    if (used > 0 && file.write(buffer.data(), qint64(used)) != qint64(used)) ok = false;
    used = 0;
  };
  static const char kHeader[] = "x\ty\tcount\n";
  std::copy(kHeader, kHeader + sizeof kHeader - 1, buffer.data());
  used = sizeof kHeader - 1;

  // The size of the whole plot first, from a one-cell region.
  engine::DotPlotComputeRequest probe = base;
  probe.region = engine::CellRect{0, 0, 1, 1};
  const engine::DotPlotComputeResult first = engine::computeDotPlot(probe);
  if (!first.isFilled()) {
    printError(core::kDotPlotError);
    return kExitFailure;
  }
  const std::int64_t width = first.plotWidth;
  const std::int64_t height = first.plotHeight;
  auto put = [&](std::int64_t x, std::int64_t y, int count) {
    if (used + 64 > buffer.size()) flush();
    char* p = buffer.data() + used;
    p = putNumber(p, x);
    *p++ = '\t';
    p = putNumber(p, y);
    *p++ = '\t';
    p = putNumber(p, count);
    *p++ = '\n';
    used = static_cast<std::size_t>(p - buffer.data());
  };
  auto finish = [&] {
    flush();
    if (!file.finish()) {
      writeFailed(fileName, file.failureReason());
      return kExitFailure;
    }
    return kExitSuccess;
  };
  if (floor && *floor > 0) {
    const engine::SeededRequest seeded{
        base.strands,    base.windowSize, engine::strandSetOf(base.type),
        base.evaluation, *floor,          engine::FloorPath::Automatic,
        base.threads};
    const engine::SeededCells listed =
        engine::seededCells(seeded, engine::CellRect{0, 0, width, height}, {});
    if (listed.outcome.computed) {
      for (const engine::FlooredCell& c : listed.cells) put(c.x + 1, c.y + 1, c.count);
      return finish();
    }
  }
  const std::int64_t bandRows = std::max<std::int64_t>(1, (std::int64_t{4} << 20) / width);
  for (std::int64_t y0 = 0; y0 < height && ok; y0 += bandRows) {
    engine::DotPlotComputeRequest band = base;
    band.region = engine::CellRect{0, y0, width, std::min(bandRows, height - y0)};
    band.exactBudgetCells = std::numeric_limits<std::int64_t>::max();
    if (floor) {
      band.floor = *floor;
      band.floorPath = engine::FloorPath::FullSweep;
    }
    const engine::DotPlotComputeResult result = engine::computeDotPlot(band);
    if (!result.isFilled()) {
      printError(core::kDotPlotError);
      return kExitFailure;
    }
    const engine::DotPlotGrid& grid = result.grid;
    for (int by = 0; by < grid.binsY() && ok; ++by) {
      const std::uint16_t* row = grid.row(by);
      const std::int64_t y = grid.cells().y + by + 1;
      for (int bx = 0; bx < grid.binsX(); ++bx) {
        if (floor && row[bx] == 0) continue;
        put(bx + 1, y, row[bx]);
      }
    }
  }
  return finish();
}

int writePng(const QString& fileName, engine::DotPlotComputeRequest request, int size,
             const std::vector<engine::Rgb>& palette) {
  // One bin per cell up to `size` cells a side; above that each pixel holds the highest count of
  // the cells it covers.
  request.exactBudgetCells = 0;
  request.maxBinsPerSide = size;
  const engine::DotPlotComputeResult result = engine::computeDotPlot(request);
  if (!result.isFilled()) {
    printError(core::kDotPlotError);
    return kExitFailure;
  }
  const engine::DotPlotGrid& grid = result.grid;
  const QByteArray png = render::gridPng(grid, palette);
  if (png.isEmpty()) {
    printError(QStringLiteral("duvanet-cli dotplot: not enough memory for a %1 x %2 image.")
                   .arg(grid.binsX())
                   .arg(grid.binsY()));
    return kExitFailure;
  }
  core::SafeSaveFile file(fileName);
  if (!file.open()) {
    writeFailed(fileName, file.failureReason());
    return kExitFailure;
  }
  if (file.write(png.constData(), png.size()) != png.size()) {
    const QString reason = file.failureReason();
    file.cancelWriting();
    writeFailed(fileName, reason);
    return kExitFailure;
  }
  if (!file.finish()) {
    writeFailed(fileName, file.failureReason());
    return kExitFailure;
  }
  return kExitSuccess;
}

int runDotPlot(const QStringList& arguments) {
  return runGuarded("dotplot", [&] {
    const ArgumentParser parser(
        arguments,
        dotPlotValueOptions() + figureValueOptions() +
            QStringList{QStringLiteral("--output"), QStringLiteral("--size"),
                        QStringLiteral("--colour"), QStringLiteral("--thumbs"),
                        QStringLiteral("--floor")},
        dotPlotFlagOptions() + figureFlagOptions(),
        {{QStringLiteral("-o"), QStringLiteral("--output")}});
    if (parser.helpRequested()) {
      writeOut(QString::fromUtf8(kHelpHead) + QString::fromUtf8(kDotPlotOptionsHelp) +
               QString::fromUtf8(kHelpTail).replace(QStringLiteral("%FIGURE%"),
                                                    QString::fromUtf8(kFigureOptionsHelp)));
      return kExitSuccess;
    }
    requireTwoFiles(parser);
    const auto output = parser.value(QStringLiteral("--output"));
    if (!output) throw UsageError(QStringLiteral("no output file given (-o OUT)"));
    const QString& out = *output;
    const bool tsv = out.endsWith(QLatin1String(".tsv"), Qt::CaseInsensitive);
    const bool png = out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    const bool figureWanted =
        parser.isSet(QStringLiteral("--figure")) || argumentsAskForFigure({out});
    if (!tsv && !png && !figureWanted)
      throw UsageError(QStringLiteral("the output file must end in .tsv, .png, .svg or .pdf"));

    const DotPlotOptions options = parseDotPlotOptions(parser);
    const auto side = parseNumber(
        parser.value(QStringLiteral("--size")).value_or(QStringLiteral("4096")), 1, 1 << 15);
    if (!side) throw UsageError(QStringLiteral("the size is a number from 1 to 32768"));
    const QString colourName =
        parser.value(QStringLiteral("--colour")).value_or(QStringLiteral("grey"));
    const auto family = parseColour(colourName);
    if (!family) throw UsageError(QStringLiteral("unknown colour: ") + colourName);
    const int top = options.maxScore();
    int lo = 0;
    int hi = top;
    if (const auto thumbs = parser.value(QStringLiteral("--thumbs"))) {
      const QStringList parts = thumbs->split(QLatin1Char(','));
      bool okLo = false;
      bool okHi = false;
      if (parts.size() == 2) {
        lo = parts[0].trimmed().toInt(&okLo);
        hi = parts[1].trimmed().toInt(&okHi);
      }
      if (!okLo || !okHi || lo < 0 || hi > top || lo > hi)
        throw UsageError(QStringLiteral("the thumbs are LO,HI with 0 <= LO <= HI <= %1").arg(top));
    }

    std::optional<int> floor;
    if (const auto text = parser.value(QStringLiteral("--floor"))) {
      floor = parseNumber(*text, 0, top - 1);
      if (!floor)
        throw UsageError(QStringLiteral("the floor is a number from 0 to %1").arg(top - 1));
    }

    const std::optional<FigureOptions> figure = parseFigureOptions(parser, out, top);

    const auto plot = loadDotPlot(options);
    if (!plot) return kExitFailure;
    engine::DotPlotComputeRequest request = dotPlotRequest(*plot, options);
    if (tsv) return writeTsv(out, request, floor);
    // Every count the thumbs draw black may be left out of the computation, but for a
    // highlighted level.
    int automaticFloor = engine::floorForThumbs(lo, hi, plot->MaxScore);
    if (figure && figure->highlight >= 0)
      automaticFloor = std::min(automaticFloor, std::max(0, figure->highlight - 1));
    request.floor = floor.value_or(automaticFloor);
    const std::vector<engine::Rgb> palette =
        engine::smoothGreyScale(lo, hi, plot->MaxScore, *family);
    if (figure) return writeFigure(out, options, *plot, request, palette, *figure);
    return writePng(out, request, *side, palette);
  });
}

const CliCommandRegistrar registrar(CliCommand{
    "dotplot", "a dot plot of two sequences as a TSV table or a PNG image", &runDotPlot});

}  // namespace

}  // namespace duvanet::cli

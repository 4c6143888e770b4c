// duvanet-cli dotplot: computes a dot plot of two sequence files into a TSV table or a PNG image.

#include <QCommandLineParser>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"
#include "core/DotPlotPreparation.h"
#include "core/FileError.h"
#include "core/SequenceList.h"
#include "engine/DotPlotEngine.h"
#include "engine/Palette.h"

namespace duvanet::cli {

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

const char* const kHelp =
    "Usage: duvanet-cli dotplot HFILE VFILE [options] -o OUT\n"
    "\n"
    "Computes the dot plot of record --hindex of HFILE (horizontal) against record --vindex of\n"
    "VFILE (vertical). Files are read as \"Load sequences\" reads them: .fas and .fasta as FASTA,\n"
    "every other file as one plain-text sequence.\n"
    "\n"
    "Options:\n"
    "  --hindex N         record of HFILE, 0-based (default 0)\n"
    "  --vindex N         record of VFILE, 0-based (default 0)\n"
    "  --type T           identity, dna-horiz, dna-verti, dna-both, literal-horiz,\n"
    "                     literal-verti or literal-both (default dna-horiz)\n"
    "  --eval E           highest, lowest or summed (default highest)\n"
    "  --window W         window size, 1 to 1024 (default 12)\n"
    "  --case-sensitive   compare upper and lower case as different symbols\n"
    "  --threads N        worker threads (default: every core)\n"
    "  -o, --output OUT   OUT.tsv: the lines x, y, count (1-based, y ascending, then x);\n"
    "                     OUT.png: one pixel per cell, or the highest count of each block of\n"
    "                     cells when a side exceeds --size\n"
    "  --size N           largest side of the image in pixels (default 4096)\n"
    "  --colour C         grey, red, green or blue (default grey)\n"
    "  --thumbs LO,HI     colour scale thumbs, 0 to the highest count (default 0,MaxScore)\n"
    "  -h, --help         this text\n"
    "\n"
    "Exit status: 0 done (warnings included), 1 a file could not be read or written, a record\n"
    "is missing or the plot could not be computed, 2 wrong arguments.\n";

void printError(const QString& text) { writeErr(text + QLatin1Char('\n')); }

void writeFailed(const QString& fileName, const QString& reason) {
  printError(QStringLiteral("duvanet-cli: ") +
             FileError(FileError::Operation::Write, fileName, reason).message());
}

int usageError(const QString& text) {
  printError(QStringLiteral("duvanet-cli dotplot: ") + text);
  printError(QStringLiteral("Try 'duvanet-cli dotplot --help'."));
  return kUsageError;
}

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

std::optional<engine::ColourFamily> parseColour(const QString& text) {
  if (text == QLatin1String("grey")) return engine::ColourFamily::Grey;
  if (text == QLatin1String("red")) return engine::ColourFamily::Red;
  if (text == QLatin1String("green")) return engine::ColourFamily::Green;
  if (text == QLatin1String("blue")) return engine::ColourFamily::Blue;
  return std::nullopt;
}

std::optional<int> parseInt(const QString& text, int lowest, int highest) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < lowest || value > highest) return std::nullopt;
  return value;
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

struct FileCloser {
  void operator()(std::FILE* f) const {
    if (f) std::fclose(f);
  }
};

/// Streams the cells in bands of rows, so that no more than a band is held at a time.
int writeTsv(const QString& fileName, const engine::DotPlotComputeRequest& base) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(QFile::encodeName(fileName), "wb"));
  if (!file) {
    writeFailed(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    return kFailure;
  }
  std::vector<char> buffer(std::size_t{1} << 20);
  std::size_t used = 0;
  bool ok = true;
  auto flush = [&] {
    if (used > 0 && std::fwrite(buffer.data(), 1, used, file.get()) != used) ok = false;
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
    return kFailure;
  }
  const std::int64_t width = first.plotWidth;
  const std::int64_t height = first.plotHeight;
  const std::int64_t bandRows = std::max<std::int64_t>(1, (std::int64_t{4} << 20) / width);
  for (std::int64_t y0 = 0; y0 < height && ok; y0 += bandRows) {
    engine::DotPlotComputeRequest band = base;
    band.region = engine::CellRect{0, y0, width, std::min(bandRows, height - y0)};
    band.exactBudgetCells = std::numeric_limits<std::int64_t>::max();
    const engine::DotPlotComputeResult result = engine::computeDotPlot(band);
    if (!result.isFilled()) {
      printError(core::kDotPlotError);
      return kFailure;
    }
    const engine::DotPlotGrid& grid = result.grid;
    for (int by = 0; by < grid.binsY() && ok; ++by) {
      const std::uint16_t* row = grid.row(by);
      const std::int64_t y = grid.cells().y + by + 1;
      for (int bx = 0; bx < grid.binsX(); ++bx) {
        if (used + 64 > buffer.size()) flush();
        char* p = buffer.data() + used;
        p = putNumber(p, bx + 1);
        *p++ = '\t';
        p = putNumber(p, y);
        *p++ = '\t';
        p = putNumber(p, row[bx]);
        *p++ = '\n';
        used = static_cast<std::size_t>(p - buffer.data());
      }
    }
  }
  flush();
  if (std::fflush(file.get()) != 0) ok = false;
  if (!ok) {
    writeFailed(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    return kFailure;
  }
  return 0;
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
    return kFailure;
  }
  const engine::DotPlotGrid& grid = result.grid;
  QImage image(grid.binsX(), grid.binsY(), QImage::Format_RGB32);
  if (image.isNull()) {
    printError(QStringLiteral("duvanet-cli dotplot: not enough memory for a %1 x %2 image.")
                   .arg(grid.binsX())
                   .arg(grid.binsY()));
    return kFailure;
  }
  for (int by = 0; by < grid.binsY(); ++by) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(by));
    const std::uint16_t* counts = grid.row(by);
    for (int bx = 0; bx < grid.binsX(); ++bx) {
      const std::size_t c = std::min<std::size_t>(counts[bx], palette.size() - 1);
      line[bx] = qRgb(palette[c].red, palette[c].green, palette[c].blue);
    }
  }
  if (!image.save(fileName, "PNG")) {
    writeFailed(fileName, QStringLiteral("the image could not be saved"));
    return kFailure;
  }
  return 0;
}

int runDotPlot(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption hindex(QStringLiteral("hindex"), QString(), QStringLiteral("N"),
                                  QStringLiteral("0"));
  const QCommandLineOption vindex(QStringLiteral("vindex"), QString(), QStringLiteral("N"),
                                  QStringLiteral("0"));
  const QCommandLineOption type(QStringLiteral("type"), QString(), QStringLiteral("T"),
                                QStringLiteral("dna-horiz"));
  const QCommandLineOption eval(QStringLiteral("eval"), QString(), QStringLiteral("E"),
                                QStringLiteral("highest"));
  const QCommandLineOption window(QStringLiteral("window"), QString(), QStringLiteral("W"),
                                  QStringLiteral("12"));
  const QCommandLineOption caseSensitive(QStringLiteral("case-sensitive"), QString());
  const QCommandLineOption threads(QStringLiteral("threads"), QString(), QStringLiteral("N"),
                                   QStringLiteral("0"));
  const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                  QString(), QStringLiteral("OUT"));
  const QCommandLineOption size(QStringLiteral("size"), QString(), QStringLiteral("N"),
                                QStringLiteral("4096"));
  const QCommandLineOption colour(QStringLiteral("colour"), QString(), QStringLiteral("C"),
                                  QStringLiteral("grey"));
  const QCommandLineOption thumbs(QStringLiteral("thumbs"), QString(), QStringLiteral("LO,HI"));
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QString());
  parser.addOptions({hindex, vindex, type, eval, window, caseSensitive, threads, output, size,
                     colour, thumbs, help});
  if (!parser.parse(QStringList{QStringLiteral("dotplot")} + arguments)) {
    return usageError(parser.errorText());
  }
  if (parser.isSet(help)) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() != 2) return usageError(QStringLiteral("two sequence files are needed"));
  if (!parser.isSet(output)) return usageError(QStringLiteral("no output file given (-o OUT)"));
  const QString out = parser.value(output);
  const bool tsv = out.endsWith(QLatin1String(".tsv"), Qt::CaseInsensitive);
  const bool png = out.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
  if (!tsv && !png) return usageError(QStringLiteral("the output file must end in .tsv or .png"));

  const auto hIndex = parseInt(parser.value(hindex), 0, std::numeric_limits<int>::max());
  const auto vIndex = parseInt(parser.value(vindex), 0, std::numeric_limits<int>::max());
  if (!hIndex || !vIndex) return usageError(QStringLiteral("a record index is a number from 0"));
  const auto plotType = parseType(parser.value(type));
  if (!plotType) return usageError(QStringLiteral("unknown type: ") + parser.value(type));
  const auto evaluation = parseEvaluation(parser.value(eval));
  if (!evaluation) return usageError(QStringLiteral("unknown evaluation: ") + parser.value(eval));
  const auto windowSize = parseInt(parser.value(window), 1, 1024);
  if (!windowSize) return usageError(QStringLiteral("the window is a number from 1 to 1024"));
  const auto threadCount = parseInt(parser.value(threads), 0, 1024);
  if (!threadCount)
    return usageError(QStringLiteral("the thread count is a number from 0 to 1024"));
  const auto side = parseInt(parser.value(size), 1, 1 << 15);
  if (!side) return usageError(QStringLiteral("the size is a number from 1 to 32768"));
  const auto family = parseColour(parser.value(colour));
  if (!family) return usageError(QStringLiteral("unknown colour: ") + parser.value(colour));
  const int top = engine::maxScore(*plotType, *evaluation, *windowSize);
  int lo = 0;
  int hi = top;
  if (parser.isSet(thumbs)) {
    const QStringList parts = parser.value(thumbs).split(QLatin1Char(','));
    bool okLo = false;
    bool okHi = false;
    if (parts.size() == 2) {
      lo = parts[0].trimmed().toInt(&okLo);
      hi = parts[1].trimmed().toInt(&okHi);
    }
    if (!okLo || !okHi || lo < 0 || hi > top || lo > hi) {
      return usageError(QStringLiteral("the thumbs are LO,HI with 0 <= LO <= HI <= %1").arg(top));
    }
  }

  const auto horiz = loadRecord(files[0], *hIndex);
  if (!horiz) return kFailure;
  const auto verti = loadRecord(files[1], *vIndex);
  if (!verti) return kFailure;

  const core::PreparedDotPlot plot = core::prepareDotPlot(
      *plotType, *horiz, *verti, !parser.isSet(caseSensitive), *windowSize, *evaluation);
  for (const QString& warning : plot.warnings) printError(warning);
  // A sequence shorter than the window is an error for every type here, identity included.
  if (plot.SeqHoriz.Data.size() < *windowSize || plot.SeqVerti.Data.size() < *windowSize) {
    printError(core::kDotPlotError);
    return kFailure;
  }
  engine::DotPlotComputeRequest request = plot.computeRequest();
  request.threads = *threadCount;
  const int status =
      tsv ? writeTsv(out, request)
          : writePng(out, request, *side, engine::smoothGreyScale(lo, hi, plot.MaxScore, *family));
  return status;
}

const CliCommandRegistrar registrar(CliCommand{
    "dotplot", "a dot plot of two sequences as a TSV table or a PNG image", &runDotPlot});

}  // namespace

}  // namespace duvanet::cli

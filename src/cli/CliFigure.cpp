// duvanet-cli dotplot --figure: the dot plot as the window exports it, drawn without a display.

#include "cli/CliFigure.h"

#include <QFont>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

#include "core/FileError.h"
#include "render/Figure.h"

namespace duvanet::cli {

namespace {

const QString kFigure = QStringLiteral("--figure");
const QString kWidth = QStringLiteral("--width");
const QString kHeight = QStringLiteral("--height");
const QString kDpi = QStringLiteral("--dpi");
const QString kHighlight = QStringLiteral("--highlight");
const QString kAnnotations = QStringLiteral("--annotations");

constexpr int kMinPixels = 50;
constexpr int kMaxPixels = 16000;

std::shared_ptr<const render::FeatureTrack> trackOf(
    std::shared_ptr<const core::FeatureTable> features) {
  if (!features) return nullptr;
  auto track = std::make_shared<const render::FeatureTrack>(std::move(features));
  return track->empty() ? nullptr : track;
}

// The features of a record as the program attaches them: its own and those of the annotation
// files whose seqid is the first word of its name. Nothing when a file cannot be read.
std::optional<std::shared_ptr<const core::FeatureTable>> recordFeatures(
    const QString& fileName, int index, const QStringList& annotations, QStringList& unmatched) {
  tSequenceList list;
  core::FeatureAttachment attachment;
  try {
    list.LoadSequenceFiles(QStringList{fileName} + annotations, &attachment);
  } catch (const core::FileError& error) {
    printError(QStringLiteral("%1: %2").arg(QLatin1StringView(kToolName), error.message()));
    return std::nullopt;
  }
  unmatched = attachment.unmatchedSeqids;
  return list.Features(index);
}

}  // namespace

const char* const kFigureOptionsHelp =
    "  --figure           write the figure instead of the bare grid: the grid with both axes,\n"
    "                     their ticks and titles, the colour legend and the annotation tracks,\n"
    "                     as the window exports it (always for .svg and .pdf; also .jpg, .bmp)\n"
    "  --width N, --height N\n"
    "                     the figure's size in pixels, 50 to 16000 (default 1000 x 1000)\n"
    "  --dpi N            its resolution, 10 to 2400 (default 96): noted in PNG, JPEG and BMP\n"
    "                     files, the size on paper of SVG and PDF; text and lines grow with it\n"
    "  --highlight LEVEL  draws the cells of count LEVEL red, as the window's highlight does\n"
    "  --annotations FILE features of a GFF3, GTF or BED file (repeat for more), attached by\n"
    "                     the first word of the record names; GenBank and EMBL records bring\n"
    "                     their own\n";

QStringList figureValueOptions() { return {kWidth, kHeight, kDpi, kHighlight, kAnnotations}; }

QStringList figureFlagOptions() { return {kFigure}; }

bool argumentsAskForFigure(const QStringList& commandArguments) {
  for (const QString& argument : commandArguments) {
    if (argument == kFigure) return true;
    const auto format = render::pictureFormatOfName(argument);
    if (format && render::isVectorFormat(*format)) return true;
  }
  return false;
}

std::optional<FigureOptions> parseFigureOptions(const ArgumentParser& parser, const QString& output,
                                                int maxScore) {
  const std::optional<render::PictureFormat> format = render::pictureFormatOfName(output);
  const bool wanted = parser.isSet(kFigure) || (format && render::isVectorFormat(*format));
  if (!wanted) {
    for (const QString& option : figureValueOptions())
      if (parser.isSet(option))
        throw UsageError(
            QStringLiteral("%1 draws into a figure: add --figure (or write .svg or .pdf)")
                .arg(option));
    return std::nullopt;
  }
  if (!format)
    throw UsageError(
        QStringLiteral("a figure is written to a .png, .jpg, .bmp, .svg or .pdf file"));
  FigureOptions figure;
  figure.format = *format;
  const auto pixels = [&](const QString& option, int fallback) {
    const auto value = parser.value(option);
    if (!value) return fallback;
    const auto number = parseNumber(*value, kMinPixels, kMaxPixels);
    if (!number)
      throw UsageError(QStringLiteral("%1 is a number of pixels from %2 to %3")
                           .arg(option)
                           .arg(kMinPixels)
                           .arg(kMaxPixels));
    return *number;
  };
  figure.size.pixels = QSize(pixels(kWidth, 1000), pixels(kHeight, 1000));
  if (const auto dpi = parser.value(kDpi)) {
    const auto number = parseNumber(*dpi, 10, 2400);
    if (!number) throw UsageError(QStringLiteral("--dpi is a number from 10 to 2400"));
    figure.size.dpi = *number;
  }
  if (const auto level = parser.value(kHighlight)) {
    const auto number = parseNumber(*level, 0, maxScore);
    if (!number)
      throw UsageError(QStringLiteral("--highlight is a level from 0 to %1").arg(maxScore));
    figure.highlight = *number;
  }
  figure.annotationFiles = parser.values(kAnnotations);
  return figure;
}

int writeFigure(const QString& fileName, const DotPlotOptions& dotPlot,
                const core::PreparedDotPlot& plot, engine::DotPlotComputeRequest request,
                const std::vector<engine::Rgb>& palette, const FigureOptions& figure) {
  QStringList unmatchedH, unmatchedV;
  const auto horizontal = recordFeatures(dotPlot.horizontalFile, dotPlot.horizontalIndex,
                                         figure.annotationFiles, unmatchedH);
  if (!horizontal) return kExitFailure;
  const auto vertical = recordFeatures(dotPlot.verticalFile, dotPlot.verticalIndex,
                                       figure.annotationFiles, unmatchedV);
  if (!vertical) return kExitFailure;
  for (const QString& seqid : unmatchedH)
    if (unmatchedV.contains(seqid))
      printError(QStringLiteral("duvanet-cli dotplot: warning: no record is named %1, its "
                                "annotations are not drawn")
                     .arg(seqid));

  // Binned as the window bins a plot: one bin per cell up to the largest side of the embedded
  // grid image, the highest count of each block beyond.
  request.exactBudgetCells = 0;
  request.maxBinsPerSide = render::kCellImageMaxSide;
  const engine::DotPlotComputeResult result = engine::computeDotPlot(request);
  if (!result.isFilled()) {
    printError(core::kDotPlotError);
    return kExitFailure;
  }
  const engine::DotPlotGrid& grid = result.grid;

  render::FigureContent content;
  content.grid = &grid;
  content.colours = {qRgb(255, 255, 255)};
  for (std::size_t level = 0; level < palette.size(); ++level) {
    const engine::Rgb& c = palette[level];
    const QRgb colour =
        int(level) == figure.highlight ? qRgb(255, 0, 0) : qRgb(c.red, c.green, c.blue);
    content.colours.push_back(colour);
    content.legend.push_back({double(level), colour});
  }
  content.highlightedLevel = figure.highlight;
  QFont labelFont;
  labelFont.setPixelSize(13);
  labelFont.setBold(true);
  QFont font;
  font.setPixelSize(12);
  content.font = font;
  content.legendFont = font;
  const engine::CellRect& cells = grid.cells();
  content.axes[0] = {double(cells.x + 1),
                     double(cells.x + cells.width + 1),
                     1,
                     false,
                     plot.SeqHoriz.Name,
                     labelFont};
  content.axes[1] = {double(cells.y + 1),
                     double(cells.y + cells.height + 1),
                     1,
                     true,
                     plot.SeqVerti.Name,
                     labelFont};
  content.tracks[0] = trackOf(*horizontal);
  content.tracks[1] = trackOf(*vertical);

  const render::PictureRenderer renderer = [&content](QPainter& painter, const QRect& target,
                                                      const render::PictureTarget& how) {
    render::FigureDrawing drawing;
    drawing.grid = how.vector ? render::GridImage::Cells : render::GridImage::DevicePixels;
    drawing.scale = render::fittedScale(content, target.size(), how.scale);
    render::drawFigure(painter, content, target, drawing);
  };
  QString failure;
  if (!render::writePicture(renderer, figure.size, fileName, figure.format, &failure)) {
    printError(QStringLiteral("duvanet-cli: ") + failure);
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace duvanet::cli

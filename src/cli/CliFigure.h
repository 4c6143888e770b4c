#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "cli/CliDotPlotInput.h"
#include "cli/CliSupport.h"
#include "engine/DotPlotEngine.h"
#include "engine/Palette.h"
#include "render/PictureFile.h"

namespace duvanet::cli {

/// How duvanet-cli dotplot draws a figure: the grid with both axes, their ticks and titles, the
/// colour legend and the annotation tracks, as the dot plot window exports it.
struct FigureOptions {
  render::PictureFormat format = render::PictureFormat::Png;
  render::PictureSize size{QSize(1000, 1000), 96};
  int highlight = -1;  // the highlighted level, -1 for none
  QStringList annotationFiles;
};

/// The figure's own options, for the dotplot command's ArgumentParser.
QStringList figureValueOptions();
QStringList figureFlagOptions();
extern const char* const kFigureOptionsHelp;

/// True when the arguments of a dotplot command ask for a figure (--figure, or an .svg or .pdf
/// output): the tool then needs fonts, which an offscreen QGuiApplication gives it.
bool argumentsAskForFigure(const QStringList& commandArguments);

/// The figure options of a parsed command line, or nothing when it asks for no figure; throws
/// UsageError for wrong values and for figure options without a figure.
std::optional<FigureOptions> parseFigureOptions(const ArgumentParser& parser, const QString& output,
                                                int maxScore);

/// Computes the plot (binned as the window bins it) and writes the figure; prints errors and
/// returns the exit status.
int writeFigure(const QString& fileName, const DotPlotOptions& dotPlot,
                const core::PreparedDotPlot& plot, engine::DotPlotComputeRequest request,
                const std::vector<engine::Rgb>& palette, const FigureOptions& figure);

}  // namespace duvanet::cli

#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <memory>
#include <vector>

#include "engine/DotPlotGrid.h"
#include "render/AxisMath.h"
#include "render/FeatureTrack.h"
#include "render/GridRasteriser.h"

class QPainter;

namespace duvanet::render {

/// The two axes of a dot plot figure: the top one runs along the horizontal sequence, the left
/// one along the vertical sequence.
enum class FigureSide { Top = 0, Left = 1 };
enum class LegendPlace { Right, Left, Top, Bottom };

struct FigureAxis {
  double min = 0;  // the value range in view
  double max = 1;
  double increment = 1;  // distance between labelled ticks where there is room
  bool inverted = false;
  QString title;
  QFont labelFont;
};

struct LegendLevel {
  double upperBound = 0;
  QRgb colour = 0;
};

/// Everything a dot plot figure shows: the grid with its colours, both axes, the title, the
/// colour legend and the feature tracks. Fonts are taken in pixels of the figure (a font in
/// points is turned into pixels as the screen shows it, see pixelSizedFont), so that the figure
/// keeps its proportions on every device.
struct FigureContent {
  const engine::DotPlotGrid* grid = nullptr;
  /// An exact grid of part of the plot, used where it covers the view.
  const engine::DotPlotGrid* detail = nullptr;
  /// colours[0] for places without a cell, colours[n + 1] for count n.
  std::vector<QRgb> colours{qRgb(255, 255, 255)};
  FigureAxis axes[2];
  QString title;
  bool titleVisible = false;
  QFont font;  // the title and the axis titles
  QFont legendFont;
  bool legendVisible = true;
  LegendPlace legendPlace = LegendPlace::Right;
  std::vector<LegendLevel> legend;  // ascending bounds
  /// The legend level shown highlighted (always with a band and a label), -1 for none.
  int highlightedLevel = -1;
  std::shared_ptr<const FeatureTrack> tracks[2];

  const FigureAxis& axis(FigureSide side) const { return axes[int(side)]; }
  FigureAxis& axis(FigureSide side) { return axes[int(side)]; }
};

/// A font in pixels: the same font when it has a pixel size, else its point size as the screen
/// shows it (96 dpi without a screen).
QFont pixelSizedFont(QFont font);

/// Where the parts of a figure go inside a target rectangle.
struct FigureLayout {
  QRect plot;  // the grid, inside its 2-pixel frame
  QRect legend;
  QRect title;
  QRect tracks[2];
};
FigureLayout layoutFigure(const FigureContent& content, const QRect& target);

/// The geometry of an axis for a grid drawn in plot.
AxisGeometry figureAxisGeometry(const FigureContent& content, FigureSide side, const QRect& plot);

/// How the grid goes into a figure.
enum class GridImage {
  /// Rasterised at the pixels of the paint device (screen and raster pictures): each pixel the
  /// highest count of the cells under it.
  DevicePixels,
  /// One image of the cells in view, scaled into the plot (vector drawings and printing): one
  /// pixel per cell up to cellImageMaxSide a side, else the highest count of each block.
  Cells,
};
inline constexpr int kCellImageMaxSide = 4096;

struct FigureDrawing {
  GridImage grid = GridImage::DevicePixels;
  /// Keeps the device image between drawings (the screen); null: a local one.
  GridRasteriser* rasteriser = nullptr;
  /// Text, lines and margins are drawn this many times larger (the figure's resolution over
  /// 96 dpi); the layout is made for the target divided by it.
  double scale = 1;
};

/// Draws the figure into target (painter coordinates).
void drawFigure(QPainter& painter, const FigureContent& content, const QRect& target,
                const FigureDrawing& drawing = {});

/// The image of the cells in view, at most maxSide pixels a side, and the axis values its
/// edges stand for (whole cells: it may reach a little beyond the view).
struct CellImage {
  QImage image;
  double columnsFrom = 0, columnsTo = 0;  // axis values at the left and right edge
  double rowsFrom = 0, rowsTo = 0;        // at the top and bottom edge
};
CellImage cellImage(const FigureContent& content, int maxSide = kCellImageMaxSide);

/// The largest scale up to wanted at which the figure's text, axes, legend and tracks leave the
/// grid at least 40 % of each side of size; never below 1 (the screen's proportions) nor wanted.
double fittedScale(const FigureContent& content, QSize size, double wanted);

}  // namespace duvanet::render

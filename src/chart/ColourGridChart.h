#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "chart/AxisMath.h"
#include "chart/ChartExport.h"
#include "chart/ChartPalette.h"
#include "core/DotPlotComputation.h"
#include "engine/DotPlotEngine.h"
#include "engine/DotPlotGrid.h"
#include "render/FeatureTrack.h"
#include "render/Figure.h"
#include "render/GridRasteriser.h"

namespace duvanet::chart {

enum class ChartAxis { Top, Left };
enum class LegendPosition { Right, Left, Top, Bottom };

/// What the chart shows along one axis, and how.
struct AxisSettings {
  bool automatic = true;  // range from the cell extents
  double min = 0;         // used when not automatic
  double max = 1;
  double increment = 1;  // distance between labelled ticks where there is room
  bool inverted = false;
  QString title;
  QFont labelFont;
};

/// Computes the exact counts of a rectangle of cells; keepGoing() turns false to cancel. Runs on
/// the chart's region loader, off the GUI thread.
using RegionProvider = std::function<engine::DotPlotGrid(engine::CellRect region,
                                                         const std::function<bool()>& keepGoing)>;

/// A region provider over the engine; it keeps its own copies of the request's strands.
RegionProvider engineRegionProvider(engine::DotPlotComputeRequest request);

/// A colour-grid chart of our own. Cell column c and row r of the grid (0-based) cover the
/// axis values [c + 1, c + 2) and [r + 1, r + 2): window positions are 1-based. A count n is
/// drawn as the cell value n − 0.001, so with the palette bounds 0, 1, 2, … it takes entry n.
/// Pixels covering several cells show the highest count among them.
class ColourGridChart : public QWidget {
  Q_OBJECT
 public:
  explicit ColourGridChart(QWidget* parent = nullptr);
  ~ColourGridChart() override;
  QSize sizeHint() const override;

  // --- the series: cells ---
  /// The counts of the whole plot (exact or binned); replaces every cell.
  void setGrid(engine::DotPlotGrid grid);
  /// Adds one cell at column X, row Z (axis values, from 1); the value is taken up to the next
  /// whole count. Meant for small charts; a later cell at the same place replaces the earlier.
  void addCell(double x, double value, double z);
  /// Removes the series: no cells, no background computation; the palette stays.
  void removeAllSeries();
  bool hasSeries() const;
  /// The cells of the whole plot (0-based), empty without a series.
  engine::CellRect plotCells() const;
  /// Computes zoomed regions of a binned grid at full resolution in the background.
  void setRegionProvider(RegionProvider provider);
  /// Replaces the counts of the whole plot and the region provider, keeping the view (zoom and
  /// scroll); a zoomed region is computed afresh.
  void replaceGrid(engine::DotPlotGrid grid, RegionProvider provider);
  bool detailPending() const;
  /// The exact grid of the zoomed region currently shown, if one has arrived.
  const engine::DotPlotGrid* detailGrid() const;
  /// The counts of the whole plot, if there are any.
  const engine::DotPlotGrid* grid() const { return baseGrid(); }

  // --- palette ---
  void setPaletteSettings(const PaletteSettings& settings);
  const PaletteSettings& paletteSettings() const { return m_palette.settings(); }
  void clearPalette();
  /// Inserted in ascending order of bounds; returns the entry's index.
  int addPaletteEntry(double upperBound, QColor colour);
  int paletteCount() const { return m_palette.count(); }
  QColor paletteColour(int index) const;
  void setPaletteColour(int index, QColor colour);
  const ChartPalette& palette() const { return m_palette; }
  /// The colour a count is drawn in (white where no palette entry exists).
  QRgb countColour(int count) const;
  /// The level the colour scale highlights (its palette colour is the highlight's), -1 for
  /// none: the legend always shows it with a band and its label.
  void setHighlightedLevel(int level);
  int highlightedLevel() const { return m_highlightedLevel; }

  // --- axes, titles, legend, tools ---
  const AxisSettings& axis(ChartAxis which) const { return m_axes[index(which)]; }
  void setAxis(ChartAxis which, const AxisSettings& settings);
  void setAxisTitle(ChartAxis which, const QString& title);
  bool axisInverted(ChartAxis which) const { return axis(which).inverted; }
  void setAxisInverted(ChartAxis which, bool inverted);
  /// The automatic range of an axis: the cell extents.
  std::pair<double, double> automaticRange(ChartAxis which) const;
  /// The value range shown now (zoom and scrolling included).
  std::pair<double, double> visibleRange(ChartAxis which) const;

  QString title() const { return m_title; }
  void setTitle(const QString& title);
  bool titleVisible() const { return m_titleVisible; }
  void setTitleVisible(bool visible);
  bool legendVisible() const { return m_legendVisible; }
  void setLegendVisible(bool visible);
  LegendPosition legendPosition() const { return m_legendPosition; }
  void setLegendPosition(LegendPosition position);
  bool zoomEnabled() const { return m_zoomEnabled; }
  void setZoomEnabled(bool enabled) { m_zoomEnabled = enabled; }
  bool scrollEnabled() const { return m_scrollEnabled; }
  void setScrollEnabled(bool enabled) { m_scrollEnabled = enabled; }
  bool crossHair() const { return m_crossHair; }
  void setCrossHair(bool enabled);

  // --- feature tracks ---
  /// The features along an axis (null for none): drawn above the top axis and left of the left
  /// axis, on the grid's scale.
  void setFeatureTrack(ChartAxis which, std::shared_ptr<const render::FeatureTrack> track);
  const std::shared_ptr<const render::FeatureTrack>& featureTrack(ChartAxis which) const {
    return m_tracks[index(which)];
  }
  bool tracksVisible() const { return m_tracksVisible; }
  void setTracksVisible(bool visible);
  /// A track's band in client pixels; empty when it is not shown.
  QRect trackRect(ChartAxis which) const;
  /// The feature under a client pixel: its axis and its index in that track's features.
  std::optional<std::pair<ChartAxis, size_t>> featureAt(QPoint pixel) const;

  // --- geometry ---
  /// The grid area in client pixels (inside the 2-pixel frame).
  QRect plotRect() const;
  AxisGeometry axisGeometry(ChartAxis which) const;
  /// The axis value at a client pixel, honouring inversion, zoom and scrolling.
  double pixelToValue(ChartAxis which, int pixel) const;
  double valueToPixel(ChartAxis which, double value) const;

  // --- zoom and scrolling ---
  /// Shows the value ranges given (either order); both axes.
  void zoomTo(double xFrom, double xTo, double zFrom, double zTo);
  /// Back to the whole plot.
  void unzoom();
  bool isZoomed() const { return m_zoomed; }
  /// Moves the view by a pixel distance (content follows the pointer), inside the plot extents.
  void scrollByPixels(int dx, int dy);

  // --- drawing ---
  /// Redraws before returning; ignored while the chart is drawing (from afterDraw).
  void repaintNow();
  bool isDrawing() const { return m_drawing; }
  int drawCount() const { return m_drawCount; }
  /// Draws the whole chart into a painter's rectangle as the screen shows it.
  void renderChart(QPainter& painter, const QRect& target);
  QImage renderImage(QSize size);
  /// Draws the chart as a figure for export and printing: the grid as one image of its cells
  /// for vector drawings and printers, text and lines grown by the target's scale as far as the
  /// grid keeps room.
  ChartRenderer renderer();
  /// What the chart shows now, as a figure (fonts in pixels).
  render::FigureContent figureContent() const;

  // --- export, print preview ---
  bool exportToFile(const QString& path, ChartImageFormat format);
  bool exportToFile(const QString& path, ChartImageFormat format, const PictureSize& size);
  /// The export dialog; the size starts from the chart's on screen.
  bool showExportDialog(QWidget* owner, FileDialogs& dialogs,
                        const PictureSizeChooser& chooseSize = {});
  /// A modal print preview titled as given.
  void showPrintPreview(QWidget* owner, const QString& title);

 signals:
  /// Raised once at the end of every drawing pass; repaint requests made here are ignored.
  void afterDraw();
  void mouseMoved(Qt::KeyboardModifiers shift, int x, int y);
  void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  /// The background computation of a zoomed region has been swapped in.
  void detailArrived();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  using Layout = render::FigureLayout;
  static int index(ChartAxis which) { return which == ChartAxis::Top ? 0 : 1; }
  Layout computeLayout(const QRect& target) const;
  AxisGeometry geometryFor(ChartAxis which, const QRect& plot) const;
  void materializeCells() const;
  const engine::DotPlotGrid* baseGrid() const;
  void scanMaxCount();
  std::vector<QRgb> buildLut() const;
  void viewChanged();
  void requestUpdate();
  void maybeRequestDetail();
  void stopDetail();
  void detailFinished(std::shared_ptr<engine::DotPlotGrid> grid);

  // cells
  mutable std::shared_ptr<engine::DotPlotGrid> m_grid;
  struct PendingCell {
    std::int64_t x, z;
    std::uint16_t count;
  };
  mutable std::vector<PendingCell> m_pendingCells;
  std::shared_ptr<engine::DotPlotGrid> m_detail;
  int m_maxCount = 0;
  RegionProvider m_regionProvider;
  /// Computes zoomed regions in the background; the region asked for last.
  core::DotPlotComputation m_regionLoader;
  engine::CellRect m_pendingRegion;

  ChartPalette m_palette;
  AxisSettings m_axes[2];
  QString m_title = QStringLiteral("Dot plot");
  bool m_titleVisible = false;
  bool m_legendVisible = true;
  LegendPosition m_legendPosition = LegendPosition::Right;
  bool m_zoomEnabled = true;
  bool m_scrollEnabled = true;
  bool m_crossHair = false;
  std::shared_ptr<const render::FeatureTrack> m_tracks[2];
  bool m_tracksVisible = true;
  int m_highlightedLevel = -1;

  bool m_zoomed = false;
  std::pair<double, double> m_zoomRange[2];

  render::GridRasteriser m_rasteriser;

  bool m_drawing = false;
  int m_drawCount = 0;
  std::vector<QRgb> m_drawnLut;

  // mouse
  enum class Drag { None, Zoom, Scroll } m_drag = Drag::None;
  QPoint m_dragStart;
  QPoint m_dragNow;
  QPoint m_mouse{-1, -1};
};

}  // namespace duvanet::chart

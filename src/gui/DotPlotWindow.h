#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "chart/ChartExport.h"
#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"
#include "core/DotPlotComputation.h"
#include "core/DotPlotPreparation.h"
#include "core/SequenceList.h"
#include "engine/DotPlotEngine.h"
#include "engine/DotPlotGrid.h"
#include "engine/DotPlotTypes.h"
#include "engine/HitSegments.h"
#include "gui/Ports.h"
#include "gui/SequenceStrip.h"
#include "widgets/UpDownControl.h"

class QCheckBox;
class QFrame;
class QKeyEvent;
class QMenu;
class QSplitter;
class QTimer;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
namespace duvanet::gui {
class DotPlotTracks;
}
class TDblSlider;
class TfrmDotPlot;
namespace duvanet::gui {
class UserPrompts;
}

namespace duvanet::chart {
class ColourGridChart;
}
namespace duvanet::gui {
class CellMarker;
class InformationLine;
class HitsPanel;
}  // namespace duvanet::gui

namespace duvanet::gui {

/// The paint box of the sequence strip. A repaint that the window did not ask for (first
/// showing, resizing) draws the cell at positions 1 and 1.
class SequenceDisplayBox : public QWidget {
  Q_OBJECT
 public:
  explicit SequenceDisplayBox(TfrmDotPlot* owner, QWidget* parent);
  /// Draws this picture at the next paint instead of positions 1 and 1.
  void showPicture(SequenceStripPicture picture);
  /// Takes the picture for the paint pass under way.
  void adoptPicture(SequenceStripPicture picture) { m_picture = std::move(picture); }
  /// The picture painted last (or waiting to be painted).
  const std::optional<SequenceStripPicture>& picture() const { return m_picture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TfrmDotPlot* m_owner = nullptr;
  std::optional<SequenceStripPicture> m_picture;
  bool m_requested = false;
};

}  // namespace duvanet::gui

/// A free-standing window that shows one dot plot: the colour-grid chart, the colour controls,
/// the compared stretches under the mouse and the chart commands. Prepared once by
/// PrepareDotPlot, then shown; closing empties it and hides it until its owner releases it.
class TfrmDotPlot : public QWidget {
  Q_OBJECT

 public:
  /// The owner releases the window at the latest; the ports (not owned) show the messages and
  /// the chart's file and font dialogs, the real dialogs standing in for those not given.
  TfrmDotPlot(QWidget* owner, const duvanet::gui::UiPorts& ports);
  TfrmDotPlot(QWidget* owner, duvanet::gui::UserPrompts* prompts);
  ~TfrmDotPlot() override;

  enum class PrepareOutcome { Completed, Cancelled };

  /// Prepares the strands, shows the warnings, computes the grid (with a progress dialog when it
  /// takes a while), reports a failed computation and sets up the colour scale. Cancelled when
  /// the user stopped the computation; the window is then of no use. Exhausted memory throws.
  PrepareOutcome PrepareDotPlot(tDotPlotType PlotType, tSequence HorizSeq, tSequence VertiSeq,
                                bool CaseInsensitive, int WindowSize, tMatchEvaluation Evaluation);

  /// The features shown along the axes (the horizontal sequence's above the top axis).
  void setFeatures(std::shared_ptr<const duvanet::core::FeatureTable> horizontal,
                   std::shared_ptr<const duvanet::core::FeatureTable> vertical);

  /// The caption of the prepared request: the application title and the type's suffix.
  QString requestCaption() const;

  /// Grids above this many cells are shown binned; zooming computes full resolution.
  void setExactBudgetCells(qint64 cells) { m_exactBudgetCells = cells; }
  /// Bins per side of a binned grid at the most.
  void setMaxBinsPerSide(int bins) { m_maxBinsPerSide = bins; }
  /// Computations that last longer than this show the progress dialog.
  void setProgressDelayMs(int ms) { m_progressDelayMs = ms; }
  /// Plots whose full computation is estimated to take longer than this open with the lower
  /// thumb at the highest floor that shows something.
  void setFullComputationSeconds(double seconds) { m_fullComputationSeconds = seconds; }

  /// The floor the shown counts were computed with: every count at or below it is shown as 0.
  int computedFloor() const { return m_floor; }
  /// A recomputation with a lower floor is running; the old picture stays until it is done.
  bool isRecomputing() const { return m_floorJob != 0; }

  // Colour scale.
  void UpdateColors();
  void SmoothGreyScale(int Lo, int Hi);
  void DrawColorBar();

  // Sequence display.
  void DecideWhichSequenceDisplayToShow(int horizIndex, int vertiIndex);
  /// The strip's picture of a cell, for the current paint box size.
  duvanet::gui::SequenceStripPicture stripPicture(int horizIndex, int vertiIndex) const;
  /// The cell (0-based start indexes) under a chart pixel: where a pixel covers several cells,
  /// the one with the highest count (ties: the nearest to the pixel's centre).
  QPoint cellAtChartPixel(int x, int y) const;

  // Walking the plot, hits and copying.
  /// The cell the strip shows (0-based start indexes).
  QPoint shownCell() const { return m_shownCell; }
  /// Shows a cell (clamped to the plot) in the strip and the information line and marks it on
  /// the chart, scrolling a zoomed view to it; with zoomIn, zooms in where cells are smaller
  /// than a pixel.
  void showCell(qint64 horizIndex, qint64 vertiIndex, bool zoomIn);
  /// Copies the stretches the shown cell compares as FASTA records.
  void copyComparedStretches();
  /// Writes the segments of the whole plot or of the region shown at the Hits pane's threshold;
  /// the name's extension (.tsv, .paf, .bedpe) chooses the format. A write error is shown.
  bool exportHits(const QString& fileName, bool wholePlot);
  /// The Hits pane lists at most this many segments.
  void setHitRowCap(int rows) { m_hitRowCap = rows; }
  /// Test hooks standing in for the dialogs: the position to go to (1-based; nothing cancels),
  /// the export's scope (true: the whole plot), the context menu's choice. The export's file
  /// comes from the window's file dialogs.
  void setGoToAnswer(std::function<std::optional<QPoint>(QPoint current)> answer) {
    m_goToAnswer = std::move(answer);
  }
  void setExportScopeAnswer(std::function<std::optional<bool>()> answer) {
    m_exportScopeAnswer = std::move(answer);
  }
  void setMenuAnswer(std::function<QAction*(QMenu&)> answer) { m_menuAnswer = std::move(answer); }

  /// The prepared request: both sequences as compared, the opposite strands, WindowSize,
  /// PlotType, Evaluation and MaxScore. Emptied when the window closes.
  const duvanet::core::PreparedDotPlot& plotState() const { return m_plot; }
  /// The strip font's widest character (plus 1) and its line height (plus 2), in pixels.
  int CharWidth() const { return m_charWidth; }
  int LineHeight() const { return m_lineHeight; }

 public slots:
  void btPlotSaveClick();
  void btPlotPrintClick();
  void btPlotLegendClick();
  void btPlotInvAxisVertClick();
  void btPlotInvAxisHorizClick();
  void btCustomiseClick();
  void rbGreyChartClick();
  void btHighlightColourClick();
  void udHighlightColourClick();
  void dblslColorPosChange();
  void chartDotPlotAfterDraw();
  void btCancelRecomputeClick();
  void chartDotPlotMouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void chartDotPlotMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void imgSequenceDisplayPaint();
  void btHitsClick();
  void btGoToPositionClick();
  void btExportHitsClick();

 signals:
  /// The Hits pane shows the result of a search.
  void hitsShown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void measureFont();
  void FormClose();
  duvanet::gui::SequenceStripInput stripInput() const;
  /// The longest information line the plot can give: every number with its most digits.
  QString widestInformationLine() const;
  duvanet::chart::ColourControls colourControls() const;
  duvanet::chart::ChartRenderer chartRenderer() const;
  /// Runs the request off the GUI thread; the progress dialog comes up when it takes longer
  /// than the progress delay.
  struct Computed {
    enum class End { Finished, Cancelled, Failed } end = End::Cancelled;
    duvanet::engine::DotPlotComputeResult result;
    std::exception_ptr failure;
  };
  Computed computeWithProgress(const duvanet::engine::DotPlotComputeRequest& request,
                               std::shared_ptr<const void> owner);
  /// The request of the whole plot with the current floor, and the zoomed regions' provider.
  duvanet::engine::DotPlotComputeRequest plotRequest() const;
  duvanet::chart::RegionProvider regionProvider() const;
  /// Recomputes with a lower floor when the colour controls show counts below the floor.
  void followFloor();
  void recomputationFinished(const duvanet::engine::DotPlotComputeResult& result);
  void showFloorNote();

  // The chart and the sequence strip on the left.
  QFrame* m_plotPanel = nullptr;                           // "Panel2"
  duvanet::chart::ColourGridChart* m_chart = nullptr;      // "chartDotPlot"
  QFrame* m_stripPanel = nullptr;                          // "Panel4"
  duvanet::gui::SequenceDisplayBox* m_stripBox = nullptr;  // "imgSequenceDisplay"
  duvanet::gui::InformationLine* m_infoLine = nullptr;     // "panInfoDot"
  // Below the information line: what the floor hides, or the recomputation's progress.
  QFrame* m_floorPanel = nullptr;            // "panFloor"
  QLabel* m_floorNote = nullptr;             // "lbFloorNote"
  QPushButton* m_cancelRecompute = nullptr;  // "btCancelRecompute"
  // The chart commands on the right.
  static constexpr int kControlPanelWidth = 159;
  // Down to the last of the hit buttons and a margin below it.
  static constexpr int kControlPanelHeight = 528;
  QScrollArea* m_controlScroller = nullptr;         // "scrPanel1"
  QFrame* m_controlPanel = nullptr;                 // "Panel1"
  QGroupBox* m_chartGroup = nullptr;                // "GroupBox3"
  QPushButton* m_saveButton = nullptr;              // "btPlotSave"
  QPushButton* m_printButton = nullptr;             // "btPlotPrint"
  QPushButton* m_legendButton = nullptr;            // "btPlotLegend"
  QPushButton* m_invertVerticalButton = nullptr;    // "btPlotInvAxisVert"
  QPushButton* m_invertHorizontalButton = nullptr;  // "btPlotInvAxisHoriz"
  QPushButton* m_customiseButton = nullptr;         // "btCustomise"
  // The colour controls.
  QGroupBox* m_coloursGroup = nullptr;                          // "GroupBox1"
  QRadioButton* m_redButton = nullptr;                          // "rbRedChart"
  QRadioButton* m_greenButton = nullptr;                        // "rbGreenChart"
  QRadioButton* m_blueButton = nullptr;                         // "rbBlueChart"
  QRadioButton* m_greyButton = nullptr;                         // "rbGreyChart"
  duvanet::chart::ColourBarBox* m_colourBar = nullptr;          // "pbColorBar"
  TDblSlider* m_colourRangeSlider = nullptr;                    // "dblslColor"
  QPushButton* m_highlightButton = nullptr;                     // "btHighlightColour"
  duvanet::widgets::UpDownControl* m_highlightLevel = nullptr;  // "udHighlightColour"
  QLineEdit* m_highlightLevelEdit = nullptr;                    // "Edit1"
  QCheckBox* m_sequenceTrackingBox = nullptr;                   // "cbMouseSequenceTracking"
  QCheckBox* m_tracksBox = nullptr;                             // "cbTracks"
  duvanet::gui::DotPlotTracks* m_tracks = nullptr;

  duvanet::core::PreparedDotPlot m_plot;
  int m_charWidth = 0;
  int m_lineHeight = 0;
  duvanet::core::DotPlotComputation m_computation;
  void buildHitControls(QSplitter* splitter);
  QSize plotCells() const;
  void placeCellMarker();
  bool cellAtPixelIsExact(int x, int y) const;
  std::optional<QPoint> bestCellAtChartPixel(int x, int y) const;
  bool chartKeyPressed(QKeyEvent* event);
  void showChartMenu(const QPoint& globalPosition);
  std::optional<duvanet::engine::CellRect> regionShown() const;
  std::optional<duvanet::engine::HitSegmentRequest> hitRequest(
      std::optional<duvanet::engine::CellRect> region) const;
  void scheduleHitSearch(bool always);
  void startHitSearch();
  void hitSearchFinished(quint64 job, const QVariant& result);
  void stopHitSearch();
  void stepHit(int direction);

  duvanet::gui::UserPrompts* m_prompts = nullptr;
  // Walking, hits and copying.
  QSplitter* m_hitsSplitter = nullptr;
  duvanet::gui::HitsPanel* m_hitsPanel = nullptr;
  QPushButton* m_hitsButton = nullptr;        // "btHits"
  QPushButton* m_goToButton = nullptr;        // "btGoToPosition"
  QPushButton* m_exportHitsButton = nullptr;  // "btExportHits"
  duvanet::gui::CellMarker* m_cellMarker = nullptr;
  /// Hit searches have a computation object of their own, so that they and the chart's zoomed
  /// regions do not supersede each other.
  duvanet::core::DotPlotComputation* m_hitComputation = nullptr;
  quint64 m_hitJob = 0;
  QTimer* m_hitTimer = nullptr;
  QPoint m_shownCell;
  bool m_markerShown = false;
  QPoint m_rightPress;
  std::optional<duvanet::engine::CellRect> m_searchedRegion;
  int m_hitRowCap = 10000;
  int m_pendingHitStep = 0;
  std::function<std::optional<QPoint>(QPoint)> m_goToAnswer;
  std::function<std::optional<bool>()> m_exportScopeAnswer;
  std::function<QAction*(QMenu&)> m_menuAnswer;
  duvanet::chart::QtFileDialogs m_ownFileDialogs;
  duvanet::chart::QtFontDialogs m_ownFontDialogs;
  duvanet::chart::FileDialogs* m_fileDialogs = nullptr;
  duvanet::chart::FontDialogs* m_fontDialogs = nullptr;
  std::unique_ptr<duvanet::chart::ColourScale> m_colourScale;
  bool m_prepared = false;
  qint64 m_exactBudgetCells = qint64{64} << 20;
  int m_maxBinsPerSide = 4096;
  int m_progressDelayMs = 333;
  double m_fullComputationSeconds = 3.0;
  // The floor of the shown counts and the recomputation with a lower one.
  int m_floor = 0;
  bool m_followFloor = false;
  std::shared_ptr<const duvanet::core::PreparedDotPlot> m_computedPlot;
  duvanet::core::DotPlotComputation m_floorComputation;
  quint64 m_floorJob = 0;
  int m_recomputeFloor = 0;
  double m_recomputeFraction = 0;
};

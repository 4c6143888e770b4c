#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "chart/ChartExport.h"
#include "chart/ColourScale.h"
#include "core/DotPlotComputation.h"
#include "core/DotPlotPreparation.h"
#include "core/SequenceList.h"
#include "engine/DotPlotEngine.h"
#include "engine/DotPlotTypes.h"
#include "gui/Ports.h"
#include "gui/SequenceStrip.h"
#include "widgets/UpDownControl.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TDblSlider;
class TfrmDotPlot;
class UserPrompts;

namespace duvanet::chart {
class ColourGridChart;
}

/// The paint box of the sequence strip. A repaint that the window did not ask for (first
/// showing, resizing) draws the cell at positions 1 and 1.
class SequenceDisplayBox : public QWidget {
  Q_OBJECT
 public:
  explicit SequenceDisplayBox(TfrmDotPlot* owner, QWidget* parent);
  /// Draws this picture at the next paint instead of positions 1 and 1.
  void showPicture(duvanet::gui::SequenceStripPicture picture);
  /// Takes the picture for the paint pass under way.
  void adoptPicture(duvanet::gui::SequenceStripPicture picture) { m_picture = std::move(picture); }
  /// The picture painted last (or waiting to be painted).
  const std::optional<duvanet::gui::SequenceStripPicture>& picture() const { return m_picture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TfrmDotPlot* m_owner = nullptr;
  std::optional<duvanet::gui::SequenceStripPicture> m_picture;
  bool m_requested = false;
};

/// A free-standing window that shows one dot plot: the colour-grid chart, the colour controls,
/// the compared stretches under the mouse and the chart commands. Prepared once by
/// PrepareDotPlot, then shown; closing empties it and hides it until its owner releases it.
class TfrmDotPlot : public QWidget {
  Q_OBJECT

 public:
  /// The owner releases the window at the latest; the ports (not owned) show the messages and
  /// the chart's file and font dialogs, the real dialogs standing in for those not given.
  TfrmDotPlot(QWidget* owner, const UiPorts& ports);
  TfrmDotPlot(QWidget* owner, UserPrompts* prompts);
  ~TfrmDotPlot() override;

  enum class PrepareOutcome { Completed, Cancelled };

  /// Prepares the strands, shows the warnings, computes the grid (with a progress dialog when it
  /// takes a while), reports a failed computation and sets up the colour scale. Cancelled when
  /// the user stopped the computation; the window is then of no use. Exhausted memory throws.
  PrepareOutcome PrepareDotPlot(tDotPlotType PlotType, tSequence HorizSeq, tSequence VertiSeq,
                                bool CaseInsensitive, int WindowSize, tMatchEvaluation Evaluation);

  /// The caption of the prepared request: the application title and the type's suffix.
  QString requestCaption() const;

  /// Grids above this many cells are shown binned; zooming computes full resolution.
  void setExactBudgetCells(qint64 cells) { m_exactBudgetCells = cells; }
  /// Bins per side of a binned grid at the most.
  void setMaxBinsPerSide(int bins) { m_maxBinsPerSide = bins; }
  /// Computations that last longer than this show the progress dialog.
  void setProgressDelayMs(int ms) { m_progressDelayMs = ms; }

  // Colour scale.
  void UpdateColors();
  void SmoothGreyScale(int Lo, int Hi);
  void DrawColorBar();

  // Sequence display.
  void DecideWhichSequenceDisplayToShow(int horizIndex, int vertiIndex);
  /// The strip's picture of a cell, for the current paint box size.
  duvanet::gui::SequenceStripPicture stripPicture(int horizIndex, int vertiIndex) const;
  /// The cell (0-based start indexes) under a chart pixel.
  QPoint cellAtChartPixel(int x, int y) const;

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
  void chartDotPlotMouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void chartDotPlotMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void imgSequenceDisplayPaint();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildLayout();
  void measureFont();
  void FormClose();
  duvanet::gui::SequenceStripInput stripInput() const;
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

  // The chart and the sequence strip on the left.
  QFrame* m_plotPanel = nullptr;                       // "Panel2"
  duvanet::chart::ColourGridChart* m_chart = nullptr;  // "chartDotPlot"
  QFrame* m_stripPanel = nullptr;                      // "Panel4"
  SequenceDisplayBox* m_stripBox = nullptr;            // "imgSequenceDisplay"
  QLabel* m_infoLine = nullptr;                        // "panInfoDot"
  // The chart commands on the right.
  QFrame* m_controlPanel = nullptr;                 // "Panel1"
  QGroupBox* m_chartGroup = nullptr;                // "GroupBox3"
  QPushButton* m_saveButton = nullptr;              // "btPlotSave"
  QPushButton* m_printButton = nullptr;             // "btPlotPrint"
  QPushButton* m_legendButton = nullptr;            // "btPlotLegend"
  QPushButton* m_invertVerticalButton = nullptr;    // "btPlotInvAxisVert"
  QPushButton* m_invertHorizontalButton = nullptr;  // "btPlotInvAxisHoriz"
  QPushButton* m_customiseButton = nullptr;         // "btCustomise"
  // The colour controls.
  QGroupBox* m_coloursGroup = nullptr;                  // "GroupBox1"
  QRadioButton* m_redButton = nullptr;                  // "rbRedChart"
  QRadioButton* m_greenButton = nullptr;                // "rbGreenChart"
  QRadioButton* m_blueButton = nullptr;                 // "rbBlueChart"
  QRadioButton* m_greyButton = nullptr;                 // "rbGreyChart"
  duvanet::chart::ColourBarBox* m_colourBar = nullptr;  // "pbColorBar"
  TDblSlider* m_colourRangeSlider = nullptr;            // "dblslColor"
  QPushButton* m_highlightButton = nullptr;             // "btHighlightColour"
  UpDownControl* m_highlightLevel = nullptr;            // "udHighlightColour"
  QLineEdit* m_highlightLevelEdit = nullptr;            // "Edit1"
  QCheckBox* m_sequenceTrackingBox = nullptr;           // "cbMouseSequenceTracking"

  duvanet::core::PreparedDotPlot m_plot;
  int m_charWidth = 0;
  int m_lineHeight = 0;
  duvanet::core::DotPlotComputation m_computation;
  UserPrompts* m_prompts = nullptr;
  QtFileDialogs m_ownFileDialogs;
  QtFontDialogs m_ownFontDialogs;
  FileDialogs* m_fileDialogs = nullptr;
  FontDialogs* m_fontDialogs = nullptr;
  std::unique_ptr<duvanet::chart::ColourScale> m_colourScale;
  bool m_prepared = false;
  qint64 m_exactBudgetCells = qint64{64} << 20;
  int m_maxBinsPerSide = 4096;
  int m_progressDelayMs = 333;
};

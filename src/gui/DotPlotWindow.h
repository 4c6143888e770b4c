#pragma once

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "chart/ChartExport.h"
#include "chart/ColourScale.h"
#include "core/SequenceList.h"
#include "engine/DotPlotTypes.h"
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
  TfrmDotPlot* m_owner;
  std::optional<duvanet::gui::SequenceStripPicture> m_picture;
  bool m_requested = false;
};

/// A free-standing window that shows one dot plot: the colour-grid chart, the colour controls,
/// the compared stretches under the mouse and the chart commands. Prepared once by
/// PrepareDotPlot, then shown; closing empties it and hides it until its owner releases it.
class TfrmDotPlot : public QWidget {
  Q_OBJECT

 public:
  /// The owner releases the window at the latest; prompts (not owned) shows the messages.
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

  // Controls, named as the window's handlers and tests reach them.
  QFrame* Panel1 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QPushButton* btPlotSave = nullptr;
  QPushButton* btPlotPrint = nullptr;
  QPushButton* btPlotLegend = nullptr;
  QPushButton* btPlotInvAxisVert = nullptr;
  QPushButton* btPlotInvAxisHoriz = nullptr;
  QPushButton* btCustomise = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QRadioButton* rbRedChart = nullptr;
  QRadioButton* rbGreenChart = nullptr;
  QRadioButton* rbBlueChart = nullptr;
  QRadioButton* rbGreyChart = nullptr;
  duvanet::chart::ColourBarBox* pbColorBar = nullptr;
  TDblSlider* dblslColor = nullptr;
  QPushButton* btHighlightColour = nullptr;
  UpDownControl* udHighlightColour = nullptr;
  QLineEdit* Edit1 = nullptr;
  QCheckBox* cbMouseSequenceTracking = nullptr;
  QFrame* Panel2 = nullptr;
  duvanet::chart::ColourGridChart* chartDotPlot = nullptr;
  QFrame* Panel4 = nullptr;
  SequenceDisplayBox* imgSequenceDisplay = nullptr;
  QLabel* panInfoDot = nullptr;

  // Plot state.
  int CharWidth = 0;
  int LineHeight = 0;
  int WindowSize = 0;
  tDotPlotType PlotType = dptIdentity;
  tMatchEvaluation Evaluation = meHighest;
  tSequence SeqHoriz;
  tSequence SeqVerti;
  tSequence SeqHorizRev;
  tSequence SeqVertiRev;
  int MaxScore = 0;

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

  UserPrompts* m_prompts;
  std::unique_ptr<duvanet::chart::ColourScale> m_colourScale;
  bool m_prepared = false;
  qint64 m_exactBudgetCells = qint64{64} << 20;
  int m_maxBinsPerSide = 4096;
  int m_progressDelayMs = 333;
};

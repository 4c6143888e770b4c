#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "engine/DotPlotTypes.h"

namespace duvanet::gui {

/// The plot state the strip reads; the strand set of the plot type says which strands are
/// written and compared; the font measures and the paint box size are in pixels.
struct SequenceStripInput {
  QString seqHoriz;
  QString seqVerti;
  QString seqHorizRev;
  QString seqVertiRev;
  int windowSize = 0;
  tDotPlotType plotType = dptIdentity;
  tMatchEvaluation evaluation = meHighest;
  int maxScore = 0;
  int charWidth = 1;
  int lineHeight = 1;
  int width = 0;
  int height = 0;
};

/// One text written with an opaque background; (x, y) is the top-left corner of the text.
struct StripText {
  int x = 0;
  int y = 0;
  QString text;
  QColor colour;
  QColor background;
};

struct StripLine {
  QPoint from;
  QPoint to;
};

/// Everything one drawing of the strip puts on the paint box, in drawing order.
struct SequenceStripPicture {
  /// False when the cell lies outside the plotted range: nothing is drawn, nothing changes.
  bool drawn = false;
  int positionHoriz = 0;  // p1, 1-based
  int positionVerti = 0;  // p2, 1-based
  int columns = 0;
  int windowStartColumn = 0;  // e
  /// Cleared first with the background colour (pixels from (1, 1) up to the box's far edges).
  QRect clearRect;
  QColor background;
  std::vector<StripText> texts;
  std::vector<StripLine> lines;
  int countForward = 0;   // c1: Seq 1 against Seq 2
  int countHorizRev = 0;  // c2: Seq 1 (rev) against Seq 2
  int countVertiRev = 0;  // c3: Seq 2 (rev) against Seq 1
  int combinedCount = 0;
  QString infoLine;

  /// The text written at a pixel position (the last one drawn there), or nullptr.
  const StripText* textAt(int x, int y) const;
};

inline constexpr int kStripLabelMargin = 80;

/// The picture for the cell of 0-based start indexes (h, v) of the horizontal and vertical windows.
SequenceStripPicture computeSequenceStrip(const SequenceStripInput& input, int h, int v);

/// The information line for start positions p1, p2 (1-based).
QString stripInfoLine(int evaluation, int p1, int p2, int combinedCount, int maxScore,
                      int windowSize);

}  // namespace duvanet::gui

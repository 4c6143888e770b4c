#pragma once

#include <qnamespace.h>

#include <QtGlobal>
#include <optional>

namespace duvanet::gui {

/// What a key pressed on the dot plot chart asks for.
enum class ChartKeyCommand {
  None,
  Move,          // the shown cell moves by a step (see cellStepForKey)
  NextHit,       // N: the next row of the Hits panel
  PreviousHit,   // P or Shift+N: the previous row
  GoToPosition,  // Ctrl+G: "Go to position…"
  Copy,          // Ctrl+C: the compared stretches as FASTA
};

struct CellStep {
  qint64 dx = 0;
  qint64 dy = 0;
  bool operator==(const CellStep&) const = default;
};

/// The view's orientation: an inverted axis runs its values the other way on the screen. The
/// vertical axis of a dot plot is inverted by design (values grow downwards).
struct AxisDirections {
  bool horizontalInverted = false;
  bool verticalInverted = true;
};

/// The command of a key with its modifiers (Qt::Key values).
ChartKeyCommand chartKeyCommand(int key, Qt::KeyboardModifiers modifiers);

/// The step of a moving key, in cells: the arrow keys one cell the way they point on the screen
/// (ten with Shift); D one cell along the forward diagonal (x + 1, y + 1), Shift+D back; A one cell
/// down the anti-diagonal (x − 1, y + 1), Shift+A back up. Nothing for other keys.
std::optional<CellStep> cellStepForKey(int key, Qt::KeyboardModifiers modifiers,
                                       AxisDirections directions);

/// A 0-based cell moved by a step and kept inside a plot of width × height cells.
struct Cell {
  qint64 x = 0;
  qint64 y = 0;
  bool operator==(const Cell&) const = default;
};
Cell steppedCell(Cell cell, CellStep step, qint64 width, qint64 height);

/// The text of the chart's tool tip that names the keys.
const char* chartKeysToolTip();

}  // namespace duvanet::gui

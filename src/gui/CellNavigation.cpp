#include "gui/CellNavigation.h"

#include <algorithm>

namespace duvanet::gui {

namespace {

bool only(Qt::KeyboardModifiers modifiers, Qt::KeyboardModifiers wanted) {
  // The keypad flag comes with arrow keys on some keyboards and says nothing here.
  return (modifiers & ~Qt::KeypadModifier) == wanted;
}

}  // namespace

ChartKeyCommand chartKeyCommand(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_C && only(modifiers, Qt::ControlModifier)) return ChartKeyCommand::Copy;
  if (key == Qt::Key_G && only(modifiers, Qt::ControlModifier)) {
    return ChartKeyCommand::GoToPosition;
  }
  if (key == Qt::Key_N && only(modifiers, Qt::NoModifier)) return ChartKeyCommand::NextHit;
  if ((key == Qt::Key_N && only(modifiers, Qt::ShiftModifier)) ||
      (key == Qt::Key_P && only(modifiers, Qt::NoModifier))) {
    return ChartKeyCommand::PreviousHit;
  }
  if (cellStepForKey(key, modifiers, {})) return ChartKeyCommand::Move;
  return ChartKeyCommand::None;
}

std::optional<CellStep> cellStepForKey(int key, Qt::KeyboardModifiers modifiers,
                                       AxisDirections directions) {
  const bool shift = only(modifiers, Qt::ShiftModifier);
  if (!shift && !only(modifiers, Qt::NoModifier)) return std::nullopt;
  const qint64 arrow = shift ? 10 : 1;
  // Screen right is a growing x unless the horizontal axis is inverted; screen down is a
  // growing y when the vertical axis is inverted (its values grow downwards).
  const qint64 right = directions.horizontalInverted ? -arrow : arrow;
  const qint64 down = directions.verticalInverted ? arrow : -arrow;
  switch (key) {
    case Qt::Key_Right:
      return CellStep{right, 0};
    case Qt::Key_Left:
      return CellStep{-right, 0};
    case Qt::Key_Down:
      return CellStep{0, down};
    case Qt::Key_Up:
      return CellStep{0, -down};
    case Qt::Key_D:
      return shift ? CellStep{-1, -1} : CellStep{1, 1};
    case Qt::Key_A:
      return shift ? CellStep{1, -1} : CellStep{-1, 1};
    default:
      return std::nullopt;
  }
}

Cell steppedCell(Cell cell, CellStep step, qint64 width, qint64 height) {
  if (width <= 0 || height <= 0) return cell;
  return {std::clamp<qint64>(cell.x + step.dx, 0, width - 1),
          std::clamp<qint64>(cell.y + step.dy, 0, height - 1)};
}

const char* chartKeysToolTip() {
  return "Keys (click the chart first):\n"
         "Arrow keys: move the shown cell one cell (Shift: ten cells)\n"
         "D / Shift+D: one cell along the diagonal, forward / back\n"
         "A / Shift+A: one cell along the anti-diagonal, down / up\n"
         "N / P: next / previous hit segment of the Hits panel\n"
         "Ctrl+G: go to a position; Ctrl+C: copy the compared stretches as FASTA";
}

}  // namespace duvanet::gui

#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;

namespace duvanet::gui {

/// Gives a window the font its controls are laid out for: "MS Sans Serif" at 8 points.
void setWindowFont(QWidget& window);

/// Gives a control the object name by which the window's code and tests find it; returns it.
template <typename T>
T* named(T* object, const char* name) {
  object->setObjectName(QString::fromLatin1(name));
  return object;
}

/// Where a new window of `size` goes so that it does not cover windows already at `taken`
/// exactly: `designed` when it is free, else one `step` down and right for each window in the
/// way, starting again
/// from the top left of `available` where the next place would leave it (an empty `available`
/// has no bounds; a window larger than `available` cascades from `designed` regardless).
QPoint cascadedPosition(QPoint designed, QSize size, const QList<QPoint>& taken, QRect available,
                        int step = 24);

/// Moves `window`, about to be shown for the first time, to its cascaded place among the shown
/// top-level windows of its own class (same meta-object).
void cascadeAmongItsKind(QWidget& window, QPoint designed);

}  // namespace duvanet::gui

#pragma once

#include <QObject>
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

}  // namespace duvanet::gui

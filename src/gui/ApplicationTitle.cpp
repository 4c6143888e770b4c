#include "gui/ApplicationTitle.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace duvanet::gui {

QString ApplicationTitleFromPath(const QString& executablePath) {
  QString name = QFileInfo(executablePath).fileName();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  // The first character stays as the file name has it; every later one is lower-cased.
  return name.left(1) + name.mid(1).toLower();
}

QString ApplicationTitle() { return QGuiApplication::applicationDisplayName(); }

}  // namespace duvanet::gui

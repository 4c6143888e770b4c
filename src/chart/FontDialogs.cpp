#include "chart/FontDialogs.h"

#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace duvanet::chart {

namespace {

double screenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInch() : 96.0;
}

}  // namespace

QFont QtFontDialogs::fontForDialog(const QFont& font) {
  QFont shown = font;
  // An alias such as "Sans Serif" is in no list of the dialog; the family it stands for is.
  shown.setFamily(QFontInfo(font).family());
  if (font.pixelSize() > 0) shown.setPointSizeF(font.pixelSize() * 72.0 / screenDpi());
  return shown;
}

QFont QtFontDialogs::fontFromDialog(const QFont& initial, const QFont& chosen) {
  const QFont shown = fontForDialog(initial);
  if (chosen.family() == shown.family() && chosen.bold() == shown.bold() &&
      chosen.italic() == shown.italic() &&
      std::abs(chosen.pointSizeF() - shown.pointSizeF()) < 0.05)
    return initial;
  QFont result = chosen;
  if (initial.pixelSize() > 0)
    result.setPixelSize(std::max(1, int(std::lround(chosen.pointSizeF() * screenDpi() / 72.0))));
  return result;
}

std::optional<QFont> QtFontDialogs::chooseFont(QWidget* parent, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, fontForDialog(initial), parent);
  if (!ok) return std::nullopt;
  return fontFromDialog(initial, font);
}

}  // namespace duvanet::chart

#include "chart/FontDialogs.h"

#include <QFontDialog>

namespace duvanet::chart {

std::optional<QFont> QtFontDialogs::chooseFont(QWidget* parent, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, parent);
  if (!ok) return std::nullopt;
  return font;
}

}  // namespace duvanet::chart

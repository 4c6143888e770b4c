#include "gui/WindowDefaults.h"

#include <QFont>
#include <QWidget>

namespace duvanet::gui {

void setWindowFont(QWidget& window) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  window.setFont(font);
}

}  // namespace duvanet::gui

#include "gui/WindowDefaults.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

namespace duvanet::gui {

void setWindowFont(QWidget& window) {
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  window.setFont(font);
}

QPoint cascadedPosition(QPoint designed, QSize size, const QList<QPoint>& taken, QRect available,
                        int step) {
  const auto inTheWay = [&taken, step](QPoint at) {
    for (const QPoint& other : taken) {
      if (std::abs(other.x() - at.x()) < step / 2 && std::abs(other.y() - at.y()) < step / 2)
        return true;
    }
    return false;
  };
  const auto fits = [&available, size](QPoint at) {
    return available.isEmpty() || (at.x() + size.width() <= available.right() + 1 &&
                                   at.y() + size.height() <= available.bottom() + 1);
  };
  // From the designed place, then from the screen's corner when the cascade runs off it, and
  // for a window larger than the screen from the designed place without bounds. Each window in
  // the way moves the place on by one step, so taken.size() + 1 places suffice.
  const QPoint origins[] = {designed, available.topLeft(), designed};
  for (int pass = 0; pass < 3; ++pass) {
    for (qsizetype k = 0; k <= taken.size(); ++k) {
      const QPoint at = origins[pass] + QPoint(step, step) * static_cast<int>(k);
      // The designed place itself is always taken by the first window, as the window was
      // designed; only the cascade is kept on the screen.
      if (pass < 2 && !(pass == 0 && k == 0) && !fits(at)) break;
      if (!inTheWay(at)) return at;
    }
  }
  return designed;
}

void cascadeAmongItsKind(QWidget& window, QPoint designed) {
  QList<QPoint> taken;
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other != &window && other->isVisible() && other->metaObject() == window.metaObject())
      taken << other->pos();
  }
  const QScreen* screen = window.screen();
  const QRect available = screen ? screen->availableGeometry() : QRect();
  window.move(cascadedPosition(designed, window.frameGeometry().size(), taken, available));
}

}  // namespace duvanet::gui

#include "gui/Icons.h"

#include <QApplication>
#include <QDir>
#include <QStringList>

static void initOwnIcons() { Q_INIT_RESOURCE(icons); }

namespace duvanet::gui::icons {

void useInstalledTheme() {
  if (!QIcon::themeName().isEmpty() && QIcon::hasThemeIcon(QStringLiteral("document-open"))) return;
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& dir :
       {QStringLiteral("/usr/share/icons"), QStringLiteral("/usr/local/share/icons")}) {
    if (!paths.contains(dir) && QDir(dir).exists()) paths << dir;
  }
  QIcon::setThemeSearchPaths(paths);
  QIcon::setThemeName(QStringLiteral("Adwaita"));
}

QIcon themed(const QString& name, QStyle::StandardPixmap fallback) {
  const QIcon themeIcon = QIcon::fromTheme(name);
  if (themeIcon.isNull() || themeIcon.pixmap(32, 32).isNull())
    return QApplication::style()->standardIcon(fallback);
  // The theme has its colour icons at 24 and 48 pixels; a theme icon asked for 32 pixels would
  // come at 24. Offering the 48-pixel picture lets tool buttons scale it down to 32 instead.
  QIcon icon;
  for (const int size : {16, 24, 48}) icon.addPixmap(themeIcon.pixmap(QSize(size, size)));
  return icon;
}

QIcon own(const QString& name) {
  // The pictures are compiled into this library, which nothing else references by symbol.
  static const bool registered = (initOwnIcons(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/duvanet/icons/%1.svg").arg(name));
}

}  // namespace duvanet::gui::icons

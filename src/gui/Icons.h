#pragma once

#include <QIcon>
#include <QStyle>

namespace duvanet::gui::icons {

/// Without a desktop session Qt knows no icon theme: picks Adwaita (installed with the program's
/// set-up) so that the tool bar and menus find their pictures. Keeps a working theme as it is.
void useInstalledTheme();

/// An icon of the current icon theme (the program picks one at start), or the style's standard
/// icon when the theme has no icon of that name.
QIcon themed(const QString& name, QStyle::StandardPixmap fallback);

/// One of the program's own icons: "dotplot", "translation", "blast", "statistics", "load",
/// "duplicate", "sort-ascending", "sort-descending".
QIcon own(const QString& name);

}  // namespace duvanet::gui::icons

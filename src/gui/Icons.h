#pragma once

#include <QIcon>
#include <QStyle>

namespace DuvanetIcons {

/// An icon of the freedesktop icon theme (Adwaita when the desktop names none), or the style's
/// standard icon when the theme has no icon of that name.
QIcon themed(const QString& name, QStyle::StandardPixmap fallback);

/// One of the program's own icons: "dotplot", "translation", "blast", "statistics".
QIcon own(const QString& name);

}  // namespace DuvanetIcons

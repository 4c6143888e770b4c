#pragma once

#include <QIcon>
#include <QStyle>

namespace duvanet::gui::icons {

/// An icon of the current icon theme (the program picks one at start), or the style's standard
/// icon when the theme has no icon of that name.
QIcon themed(const QString& name, QStyle::StandardPixmap fallback);

/// One of the program's own icons: "dotplot", "translation", "blast", "statistics".
QIcon own(const QString& name);

}  // namespace duvanet::gui::icons

#pragma once

#include <QString>

namespace duvanet::gui {

/// The title for an executable path: the file name without its directory, cut before its first
/// ".", the first character as it stands and every later one in lower case
/// ("/usr/bin/duvanet" gives "duvanet", "DUVANET.EXE" gives "Duvanet").
QString ApplicationTitleFromPath(const QString& executablePath);

/// The running program's title, the one way every window reads it: the application's display
/// name, which the program's start sets to ApplicationTitleFromPath of its executable.
QString ApplicationTitle();

}  // namespace duvanet::gui

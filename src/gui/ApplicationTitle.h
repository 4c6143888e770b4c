#pragma once

#include <QString>

/// The title for an executable path: the file name without its directory, cut before its first
/// ".", the first character as it stands and every later one in lower case
/// ("/usr/bin/duvanet" gives "duvanet", "DUVANET.EXE" gives "Duvanet").
QString ApplicationTitleFromPath(const QString& executablePath);

/// The running program's title, from QCoreApplication::applicationFilePath().
QString ApplicationTitle();

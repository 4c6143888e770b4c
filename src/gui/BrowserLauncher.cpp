#include "gui/BrowserLauncher.h"

#include <QDesktopServices>

bool DesktopBrowserLauncher::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

#include "gui/OpenUrl.h"

#include <QUrl>

#include "gui/BrowserLauncher.h"

bool OpenURLInBrowser(duvanet::gui::BrowserLauncher& launcher, const QString& url) {
  // Parsed as encoded text so that escapes such as %26 or %0A in a query value stay escapes
  // and are not turned back into key separators or line breaks.
  const QUrl parsed = QUrl::fromEncoded(url.toUtf8(), QUrl::TolerantMode);
  if (url.isEmpty() || !parsed.isValid()) return false;
  return launcher.openUrl(parsed);
}

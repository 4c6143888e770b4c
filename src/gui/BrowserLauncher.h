#pragma once

#include <QUrl>

namespace duvanet::gui {

/// Opens web pages in the user's browser. Windows never call QDesktopServices themselves.
class BrowserLauncher {
 public:
  virtual ~BrowserLauncher() = default;
  /// Asks the desktop to open url; true when the request was handed over.
  virtual bool openUrl(const QUrl& url) = 0;
};

/// The real launcher: QDesktopServices::openUrl.
class DesktopBrowserLauncher : public BrowserLauncher {
 public:
  bool openUrl(const QUrl& url) override;
};

}  // namespace duvanet::gui

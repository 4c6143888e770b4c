#pragma once

#include <QString>

namespace duvanet::gui {
class BrowserLauncher;
}

/// The program's one way to open a web page: hands the already percent-encoded `url` to the
/// browser through `launcher`, keeping every escape as it stands. False when the text is not a
/// valid URL or no browser took it.
bool OpenURLInBrowser(duvanet::gui::BrowserLauncher& launcher, const QString& url);

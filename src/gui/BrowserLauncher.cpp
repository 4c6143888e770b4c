#include "gui/BrowserLauncher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace duvanet::gui {

bool DesktopBrowserLauncher::openUrl(const QUrl& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
  // Qt hands web addresses to xdg-open and reports success as soon as it has started, also when
  // it then finds no browser. xdg-open ends at once with an error in that case, so a short wait
  // tells a failure from a browser that started (or still runs in the foreground).
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (!opener.isEmpty()) {
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(opener, {QString::fromUtf8(url.toEncoded())});
    if (!process->waitForStarted()) {
      delete process;
      return false;
    }
    if (process->waitForFinished(2000)) {
      const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
      delete process;
      return opened;
    }
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
  }
#endif
  return QDesktopServices::openUrl(url);
}

}  // namespace duvanet::gui

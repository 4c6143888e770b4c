#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>

#include "core/FileNames.h"
#include "gui/ApplicationTitle.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowHooks.h"
#include "gui/Ports.h"

namespace {

// Without a desktop session Qt knows no icon theme; Adwaita is installed with the program's
// set-up, so the tool bar and menus find their pictures there.
void setUpIconTheme() {
  if (!QIcon::themeName().isEmpty() && QIcon::hasThemeIcon(QStringLiteral("document-open"))) return;
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& dir :
       {QStringLiteral("/usr/share/icons"), QStringLiteral("/usr/local/share/icons")}) {
    if (!paths.contains(dir) && QDir(dir).exists()) paths << dir;
  }
  QIcon::setThemeSearchPaths(paths);
  QIcon::setThemeName(QStringLiteral("Adwaita"));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Every window reads the title back from the application (see ApplicationTitle()).
  QApplication::setApplicationName(
      ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
  QApplication::setDesktopFileName(QStringLiteral("duvanet"));
  setUpIconTheme();

  MessageBoxPrompts prompts;
  QtFileDialogs fileDialogs;
  QtFontDialogs fontDialogs;
  DesktopBrowserLauncher browser;
  const UiPorts ports{&prompts, &fileDialogs, &browser, &fontDialogs};

  // The main window shows the information screen while it is being created; the wizards follow
  // once it has been closed.
  TfrmMain frmMain(ports, DefaultMainWindowHooks());
  frmMain.CreateWizards();

  // Files named on the command line load as "Load sequences" loads them.
  QStringList files;
  // Each name keeps the bytes it was given, UTF-8 or not (Qt's own decoding would lose them).
  for (int i = 1; i < argc; ++i) {
    const QString argument = duvanet::core::fileNameFromBytes(argv[i]);
    files << QFileInfo(argument).absoluteFilePath();
  }
  frmMain.show();
  frmMain.LoadFilesWhenShown(files);
  return QApplication::exec();
}

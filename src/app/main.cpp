#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStringList>

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
  QtFileDialogs fileDialogs(prompts);
  DesktopBrowserLauncher browser;
  const UiPorts ports{&prompts, &fileDialogs, &browser};

  // The main window shows the information screen while it is being created; the wizards follow
  // once it has been closed.
  TfrmMain frmMain(ports, DefaultMainWindowHooks());
  frmMain.CreateWizards();

  // Files named on the command line load as "Load sequences" loads them.
  QStringList files;
  for (const QString& argument : QApplication::arguments().mid(1)) {
    files << QFileInfo(argument).absoluteFilePath();
  }
  frmMain.show();
  frmMain.LoadFiles(files);
  return QApplication::exec();
}

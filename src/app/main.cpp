#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "gui/ApplicationTitle.h"
#include "gui/Icons.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowHooks.h"
#include "gui/Ports.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Every window reads the title back from the application (see ApplicationTitle()).
  QApplication::setApplicationName(
      ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
  QApplication::setDesktopFileName(QStringLiteral("duvanet"));
  DuvanetIcons::useInstalledTheme();

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

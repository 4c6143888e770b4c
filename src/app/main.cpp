#include <QApplication>
#include <QFileInfo>
#include <QStringList>

#include "core/FileNames.h"
#include "gui/ApplicationTitle.h"
#include "gui/Icons.h"
#include "gui/MainWindow.h"
#include "gui/MainWindowHooks.h"
#include "gui/Ports.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Every window reads the title back from the application (see ApplicationTitle()).
  QApplication::setApplicationName(
      duvanet::gui::ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
  QApplication::setDesktopFileName(QStringLiteral("duvanet"));
  duvanet::gui::icons::useInstalledTheme();

  duvanet::gui::MessageBoxPrompts prompts;
  duvanet::chart::QtFileDialogs fileDialogs(
      [&prompts](QWidget* parent, const QString& text) { prompts.warning(parent, text); });
  duvanet::chart::QtFontDialogs fontDialogs;
  duvanet::gui::DesktopBrowserLauncher browser;
  const duvanet::gui::UiPorts ports{&prompts, &fileDialogs, &browser, &fontDialogs};

  // The main window shows the information screen while it is being created; the wizards follow
  // once it has been closed.
  TfrmMain frmMain(ports, duvanet::gui::DefaultMainWindowHooks());
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

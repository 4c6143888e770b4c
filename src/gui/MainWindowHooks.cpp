#include "gui/MainWindowHooks.h"

#include "gui/InformationScreen.h"
#include "gui/MainWindow.h"

MainWindowHooks DefaultMainWindowHooks() {
  MainWindowHooks hooks;
  hooks.showInformationScreen = [](TfrmMain& main) {
    auto* screen = new TfrmSplashScreen(&main, *main.ports().browser);
    screen->exec();  // destroys itself on close
  };
  // The dot plot wizard, the translation wizard, the BLAST wizard, the statistics window and
  // the test dot plot are plugged in here as they are built.
  return hooks;
}

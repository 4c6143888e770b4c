#pragma once

#include <functional>

class QDialog;
class QWidget;
class TfrmMain;

namespace duvanet::gui {

/// The windows the main window opens but does not build itself. Each factory receives the main
/// window (for its workspace, its list and its ports) and returns a window parented to it.
struct MainWindowHooks {
  /// Creates the information screen and shows it modally; also run by "Show info".
  std::function<void(TfrmMain&)> showInformationScreen;
  /// The three wizards, created once at start in this order, hidden, and shown modally later.
  std::function<QDialog*(TfrmMain&)> createDotPlotWizard;
  std::function<QDialog*(TfrmMain&)> createTranscriptionWizard;
  std::function<QDialog*(TfrmMain&)> createBLASTWizard;
  /// A new statistics window for the selected rows, shown without waiting.
  std::function<QWidget*(TfrmMain&)> createStatistics;
  /// The developer's test dot plot of the hidden toolbar button.
  std::function<void(TfrmMain&)> createTestDotPlot;
};

/// The program's own windows. Any hook left empty makes its action do nothing (tests use this).
MainWindowHooks DefaultMainWindowHooks();

}  // namespace duvanet::gui

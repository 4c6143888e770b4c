#include "gui/MainWindowHooks.h"

#include "gui/BlastWizard.h"
#include "gui/DotPlotWindow.h"
#include "gui/DotPlotWizard.h"
#include "gui/InformationScreen.h"
#include "gui/MainWindow.h"
#include "gui/StatisticsWindow.h"
#include "gui/TranscriptionWizard.h"

namespace duvanet::gui {

namespace {

std::function<QList<int>()> selectedRowsOf(TfrmMain& main) {
  return [&main]() { return main.SelectedRows(); };
}

}  // namespace

MainWindowHooks DefaultMainWindowHooks() {
  MainWindowHooks hooks;
  hooks.showInformationScreen = [](TfrmMain& main) {
    auto* screen = new TfrmSplashScreen(&main, *main.ports().browser);
    screen->exec();  // destroys itself on close
  };
  hooks.createDotPlotWizard = [](TfrmMain& main) -> QDialog* {
    duvanet::gui::MainListAccess access;
    access.selectedRows = selectedRowsOf(main);
    access.currentRow = [&main]() { return main.CurrentRow(); };
    return new TfrmDotPlotWizard(main.SequenceList(), access, main.ports(), &main);
  };
  hooks.createTranscriptionWizard = [](TfrmMain& main) -> QDialog* {
    return new TfrmTranscriptionWizard(main.SequenceList(), selectedRowsOf(main), &main);
  };
  hooks.createBLASTWizard = [](TfrmMain& main) -> QDialog* {
    return new TfrmBLASTWizard(main.SequenceList(), selectedRowsOf(main), *main.ports().browser,
                               *main.ports().prompts, &main);
  };
  hooks.createTestDotPlot = [](TfrmMain& main) {
    // The developer's shortcut: a literal plot of two fixed texts, not taken from the workspace.
    const tSequence horizontal{QStringLiteral("Test Seq1a"), QStringLiteral("GUMMIBAUM"), {}};
    const tSequence vertical{QStringLiteral("Test Seq2a"), QStringLiteral("GUMMIBAUM"), {}};
    auto* window = new TfrmDotPlot(&main, main.ports());
    if (window->PrepareDotPlot(dptLiteralBoth, horizontal, vertical, false, 2, meHighest) ==
        TfrmDotPlot::PrepareOutcome::Completed) {
      window->show();
    } else {
      window->deleteLater();
    }
  };
  hooks.createStatistics = [](TfrmMain& main) -> QWidget* {
    auto* window =
        new TfrmStatistics(main.SequenceList(), main.SelectedRows(), main.ports(), &main);
    const auto outcome = window->Outcome();
    if (outcome == TfrmStatistics::CountOutcome::Cancelled ||
        outcome == TfrmStatistics::CountOutcome::Failed) {
      // Nothing to show: the user cancelled, or the error box has said why.
      delete window;
      return nullptr;
    }
    return window;
  };
  return hooks;
}

}  // namespace duvanet::gui

// Time from "Create dot plot" to the shown, drawn dot plot window: two random DNA sequences of
// 4000 symbols, reverse complements of both strands, window 12, no messages.
// Usage: bench_gui_dotplot_create [length] [repeats]
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "chart/ColourGridChart.h"
#include "gui/DotPlotWizard.h"
#include "gui/UserPrompts.h"

namespace {

// The control a window names so (its object name); a missing one ends the run.
template <typename T>
T* benchPart(const QObject* window, const char* name) {
  T* found = window->findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) {
    std::fprintf(stderr, "no control named %s\n", name);
    std::exit(1);
  }
  return found;
}

class SilentPrompts : public duvanet::gui::UserPrompts {
 public:
  void warning(QWidget*, const QString& text) override {
    std::fprintf(stderr, "unexpected warning: %s\n", qPrintable(text));
  }
  bool question(QWidget*, Kind, const QString&, bool) override { return true; }
  void error(QWidget*, const QString&) override {}
};

QString randomDna(int length, std::mt19937& random) {
  QString s(length, QLatin1Char('A'));
  std::uniform_int_distribution<int> pick(0, 3);
  for (int i = 0; i < length; ++i) s[i] = QLatin1Char("ACGT"[pick(random)]);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int length = argc > 1 ? std::atoi(argv[1]) : 4000;
  const int repeats = argc > 2 ? std::atoi(argv[2]) : 7;
  std::mt19937 random(42);
  tSequenceList list;
  QListWidget mainList;
  for (int i = 0; i < 2; ++i) {
    const int index = list.AddSequence();
    list.SetSequence(
        index, tSequence{QStringLiteral("Random %1").arg(i + 1), randomDna(length, random), {}});
    mainList.addItem(QStringLiteral("Random %1").arg(i + 1));
  }
  mainList.setSelectionMode(QAbstractItemView::ExtendedSelection);
  mainList.setCurrentRow(0);
  mainList.item(0)->setSelected(true);
  mainList.item(1)->setSelected(true);
  SilentPrompts prompts;
  TfrmDotPlotWizard wizard(list, duvanet::gui::MainListAccess::of(&mainList), &prompts);

  std::vector<double> times;
  for (int r = 0; r < repeats; ++r) {
    wizard.show();
    benchPart<QTabWidget>(&wizard, "pcDotPlotSelection")->setCurrentIndex(0);
    benchPart<QRadioButton>(&wizard, "rbDotPlotDNARevCompBoth")->setChecked(true);
    QApplication::processEvents();
    TfrmDotPlot* shown = nullptr;
    auto connection = QObject::connect(&wizard, &TfrmDotPlotWizard::dotPlotShown,
                                       [&](TfrmDotPlot* window) { shown = window; });
    QElapsedTimer timer;
    timer.start();
    benchPart<QPushButton>(&wizard, "btDotPlotWizCreate")->click();
    // Until the window has been drawn once.
    while (!shown ||
           benchPart<duvanet::chart::ColourGridChart>(shown, "chartDotPlot")->drawCount() == 0) {
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    times.push_back(timer.nsecsElapsed() / 1e6);
    QObject::disconnect(connection);
    shown->close();
    delete shown;
  }
  std::sort(times.begin(), times.end());
  std::printf(
      "%d x %d DNA, both strands, window 12: create to drawn window, median %.1f ms "
      "(min %.1f, max %.1f, %d runs)\n",
      length, length, times[times.size() / 2], times.front(), times.back(), repeats);
  return 0;
}

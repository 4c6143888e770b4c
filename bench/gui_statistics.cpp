// Statistics of many sequences: loads a FASTA file, counts the symbols of every entry in a
// statistics window (as "Statistic" does with all rows selected), shows and draws it, and
// reports the time of each step and the peak memory.
// Usage: bench_gui_statistics FILE [SHOT.png]
//   python3 -c "import random;[print(f'>s{i:07d}\n'+''.join(random.choice('ACGT') for _ in
//   range(11))) for i in range(1000000)]" > million.fas       (22 MB, 1,000,000 records)
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <cstdio>

#include "BenchSupport.h"
#include "gui/StatisticsWindow.h"
#include "gui/UserPrompts.h"

namespace {

class ReportingPrompts : public duvanet::gui::UserPrompts {
 public:
  void warning(QWidget*, const QString& text) override {
    std::fprintf(stderr, "warning: %s\n", qPrintable(text));
  }
  bool question(QWidget*, Kind, const QString&, bool) override { return true; }
  void error(QWidget*, const QString& text) override {
    std::fprintf(stderr, "error: %s\n", qPrintable(text));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FILE [SHOT.png]\n", argv[0]);
    return 2;
  }
  QElapsedTimer timer;
  timer.start();
  tSequenceList list;
  list.LoadSequenceFiles({QString::fromLocal8Bit(argv[1])});
  const double loaded = double(timer.nsecsElapsed()) / 1e9;
  const long afterLoad = duvanet::bench::peakMemoryMiB();
  QList<int> rows;
  rows.reserve(list.Count());
  for (int i = 0; i < list.Count(); ++i) rows.append(i);

  ReportingPrompts prompts;
  duvanet::gui::UiPorts ports;
  ports.prompts = &prompts;
  QWidget owner;
  timer.restart();
  TfrmStatistics window(list, rows, ports, &owner);
  const double counted = double(timer.nsecsElapsed()) / 1e9;
  timer.restart();
  window.show();
  const QPixmap shot = window.grab();
  const double drawn = double(timer.nsecsElapsed()) / 1e9;
  timer.restart();
  auto* table = window.findChild<QTableView*>(QStringLiteral("sgStatTable"));
  table->scrollToBottom();
  table->viewport()->grab();
  const double scrolled = double(timer.nsecsElapsed()) / 1e9;
  if (argc > 2) shot.save(QString::fromLocal8Bit(argv[2]));
  std::printf(
      "%d records: load %.3f s (peak %ld MiB); window with counts %.3f s; shown and drawn "
      "%.3f s; table scrolled to the end %.3f s; %lld rows x %lld symbols; peak memory %ld MiB\n",
      list.Count(), loaded, afterLoad, counted, drawn, scrolled,
      static_cast<long long>(window.Statistics().SequenceCount()),
      static_cast<long long>(window.Statistics().SymbolCount()), duvanet::bench::peakMemoryMiB());
  return window.Outcome() == TfrmStatistics::CountOutcome::Counted ? 0 : 1;
}

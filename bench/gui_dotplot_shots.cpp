// Screenshots of the dot plot wizard and the dot plot window, for looking at them.
// Usage: bench_gui_dotplot_shots <output directory> <dna fasta file with two sequences> [FROM-TO]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chart/ChartExport.h"
#include "chart/ColourGridChart.h"
#include "gui/DotPlotWizard.h"
#include "gui/UserPrompts.h"
#include "widgets/DoubleSlider.h"

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

class PrintedPrompts : public duvanet::gui::UserPrompts {
 public:
  void warning(QWidget*, const QString& text) override {
    std::fprintf(stderr, "warning: %s\n", qPrintable(text));
  }
  bool question(QWidget*, Kind, const QString&, bool) override { return true; }
  void error(QWidget*, const QString& text) override {
    std::fprintf(stderr, "error: %s\n", qPrintable(text));
  }
};

void settle() {
  for (int i = 0; i < 20; ++i) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Takes the screen's picture of the window: grabbing the widget would repaint the strip, and a
// repaint shows positions 1 and 1.
void save(QWidget* widget, const QString& path) {
  settle();
  widget->screen()->grabWindow(widget->winId()).save(path);
  std::printf("%s\n", qPrintable(path));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return 2;
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  tSequenceList list;
  if (!list.LoadSequenceFiles({QString::fromLocal8Bit(argv[2])}) || list.Count() < 2) return 1;
  QListWidget mainList;
  mainList.addItems(list.Names());
  mainList.setSelectionMode(QAbstractItemView::ExtendedSelection);
  mainList.setCurrentRow(0);
  mainList.item(1)->setSelected(true);
  PrintedPrompts prompts;
  TfrmDotPlotWizard wizard(list, duvanet::gui::MainListAccess::of(&mainList), &prompts);
  wizard.show();
  benchPart<QRadioButton>(&wizard, "rbDotPlotDNARevCompBoth")->setChecked(true);
  save(&wizard, out + QStringLiteral("/dotplot_wizard.png"));

  TfrmDotPlot* plot = nullptr;
  QObject::connect(&wizard, &TfrmDotPlotWizard::dotPlotShown,
                   [&](TfrmDotPlot* window) { plot = window; });
  benchPart<QPushButton>(&wizard, "btDotPlotWizCreate")->click();
  if (!plot) return 1;
  settle();

  // The cell with the best count: there the strip shows a match.
  int bestH = 0, bestV = 0, best = -1;
  const QString& hs = plot->plotState().SeqHoriz.Data;
  const QString& vs = plot->plotState().SeqVerti.Data;
  const QString& hr = plot->plotState().SeqHorizRev.Data;
  const QString& vr = plot->plotState().SeqVertiRev.Data;
  const int w = plot->plotState().WindowSize, lh = int(hs.size()), lv = int(vs.size());
  // The search is plain and quadratic: genome-sized pairs point at their middle instead.
  const bool searchable = double(lh) * double(lv) <= 1e8;
  if (!searchable) bestH = lh / 2, bestV = lv / 2;
  for (int h = 0; searchable && h + w <= lh; ++h) {
    for (int v = 0; v + w <= lv; ++v) {
      int c1 = 0, c2 = 0, c3 = 0;
      for (int m = 0; m < w; ++m) {
        c1 += hs[h + m] == vs[v + m];
        c2 += hr[lh - h - w + m] == vs[v + m];
        c3 += vr[lv - v - w + m] == hs[h + m];
      }
      // A stretch that matches on an opposite strand only.
      const int count = std::max(c2, c3) - c1;
      if (count > best) best = count, bestH = h, bestV = v;
    }
  }
  auto point = [&] {
    using duvanet::chart::ChartAxis;
    return QPoint(int(std::lround(benchPart<duvanet::chart::ColourGridChart>(plot, "chartDotPlot")
                                      ->valueToPixel(ChartAxis::Top, bestH + 1.5))),
                  int(std::lround(benchPart<duvanet::chart::ColourGridChart>(plot, "chartDotPlot")
                                      ->valueToPixel(ChartAxis::Left, bestV + 1.5))));
  };
  const QPoint whole = point();
  plot->chartDotPlotMouseMove(Qt::NoModifier, whole.x(), whole.y());
  save(plot, out + QStringLiteral("/dotplot_dna_both.png"));
  benchPart<QPushButton>(plot, "btHits")->click();
  // The segments are computed in the background a moment after the panel opens.
  for (QElapsedTimer waited; !waited.isValid() || waited.elapsed() < 1500;) {
    if (!waited.isValid()) waited.start();
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  save(plot, out + QStringLiteral("/dotplot_hits.png"));
  benchPart<QPushButton>(plot, "btHits")->click();

  benchPart<duvanet::chart::ColourGridChart>(plot, "chartDotPlot")
      ->zoomTo(bestH - 20, bestH + 40, bestV - 20, bestV + 40);
  settle();
  const QPoint zoomed = point();
  plot->chartDotPlotMouseMove(Qt::NoModifier, zoomed.x(), zoomed.y());
  save(plot, out + QStringLiteral("/dotplot_dna_both_zoomed.png"));

  // With a third argument FROM-TO (1-based, e.g. a gene's span): that stretch against itself,
  // on screen and printed to a PDF file as the Print command prints it.
  if (argc > 3) {
    const QStringList span = QString::fromLocal8Bit(argv[3]).split(u'-');
    const double from = span.value(0).toDouble() - 1, to = span.value(1).toDouble();
    auto* chart = benchPart<duvanet::chart::ColourGridChart>(plot, "chartDotPlot");
    chart->zoomTo(from, to, from, to);
    settle();
    save(plot, out + QStringLiteral("/dotplot_span.png"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(out + QStringLiteral("/dotplot_span_printed.pdf"));
    duvanet::chart::printChart(printer, chart->renderer(), chart->size());
  }

  benchPart<duvanet::chart::ColourGridChart>(plot, "chartDotPlot")->unzoom();
  benchPart<QRadioButton>(plot, "rbGreenChart")->click();
  benchPart<TDblSlider>(plot, "dblslColor")->setPosition1(5);
  benchPart<TDblSlider>(plot, "dblslColor")->setPosition2(9);
  plot->chartDotPlotMouseMove(Qt::NoModifier, whole.x(), whole.y());
  save(plot, out + QStringLiteral("/dotplot_green_narrow.png"));

  benchPart<duvanet::widgets::UpDownControl>(plot, "udHighlightColour")->setValue(7);
  benchPart<QPushButton>(plot, "btHighlightColour")->click();
  save(plot, out + QStringLiteral("/dotplot_highlight.png"));
  return 0;
}

// Export speed and size of the dot plot figure: a 4000 × 4000 DNA plot (random sequences, forward
// strands, window 12) in a 1000 × 800 chart, written as SVG, PDF and PNG, with the full grey scale
// (every count its own shade: the noisiest grid) and with thumbs 8,12 (the usual look of a DNA
// plot). Usage: bench_chart_figures [output folder] (default: a temporary folder).
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

#include "BenchSupport.h"
#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"
#include "engine/DotPlotEngine.h"

using namespace duvanet;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir scratch;
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path();
  std::mt19937 rng(11);
  const std::u16string horiz = bench::randomDna(rng, 4011), verti = bench::randomDna(rng, 4011);
  engine::DotPlotComputeRequest request;
  request.strands = {horiz, verti, {}, {}};
  request.windowSize = 12;
  request.type = dptIdentity;
  request.exactBudgetCells = std::int64_t{4000} * 4000;
  engine::DotPlotComputeResult result = engine::computeDotPlot(request);
  if (!result.isFilled() || !result.grid.isExact()) {
    std::fprintf(stderr, "the plot was not computed exactly\n");
    return 1;
  }
  std::printf("plot %lld x %lld cells, exact\n", static_cast<long long>(result.plotWidth),
              static_cast<long long>(result.plotHeight));

  chart::ColourGridChart chart;
  chart.resize(1000, 800);
  chart.setAxisTitle(chart::ChartAxis::Top, QStringLiteral("random 4011 A"));
  chart.setAxisTitle(chart::ChartAxis::Left, QStringLiteral("random 4011 B"));
  chart.setGrid(std::move(result.grid));
  chart::ColourBarBox bar;
  chart::ColourScale scale(&chart, &bar);
  scale.setMaxScore(12);

  struct Look {
    const char* name;
    int lo, hi;
  };
  for (const Look look : {Look{"full scale", 0, 12}, Look{"thumbs 8,12", 8, 12}}) {
    chart::ColourControls controls;
    controls.lo = look.lo;
    controls.hi = look.hi;
    scale.UpdateColors(controls);
    for (const auto format : {chart::ChartImageFormat::Svg, chart::ChartImageFormat::Pdf,
                              chart::ChartImageFormat::Png}) {
      const QString path = QStringLiteral("%1/figure_%2_%3.%4")
                               .arg(folder)
                               .arg(look.lo)
                               .arg(look.hi)
                               .arg(chart::chartFormatExtension(format));
      double best = 1e9;
      for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (!chart.exportToFile(path, format, chart::PictureSize{chart.size(), 96})) {
          std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
          return 1;
        }
        best = std::min(best, timer.nsecsElapsed() / 1e6);
      }
      std::printf("%-12s %-4s  best of 3: %7.1f ms  %8.2f MB  %s\n", look.name,
                  qPrintable(chart::chartFormatExtension(format)), best,
                  QFileInfo(path).size() / 1e6, qPrintable(path));
    }
  }
  std::printf("peak memory %ld MiB\n", bench::peakMemoryMiB());
  return 0;
}

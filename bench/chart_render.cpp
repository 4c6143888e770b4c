// Drawing speed of the colour-grid chart: a 4000 × 4000 grid in a 1000 × 800 chart.
// Measures a palette change with an immediate repaint, a zoom step and a scroll step.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <vector>

#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"
#include "engine/DotPlotGrid.h"

using namespace duvanet;

namespace {

struct Stats {
  double mean = 0, median = 0, best = 0, worst = 0, cpu = 0;
};

double processCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

template <typename F>
Stats measure(int runs, F&& step) {
  std::vector<double> times;
  const double cpuStart = processCpuMs();
  for (int i = 0; i < runs; ++i) {
    QElapsedTimer timer;
    timer.start();
    step(i);
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  Stats stats;
  stats.cpu = (processCpuMs() - cpuStart) / runs;
  for (const double t : times) stats.mean += t;
  stats.mean /= runs;
  std::sort(times.begin(), times.end());
  stats.median = times[times.size() / 2];
  stats.best = times.front();
  stats.worst = times.back();
  return stats;
}

void report(const char* what, const Stats& s) {
  std::printf("%-44s wall: median %6.2f  mean %6.2f  best %6.2f  worst %6.2f ms; cpu %6.2f ms\n",
              what, s.median, s.mean, s.best, s.worst, s.cpu);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int side = 4000, maxScore = 12;
  engine::DotPlotGrid grid(engine::CellRect{0, 0, side, side}, side, side);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> noise(0, 6);
  for (int y = 0; y < side; ++y) {
    std::uint16_t* row = grid.row(y);
    for (int x = 0; x < side; ++x) row[x] = std::uint16_t(x == y ? maxScore : noise(random));
  }

  chart::ColourGridChart chart;
  chart.resize(1000, 800);
  chart::ColourBarBox bar;
  chart::ColourScale scale(&chart, &bar);
  scale.setMaxScore(maxScore);
  QElapsedTimer timer;
  timer.start();
  chart.setGrid(std::move(grid));
  chart.show();
  QElapsedTimer exposure;
  exposure.start();
  while (chart.drawCount() == 0 && exposure.elapsed() < 5000) app.processEvents();
  if (chart.drawCount() == 0) {
    std::printf("the chart was never drawn\n");
    return 1;
  }
  scale.UpdateColors({0, maxScore, engine::ColourFamily::Grey, false, 0});
  std::printf("first drawing (grid scan and full view): %.1f ms\n", timer.nsecsElapsed() / 1e6);
  const QRect plot = chart.plotRect();
  std::printf("plot area %d x %d pixels, grid %d x %d cells\n", plot.width(), plot.height(), side,
              side);

  const Stats palette = measure(30, [&](int i) {
    scale.SmoothGreyScale(i % maxScore, maxScore, engine::ColourFamily::Grey);
  });
  report("palette change + repaint now", palette);

  const Stats updateColors = measure(30, [&](int i) {
    scale.UpdateColors({i % maxScore, maxScore, engine::ColourFamily::Green, true, 3});
  });
  report("UpdateColors (2 repaints, bar, highlight)", updateColors);

  const Stats fullView = measure(10, [&](int i) {
    chart.zoomTo(1, side + 1 - (i % 2), 1, side + 1);
    chart.repaintNow();
  });
  report("full-view redraw (16 M cells)", fullView);

  chart.unzoom();
  chart.repaintNow();
  const Stats zoom = measure(20, [&](int i) {
    // Each step shows 85 % of the previous range around the centre.
    const double half = (side / 2.0) * std::pow(0.85, i + 1);
    chart.zoomTo(side / 2.0 - half, side / 2.0 + half, side / 2.0 - half, side / 2.0 + half);
    chart.repaintNow();
  });
  report("zoom step + repaint", zoom);

  chart.zoomTo(1, 2001, 1, 1601);
  chart.repaintNow();
  const Stats scroll = measure(30, [&](int i) {
    chart.scrollByPixels(i % 2 ? -25 : 20, 10);
    chart.repaintNow();
  });
  report("scroll step (half-size view) + repaint", scroll);
  std::printf("draw passes: %d\n", chart.drawCount());
  return 0;
}

// A small dot plot viewer built from the chart pieces: the colour-grid chart with axes and
// legend, the colour bar, the colour family buttons, the double slider shaping the ramp and the
// highlight; and the bar chart with its command tool bar. With "--shots DIR" it saves
// screenshots of the full view, a zoomed view, the inverted axes and the bar chart, and quits.
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdio>
#include <random>
#include <string>

#include "chart/BarChart.h"
#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"
#include "engine/DotPlotEngine.h"
#include "widgets/DoubleSlider.h"

using namespace duvanet;

namespace {

std::u16string reverseComplement(const std::u16string& s) {
  std::u16string out(s.rbegin(), s.rend());
  for (char16_t& c : out) {
    switch (c) {
      case u'A':
        c = u'T';
        break;
      case u'T':
        c = u'A';
        break;
      case u'C':
        c = u'G';
        break;
      case u'G':
        c = u'C';
        break;
      default:
        break;
    }
  }
  return out;
}

// Two related DNA sequences: shared stretches with point mutations, a repeat, and an inverted
// piece that only the reverse-complement comparison finds.
void makeSequences(int length, std::u16string& horiz, std::u16string& verti) {
  std::mt19937 random(11);
  const char16_t bases[] = {u'A', u'C', u'G', u'T'};
  std::uniform_int_distribution<int> base(0, 3);
  std::uniform_int_distribution<int> percent(0, 99);
  horiz.clear();
  for (int i = 0; i < length; ++i) horiz += bases[base(random)];
  verti = horiz.substr(0, length / 3);
  verti += reverseComplement(horiz.substr(length / 3, length / 6));
  verti += horiz.substr(length / 2, length / 4);
  verti += horiz.substr(length / 2, length / 8);  // a repeat
  for (int i = 0; i < length / 8; ++i) verti += bases[base(random)];
  for (char16_t& c : verti)
    if (percent(random) < 8) c = bases[base(random)];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString shots;
  int length = 1200;
  for (int i = 1; i + 1 < argc; ++i) {
    if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--shots")) shots = argv[i + 1];
    if (QString::fromLocal8Bit(argv[i]) == QLatin1String("--length"))
      length = std::atoi(argv[i + 1]);
  }

  std::u16string horiz, verti;
  makeSequences(length, horiz, verti);
  const std::u16string horizRev = reverseComplement(horiz);
  engine::DotPlotComputeRequest request;
  request.strands = {horiz, verti, horizRev, {}};
  request.windowSize = 12;
  request.type = dptDNAHoriz;
  request.evaluation = meHighest;
  request.exactBudgetCells = 400'000;  // binned above this: zooming recomputes in the background
  request.maxBinsPerSide = 600;
  const int maxScore = engine::maxScore(request.type, request.evaluation, request.windowSize);
  QElapsedTimer timer;
  timer.start();
  engine::DotPlotComputeResult result = engine::computeDotPlot(request);
  std::printf("computed %lld x %lld cells (%s %d x %d) in %lld ms\n",
              static_cast<long long>(result.plotWidth), static_cast<long long>(result.plotHeight),
              result.grid.isExact() ? "exact" : "binned into", result.grid.binsX(),
              result.grid.binsY(), static_cast<long long>(timer.elapsed()));

  // --- the dot plot window ---
  QWidget window;
  window.setWindowTitle(QStringLiteral("Duvanet dot plot"));
  window.resize(900, 640);
  auto* chart = new chart::ColourGridChart(&window);
  chart->setObjectName(QStringLiteral("chartDotPlot"));
  chart->setAxisTitle(chart::ChartAxis::Top, QStringLiteral("Horizontal sequence (1200 symbols)"));
  chart->setAxisTitle(chart::ChartAxis::Left, QStringLiteral("Vertical sequence"));
  auto* panel = new QWidget(&window);
  panel->setFixedWidth(159);
  auto* colours = new QGroupBox(QStringLiteral("Colours"), panel);
  auto* red = new QRadioButton(QStringLiteral("Red"), colours);
  auto* green = new QRadioButton(QStringLiteral("Green"), colours);
  auto* blue = new QRadioButton(QStringLiteral("Blue"), colours);
  auto* grey = new QRadioButton(QStringLiteral("Grey"), colours);
  grey->setChecked(true);
  auto* bar = new chart::ColourBarBox(colours);
  auto* slider = new TDblSlider(colours);
  slider->setBevel(dblLowered);
  slider->setScale(false);
  slider->setPositionDsp(false);
  slider->setIndicator(dblPos1Pos2);
  auto* highlight = new QPushButton(QStringLiteral("Highlight level:"), colours);
  highlight->setCheckable(true);
  auto* level = new QSpinBox(colours);
  level->setRange(0, maxScore);
  auto* coloursLayout = new QVBoxLayout(colours);
  for (QWidget* w : std::initializer_list<QWidget*>{red, green, blue, grey, bar, slider})
    coloursLayout->addWidget(w);
  auto* highlightRow = new QHBoxLayout;
  highlightRow->addWidget(highlight);
  highlightRow->addWidget(level);
  coloursLayout->addLayout(highlightRow);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->addWidget(colours);
  panelLayout->addStretch();
  auto* layout = new QHBoxLayout(&window);
  layout->addWidget(chart, 1);
  layout->addWidget(panel);

  chart::ColourScale scale(chart, bar);
  scale.setMaxScore(maxScore);
  scale.setControlSource([&] {
    chart::ColourControls controls;
    controls.lo = slider->Position1();
    controls.hi = slider->Position2();
    controls.family = red->isChecked()     ? engine::ColourFamily::Red
                      : green->isChecked() ? engine::ColourFamily::Green
                      : blue->isChecked()  ? engine::ColourFamily::Blue
                                           : engine::ColourFamily::Grey;
    controls.highlightDown = highlight->isChecked();
    controls.highlightLevel = level->value();
    return controls;
  });
  QObject::connect(chart, &chart::ColourGridChart::afterDraw, [&] { scale.UpdateColors(); });
  QObject::connect(slider, &TDblSlider::posChange, [&] { scale.UpdateColors(); });
  for (QRadioButton* b : {red, green, blue, grey})
    QObject::connect(b, &QRadioButton::clicked, [&] { scale.UpdateColors(); });
  QObject::connect(highlight, &QPushButton::toggled, [&] { scale.UpdateColors(); });
  QObject::connect(level, &QSpinBox::valueChanged, [&] { scale.UpdateColors(); });

  chart->setGrid(std::move(result.grid));
  chart->setRegionProvider(chart::engineRegionProvider(request));
  slider->setMin(0);
  slider->setMax(maxScore);
  slider->setPosition1(0);
  slider->setPosition2(maxScore);
  scale.UpdateColors();

  // --- the statistics window's chart ---
  QMainWindow statistics;
  statistics.setWindowTitle(QStringLiteral("Duvanet statistics"));
  auto* bars = new chart::BarChart(&statistics);
  statistics.addToolBar(new chart::ChartCommandBar(bars, &statistics));
  statistics.setCentralWidget(bars);
  statistics.resize(700, 420);
  for (const auto& [name, sequence] : {std::pair{QStringLiteral("horizontal"), &horiz},
                                       std::pair{QStringLiteral("vertical"), &verti}}) {
    const int series = bars->createBarSeries();
    bars->setSeriesTitle(series, name);
    bars->setStackGroup(series, 0);
    bars->setMarksVisible(series, false);
    const QString symbols = QStringLiteral("ACGT");
    for (int i = 0; i < symbols.size(); ++i)
      bars->addBarPoint(
          series, i, double(std::count(sequence->begin(), sequence->end(), symbols[i].unicode())),
          symbols.mid(i, 1));
  }

  window.show();
  statistics.show();
  if (shots.isEmpty()) return app.exec();

  QDir().mkpath(shots);
  const auto settle = [&](int ms) {
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < ms) app.processEvents();
  };
  settle(400);
  // The slider shapes the ramp: counts below 6 black, a ramp to full intensity at 11.
  slider->setPosition1(6);
  slider->setPosition2(11);
  settle(200);
  window.grab().save(shots + QStringLiteral("/dotplot_full.png"));
  std::printf("full view: plot %d x %d pixels\n", chart->plotRect().width(),
              chart->plotRect().height());

  bool arrived = false;
  QObject::connect(chart, &chart::ColourGridChart::detailArrived, [&] { arrived = true; });
  chart->zoomTo(380, 520, 380, 500);  // 140 × 120 cells: recomputed at full resolution
  // Drawn from the bins at once; the exact cells follow from the background computation.
  window.grab().save(shots + QStringLiteral("/dotplot_zoomed_before_detail.png"));
  QElapsedTimer detailWait;
  detailWait.start();
  while (!arrived && detailWait.elapsed() < 10000) app.processEvents();
  settle(200);
  std::printf("zoomed: detail %s\n", chart->detailGrid() ? "arrived" : "missing");
  window.grab().save(shots + QStringLiteral("/dotplot_zoomed.png"));

  chart->unzoom();
  chart->setAxisInverted(chart::ChartAxis::Left, false);
  chart->setAxisInverted(chart::ChartAxis::Top, true);
  green->setChecked(true);
  highlight->setChecked(true);
  level->setValue(10);
  scale.UpdateColors();
  settle(300);
  window.grab().save(shots + QStringLiteral("/dotplot_inverted_green_highlight.png"));

  settle(200);
  statistics.grab().save(shots + QStringLiteral("/barchart.png"));

  // The slider's own look with its scale, value labels and the drag label, enlarged 4 times.
  TDblSlider scaled;
  scaled.setIndicator(dblMinMax);
  scaled.resize(200, scaled.height());
  scaled.setPosition1(20);
  scaled.setPosition2(70);
  scaled.show();
  settle(200);
  const QPixmap look = scaled.grab();
  look.scaled(look.size() * 4, Qt::KeepAspectRatio, Qt::FastTransformation)
      .save(shots + QStringLiteral("/slider_scale_x4.png"));
  return 0;
}

// Repainting the feature tracks: 100,000 features on each axis (genes of a 100 Mbp sequence,
// every tenth overlapping the next), both tracks drawn into a 1,000 x 1,000 chart's bands at
// zooms from the whole sequence down to a few hundred positions. Prints the mean and the worst
// time of one repaint of both tracks at each zoom. The target: at most 10 ms at any zoom.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>

#include "render/FeatureTrack.h"

using namespace duvanet::render;

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  duvanet::core::FeatureTable features;
  const qint64 length = 100000000;
  for (int i = 0; i < 100000; ++i) {
    duvanet::core::SequenceFeature feature;
    feature.key = i % 3 == 0   ? QStringLiteral("gene")
                  : i % 3 == 1 ? QStringLiteral("mRNA")
                               : QStringLiteral("CDS");
    feature.qualifiers.push_back({QStringLiteral("Name"), QStringLiteral("g%1").arg(i), true});
    const qint64 start = qint64(i) * 1000 + 1;
    const qint64 span = i % 10 == 0 ? 1500 : 700;
    for (qint64 part = 0; part < 3; ++part) {
      duvanet::core::FeatureLocationPart location;
      location.start = start + part * span / 3;
      location.end = location.start + span / 4;
      location.reverse = i % 2 == 1;
      feature.parts.push_back(location);
    }
    features.push_back(std::move(feature));
  }
  QElapsedTimer build;
  build.start();
  const auto shared = std::make_shared<const duvanet::core::FeatureTable>(std::move(features));
  const FeatureTrack horizontal(shared);
  const FeatureTrack vertical(shared);
  std::printf("layout of 100,000 features: %.1f ms per track\n", build.nsecsElapsed() / 2e6);
  QImage image(1000, 1000, QImage::Format_RGB32);
  const QRect topBand(120, 10, 860, horizontal.thickness());
  const QRect leftBand(10, 120, vertical.thickness(), 860);
  double worst = 0;
  for (const double shown : {double(length), 1e7, 1e6, 1e5, 3e4, 1e4, 2e3, 300.0}) {
    const int repeats = 50;
    double total = 0;
    double slowest = 0;
    for (int r = 0; r < repeats; ++r) {
      const double from = 1 + double((r * 7919) % 97) / 97 * (double(length) - shown);
      AxisGeometry top{
          double(topBand.left()), double(topBand.right() + 1), from, from + shown, false, false};
      AxisGeometry left{
          double(leftBand.top()), double(leftBand.bottom() + 1), from, from + shown, true, true};
      image.fill(Qt::white);
      QPainter painter(&image);
      QElapsedTimer timer;
      timer.start();
      horizontal.draw(painter, top, topBand);
      vertical.draw(painter, left, leftBand);
      const double ms = timer.nsecsElapsed() / 1e6;
      total += ms;
      slowest = std::max(slowest, ms);
    }
    worst = std::max(worst, slowest);
    std::printf(
        "%12.0f positions in view: mean %.2f ms, worst %.2f ms per repaint of both tracks\n", shown,
        total / repeats, slowest);
  }
  std::printf("worst repaint at any zoom: %.2f ms (target 10 ms)\n", worst);
  return 0;
}

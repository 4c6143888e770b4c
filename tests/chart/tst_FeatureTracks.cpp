#include <QImage>
#include <QPainter>
#include <QTest>

#include "ChartTestSupport.h"
#include "FeatureFixtures.h"
#include "TestRegistry.h"
#include "chart/ColourGridChart.h"
#include "render/FeatureTrack.h"

using namespace duvanet::chart;
using duvanet::render::FeatureClass;
using duvanet::render::featureClassColour;
using duvanet::render::FeatureTrack;
using namespace duvanet::testing;
using duvanet::core::FeatureLocationPart;
using duvanet::core::FeatureTable;
using duvanet::core::SequenceFeature;

namespace {

const QColor kGene = featureClassColour(FeatureClass::Gene);
const QColor kCds = featureClassColour(FeatureClass::Cds);

// The horizontal feature covers positions 31..40, the vertical one 41..52; the grid's cells show
// level 1 in the columns of the first, level 2 in the rows of the second.
constexpr qint64 kHStart = 31, kHEnd = 40, kVStart = 41, kVEnd = 52;
int crossCount(int x, int y) {
  return (x + 1 >= kHStart && x + 1 <= kHEnd ? 1 : 0) +
         (y + 1 >= kVStart && y + 1 <= kVEnd ? 2 : 0);
}

}  // namespace

class TestFeatureTracks : public QObject {
  Q_OBJECT
 private slots:
  // The tracks follow the grid: at every zoom, scroll and inversion the horizontal feature's box
  // lies over exactly the columns of its positions and the vertical one's beside their rows.
  void tracksMatchTheGrid_data() {
    QTest::addColumn<bool>("zoom");
    QTest::addColumn<QRectF>("range");  // x from .. to, z from .. to (axis values)
    QTest::addColumn<bool>("invertTop");
    QTest::addColumn<bool>("invertLeft");
    QTest::addColumn<QPoint>("scroll");
    QTest::newRow("whole plot") << false << QRectF() << false << true << QPoint();
    QTest::newRow("zoomed") << true << QRectF(20, 30, 40, 40) << false << true << QPoint();
    QTest::newRow("zoomed close") << true << QRectF(36, 48, 8, 7) << false << true << QPoint();
    QTest::newRow("top inverted") << true << QRectF(20, 30, 40, 40) << true << true << QPoint();
    QTest::newRow("left not inverted") << false << QRectF() << false << false << QPoint();
    QTest::newRow("both inverted, zoomed")
        << true << QRectF(25.5, 35.25, 30, 30) << true << false << QPoint();
    QTest::newRow("scrolled") << true << QRectF(10, 10, 30, 30) << false << true
                              << QPoint(-90, -70);
  }
  void tracksMatchTheGrid() {
    QFETCH(bool, zoom);
    QFETCH(QRectF, range);
    QFETCH(bool, invertTop);
    QFETCH(bool, invertLeft);
    QFETCH(QPoint, scroll);
    ColourGridChart chart;
    chart.resize(700, 600);
    chart.setLegendVisible(false);
    distinctPalette(chart, 3);
    chart.setGrid(exactGrid(100, 80, crossCount));
    chart.setAxisInverted(ChartAxis::Top, invertTop);
    chart.setAxisInverted(ChartAxis::Left, invertLeft);
    // Names too long for any box, so the boxes are plain.
    const QString name(300, u'W');
    chart.setFeatureTrack(ChartAxis::Top,
                          trackOf({feature("gene", {{kHStart, kHEnd}}, false, name)}));
    chart.setFeatureTrack(ChartAxis::Left,
                          trackOf({feature("gene", {{kVStart, kVEnd}}, false, name)}));
    if (zoom) chart.zoomTo(range.left(), range.right(), range.top(), range.bottom());
    if (!scroll.isNull()) chart.scrollByPixels(scroll.x(), scroll.y());
    const QImage image = chart.grab().toImage();
    const QRect plot = chart.plotRect();
    const QRect topBand = chart.trackRect(ChartAxis::Top);
    const QRect leftBand = chart.trackRect(ChartAxis::Left);
    QCOMPARE(topBand.left(), plot.left());
    QCOMPARE(topBand.width(), plot.width());
    QVERIFY(topBand.bottom() < plot.top() - 10);  // above the top axis' labels
    QCOMPARE(leftBand.top(), plot.top());
    QCOMPARE(leftBand.height(), plot.height());
    QVERIFY(leftBand.right() < plot.left() - 10);

    // Level 1 marks the horizontal feature's columns in a grid row outside the vertical one.
    const auto levelHas = [](QColor colour, int bit) {
      for (int level = 0; level <= 3; ++level)
        if (levelColour(level) == colour) return (level & bit) != 0;
      return false;
    };
    int rowOutside = -1;
    for (int y = plot.top() + 2; y < plot.bottom() - 2 && rowOutside < 0; ++y)
      if (!levelHas(image.pixelColor(plot.left() + 1, y), 2) &&
          !levelHas(image.pixelColor(plot.right() - 1, y), 2) &&
          !levelHas(image.pixelColor(plot.center().x(), y), 2))
        rowOutside = y;
    int columnOutside = -1;
    for (int x = plot.left() + 2; x < plot.right() - 2 && columnOutside < 0; ++x)
      if (!levelHas(image.pixelColor(x, plot.top() + 1), 1) &&
          !levelHas(image.pixelColor(x, plot.bottom() - 1), 1) &&
          !levelHas(image.pixelColor(x, plot.center().y()), 1))
        columnOutside = x;
    QVERIFY(rowOutside >= 0 && columnOutside >= 0);
    const int topMiddle = topBand.bottom() - FeatureTrack::kRowPixels / 2;
    const int leftMiddle = leftBand.right() - FeatureTrack::kRowPixels / 2;
    int boxPixels = 0;
    int compared = 0;
    for (int x = plot.left() + 1; x < plot.right() - 1; ++x) {
      const bool grid = levelHas(image.pixelColor(x, rowOutside), 1);
      // Cell edges may fall inside a pixel; compare away from them.
      if (levelHas(image.pixelColor(x - 1, rowOutside), 1) != grid ||
          levelHas(image.pixelColor(x + 1, rowOutside), 1) != grid)
        continue;
      ++compared;
      const bool box = image.pixelColor(x, topMiddle) == kGene;
      if (box) ++boxPixels;
      QVERIFY2(box == grid, qPrintable(QStringLiteral("top track at x %1").arg(x)));
    }
    for (int y = plot.top() + 1; y < plot.bottom() - 1; ++y) {
      const bool grid = levelHas(image.pixelColor(columnOutside, y), 2);
      if (levelHas(image.pixelColor(columnOutside, y - 1), 2) != grid ||
          levelHas(image.pixelColor(columnOutside, y + 1), 2) != grid)
        continue;
      ++compared;
      const bool box = image.pixelColor(leftMiddle, y) == kGene;
      if (box) ++boxPixels;
      QVERIFY2(box == grid, qPrintable(QStringLiteral("left track at y %1").arg(y)));
    }
    QVERIFY(compared > 400);
    QVERIFY(boxPixels > 20);
    // Hit testing agrees with the drawing.
    const int xInside =
        int(std::lround(chart.valueToPixel(ChartAxis::Top, (kHStart + kHEnd + 1) / 2.0)));
    if (xInside > plot.left() && xInside < plot.right()) {
      const auto hit = chart.featureAt(QPoint(xInside, topMiddle));
      QVERIFY(hit.has_value());
      QCOMPARE(int(hit->first), int(ChartAxis::Top));
    }
  }

  // Without features the chart looks as before; the "Tracks" switch hides the bands; the image
  // that Save and Print draw holds the tracks as shown.
  void tracksInTheChart() {
    ColourGridChart chart;
    chart.resize(600, 500);
    distinctPalette(chart, 3);
    chart.setGrid(exactGrid(100, 80, crossCount));
    const QImage plain = chart.renderImage(QSize(600, 500));
    const QRect plainPlot = chart.plotRect();
    chart.setFeatureTrack(ChartAxis::Top, trackOf({feature("source", {{1, 100}})}));
    QCOMPARE(chart.renderImage(QSize(600, 500)), plain);
    QVERIFY(chart.trackRect(ChartAxis::Top).isEmpty());
    chart.setFeatureTrack(ChartAxis::Top, trackOf({feature("gene", {{kHStart, kHEnd}})}));
    chart.setFeatureTrack(ChartAxis::Left, trackOf({feature("CDS", {{kVStart, kVEnd}})}));
    QVERIFY(chart.plotRect().top() > plainPlot.top());
    QVERIFY(chart.plotRect().left() > plainPlot.left());
    const QImage shown = chart.renderImage(QSize(600, 500));
    const auto count = [](const QImage& image, QColor colour, const QRect& inside) {
      int found = 0;
      for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
          if (image.pixelColor(x, y) == colour) ++found;
      return found;
    };
    QVERIFY(count(shown, kGene, chart.trackRect(ChartAxis::Top)) > 50);
    QVERIFY(count(shown, kCds, chart.trackRect(ChartAxis::Left)) > 50);
    // A printed page at twice the size holds them too.
    QImage page(1200, 1000, QImage::Format_RGB32);
    {
      QPainter painter(&page);
      chart.renderer()(painter, page.rect(), PictureTarget{true, 1});
    }
    QVERIFY(count(page, kGene, page.rect()) > 100);
    chart.setTracksVisible(false);
    QVERIFY(chart.trackRect(ChartAxis::Top).isEmpty());
    QCOMPARE(chart.plotRect(), plainPlot);
    QCOMPARE(chart.renderImage(QSize(600, 500)), plain);
    QVERIFY(!chart.featureAt(QPoint(300, 20)).has_value());
  }
};

DUVANET_TEST(TestFeatureTracks)
#include "tst_FeatureTracks.moc"

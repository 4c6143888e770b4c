#include <QTest>

#include "ChartTestSupport.h"
#include "TestRegistry.h"
#include "chart/ColourGridChart.h"
#include "chart/ColourScale.h"

namespace duvanet::chart {

using duvanet::engine::ColourFamily;
using namespace duvanet::testing;

namespace {

struct Fixture {
  ColourGridChart chart;
  ColourBarBox bar;
  ColourScale scale{&chart, &bar};
  explicit Fixture(int maxScore) {
    scale.setMaxScore(maxScore);
    chart.resize(500, 400);
    chart.setGrid(exactGrid(maxScore + 1, 3, [](int x, int) { return x; }));
  }
  QList<QColor> palette() const {
    QList<QColor> colours;
    for (int i = 0; i < chart.paletteCount(); ++i) colours << chart.paletteColour(i);
    return colours;
  }
  QColor barColumn(int x) const { return bar.canvas().pixelColor(x, 20); }
};

QColor grey(int level) { return QColor(level, level, level); }

}  // namespace

class TestColourScale : public QObject {
  Q_OBJECT
 private slots:
  void greyRampOverTheWholeRange() {
    Fixture f(12);
    f.scale.UpdateColors({0, 12, ColourFamily::Grey, false, 0});
    QList<QColor> expected{grey(0)};
    for (const int level : {38, 57, 76, 95, 114, 133, 152, 171, 190, 209, 228})
      expected << grey(level);
    expected << grey(255);
    QCOMPARE(f.palette(), expected);
    for (int i = 0; i < 13; ++i) QCOMPARE(f.chart.palette().entry(i).upperBound, double(i));
    const PaletteSettings& settings = f.chart.paletteSettings();
    QVERIFY(!settings.useColorRange && settings.usePalette && settings.usePaletteMinimum);
    QCOMPARE(settings.stepCount, 13);
    QCOMPARE(settings.step, 1.0);
    QCOMPARE(settings.minimum, 0.0);
    // 13 bands of 10 pixels; each band's last column is overdrawn by the next band.
    QCOMPARE(ColourScale::bandWidth(13, 134), 10);
    for (int j = 0; j < 13; ++j) {
      QCOMPARE(f.barColumn(10 * j), expected[j]);
      QCOMPARE(f.barColumn(10 * j + 9), expected[j]);
    }
    QCOMPARE(f.barColumn(130), expected[12]);       // the last band's extra column
    QCOMPARE(f.barColumn(131), QColor(Qt::white));  // the cleared rectangle shows behind
    QCOMPARE(f.barColumn(133), QColor(Qt::black));  // its outline
  }

  void greenRampBetweenThumbs() {
    Fixture f(12);
    f.scale.UpdateColors({4, 8, ColourFamily::Green, false, 0});
    QList<QColor> expected;
    for (int i = 0; i <= 4; ++i) expected << QColor(0, 0, 0);
    expected << QColor(0, 102, 0) << QColor(0, 153, 0) << QColor(0, 204, 0);
    for (int i = 8; i <= 12; ++i) expected << QColor(0, 255, 0);
    QCOMPARE(f.palette(), expected);
  }

  void thumbEdgeCases_data() {
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<int>("firstFull");
    QTest::newRow("thumbs equal") << 6 << 6 << 6;
    QTest::newRow("thumbs one apart") << 6 << 7 << 7;
    QTest::newRow("upper below lower") << 8 << 3 << 3;
    QTest::newRow("both at 0") << 0 << 0 << 0;
  }
  void thumbEdgeCases() {
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(int, firstFull);
    Fixture f(12);
    f.scale.UpdateColors({lo, hi, ColourFamily::Red, false, 0});
    const QList<QColor> palette = f.palette();
    for (int i = 0; i <= 12; ++i)
      QCOMPARE(palette[i], i < firstFull ? QColor(0, 0, 0) : QColor(255, 0, 0));
  }

  void familySwitchKeepsLevels() {
    Fixture f(12);
    f.scale.UpdateColors({2, 10, ColourFamily::Grey, false, 0});
    const QList<QColor> greys = f.palette();
    f.scale.UpdateColors({2, 10, ColourFamily::Blue, false, 0});
    const QList<QColor> blues = f.palette();
    for (int i = 0; i <= 12; ++i) {
      QCOMPARE(blues[i], QColor(0, 0, greys[i].blue()));
      QCOMPARE(greys[i].red(), greys[i].blue());
    }
    QCOMPARE(blues[0], QColor(0, 0, 0));
    QCOMPARE(blues[12], QColor(0, 0, 255));
  }

  void barIsPaintedBeforeTheHighlight() {
    Fixture f(12);
    f.scale.UpdateColors({0, 12, ColourFamily::Grey, true, 12});
    QCOMPARE(f.chart.paletteColour(12), QColor(255, 0, 0));
    QCOMPARE(f.barColumn(125), grey(255));
    f.scale.UpdateColors({0, 12, ColourFamily::Grey, true, 3});
    QCOMPARE(f.chart.paletteColour(12), grey(255));  // the rebuild removed the old highlight
    QCOMPARE(f.chart.paletteColour(3), QColor(255, 0, 0));
  }

  void highlightPaintsOneLevelRed() {
    Fixture f(12);
    f.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.chart));
    ColourControls controls{0, 12, ColourFamily::Grey, true, 12};
    f.scale.setControlSource([&] { return controls; });
    QObject::connect(&f.chart, &ColourGridChart::afterDraw, [&] { f.scale.UpdateColors(); });
    f.scale.UpdateColors();
    QCOMPARE(f.chart.paletteColour(12), QColor(255, 0, 0));
    QCOMPARE(f.chart.paletteColour(11), grey(228));
    QTest::qWait(100);
    const auto cellPixel = [&](double x) {
      return f.chart.grab().toImage().pixelColor(int(f.chart.valueToPixel(ChartAxis::Top, x)),
                                                 f.chart.plotRect().center().y());
    };
    QCOMPARE(cellPixel(13.5), QColor(255, 0, 0));  // the cells of count 12
    QCOMPARE(cellPixel(12.5), grey(228));
    controls.highlightDown = false;  // released: restored at the next update
    f.scale.UpdateColors();
    QTest::qWait(100);
    QCOMPARE(f.chart.paletteColour(12), grey(255));
    QCOMPARE(cellPixel(13.5), grey(255));
  }

  void bandWidths_data() {
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("band");
    QTest::newRow("13 levels") << 13 << 134 << 10;
    QTest::newRow("37 levels") << 37 << 134 << 4;
    QTest::newRow("135 levels") << 135 << 134 << 1;
    QTest::newRow("267 levels") << 267 << 134 << 1;
    QTest::newRow("268 levels: 0.5 to even") << 268 << 134 << 0;
    QTest::newRow("2.5 to even") << 4 << 10 << 2;
    QTest::newRow("3.5 to even") << 4 << 14 << 4;
  }
  void bandWidths() {
    QFETCH(int, levels);
    QFETCH(int, width);
    QFETCH(int, band);
    QCOMPARE(ColourScale::bandWidth(levels, width), band);
  }

  void thirtySevenLevelsAreClipped() {
    Fixture f(36);
    f.scale.UpdateColors({0, 36, ColourFamily::Grey, false, 0});
    // Bands of 4 (+1) pixels: level 33 covers 132..136, so 34 to 36 lie beyond the box.
    QCOMPARE(f.barColumn(0), f.chart.paletteColour(0));
    QCOMPARE(f.barColumn(131), f.chart.paletteColour(32));
    QCOMPARE(f.barColumn(132), f.chart.paletteColour(33));
    QCOMPARE(f.barColumn(133), f.chart.paletteColour(33));
    for (int x = 0; x < 134; ++x) QVERIFY(f.barColumn(x) != f.chart.paletteColour(36));
  }

  void moreLevelsThanColumnsShowTheWholeScale_data() {
    QTest::addColumn<int>("maxScore");
    QTest::newRow("135 levels") << 134;
    QTest::newRow("268 levels") << 267;
    QTest::newRow("3073 levels") << 3072;
  }
  void moreLevelsThanColumnsShowTheWholeScale() {
    QFETCH(int, maxScore);
    Fixture f(maxScore);
    f.scale.UpdateColors({0, maxScore, ColourFamily::Grey, false, 0});
    QCOMPARE(f.barColumn(0), QColor(0, 0, 0));
    QCOMPARE(f.barColumn(133), QColor(255, 255, 255));  // the top level in the last column
    // Brightness rises along the bar.
    for (int x = 1; x < 133; ++x) QVERIFY(f.barColumn(x).red() >= f.barColumn(x - 1).red());
    for (int x = 0; x < 134; ++x) {
      const int level = int(std::lround(double(x) * maxScore / 133));
      QCOMPARE(f.barColumn(x), f.chart.paletteColour(level));
    }
  }
};

DUVANET_TEST(TestColourScale)

}  // namespace duvanet::chart

#include "tst_ColourScale.moc"

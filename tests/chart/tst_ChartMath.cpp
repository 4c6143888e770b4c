#include <QTest>

#include "TestRegistry.h"
#include "chart/AxisMath.h"
#include "chart/ChartPalette.h"

namespace duvanet::chart {

using duvanet::engine::Rgb;

class TestChartMath : public QObject {
  Q_OBJECT
 private slots:
  void paletteKeepsBoundsAscending() {
    ChartPalette palette;
    QCOMPARE(palette.addEntry(2, Rgb{2, 2, 2}), 0);
    QCOMPARE(palette.addEntry(0, Rgb{0, 0, 0}), 0);
    QCOMPARE(palette.addEntry(1, Rgb{1, 1, 1}), 1);
    QCOMPARE(palette.count(), 3);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(palette.entry(i).upperBound, double(i));
      QCOMPARE(palette.colour(i), (Rgb{std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)}));
    }
    // An equal bound goes after the entries already there.
    QCOMPARE(palette.addEntry(1, Rgb{9, 9, 9}), 2);
    palette.clear();
    QCOMPARE(palette.count(), 0);
    QCOMPARE(palette.lookup(3), -1);
  }

  void paletteLookup_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("entry");
    QTest::newRow("count 5 as 4.999") << 4.999 << 5;
    QTest::newRow("count 13 as 12.999: the last entry") << 12.999 << 12;
    QTest::newRow("far above the last bound") << 1000.0 << 12;
    QTest::newRow("a bound itself takes the next entry") << 5.0 << 6;
    QTest::newRow("count 0 as -0.001") << -0.001 << 0;
    QTest::newRow("below every bound") << -50.0 << 0;
  }
  void paletteLookup() {
    QFETCH(double, value);
    QFETCH(int, entry);
    ChartPalette palette;
    for (int i = 12; i >= 0; --i) palette.addEntry(i, Rgb{});
    QCOMPARE(palette.lookup(value), entry);
  }

  void paletteColourWrite() {
    ChartPalette palette;
    for (int i = 0; i <= 3; ++i) palette.addEntry(i, Rgb{10, 10, 10});
    const auto before = palette.revision();
    QVERIFY(palette.setColour(2, Rgb{255, 0, 0}));
    QVERIFY(palette.revision() > before);
    QCOMPARE(palette.colour(2), (Rgb{255, 0, 0}));
    QCOMPARE(palette.colour(1), (Rgb{10, 10, 10}));
    QCOMPARE(palette.colour(3), (Rgb{10, 10, 10}));
    QVERIFY(!palette.setColour(4, Rgb{1, 1, 1}));
    QVERIFY(!palette.setColour(-1, Rgb{1, 1, 1}));
  }

  void pixelToValue_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<double>("pixel");
    QTest::addColumn<double>("value");
    // Span 100 .. 300 (200 pixels) for the values 1 .. 41 (5 pixels per unit).
    QTest::newRow("horizontal at start") << false << false << 100.0 << 1.0;
    QTest::newRow("horizontal inside") << false << false << 112.0 << 3.4;
    QTest::newRow("horizontal at end") << false << false << 300.0 << 41.0;
    QTest::newRow("horizontal inverted at start") << false << true << 100.0 << 41.0;
    QTest::newRow("horizontal inverted inside") << false << true << 112.0 << 38.6;
    QTest::newRow("vertical: maximum at the top") << true << false << 100.0 << 41.0;
    QTest::newRow("vertical inside") << true << false << 112.0 << 38.6;
    QTest::newRow("vertical inverted: minimum at the top") << true << true << 100.0 << 1.0;
    QTest::newRow("vertical inverted inside") << true << true << 112.0 << 3.4;
    QTest::newRow("vertical inverted at the bottom") << true << true << 300.0 << 41.0;
  }
  void pixelToValue() {
    QFETCH(bool, vertical);
    QFETCH(bool, inverted);
    QFETCH(double, pixel);
    QFETCH(double, value);
    const AxisGeometry axis{100, 300, 1, 41, inverted, vertical};
    QVERIFY(qAbs(duvanet::chart::pixelToValue(axis, pixel) - value) < 1e-9);
    QVERIFY(qAbs(valueToPixel(axis, value) - pixel) < 1e-9);
  }

  void pixelToValueBelowOnePixel() {
    QCOMPARE(duvanet::chart::pixelToValue(AxisGeometry{10, 10.5, 1, 41, false, false}, 10), 0.0);
    QCOMPARE(duvanet::chart::pixelToValue(AxisGeometry{10, 10, 1, 41, true, true}, 10), 0.0);
  }

  void tickSteps_data() {
    QTest::addColumn<double>("range");
    QTest::addColumn<double>("span");
    QTest::addColumn<double>("minPixels");
    QTest::addColumn<double>("increment");
    QTest::addColumn<double>("step");
    QTest::newRow("room for every unit") << 20.0 << 600.0 << 20.0 << 1.0 << 1.0;
    QTest::newRow("exactly room") << 30.0 << 600.0 << 20.0 << 1.0 << 1.0;
    QTest::newRow("a little tight: 2") << 40.0 << 600.0 << 20.0 << 1.0 << 2.0;
    QTest::newRow("5") << 100.0 << 600.0 << 20.0 << 1.0 << 5.0;
    QTest::newRow("4000 cells in 800 px") << 4000.0 << 800.0 << 30.0 << 1.0 << 200.0;
    QTest::newRow("never below the increment") << 10.0 << 1000.0 << 20.0 << 3.0 << 3.0;
    QTest::newRow("increment too dense: readable step") << 300.0 << 600.0 << 20.0 << 3.0 << 10.0;
    QTest::newRow("automatic increment") << 1.0 << 500.0 << 20.0 << 0.0 << 0.05;
  }
  void tickSteps() {
    QFETCH(double, range);
    QFETCH(double, span);
    QFETCH(double, minPixels);
    QFETCH(double, increment);
    QFETCH(double, step);
    QVERIFY2(qAbs(tickStep(range, span, minPixels, increment) - step) < 1e-9,
             qPrintable(QString::number(tickStep(range, span, minPixels, increment))));
  }

  void ticksAndCells() {
    QCOMPARE(tickValues(1, 5, 1), (std::vector<double>{1, 2, 3, 4, 5}));
    QCOMPARE(tickValues(0.5, 10.5, 2), (std::vector<double>{2, 4, 6, 8, 10}));
    QCOMPARE(tickValues(3, 1, 1), (std::vector<double>{1, 2, 3}));
    QVERIFY(tickValues(0, 10, 0).empty());
    const CellSpan inside = cellsBetween(3.2, 3.7);
    QCOMPARE(inside.first, 3);
    QCOMPARE(inside.last, 4);
    const CellSpan across = cellsBetween(7.5, 3.5);  // either order
    QCOMPARE(across.first, 3);
    QCOMPARE(across.last, 8);
    const CellSpan exact = cellsBetween(2, 4);  // the upper end is not included
    QCOMPARE(exact.first, 2);
    QCOMPARE(exact.last, 4);
  }
};

DUVANET_TEST(TestChartMath)

}  // namespace duvanet::chart

#include "tst_ChartMath.moc"

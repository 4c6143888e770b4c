#include <QTest>

#include "TestRegistry.h"
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
};

DUVANET_TEST(TestChartMath)

}  // namespace duvanet::chart

#include "tst_ChartMath.moc"

#include <QTest>

#include "TestRegistry.h"
#include "render/AxisMath.h"

namespace duvanet::render {

class TestAxisMath : public QObject {
  Q_OBJECT
 private slots:
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
    QVERIFY(qAbs(duvanet::render::pixelToValue(axis, pixel) - value) < 1e-9);
    QVERIFY(qAbs(valueToPixel(axis, value) - pixel) < 1e-9);
  }

  void pixelToValueBelowOnePixel() {
    QCOMPARE(duvanet::render::pixelToValue(AxisGeometry{10, 10.5, 1, 41, false, false}, 10), 0.0);
    QCOMPARE(duvanet::render::pixelToValue(AxisGeometry{10, 10, 1, 41, true, true}, 10), 0.0);
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

DUVANET_TEST(TestAxisMath)

}  // namespace duvanet::render

#include "tst_AxisMath.moc"

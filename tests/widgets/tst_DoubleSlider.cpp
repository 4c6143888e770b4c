#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "TestRegistry.h"
#include "widgets/DoubleSlider.h"

namespace duvanet::widgets {

namespace {

// Columns of a grabbed image row that are black, inside [from, to).
QList<int> blackColumns(const QImage& image, int y, int from, int to) {
  QList<int> columns;
  for (int x = from; x < to; ++x)
    if (image.pixelColor(x, y) == QColor(Qt::black)) columns.append(x);
  return columns;
}

// Drags a thumb by dx pixels: press, move in steps, release. Returns the number of moves.
int dragThumb(QWidget* thumb, int dx, bool release = true) {
  const QPoint start(3, 8);
  QTest::mousePress(thumb, Qt::LeftButton, Qt::NoModifier, start);
  const int steps = std::max(1, std::abs(dx) / 5);
  for (int i = 1; i <= steps; ++i) {
    QTest::mouseMove(thumb, start + QPoint(dx * i / steps, 0));
  }
  if (release) QTest::mouseRelease(thumb, Qt::LeftButton, Qt::NoModifier, start + QPoint(dx, 0));
  return steps;
}

}  // namespace

class TestDoubleSlider : public QObject {
  Q_OBJECT
 private slots:
  void constructedValues() {
    TDblSlider slider;
    QCOMPARE(slider.Max(), 100);
    QCOMPARE(slider.Min(), 0);
    QCOMPARE(slider.Frequency(), 5);
    QCOMPARE(slider.Indicator(), dblNone);
    QCOMPARE(slider.Scale(), true);
    QCOMPARE(slider.PositionDsp(), true);
    QCOMPARE(slider.Position1(), 0);
    QCOMPARE(slider.Position2(), 100);
    QCOMPARE(slider.Bevel(), dblRaised);
    QCOMPARE(slider.width(), 129);
    QCOMPARE(slider.height(), 29 + 7);
    QCOMPARE(slider.TrackLeft(), 14);
    QCOMPARE(slider.TrackRight(), 114);
    QCOMPARE(slider.TickSpacing(), 5.0f);
    // Thumbs: left thumb's right edge on x(Min), right thumb's left edge on x(Max).
    QCOMPARE(slider.leftThumb()->x() + 6, 14);
    QCOMPARE(slider.rightThumb()->x(), 114);
    QVERIFY(!slider.dragLabel()->isVisible());
  }

  void rangeGuards() {
    TDblSlider slider;
    // Before Max has been assigned, Min may pass the constructed Max unguarded.
    slider.setMin(50);
    QCOMPARE(slider.Max(), 100);
    slider.setMax(30);  // not above Min: Min moves to Max − 1
    QCOMPARE(slider.Min(), 29);
    QCOMPARE(slider.Max(), 30);
    slider.setMax(30);
    slider.setMin(40);  // Max assigned: Max moves to Min + 1
    QCOMPARE(slider.Max(), 41);
    QVERIFY(slider.Position1() >= slider.Min() && slider.Position2() <= slider.Max());
  }

  void emptyRangeBeforeMaxIsAssigned() {
    // Min moved onto the constructed Max before Max was ever assigned: no division by zero.
    TDblSlider slider;
    slider.setMin(100);
    QCOMPARE(slider.Min(), 100);
    QCOMPARE(slider.Position1(), 100);
    QCOMPARE(slider.leftThumb()->x(), 8);
    slider.setMax(120);
    QCOMPARE(slider.Min(), 100);
    slider.setPosition2(110);
    QCOMPARE(slider.rightThumb()->x(), 64);  // round(100 × 10 / 20 + 14)
  }

  void positionGuards() {
    TDblSlider slider;
    slider.setPosition1(70);  // Position2 not assigned yet: no ordering
    QCOMPARE(slider.Position1(), 70);
    slider.setPosition2(40);  // below Position1: becomes Position1
    QCOMPARE(slider.Position2(), 70);
    slider.setPosition2(80);
    slider.setPosition1(90);  // above an assigned Position2: becomes Position2
    QCOMPARE(slider.Position1(), 80);
    slider.setPosition1(-5);  // clamped to Min
    QCOMPARE(slider.Position1(), 0);
    slider.setPosition2(500);
    QCOMPARE(slider.Position2(), 100);
  }

  void posChangeArguments() {
    TDblSlider slider;
    QSignalSpy spy(&slider, &TDblSlider::posChange);
    slider.setMin(0);  // Max not assigned: no notification
    QCOMPARE(spy.count(), 0);
    slider.setMax(12);
    slider.setPosition1(4);  // Position2 not assigned: no notification
    QCOMPARE(spy.count(), 1);
    slider.setPosition2(9);
    QCOMPARE(spy.count(), 2);
    const QList<QVariant> args = spy.last();
    QCOMPARE(args.at(1).toInt(), 0);   // Min
    QCOMPARE(args.at(2).toInt(), 4);   // BandLinks
    QCOMPARE(args.at(3).toInt(), 4);   // Pos1
    QCOMPARE(args.at(4).toInt(), 5);   // BandMitte
    QCOMPARE(args.at(5).toInt(), 9);   // Pos2
    QCOMPARE(args.at(6).toInt(), 3);   // BandRechts
    QCOMPARE(args.at(7).toInt(), 12);  // Max
    slider.setPosition2(9);            // fires although nothing changed
    QCOMPARE(spy.count(), 3);
  }

  void firstResizeAnnouncesBand() {
    TDblSlider slider;
    QSignalSpy spy(&slider, &TDblSlider::posChange);
    slider.resize(200, slider.height());
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QVERIFY(spy.count() >= 1);
    const int delivered = spy.count();
    slider.resize(250, slider.height());
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), delivered);  // delivered once: later resizes stay quiet
    QCOMPARE(slider.TrackRight(), 250 - 14 - 1);
  }

  void sizeRules() {
    TDblSlider slider;
    slider.show();
    slider.resize(60, 80);
    QCoreApplication::processEvents();
    QCOMPARE(slider.width(), 129);
    QCOMPARE(slider.height(), 36);
    slider.setScale(false);
    QCOMPARE(slider.height(), 29);
    slider.setIndicator(dblPos1Pos2);
    QCOMPARE(slider.height(), 38);
    slider.setScale(true);
    QCOMPARE(slider.height(), 45);
  }

  void ticks_data() {
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("frequency");
    QTest::addColumn<int>("innerTicks");
    QTest::addColumn<float>("spacing");
    QTest::newRow("0..100 every 5") << 100 << 5 << 19 << 5.0f;
    QTest::newRow("0..100 every 10") << 100 << 10 << 9 << 10.0f;
    QTest::newRow("negative frequency as absolute") << 100 << -25 << 3 << 25.0f;
    QTest::newRow("frequency 0") << 100 << 0 << 0 << 0.0f;
    QTest::newRow("range below frequency") << 3 << 5 << 0 << 0.0f;
  }
  void ticks() {
    QFETCH(int, max);
    QFETCH(int, frequency);
    QFETCH(int, innerTicks);
    QFETCH(float, spacing);
    TDblSlider slider;
    slider.setMax(max);
    slider.setFrequency(frequency);
    QCOMPARE(slider.Frequency(), std::abs(frequency));
    QCOMPARE(slider.TickSpacing(), spacing);
    const QImage image = slider.grab().toImage();
    // End ticks cover rows 5 to 12, inner ticks rows 7 to 12; row 6 shows only the end ticks.
    QCOMPARE(blackColumns(image, 6, 0, slider.width()), (QList<int>{14, 114}));
    QCOMPARE(blackColumns(image, 10, 15, 114).size(), innerTicks);
    if (innerTicks > 0) QCOMPARE(blackColumns(image, 10, 15, 114).first(), 14 + int(spacing));
    slider.setScale(false);
    const QImage plain = slider.grab().toImage();
    QVERIFY(blackColumns(plain, 6, 0, slider.width()).isEmpty());
  }

  void thumbPictures() {
    TDblSlider slider;
    const QImage left = slider.thumbPicture(dblLeft);
    const QImage right = slider.thumbPicture(dblRight);
    QCOMPARE(left.size(), QSize(7, 13));
    QCOMPARE(left.pixelColor(0, 3), QColor(Qt::black));        // outline
    QCOMPARE(left.pixelColor(3, 4), QColor(Qt::white));        // white band
    QCOMPARE(left.pixelColor(1, 8), QColor(64, 64, 64));       // dark band
    QCOMPARE(left.pixelColor(2, 8), QColor(Qt::black));        // groove line at x = 2
    QCOMPARE(left.pixelColor(6, 0), QColor(Qt::black));        // arrow against the right edge
    QCOMPARE(left.pixelColor(4, 1), left.pixelColor(0, 0));    // above the arrow: control colour
    QCOMPARE(right.pixelColor(0, 0), QColor(Qt::black));       // arrow against the left edge
    QCOMPARE(right.pixelColor(2, 1), right.pixelColor(6, 0));  // control colour
    slider.setScale(false);                                    // the arrows vanish
    const QImage plain = slider.thumbPicture(dblLeft);
    for (int x = 0; x < 7; ++x)
      for (int y = 0; y < 3; ++y) QCOMPARE(plain.pixelColor(x, y), plain.pixelColor(0, 0));
    QVERIFY(plain.pixelColor(0, 0) != QColor(Qt::black));
  }

  void indicatorAndPositionDisplay() {
    TDblSlider slider;
    slider.setMax(12);
    slider.setPosition1(3);
    slider.setPosition2(7);
    QCOMPARE(slider.leftValueLabel()->isVisibleTo(&slider), false);
    slider.setIndicator(dblMinMax);
    QCOMPARE(slider.leftValueLabel()->text(), QStringLiteral("0"));
    QCOMPARE(slider.rightValueLabel()->text(), QStringLiteral("12"));
    QVERIFY(slider.leftValueLabel()->isVisibleTo(&slider));
    QCOMPARE(slider.leftValueLabel()->x(), 9);
    QCOMPARE(slider.rightValueLabel()->x() + slider.rightValueLabel()->width(), 129 - 1 - 8);
    slider.setIndicator(dblPos1Pos2);
    QCOMPARE(slider.leftValueLabel()->text(), QStringLiteral("3"));
    QCOMPARE(slider.rightValueLabel()->text(), QStringLiteral("7"));
    QCOMPARE(slider.PositionDsp(), false);
    slider.setPositionDsp(true);  // ignored while the positions are shown
    QCOMPARE(slider.PositionDsp(), false);
    slider.show();
    dragThumb(slider.rightThumb(), 10, false);
    QVERIFY(!slider.dragLabel()->isVisible());
    QTest::mouseRelease(slider.rightThumb(), Qt::LeftButton);
    slider.setIndicator(dblMinMax);
    QCOMPARE(slider.PositionDsp(), true);
  }

  void bevel() {
    TDblSlider slider;
    slider.setBevel(dblLowered);
    QCOMPARE(slider.frameShadow(), QFrame::Sunken);
    slider.setBevel(dblFlat);
    QCOMPARE(slider.frameShape(), QFrame::NoFrame);
    slider.setBevel(dblRaised);
    QCOMPARE(slider.frameShadow(), QFrame::Raised);
  }

  void dragToEnds() {
    TDblSlider slider;
    slider.setMax(12);
    slider.setPosition2(12);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    slider.setPosition1(6);
    dragThumb(slider.leftThumb(), -200);
    QCOMPARE(slider.Position1(), 0);
    QCOMPARE(slider.leftThumb()->x(), 8);
    slider.setPosition2(6);
    dragThumb(slider.rightThumb(), 300);
    QCOMPARE(slider.Position2(), 12);
    QCOMPARE(slider.rightThumb()->x(), 114);
  }

  void dragOntoOtherThumb() {
    TDblSlider slider;
    slider.setMax(100);
    slider.setPosition2(60);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    dragThumb(slider.leftThumb(), 150);
    QCOMPARE(slider.Position1(), slider.Position2());
    QCOMPARE(slider.leftThumb()->x() + 6, slider.rightThumb()->x());  // one shared column
    dragThumb(slider.rightThumb(), -150);  // the right thumb cannot pass the left one either
    QCOMPARE(slider.Position2(), slider.Position1());
  }

  void dragSignalsAndSnap() {
    TDblSlider slider;
    slider.setMax(7);  // 100 pixels for 7 values: positions snap
    slider.setPosition2(7);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy down(&slider, &TDblSlider::sldMouseDown);
    QSignalSpy up(&slider, &TDblSlider::sldMouseUp);
    QSignalSpy change(&slider, &TDblSlider::posChange);
    const QPoint start(3, 8);
    QTest::mousePress(slider.leftThumb(), Qt::LeftButton, Qt::NoModifier, start);
    QCOMPARE(down.count(), 1);
    QCOMPARE(down.first().at(1).value<TLftRght>(), dblLeft);
    QVERIFY(slider.dragActive());
    QVERIFY(slider.dragLabel()->isVisible());
    // Two moves that stay on the same rounded position still notify twice.
    QTest::mouseMove(slider.leftThumb(), start + QPoint(30, 0));
    const int leftAfterMove = slider.leftThumb()->x();
    QCOMPARE(leftAfterMove, 8 + 30);
    QCOMPARE(slider.Position1(), 2);  // round(30 × 7 / 100) = round(2.1)
    QCOMPARE(slider.dragLabel()->text(), QStringLiteral("  2  "));
    QTest::mouseMove(slider.leftThumb(), start + QPoint(0, 0));
    QCOMPARE(change.count(), 2);
    QCOMPARE(slider.Position1(), 2);
    QTest::mouseRelease(slider.leftThumb(), Qt::LeftButton, Qt::NoModifier, start);
    QCOMPARE(up.count(), 1);
    QCOMPARE(up.first().at(2).toInt(), 2);
    QVERIFY(!slider.dragActive());
    QVERIFY(!slider.dragLabel()->isVisible());
    // Snapped to the exact pixel of position 2: round(100 × 2 / 7 + 8) = 37.
    QCOMPARE(slider.leftThumb()->x(), 37);
    // The right thumb: pixel to position uses its left edge less 6.
    QTest::mousePress(slider.rightThumb(), Qt::LeftButton, Qt::NoModifier, start);
    QCOMPARE(down.last().at(1).value<TLftRght>(), dblRight);
    QTest::mouseMove(slider.rightThumb(), start + QPoint(-50, 0));
    QCOMPARE(slider.Position2(), 4);  // (64 − 14) × 7 / 100 = 3.5 → 4 (halves to even)
    QTest::mouseRelease(slider.rightThumb(), Qt::LeftButton, Qt::NoModifier, start);
    QCOMPARE(slider.rightThumb()->x(), 71);  // round(100 × 4 / 7 + 14) = round(71.14)
  }
};

DUVANET_TEST(TestDoubleSlider)

}  // namespace duvanet::widgets

#include "tst_DoubleSlider.moc"

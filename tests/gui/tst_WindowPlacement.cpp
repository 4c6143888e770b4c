#include <QScreen>
#include <QTest>
#include <memory>
#include <vector>

#include "FakePorts.h"
#include "TestRegistry.h"
#include "gui/DotPlotWindow.h"
#include "gui/WindowDefaults.h"

using duvanet::gui::cascadedPosition;

// New windows of one kind step aside from those already shown instead of covering them.
class TestWindowPlacement : public QObject {
  Q_OBJECT

 private slots:
  void cascadedPositions_data() {
    QTest::addColumn<QList<QPoint>>("taken");
    QTest::addColumn<QPoint>("expected");
    const QPoint d(589, 160);
    QTest::newRow("first window") << QList<QPoint>{} << d;
    QTest::newRow("second") << QList<QPoint>{d} << d + QPoint(24, 24);
    QTest::newRow("third, others in any order")
        << QList<QPoint>{d + QPoint(24, 24), d} << d + QPoint(48, 48);
    QTest::newRow("a gap is filled") << QList<QPoint>{d, d + QPoint(48, 48)} << d + QPoint(24, 24);
    QTest::newRow("a window moved a little still counts")
        << QList<QPoint>{d + QPoint(5, -3)} << d + QPoint(24, 24);
    QTest::newRow("a window moved away frees the place") << QList<QPoint>{QPoint(10, 10)} << d;
    // The screen is 1600 x 1000 and the window 660 x 640: from 589 + 24 k the cascade leaves the
    // screen after k = 8 (y 160 + 9 x 24 > 360), then starts again at the corner.
    QList<QPoint> full;
    for (int k = 0; k <= 8; ++k) full << d + QPoint(24, 24) * k;
    QTest::newRow("off the screen: from the corner") << full << QPoint(0, 0);
    full << QPoint(0, 0);
    QTest::newRow("and on from there") << full << QPoint(24, 24);
  }
  void cascadedPositions() {
    QFETCH(QList<QPoint>, taken);
    QFETCH(QPoint, expected);
    QCOMPARE(cascadedPosition(QPoint(589, 160), QSize(660, 640), taken, QRect(0, 0, 1600, 1000)),
             expected);
  }

  void aScreenTooSmallForTheDesignedPlace() {
    // The first window goes where it was designed; the next ones cascade on the screen.
    QCOMPARE(cascadedPosition(QPoint(589, 160), QSize(660, 640), {}, QRect(0, 0, 1024, 768)),
             QPoint(589, 160));
    QCOMPARE(cascadedPosition(QPoint(589, 160), QSize(660, 640), {QPoint(589, 160)},
                              QRect(0, 30, 1024, 768)),
             QPoint(0, 30));
    // A window larger than the screen still steps aside, from the designed place.
    QCOMPARE(cascadedPosition(QPoint(10, 10), QSize(900, 900), {QPoint(10, 10), QPoint(0, 0)},
                              QRect(0, 0, 900, 900)),
             QPoint(34, 34));
  }

  // Dot plot windows opened one after the other stand at different places; a closed one frees
  // its place for the next.
  void dotPlotWindowsOpenCascaded() {
    QWidget owner;
    duvanet::testing::FakePrompts prompts;
    std::vector<TfrmDotPlot*> windows;
    for (int i = 0; i < 3; ++i) {
      windows.push_back(new TfrmDotPlot(&owner, &prompts));
      windows.back()->show();
    }
    QVERIFY(windows[0]->pos() != windows[1]->pos());
    QVERIFY(windows[1]->pos() != windows[2]->pos());
    QVERIFY(windows[0]->pos() != windows[2]->pos());
    QCOMPARE(windows[0]->pos(), QPoint(589, 160));
    windows[1]->close();
    auto* next = new TfrmDotPlot(&owner, &prompts);
    QCOMPARE(next->pos(), windows[1]->pos());
  }
};

DUVANET_TEST(TestWindowPlacement)
#include "tst_WindowPlacement.moc"

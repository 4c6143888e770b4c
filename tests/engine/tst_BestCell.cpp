#include <QTest>

#include "TestRegistry.h"
#include "engine/BestCell.h"

using namespace duvanet::engine;

namespace {

// A 6 × 4 exact grid at cells (10, 20): counts by row.
DotPlotGrid sampleGrid() {
  static const int kCounts[4][6] = {
      {1, 2, 0, 0, 3, 1},
      {0, 5, 0, 0, 0, 5},
      {2, 0, 4, 4, 0, 0},
      {0, 0, 0, 0, 0, 5},
  };
  DotPlotGrid grid(CellRect{10, 20, 6, 4}, 6, 4);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) grid.row(y)[x] = static_cast<std::uint16_t>(kCounts[y][x]);
  }
  return grid;
}

}  // namespace

class BestCellTest : public QObject {
  Q_OBJECT

 private slots:
  void best_data() {
    QTest::addColumn<qint64>("x");
    QTest::addColumn<qint64>("y");
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qint64>("height");
    QTest::addColumn<double>("centreX");
    QTest::addColumn<double>("centreY");
    QTest::addColumn<double>("pixelsX");
    QTest::addColumn<double>("pixelsY");
    QTest::addColumn<bool>("found");
    QTest::addColumn<qint64>("wantX");
    QTest::addColumn<qint64>("wantY");
    QTest::addColumn<int>("wantCount");
    // Three cells hold 5: (11, 21), (15, 21), (15, 23).
    QTest::newRow("highest wins over nearness")
        << 10LL << 20LL << 3LL << 3LL << 10.5 << 22.5 << 0.3 << 0.3 << true << 11LL << 21LL << 5;
    QTest::newRow("tie: nearest to the centre")
        << 10LL << 20LL << 6LL << 4LL << 15.2 << 23.9 << 0.2 << 0.2 << true << 15LL << 23LL << 5;
    QTest::newRow("tie: the other one when the centre moves")
        << 10LL << 20LL << 6LL << 4LL << 14.0 << 21.2 << 0.2 << 0.2 << true << 15LL << 21LL << 5;
    // (11, 21) and (15, 21) lie 2 columns either side of x = 13.5: the first in reading order.
    QTest::newRow("equally near: reading order")
        << 10LL << 20LL << 6LL << 2LL << 13.5 << 21.5 << 0.2 << 0.2 << true << 11LL << 21LL << 5;
    // Nearness in pixels: (11, 21) lies nearer in cells, (15, 23) nearer once a row is ten
    // pixels high and a column one.
    QTest::newRow("nearness in square cells")
        << 10LL << 20LL << 6LL << 4LL << 12.0 << 23.0 << 1.0 << 1.0 << true << 11LL << 21LL << 5;
    QTest::newRow("nearness weighs rows by their pixel height")
        << 10LL << 20LL << 6LL << 4LL << 12.0 << 23.0 << 1.0 << 10.0 << true << 15LL << 23LL << 5;
    QTest::newRow("clipped to the grid") << 14LL << 22LL << 100LL << 100LL << 14.5 << 22.5 << 0.5
                                         << 0.5 << true << 15LL << 23LL << 5;
    QTest::newRow("outside the grid")
        << 30LL << 20LL << 3LL << 3LL << 31.0 << 21.0 << 0.5 << 0.5 << false << 0LL << 0LL << 0;
  }
  void best() {
    QFETCH(qint64, x);
    QFETCH(qint64, y);
    QFETCH(qint64, width);
    QFETCH(qint64, height);
    QFETCH(double, centreX);
    QFETCH(double, centreY);
    QFETCH(double, pixelsX);
    QFETCH(double, pixelsY);
    QFETCH(bool, found);
    QFETCH(qint64, wantX);
    QFETCH(qint64, wantY);
    QFETCH(int, wantCount);
    const auto got =
        bestCellIn(sampleGrid(), {x, y, width, height}, {centreX, centreY, pixelsX, pixelsY});
    QCOMPARE(got.has_value(), found);
    if (got) QCOMPARE(*got, (BestCell{wantX, wantY, wantCount}));
  }

  void binnedGridGivesNothing() {
    const DotPlotGrid binned(CellRect{0, 0, 100, 100}, 10, 10);
    QVERIFY(!bestCellIn(binned, {0, 0, 5, 5}, {2, 2, 1, 1}).has_value());
  }
};

DUVANET_TEST(BestCellTest)
#include "tst_BestCell.moc"

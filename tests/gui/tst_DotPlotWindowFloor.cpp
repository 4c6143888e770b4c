#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <random>
#include <string>

#include "FakePorts.h"
#include "FindControl.h"
#include "TestRegistry.h"
#include "chart/ColourGridChart.h"
#include "engine/DotPlotEngine.h"
#include "gui/DotPlotWindow.h"
#include "widgets/DoubleSlider.h"
#include "widgets/UpDownControl.h"

namespace duvanet::gui {

using namespace duvanet::testing;

using duvanet::chart::ColourGridChart;
using duvanet::engine::DotPlotGrid;

namespace {

tSequence seq(const QString& name, const QString& data) { return tSequence{name, data, {}}; }

// A window that takes every plot for one too large to compute in full, binned to 40 x 40.
struct Fixture {
  QWidget owner;
  FakePrompts prompts;
  TfrmDotPlot* window = new TfrmDotPlot(&owner, &prompts);
  Fixture() {
    window->setFullComputationSeconds(0);
    window->setExactBudgetCells(1000);
    window->setMaxBinsPerSide(40);
    window->setProgressDelayMs(60000);
  }
};

ColourGridChart* chart(const TfrmDotPlot* w) { return control<ColourGridChart>(w, "chartDotPlot"); }
TDblSlider* slider(const TfrmDotPlot* w) { return control<TDblSlider>(w, "dblslColor"); }
QLabel* note(const TfrmDotPlot* w) { return control<QLabel>(w, "lbFloorNote"); }
QPushButton* cancelButton(const TfrmDotPlot* w) {
  return control<QPushButton>(w, "btCancelRecompute");
}
QWidget* notePanel(const TfrmDotPlot* w) { return control<QWidget>(w, "panFloor"); }

QString reverseComplement(const QString& s) {
  QString r;
  for (auto it = s.crbegin(); it != s.crend(); ++it) {
    const QChar c = *it;
    r += c == u'A' ? u'T' : c == u'T' ? u'A' : c == u'C' ? u'G' : u'C';
  }
  return r;
}

// Random DNA of 400 symbols each; with repeats the vertical one holds a copy and an inverted copy
// of stretches of the horizontal one, so that windows of 12 match in full on both strands.
std::pair<QString, QString> dnaPair(unsigned seed, bool withRepeats) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> base(0, 3);
  QString h, v;
  for (int i = 0; i < 400; ++i) h += QChar(u"ACGT"[base(rng)]);
  for (int i = 0; i < 400; ++i) v += QChar(u"ACGT"[base(rng)]);
  if (withRepeats) {
    v.replace(50, 40, h.mid(200, 40));
    v.replace(300, 30, reverseComplement(h.mid(20, 30)));
  }
  return {h, v};
}

// What a grid of the window's layout holds when computed in full, every count at or below the
// floor then set to 0.
DotPlotGrid expectedGrid(const TfrmDotPlot& w, int floor, const DotPlotGrid& layout) {
  const auto& plot = w.plotState();
  const std::u16string h = plot.SeqHoriz.Data.toStdU16String();
  const std::u16string v = plot.SeqVerti.Data.toStdU16String();
  const std::u16string hr = plot.SeqHorizRev.Data.toStdU16String();
  const std::u16string vr = plot.SeqVertiRev.Data.toStdU16String();
  duvanet::engine::DotPlotComputeRequest request;
  request.strands = {h, v, hr, vr};
  request.windowSize = plot.WindowSize;
  request.type = plot.PlotType;
  request.evaluation = plot.Evaluation;
  request.region = layout.cells();
  if (!layout.isExact()) {
    request.exactBudgetCells = 0;
    request.maxBinsPerSide = std::max(layout.binsX(), layout.binsY());
  }
  DotPlotGrid grid = computeDotPlot(request).grid;
  for (int by = 0; by < grid.binsY(); ++by) {
    std::uint16_t* row = grid.row(by);
    for (int bx = 0; bx < grid.binsX(); ++bx) row[bx] = row[bx] > floor ? row[bx] : 0;
  }
  return grid;
}

int highestCount(const DotPlotGrid& grid) {
  return *std::max_element(grid.counts().begin(), grid.counts().end());
}

QString shownNote(int floor) {
  return QStringLiteral(
             "Showing windows with more than %1 matches: lower the colour slider to see more.")
      .arg(floor);
}

}  // namespace

class TestDotPlotWindowFloor : public QObject {
  Q_OBJECT

 private slots:
  // A plot too large for the full computation opens at the highest floor that shows something,
  // the full matches at most, with the lower thumb there and the note below the strip.
  void largePlotOpensAtTheHighestFloorThatShows_data() {
    QTest::addColumn<bool>("withRepeats");
    QTest::addColumn<int>("type");
    QTest::newRow("full matches, both strands") << true << int(dptDNABoth);
    QTest::newRow("random, forward only") << false << int(dptIdentity);
  }

  void largePlotOpensAtTheHighestFloorThatShows() {
    QFETCH(bool, withRepeats);
    QFETCH(int, type);
    Fixture f;
    const auto [h, v] = dnaPair(7, withRepeats);
    f.window->PrepareDotPlot(static_cast<tDotPlotType>(type), seq("h", h), seq("v", v), false, 12,
                             meHighest);
    const DotPlotGrid* grid = chart(f.window)->grid();
    QVERIFY(grid && !grid->isExact());
    const int highest = highestCount(expectedGrid(*f.window, 0, *grid));
    const int floor = std::min(11, highest - 1);
    if (withRepeats) QCOMPARE(floor, 11);
    QCOMPARE(f.window->computedFloor(), floor);
    QCOMPARE(slider(f.window)->Position1(), floor);
    QCOMPARE(slider(f.window)->Position2(), 12);
    QCOMPARE(note(f.window)->text(), shownNote(floor));
    QVERIFY(notePanel(f.window)->isVisibleTo(f.window));
    QVERIFY(!cancelButton(f.window)->isVisibleTo(f.window));
    QVERIFY(grid->counts() == expectedGrid(*f.window, floor, *grid).counts());
    QVERIFY(!f.window->isRecomputing());
  }

  // Plots the full computation does quickly open as always: thumbs at 0 and MaxScore, no note.
  void smallPlotOpensWithoutAFloor() {
    QWidget owner;
    FakePrompts prompts;
    auto* window = new TfrmDotPlot(&owner, &prompts);
    const auto [h, v] = dnaPair(8, true);
    window->PrepareDotPlot(dptDNABoth, seq("h", h), seq("v", v), false, 12, meHighest);
    QCOMPARE(window->computedFloor(), 0);
    QCOMPARE(slider(window)->Position1(), 0);
    QVERIFY(!notePanel(window)->isVisibleTo(window));
    QCOMPARE(note(window)->text(), QString());
  }

  // Lowering the lower thumb below the floor recomputes in the background with the floor of the
  // new thumbs; the old picture stays until then. Raising it again recomputes nothing.
  void loweringTheThumbRecomputesRaisingItDoesNot() {
    Fixture f;
    const auto [h, v] = dnaPair(9, true);
    f.window->PrepareDotPlot(dptDNABoth, seq("h", h), seq("v", v), false, 12, meHighest);
    QCOMPARE(f.window->computedFloor(), 11);
    const DotPlotGrid before = *chart(f.window)->grid();
    slider(f.window)->setPosition1(6);
    QVERIFY(f.window->isRecomputing());
    QVERIFY(note(f.window)->text().startsWith(
        QStringLiteral("Recomputing the windows with more than 6 matches: ")));
    QVERIFY(cancelButton(f.window)->isVisibleTo(f.window));
    QVERIFY(chart(f.window)->grid()->counts() == before.counts());
    QTRY_VERIFY(!f.window->isRecomputing());
    QCOMPARE(f.window->computedFloor(), 6);
    QCOMPARE(note(f.window)->text(), shownNote(6));
    QVERIFY(!cancelButton(f.window)->isVisibleTo(f.window));
    const DotPlotGrid* grid = chart(f.window)->grid();
    QVERIFY(grid->counts() == expectedGrid(*f.window, 6, *grid).counts());
    QVERIFY(grid->counts() != before.counts());

    slider(f.window)->setPosition1(10);
    QVERIFY(!f.window->isRecomputing());
    QCOMPARE(f.window->computedFloor(), 6);
    slider(f.window)->setPosition1(6);
    QVERIFY(!f.window->isRecomputing());
    // Thumbs that meet draw their own level in the full colour: the floor goes below it.
    slider(f.window)->setPosition2(6);
    QVERIFY(f.window->isRecomputing());
    QTRY_VERIFY(!f.window->isRecomputing());
    QCOMPARE(f.window->computedFloor(), 5);
  }

  // Highlighting a level at or below the floor needs its cells: the floor goes below it.
  void highlightingALevelBelowTheFloorRecomputes() {
    Fixture f;
    const auto [h, v] = dnaPair(10, true);
    f.window->PrepareDotPlot(dptDNABoth, seq("h", h), seq("v", v), false, 12, meHighest);
    control<duvanet::widgets::UpDownControl>(f.window, "udHighlightColour")->setValue(4);
    f.window->udHighlightColourClick();
    QVERIFY(!f.window->isRecomputing());  // the button is up
    QTest::mouseClick(control<QPushButton>(f.window, "btHighlightColour"), Qt::LeftButton);
    QVERIFY(f.window->isRecomputing());
    QTRY_VERIFY(!f.window->isRecomputing());
    QCOMPARE(f.window->computedFloor(), 3);
  }

  // Cancel stops the recomputation: the old picture and its floor stay.
  void cancellingTheRecomputationKeepsThePicture() {
    Fixture f;
    const auto [h, v] = dnaPair(11, true);
    f.window->PrepareDotPlot(dptDNABoth, seq("h", h), seq("v", v), false, 12, meHighest);
    const DotPlotGrid before = *chart(f.window)->grid();
    slider(f.window)->setPosition1(0);
    QVERIFY(f.window->isRecomputing());
    QTest::mouseClick(cancelButton(f.window), Qt::LeftButton);
    QVERIFY(!f.window->isRecomputing());
    QTest::qWait(100);
    QCOMPARE(f.window->computedFloor(), 11);
    QCOMPARE(note(f.window)->text(), shownNote(11));
    QVERIFY(chart(f.window)->grid()->counts() == before.counts());
    // Moving the thumb again starts afresh.
    slider(f.window)->setPosition1(1);
    QVERIFY(f.window->isRecomputing());
    QTRY_VERIFY(!f.window->isRecomputing());
    QCOMPARE(f.window->computedFloor(), 1);
  }

  // A zoomed region is computed exactly with the floor of the plot, and again when the floor
  // is lowered.
  void zoomedRegionsKeepTheFloor() {
    Fixture f;
    const auto [h, v] = dnaPair(12, true);
    f.window->PrepareDotPlot(dptDNABoth, seq("h", h), seq("v", v), false, 12, meHighest);
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window));
    chart(f.window)->zoomTo(180, 260, 20, 120);
    QTRY_VERIFY(chart(f.window)->detailGrid() != nullptr);
    const DotPlotGrid* detail = chart(f.window)->detailGrid();
    QVERIFY(detail->isExact());
    QVERIFY(highestCount(*detail) == 12);
    QVERIFY(detail->counts() == expectedGrid(*f.window, 11, *detail).counts());

    slider(f.window)->setPosition1(7);
    QTRY_VERIFY(!f.window->isRecomputing());
    QTRY_VERIFY(chart(f.window)->detailGrid() != nullptr);
    detail = chart(f.window)->detailGrid();
    QVERIFY(detail->counts() == expectedGrid(*f.window, 7, *detail).counts());
    QVERIFY(detail->counts() != expectedGrid(*f.window, 11, *detail).counts());
  }

  // Closing the window during a recomputation stops it before the sequences are emptied.
  void closingDuringARecomputation() {
    Fixture f;
    const auto [h, v] = dnaPair(13, true);
    f.window->PrepareDotPlot(dptDNABoth, seq("h", h), seq("v", v), false, 12, meHighest);
    f.window->show();
    slider(f.window)->setPosition1(0);
    QVERIFY(f.window->isRecomputing());
    f.window->close();
    QVERIFY(!f.window->isRecomputing());
    QVERIFY(f.window->plotState().SeqHoriz.Data.isEmpty());
  }
};

DUVANET_TEST(TestDotPlotWindowFloor)

}  // namespace duvanet::gui

#include "tst_DotPlotWindowFloor.moc"

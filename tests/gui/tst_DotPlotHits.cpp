#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>
#include <random>

#include "FakePorts.h"
#include "FindControl.h"
#include "TestRegistry.h"
#include "chart/ColourGridChart.h"
#include "core/ComparedStretches.h"
#include "core/HitFile.h"
#include "engine/DotPlotEngine.h"
#include "engine/HitFormats.h"
#include "engine/HitSegments.h"
#include "gui/DotPlotWindow.h"
#include "gui/HitsPanel.h"

using namespace duvanet::testing;
using duvanet::chart::ChartAxis;
using duvanet::engine::CellRect;
using duvanet::engine::HitSegment;
using duvanet::engine::HitSegmentRequest;
using duvanet::engine::HitSegmentResult;
using duvanet::gui::HitsPanel;

namespace {

QString randomDna(std::mt19937& rng, int length) {
  static const char kBases[] = "ACGT";
  std::uniform_int_distribution<int> pick(0, 3);
  QString s;
  for (int i = 0; i < length; ++i) s += QLatin1Char(kBases[pick(rng)]);
  return s;
}

std::u16string_view viewOf(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// A shown dot plot window over two random DNA sequences, the second holding a stretch of the
// first.
struct Fixture {
  explicit Fixture(int lh = 120, int lv = 90, int window = 6, tDotPlotType type = dptDNABoth) {
    std::mt19937 rng(11);
    QString h = randomDna(rng, lh);
    QString v = randomDna(rng, lv);
    v.replace(10, 30, h.mid(40, 30));
    w = new TfrmDotPlot(&owner, ports.ports());
    w->PrepareDotPlot(type, tSequence{QStringLiteral("first one"), h, {}},
                      tSequence{QStringLiteral("second"), v, {}}, true, window, meHighest);
    w->resize(700, 620);
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) qFatal("window not shown");
    QApplication::processEvents();
    chart()->setFocus();
  }

  // The search the window runs, done here in place.
  HitSegmentResult search(std::optional<CellRect> region, int threshold) const {
    HitSegmentRequest r;
    r.strands = {viewOf(w->plotState().SeqHoriz.Data), viewOf(w->plotState().SeqVerti.Data),
                 viewOf(w->plotState().SeqHorizRev.Data), viewOf(w->plotState().SeqVertiRev.Data)};
    r.windowSize = w->plotState().WindowSize;
    r.type = w->plotState().PlotType;
    r.minCount = threshold;
    r.region = region;
    return duvanet::engine::findHitSegments(r);
  }

  HitsPanel* panel() const { return control<HitsPanel>(*w, "hitsPanel"); }

  // Opens the Hits pane (or changes what it shows) and waits for its segments.
  void waitForHits(const std::function<void()>& action) const {
    QSignalSpy shown(w, &TfrmDotPlot::hitsShown);
    action();
    if (!shown.wait(10000)) qFatal("no hits shown");
  }

  QString info() const { return control<QLabel>(*w, "panInfoDot")->text(); }
  duvanet::chart::ColourGridChart* chart() const {
    return control<duvanet::chart::ColourGridChart>(*w, "chartDotPlot");
  }

  QWidget owner;
  FakePorts ports;
  FakePrompts& prompts = ports.prompts;
  TfrmDotPlot* w = nullptr;
};

void press(const Fixture& f, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(f.chart(), key, modifiers);
}

}  // namespace

class DotPlotHitsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each key moves the shown cell as it says; the strip's information line follows.
  void keysMoveTheShownCell_data() {
    QTest::addColumn<QString>("keys");  // R L U D: arrows; d / B: D / Shift+D; a / A: A / Shift+A
    QTest::addColumn<bool>("horizontalInverted");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("right, down") << "RRD" << false << 2 << 1;
    QTest::newRow("left stops at the edge") << "LL" << false << 0 << 0;
    QTest::newRow("diagonal forward and back") << "dddB" << false << 2 << 2;
    QTest::newRow("anti-diagonal down from the right") << "RRRRaa" << false << 2 << 2;
    QTest::newRow("anti-diagonal up") << "DDDA" << false << 1 << 2;
    QTest::newRow("right on an inverted horizontal axis") << "LLL" << true << 3 << 0;
    QTest::newRow("up at the top stays") << "UU" << false << 0 << 0;
  }
  void keysMoveTheShownCell() {
    QFETCH(QString, keys);
    QFETCH(bool, horizontalInverted);
    QFETCH(int, x);
    QFETCH(int, y);
    Fixture f;
    if (horizontalInverted) f.w->btPlotInvAxisHorizClick();
    for (const QChar c : keys) {
      switch (c.unicode()) {
        case 'R':
          press(f, Qt::Key_Right);
          break;
        case 'L':
          press(f, Qt::Key_Left);
          break;
        case 'U':
          press(f, Qt::Key_Up);
          break;
        case 'D':
          press(f, Qt::Key_Down);
          break;
        case 'd':
          press(f, Qt::Key_D);
          break;
        case 'B':
          press(f, Qt::Key_D, Qt::ShiftModifier);
          break;
        case 'a':
          press(f, Qt::Key_A);
          break;
        case 'A':
          press(f, Qt::Key_A, Qt::ShiftModifier);
          break;
        default:
          QFAIL("unknown key in the table");
      }
    }
    QCOMPARE(f.w->shownCell(), QPoint(x, y));
    QVERIFY2(f.info().contains(QStringLiteral("position (%1/%2)").arg(x + 1).arg(y + 1)),
             qPrintable(f.info()));
    QVERIFY(control<QWidget>(*f.w, "cellMarker")->isVisible());
  }

  void shiftDiagonalGoesBack() {
    Fixture f;
    f.w->showCell(5, 5, false);
    press(f, Qt::Key_D, Qt::ShiftModifier);
    QCOMPARE(f.w->shownCell(), QPoint(4, 4));
    press(f, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(f.w->shownCell(), QPoint(14, 4));
  }

  // The tool tip names the keys.
  void toolTipNamesTheKeys() {
    Fixture f;
    const QString tip = f.chart()->toolTip();
    for (const char* key :
         {"Arrow keys", "D / Shift+D", "A / Shift+A", "N / P", "Ctrl+G", "Ctrl+C"})
      QVERIFY2(tip.contains(QLatin1String(key)), key);
  }

  // Ctrl+C and the context menu copy the stretches the shown cell compares, as FASTA.
  void copyPutsTheStretchesOnTheClipboard() {
    Fixture f;
    f.w->showCell(7, 3, false);
    QGuiApplication::clipboard()->clear();
    press(f, Qt::Key_C, Qt::ControlModifier);
    const QString expected = duvanet::core::comparedStretchesFasta(
        {f.w->plotState().SeqHoriz, f.w->plotState().SeqVerti, f.w->plotState().SeqHorizRev,
         f.w->plotState().SeqVertiRev, 6, dptDNABoth},
        7, 3);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QVERIFY(expected.startsWith(QStringLiteral(">first one forward 8-13\n")));
    QCOMPARE(expected.count(QLatin1Char('>')), 4);

    // A right click that does not drag opens the menu; its first entry copies.
    QGuiApplication::clipboard()->clear();
    f.w->showCell(2, 2, false);
    QStringList entries;
    f.w->setMenuAnswer([&](QMenu& menu) {
      for (QAction* a : menu.actions()) entries << a->text();
      return menu.actions().first();
    });
    const QPoint at = f.chart()->plotRect().center();
    QTest::mousePress(f.chart(), Qt::RightButton, Qt::NoModifier, at);
    QTest::mouseRelease(f.chart(), Qt::RightButton, Qt::NoModifier, at);
    QTRY_VERIFY(!entries.isEmpty());
    QCOMPARE(entries, (QStringList{QStringLiteral("Copy compared stretches as FASTA"),
                                   QStringLiteral("Go to position…"), QStringLiteral("Hits")}));
    QTRY_VERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral(">first one forward 3-8\n")));
  }

  // "Go to position…" shows the typed cell; where cells are smaller than a pixel it zooms in.
  void goToPosition_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("zooms");
    QTest::newRow("cells of several pixels") << 60 << false;
    QTest::newRow("cells smaller than a pixel") << 3000 << true;
  }
  void goToPosition() {
    QFETCH(int, length);
    QFETCH(bool, zooms);
    Fixture f(length, length);
    QPoint offered;
    f.w->setGoToAnswer([&](QPoint current) {
      offered = current;
      return std::optional<QPoint>(QPoint(length / 2, length / 3));
    });
    f.w->showCell(4, 2, false);
    press(f, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(offered, QPoint(5, 3));
    QCOMPARE(f.w->shownCell(), QPoint(length / 2 - 1, length / 3 - 1));
    QCOMPARE(f.chart()->isZoomed(), zooms);
    if (zooms) {
      // The cell is inside the region shown, and cells now take several pixels.
      const auto [x0, x1] = f.chart()->visibleRange(ChartAxis::Top);
      QVERIFY(x0 <= length / 2 && length / 2 + 1 <= x1);
      QVERIFY(f.chart()->plotRect().width() / (x1 - x0) >= 4);
    }
    // Cancelling moves nothing.
    f.w->setGoToAnswer([](QPoint) { return std::optional<QPoint>(); });
    f.w->btGoToPositionClick();
    QCOMPARE(f.w->shownCell(), QPoint(length / 2 - 1, length / 3 - 1));
  }

  // The pane lists the segments of the region shown at its threshold, the same as the search.
  void paneListsTheSegmentsShown() {
    Fixture f;
    HitsPanel* panel = f.panel();
    QVERIFY(!panel->isVisible());
    // The threshold starts at the colour slider's lower thumb + 1.
    f.waitForHits([&] { control<QPushButton>(*f.w, "btHits")->click(); });
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->threshold(), 1);
    f.waitForHits([&] { panel->thresholdBox()->setValue(6); });
    const HitSegmentResult expected = f.search(std::nullopt, 6);
    QVERIFY(expected.total > 0);
    QCOMPARE(panel->rowCount(), static_cast<int>(expected.segments.size()));
    for (int row = 0; row < panel->rowCount(); ++row)
      QVERIFY(*panel->segmentAtRow(row) == expected.segments[static_cast<std::size_t>(row)]);
    QCOMPARE(panel->note()->text(),
             QStringLiteral("%1 segments in the region shown.").arg(expected.total));
    // The planted stretch, H 41 … 70 against V 11 … 40, is one forward segment of at least 25
    // cells (neighbours that match by chance may lengthen it).
    QVERIFY(
        std::any_of(expected.segments.begin(), expected.segments.end(), [](const HitSegment& s) {
          return s.pair == duvanet::engine::StrandPair::Forward && s.hStart - s.vStart == 30 &&
                 s.hStart <= 41 && s.hEnd >= 70 && s.best == 6;
        }));

    // The table's header reads as the file's.
    QStringList headers;
    for (int c = 0; c < 8; ++c)
      headers << panel->table()->model()->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(headers.join(QLatin1Char('\t')) + QLatin1Char('\n'),
             QString::fromStdString(
                 duvanet::engine::hitFileHeader(duvanet::engine::HitFileFormat::Tsv)));
  }

  // A click on a row shows the segment's first cell; N and P walk the rows.
  void rowsAndKeysShowSegments() {
    Fixture f;
    HitsPanel* panel = f.panel();
    f.waitForHits([&] { control<QPushButton>(*f.w, "btHits")->click(); });
    f.waitForHits([&] { panel->thresholdBox()->setValue(5); });
    QVERIFY(panel->rowCount() >= 3);
    auto firstCell = [&](int row) {
      const auto c = duvanet::engine::firstCellOf(*panel->segmentAtRow(row), 6);
      return QPoint(static_cast<int>(c.x - 1), static_cast<int>(c.y - 1));
    };
    QTableView* table = panel->table();
    const QRect second = table->visualRect(table->model()->index(1, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, second.center());
    QCOMPARE(f.w->shownCell(), firstCell(1));
    f.chart()->setFocus();
    press(f, Qt::Key_N);
    QCOMPARE(f.w->shownCell(), firstCell(2));
    press(f, Qt::Key_P);
    press(f, Qt::Key_P);
    QCOMPARE(f.w->shownCell(), firstCell(0));
    press(f, Qt::Key_N, Qt::ShiftModifier);  // before the first: stays
    QCOMPARE(f.w->shownCell(), firstCell(0));
  }

  // N with the pane hidden opens it and goes to the first segment once it is found.
  void nextOpensThePane() {
    Fixture f;
    f.waitForHits([&] { press(f, Qt::Key_N); });
    QVERIFY(f.panel()->isVisible());
    QVERIFY(control<QPushButton>(*f.w, "btHits")->isChecked());
    QTRY_COMPARE(f.w->shownCell(), [&] {
      const auto c = duvanet::engine::firstCellOf(*f.panel()->segmentAtRow(0), 6);
      return QPoint(static_cast<int>(c.x - 1), static_cast<int>(c.y - 1));
    }());
  }

  // A header click sorts the rows by that column, numerically.
  void headerSorts() {
    Fixture f;
    HitsPanel* panel = f.panel();
    f.waitForHits([&] { control<QPushButton>(*f.w, "btHits")->click(); });
    f.waitForHits([&] { panel->thresholdBox()->setValue(5); });
    QHeaderView* header = panel->table()->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(header->sectionViewportPosition(5) + 5, header->height() / 2));
    std::vector<std::int64_t> cells;
    for (int row = 0; row < panel->rowCount(); ++row)
      cells.push_back(panel->segmentAtRow(row)->cells);
    QVERIFY(cells.size() > 2);
    QVERIFY(std::is_sorted(cells.begin(), cells.end()) ||
            std::is_sorted(cells.rbegin(), cells.rend()));
    QVERIFY(cells.front() != cells.back());
  }

  // Zooming changes the region and with it the rows; a cap keeps the first rows with a note.
  void paneFollowsZoomAndCaps() {
    Fixture f;
    HitsPanel* panel = f.panel();
    f.waitForHits([&] { control<QPushButton>(*f.w, "btHits")->click(); });
    f.waitForHits([&] { panel->thresholdBox()->setValue(4); });
    const int all = panel->rowCount();
    f.waitForHits([&] { f.chart()->zoomTo(30.2, 60.7, 5.5, 30.1); });
    // The cells the region touches: columns 30 … 60 and rows 5 … 30 of the axes.
    const HitSegmentResult region = f.search(CellRect{29, 4, 31, 26}, 4);
    QCOMPARE(panel->rowCount(), static_cast<int>(region.segments.size()));
    QVERIFY(panel->rowCount() < all);
    for (int row = 0; row < panel->rowCount(); ++row)
      QVERIFY(*panel->segmentAtRow(row) == region.segments[static_cast<std::size_t>(row)]);

    f.w->setHitRowCap(3);
    f.waitForHits([&] { f.chart()->unzoom(); });
    QCOMPARE(panel->rowCount(), 3);
    QCOMPARE(panel->note()->text(),
             QStringLiteral("Showing the first 3 of %1 segments (at most 3 are listed); zoom in "
                            "or raise the threshold to see the others.")
                 .arg(all));
  }

  // "Export hits…" writes the whole plot's or the region's segments in the format the name says.
  void exportWritesTheFormats_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<QString>("written");
    QTest::newRow("tsv, whole plot") << "hits.tsv"
                                     << "" << true << "hits.tsv";
    QTest::newRow("paf typed under the TSV filter") << "hits.paf"
                                                    << "" << true << "hits.paf";
    QTest::newRow("no extension: the filter's") << "hits"
                                                << "BEDPE (*.bedpe)" << false << "hits.bedpe";
    QTest::newRow("region shown, tsv") << "region.tsv"
                                       << "" << false << "region.tsv";
  }
  void exportWritesTheFormats() {
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(bool, whole);
    QFETCH(QString, written);
    Fixture f;
    QTemporaryDir dir;
    f.panel()->setWindowSize(6);
    f.panel()->setThreshold(5);
    f.chart()->zoomTo(20.5, 80.5, 5.5, 50.5);
    QCOMPARE(f.chart()->visibleRange(ChartAxis::Top), (std::pair{20.5, 80.5}));
    QCOMPARE(f.chart()->visibleRange(ChartAxis::Left), (std::pair{5.5, 50.5}));
    f.w->setExportScopeAnswer([whole] { return std::optional<bool>(whole); });
    f.ports.fileDialogs.saveAsAnswers.push_back(duvanet::chart::FileDialogs::SaveChoice{
        dir.filePath(typed),
        filter.isEmpty() ? QStringLiteral("Tab-separated values (*.tsv)") : filter});
    control<QPushButton>(*f.w, "btExportHits")->click();
    QFile file(dir.filePath(written));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(written));
    const auto format = *duvanet::engine::hitFileFormatOf(written.toStdString());
    const HitSegmentResult expected =
        f.search(whole ? std::nullopt : std::optional<CellRect>(CellRect{19, 4, 61, 46}), 5);
    std::string text = duvanet::engine::hitFileHeader(format);
    const auto context =
        duvanet::core::hitFileContext(f.w->plotState().SeqHoriz, f.w->plotState().SeqVerti, 6);
    for (const HitSegment& s : expected.segments)
      duvanet::engine::appendHitLine(text, s, context, format);
    QCOMPARE(QString::fromUtf8(file.readAll()), QString::fromStdString(text));
    QVERIFY(f.prompts.shown.isEmpty());
  }

  void exportFailureShowsTheError() {
    Fixture f;
    f.w->setExportScopeAnswer([] { return std::optional<bool>(true); });
    f.ports.fileDialogs.saveAsAnswers.push_back(
        duvanet::chart::FileDialogs::SaveChoice{QStringLiteral("/no/such/folder/hits.tsv"),
                                                QStringLiteral("Tab-separated values (*.tsv)")});
    f.w->btExportHitsClick();
    QCOMPARE(
        f.prompts.texts(),
        (QStringList{QStringLiteral(
            "error: Cannot write file \"/no/such/folder/hits.tsv\": No such file or directory")}));
  }

  // Where a pixel covers several cells, hovering reads the highest count under it.
  void hoverReadsTheBestCellOfThePixel() {
    Fixture f(3000, 2800, 12, dptDNAHoriz);
    auto* chart = f.chart();
    const QRect area = chart->plotRect();
    QVERIFY(area.width() < 3000);
    // A pixel whose first cell, (44, 11), lies off the planted stretch's diagonal (H 41 … 70
    // against V 11 … 40: x − y = 30) while the pixel covers cells of it, such as (44, 14).
    const int px = static_cast<int>(std::floor(chart->valueToPixel(ChartAxis::Top, 44.2)));
    const int py = static_cast<int>(std::floor(chart->valueToPixel(ChartAxis::Left, 11.2)));
    const int firstX = static_cast<int>(std::trunc(chart->pixelToValue(ChartAxis::Top, px)));
    const int firstY = static_cast<int>(std::trunc(chart->pixelToValue(ChartAxis::Left, py)));
    QVERIFY(firstX - firstY != 30);
    QVERIFY(std::abs(chart->pixelToValue(ChartAxis::Left, py + 1) -
                     chart->pixelToValue(ChartAxis::Left, py)) > 4);
    f.w->chartDotPlotMouseMove(Qt::NoModifier, px, py);
    QVERIFY2(f.info().contains(QStringLiteral(") = 12 of 12")), qPrintable(f.info()));
    const QPoint cell = f.w->shownCell();
    QCOMPARE(cell.x() - cell.y(), 30);
    // The pixel's first cell holds less: that is what the plain mapping would have read.
    duvanet::engine::DotPlotComputeRequest one;
    one.strands = {viewOf(f.w->plotState().SeqHoriz.Data), viewOf(f.w->plotState().SeqVerti.Data),
                   viewOf(f.w->plotState().SeqHorizRev.Data),
                   viewOf(f.w->plotState().SeqVertiRev.Data)};
    one.windowSize = 12;
    one.type = dptDNAHoriz;
    one.region = CellRect{firstX - 1, firstY - 1, 1, 1};
    const auto counted = duvanet::engine::computeDotPlot(one);
    QVERIFY(counted.isFilled());
    QVERIFY(counted.grid.at(0, 0) < 12);
  }
};

DUVANET_TEST(DotPlotHitsTest)
#include "tst_DotPlotHits.moc"

#include <QTest>
#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <vector>

#include "PlainDotPlot.h"
#include "TestRegistry.h"
#include "engine/DotPlotEngine.h"
#include "engine/DotPlotRoutines.h"

namespace duvanet::engine {

using duvanet::testing::opposite;
using duvanet::testing::Reference;
using duvanet::testing::referencePlot;

namespace {

struct Plot {
  std::u16string h, v, hr, vr;
  DotPlotStrands strands() const { return {h, v, hr, vr}; }
};

Plot makePlot(const std::u16string& h, const std::u16string& v, bool complement = true) {
  return {h, v, opposite(h, complement), opposite(v, complement)};
}

std::u16string randomText(std::mt19937& rng, const std::u16string& alphabet, long length) {
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::u16string s;
  for (long i = 0; i < length; ++i) s.push_back(alphabet[pick(rng)]);
  return s;
}

struct RoutineCase {
  const char* name;
  DotPlotRoutineFunction routine;
  StrandSet set;
  tMatchEvaluation evaluation;
};

const std::vector<RoutineCase>& allRoutines() {
  static const std::vector<RoutineCase> routines = {
      {"Identity", &CreateDotPlotIdentity, StrandSet::Forward, meHighest},
      {"HorizRevHighest", &CreateDotPlotWithHorizRevHighest, StrandSet::HorizRev, meHighest},
      {"HorizRevLowest", &CreateDotPlotWithHorizRevLowest, StrandSet::HorizRev, meLowest},
      {"HorizRevSummed", &CreateDotPlotWithHorizRevSummed, StrandSet::HorizRev, meSummed},
      {"VertiRevHighest", &CreateDotPlotWithVertiRevHighest, StrandSet::VertiRev, meHighest},
      {"VertiRevLowest", &CreateDotPlotWithVertiRevLowest, StrandSet::VertiRev, meLowest},
      {"VertiRevSummed", &CreateDotPlotWithVertiRevSummed, StrandSet::VertiRev, meSummed},
      {"BothRevHighest", &CreateDotPlotWithBothRevHighest, StrandSet::BothRev, meHighest},
      {"BothRevLowest", &CreateDotPlotWithBothRevLowest, StrandSet::BothRev, meLowest},
      {"BothRevSummed", &CreateDotPlotWithBothRevSummed, StrandSet::BothRev, meSummed}};
  return routines;
}

// Compares an exact grid with the reference over the grid's rectangle; reports the first
// difference.
QString exactMismatch(const DotPlotGrid& grid, const Reference& ref) {
  if (!grid.isExact()) return QStringLiteral("grid is binned");
  const CellRect& r = grid.cells();
  for (int by = 0; by < grid.binsY(); ++by) {
    for (int bx = 0; bx < grid.binsX(); ++bx) {
      const int expected = ref.at(r.x + bx, r.y + by);
      if (grid.at(bx, by) != expected) {
        return QStringLiteral("cell x=%1 y=%2: %3, expected %4")
            .arg(r.x + bx + 1)
            .arg(r.y + by + 1)
            .arg(grid.at(bx, by))
            .arg(expected);
      }
    }
  }
  return {};
}

// Each bin must hold the highest reference count of the cells it covers.
QString binnedMismatch(const DotPlotGrid& grid, const Reference& ref) {
  for (int by = 0; by < grid.binsY(); ++by) {
    for (int bx = 0; bx < grid.binsX(); ++bx) {
      int highest = -1;
      for (long y = grid.binCellY0(by); y < grid.binCellY0(by + 1); ++y) {
        for (long x = grid.binCellX0(bx); x < grid.binCellX0(bx + 1); ++x) {
          highest = std::max(highest, ref.at(x, y));
        }
      }
      if (highest < 0) return QStringLiteral("bin %1,%2 covers no cell").arg(bx).arg(by);
      if (grid.at(bx, by) != highest) {
        return QStringLiteral("bin %1,%2: %3, expected %4")
            .arg(bx)
            .arg(by)
            .arg(grid.at(bx, by))
            .arg(highest);
      }
    }
  }
  return {};
}

int cell(const DotPlotComputeResult& r, int x1, int y1) { return r.grid.at(x1 - 1, y1 - 1); }

}  // namespace

class TestDotPlotEngine : public QObject {
  Q_OBJECT

 private slots:
  // Every routine against the reference, on random sequences of many alphabets, lengths around
  // the window and 1 to 3 threads.
  void routinesMatchTheReference_data() {
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<bool>("complement");
    QTest::addColumn<int>("maxWindow");
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("DNA") << QStringLiteral("ACGT") << true << 40 << 11U;
    QTest::newRow("IUPAC") << QStringLiteral("ACGTRYSWKMBDHVN") << true << 40 << 12U;
    QTest::newRow("lower case") << QStringLiteral("acgtnACGT") << true << 20 << 13U;
    QTest::newRow("protein") << QStringLiteral("ACDEFGHIKLMNPQRSTVWY") << false << 40 << 14U;
    QTest::newRow("two letters") << QStringLiteral("AB") << false << 40 << 15U;
    QString units;
    for (const char16_t c : {0x0000, 0xFFFF, 0xD800, 0xDC00, 0x00E9, 0x4E2D, 0x0041}) {
      units.append(QChar(c));
    }
    QTest::newRow("UTF-16 code units") << units << false << 30 << 16U;
  }

  void routinesMatchTheReference() {
    QFETCH(QString, alphabet);
    QFETCH(bool, complement);
    QFETCH(int, maxWindow);
    QFETCH(unsigned, seed);
    const std::u16string letters = alphabet.toStdU16String();
    std::mt19937 rng(seed);
    for (int round = 0; round < 24; ++round) {
      const int w = std::uniform_int_distribution<int>(1, maxWindow)(rng);
      // Lengths from one short of the window to well beyond it.
      std::uniform_int_distribution<long> len(std::max(0, w - 1), w + 60);
      const Plot plot = makePlot(randomText(rng, letters, len(rng)),
                                 randomText(rng, letters, len(rng)), complement);
      for (const RoutineCase& routine : allRoutines()) {
        const Reference ref =
            referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, routine.set, routine.evaluation);
        DotPlotComputeRequest request = routineRequest(plot.strands(), w);
        request.threads = 1 + round % 3;
        const DotPlotComputeResult result = routine.routine(request);
        const QByteArray where = QStringLiteral("%1 W=%2 Lh=%3 Lv=%4 threads=%5")
                                     .arg(QLatin1String(routine.name))
                                     .arg(w)
                                     .arg(plot.h.size())
                                     .arg(plot.v.size())
                                     .arg(request.threads)
                                     .toUtf8();
        QVERIFY2(result.isFilled() == ref.filled, where.constData());
        QVERIFY2(result.status == (ref.filled ? DotPlotStatus::Filled : DotPlotStatus::TooShort),
                 where.constData());
        if (!ref.filled) {
          QVERIFY2(result.grid.isEmpty(), where.constData());
          continue;
        }
        QCOMPARE(result.plotWidth, ref.nH);
        QCOMPARE(result.plotHeight, ref.nV);
        QCOMPARE(result.grid.cells(), (CellRect{0, 0, ref.nH, ref.nV}));
        const QString mismatch = exactMismatch(result.grid, ref);
        QVERIFY2(mismatch.isEmpty(), (where + ": " + mismatch.toUtf8()).constData());
      }
    }
  }

  // Strands with more distinct code units than a byte can name take the 16-bit path.
  void moreThan256CodeUnits() {
    std::mt19937 rng(18);
    std::u16string units;
    for (int c = 0; c < 300; ++c) units.push_back(static_cast<char16_t>(0x0100 + c * 7));
    for (const int w : {1, 9, 300}) {
      std::u16string h = units + randomText(rng, u"ACGT", 40);
      std::u16string v = randomText(rng, u"ACGT", 30) + units;
      std::shuffle(h.begin(), h.end(), rng);
      std::shuffle(v.begin(), v.end(), rng);
      const Plot plot = makePlot(h, v, false);
      for (const RoutineCase& routine : allRoutines()) {
        const Reference ref =
            referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, routine.set, routine.evaluation);
        DotPlotComputeRequest request = routineRequest(plot.strands(), w);
        request.threads = 2;
        const auto result = routine.routine(request);
        QVERIFY(result.isFilled());
        QVERIFY2(exactMismatch(result.grid, ref).isEmpty(), routine.name);
      }
    }
  }

  // Windows up to the largest the wizard offers, with sequences shorter than, equal to and
  // longer than the window.
  void largeWindowsMatchTheReference() {
    std::mt19937 rng(21);
    const std::u16string dna = u"ACGT";
    for (const int w : {255, 256, 700, 1023, 1024}) {
      for (const long extra : {-1L, 0L, 1L, 37L}) {
        // Mostly one repeated letter, so that the counts reach high values.
        std::u16string h = randomText(rng, dna, w + extra);
        std::u16string v = randomText(rng, u"AAAAAAAC", w + 23);
        const Plot plot = makePlot(h, v);
        for (const RoutineCase& routine : allRoutines()) {
          const Reference ref =
              referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, routine.set, routine.evaluation);
          DotPlotComputeRequest request = routineRequest(plot.strands(), w);
          request.threads = 2;
          const DotPlotComputeResult result = routine.routine(request);
          QCOMPARE(result.isFilled(), ref.filled);
          if (ref.filled) QVERIFY2(exactMismatch(result.grid, ref).isEmpty(), routine.name);
        }
      }
    }
  }

  // The worked cases of the routines, as cells (x, y) 1-based.
  void workedExamples() {
    const Plot gummi = makePlot(u"GUMMIBAUM", u"GUMMIBAUM", false);
    const auto identity = CreateDotPlotIdentity(routineRequest(gummi.strands(), 2));
    QVERIFY(identity.isFilled());
    QCOMPARE(identity.grid.binsX() * identity.grid.binsY(), 64);
    for (int i = 1; i <= 8; ++i) QCOMPARE(cell(identity, i, i), 2);
    QCOMPARE(cell(identity, 1, 7), 1);  // GU against AU
    QCOMPARE(cell(identity, 2, 8), 2);  // UM against UM

    const Plot palindrome = makePlot(u"AACGTT", u"AACGTT");
    const auto highest = CreateDotPlotWithHorizRevHighest(routineRequest(palindrome.strands(), 3));
    QCOMPARE(cell(highest, 1, 1), 3);
    QCOMPARE(cell(highest, 4, 1), 3);
    const auto lowest = CreateDotPlotWithHorizRevLowest(routineRequest(palindrome.strands(), 3));
    QCOMPARE(cell(lowest, 1, 1), 0);
    QCOMPARE(cell(lowest, 4, 1), 0);
    const auto summed = CreateDotPlotWithHorizRevSummed(routineRequest(palindrome.strands(), 3));
    QCOMPARE(cell(summed, 1, 1), 3);
    QCOMPARE(cell(summed, 4, 1), 3);

    const Plot both = makePlot(u"ACGTA", u"TACGT");
    const auto bothSummed = CreateDotPlotWithBothRevSummed(routineRequest(both.strands(), 3));
    QCOMPARE(cell(bothSummed, 2, 2), 6);
    QCOMPARE(cell(bothSummed, 1, 2), 3);
  }

  // Sequences of exactly W symbols give one cell; one symbol short gives none; W = 1 compares
  // single symbols.
  void windowEdges() {
    for (const RoutineCase& routine : allRoutines()) {
      const Plot exact = makePlot(u"ACGTA", u"TTGCA");
      const auto one = routine.routine(routineRequest(exact.strands(), 5));
      QVERIFY(one.isFilled());
      QCOMPARE(one.grid.cells(), (CellRect{0, 0, 1, 1}));
      QCOMPARE(one.plotWidth, 1);

      const Plot shortH = makePlot(u"ACGT", u"ACGTACGT");
      const auto none = routine.routine(routineRequest(shortH.strands(), 5));
      QVERIFY(!none.isFilled());
      QCOMPARE(none.status, DotPlotStatus::TooShort);
      QVERIFY(none.grid.isEmpty());
      QCOMPARE(none.plotWidth, 0);
      const Plot shortV = makePlot(u"ACGTACGT", u"");
      QCOMPARE(routine.routine(routineRequest(shortV.strands(), 1)).status,
               DotPlotStatus::TooShort);

      const Plot single = makePlot(u"ACGTTGCA", u"TGCAACGT");
      const auto w1 = routine.routine(routineRequest(single.strands(), 1));
      const int top = routine.evaluation != meSummed ? 1
                      : routine.set == StrandSet::BothRev
                          ? 3
                          : (routine.set == StrandSet::Forward ? 1 : 2);
      const auto& counts = w1.grid.counts();
      QCOMPARE(counts.size(), std::size_t{64});
      QVERIFY(*std::max_element(counts.begin(), counts.end()) <= top);
    }
  }

  // Rows wider than the column strips the kernels work in, exact, binned (bins straddling the
  // strips) and as a region that starts inside a strip.
  void wideRowsSpanSeveralStrips() {
    std::mt19937 rng(71);
    for (const int w : {1, 12, 70}) {
      const Plot plot = makePlot(randomText(rng, u"ACGT", 2048 * 3 + 32 * w + 17),
                                 randomText(rng, u"ACGT", 25 + w));
      for (const RoutineCase& routine : allRoutines()) {
        const Reference ref =
            referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, routine.set, routine.evaluation);
        DotPlotComputeRequest request = routineRequest(plot.strands(), w);
        request.threads = 1 + w % 3;
        const auto exact = routine.routine(request);
        QVERIFY2(exactMismatch(exact.grid, ref).isEmpty(), routine.name);

        DotPlotComputeRequest binned = request;
        binned.exactBudgetCells = 0;
        binned.maxBinsPerSide = 7;
        const auto bins = routine.routine(binned);
        QCOMPARE(bins.grid.binsX(), 7);
        QVERIFY2(binnedMismatch(bins.grid, ref).isEmpty(), routine.name);

        DotPlotComputeRequest region = request;
        region.region = CellRect{1000, 3, 3500, 9};
        const auto part = routine.routine(region);
        QCOMPARE(part.grid.cells(), (CellRect{1000, 3, 3500, 9}));
        QVERIFY2(exactMismatch(part.grid, ref).isEmpty(), routine.name);
      }
    }
  }

  // Binned grids hold the highest exact count of every bin, whatever the bin and thread counts.
  void binnedGridsHoldTheHighestCountPerBin() {
    std::mt19937 rng(31);
    for (int round = 0; round < 12; ++round) {
      const int w = std::uniform_int_distribution<int>(1, 16)(rng);
      const Plot plot = makePlot(randomText(rng, u"ACGT", 40 + round * 13),
                                 randomText(rng, u"ACGT", 30 + round * 17));
      for (const RoutineCase& routine : allRoutines()) {
        const Reference ref =
            referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, routine.set, routine.evaluation);
        DotPlotComputeRequest request = routineRequest(plot.strands(), w);
        request.exactBudgetCells = 100;
        request.maxBinsPerSide = 3 + round * 2;
        request.threads = 1 + round % 3;
        const auto result = routine.routine(request);
        QVERIFY(result.isFilled());
        QVERIFY(!result.grid.isExact());
        QCOMPARE(result.grid.binsX(),
                 static_cast<int>(std::min<long>(ref.nH, request.maxBinsPerSide)));
        QCOMPARE(result.grid.binsY(),
                 static_cast<int>(std::min<long>(ref.nV, request.maxBinsPerSide)));
        const QString mismatch = binnedMismatch(result.grid, ref);
        QVERIFY2(mismatch.isEmpty(), qPrintable(QLatin1String(routine.name) + ": " + mismatch));
      }
    }
  }

  // A region is exactly the matching part of the whole plot, or its bins when above the budget;
  // rectangles reaching beyond the plot are clipped.
  void regionsEqualTheMatchingPartOfThePlot() {
    std::mt19937 rng(41);
    for (int round = 0; round < 16; ++round) {
      const int w = std::uniform_int_distribution<int>(1, 20)(rng);
      const Plot plot = makePlot(randomText(rng, u"ACGTN", 90), randomText(rng, u"ACGTN", 70));
      const RoutineCase& routine = allRoutines()[static_cast<std::size_t>(round) % 10];
      const Reference ref =
          referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, routine.set, routine.evaluation);
      std::uniform_int_distribution<long> px(-5, ref.nH + 2);
      std::uniform_int_distribution<long> py(-5, ref.nV + 2);
      const long xa = px(rng);
      const long xb = px(rng);
      const long ya = py(rng);
      const long yb = py(rng);
      const CellRect asked{std::min(xa, xb), std::min(ya, yb), std::abs(xa - xb) + 1,
                           std::abs(ya - yb) + 1};
      const long x0 = std::clamp(asked.x, 0L, ref.nH);
      const long y0 = std::clamp(asked.y, 0L, ref.nV);
      const long x1 = std::clamp(asked.x + asked.width, 0L, ref.nH);
      const long y1 = std::clamp(asked.y + asked.height, 0L, ref.nV);
      DotPlotComputeRequest request = routineRequest(plot.strands(), w);
      request.region = asked;
      request.threads = 1 + round % 3;
      const bool binned = round % 2 == 1;
      if (binned) {
        request.exactBudgetCells = 10;
        request.maxBinsPerSide = 4;
      }
      const auto result = routine.routine(request);
      QVERIFY(result.isFilled());
      QCOMPARE(result.plotWidth, ref.nH);
      QCOMPARE(result.grid.cells(),
               (CellRect{x0, y0, std::max(x1 - x0, 0L), std::max(y1 - y0, 0L)}));
      if (x1 <= x0 || y1 <= y0) {
        QVERIFY(result.grid.isEmpty());
        continue;
      }
      const QString mismatch = binned && !result.grid.isExact() ? binnedMismatch(result.grid, ref)
                                                                : exactMismatch(result.grid, ref);
      QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
  }

  void binLookupMatchesTheBinBounds() {
    const DotPlotGrid grid(CellRect{5, 7, 23, 10}, 4, 3);
    for (int bx = 0; bx < 4; ++bx) {
      for (long x = grid.binCellX0(bx); x < grid.binCellX0(bx + 1); ++x)
        QCOMPARE(grid.binOfCellX(x), bx);
    }
    for (int by = 0; by < 3; ++by) {
      for (long y = grid.binCellY0(by); y < grid.binCellY0(by + 1); ++y)
        QCOMPARE(grid.binOfCellY(y), by);
    }
    QCOMPARE(grid.binCellX0(4), 28);
    QCOMPARE(grid.binCellY0(3), 17);
  }

  // A grid made by its public constructor starts with zero counts; copies keep the counts.
  void newGridsHoldZeros() {
    DotPlotGrid grid(CellRect{0, 0, 3000, 1500}, 3000, 1500);  // a large block: huge pages
    const auto& counts = grid.counts();
    QVERIFY(std::all_of(counts.begin(), counts.end(), [](std::uint16_t c) { return c == 0; }));
    grid.row(1499)[2999] = 7;
    const DotPlotGrid copy = grid;
    QCOMPARE(int{copy.at(2999, 1499)}, 7);
    const DotPlotGrid small(CellRect{2, 3, 4, 5}, 4, 5);
    QCOMPARE(small.counts().size(), std::size_t{20});
    QVERIFY(std::all_of(small.counts().begin(), small.counts().end(),
                        [](std::uint16_t c) { return c == 0; }));
    QVERIFY(DotPlotGrid(CellRect{0, 0, 0, 5}, 3, 5).isEmpty());
  }

  // Requests the kernels cannot honour are refused rather than read out of bounds.
  void malformedRequestsAreNotFilled() {
    const Plot plot = makePlot(u"ACGTACGT", u"ACGTACGT");
    DotPlotComputeRequest zero = routineRequest(plot.strands(), 0);
    QCOMPARE(CreateDotPlotIdentity(zero).status, DotPlotStatus::Refused);
    DotPlotStrands shortRev = plot.strands();
    shortRev.horizRev = shortRev.horizRev.substr(1);
    QCOMPARE(CreateDotPlotWithHorizRevHighest(routineRequest(shortRev, 3)).status,
             DotPlotStatus::Refused);
    QVERIFY(CreateDotPlotWithVertiRevHighest(routineRequest(shortRev, 3)).isFilled());
    QCOMPARE(CreateDotPlotWithBothRevSummed(routineRequest(shortRev, 3)).status,
             DotPlotStatus::Refused);
  }

  void progressRunsToTheEnd() {
    std::mt19937 rng(51);
    const Plot plot = makePlot(randomText(rng, u"ACGT", 3000), randomText(rng, u"ACGT", 3000));
    DotPlotComputeRequest request = routineRequest(plot.strands(), 12);
    std::vector<double> seen;
    request.progress = [&](double fraction) {
      seen.push_back(fraction);
      return true;
    };
    const auto result = CreateDotPlotWithBothRevHighest(request);
    QCOMPARE(result.status, DotPlotStatus::Filled);
    QVERIFY(!seen.empty());
    QCOMPARE(seen.back(), 1.0);
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
    QVERIFY(seen.front() >= 0.0);
  }

  void progressOfABinnedPlotRunsToTheEnd() {
    std::mt19937 rng(52);
    const Plot plot = makePlot(randomText(rng, u"ACGT", 5000), randomText(rng, u"ACGT", 4000));
    DotPlotComputeRequest request = routineRequest(plot.strands(), 12);
    request.exactBudgetCells = 1000;
    request.maxBinsPerSide = 100;
    request.threads = 3;
    double last = -1;
    bool ordered = true;
    request.progress = [&](double fraction) {
      ordered = ordered && fraction >= last && fraction <= 1.0;
      last = fraction;
      return true;
    };
    const auto result = CreateDotPlotWithVertiRevLowest(request);
    QVERIFY(result.isFilled());
    QCOMPARE(result.grid.binsX(), 100);
    QVERIFY(ordered);
    QCOMPARE(last, 1.0);
  }

  // A false answer of the progress callback stops the computation and says so.
  void cancelStopsTheComputation() {
    std::mt19937 rng(61);
    const Plot plot = makePlot(randomText(rng, u"ACGT", 60000), randomText(rng, u"ACGT", 60000));
    for (const int threads : {1, 2}) {
      DotPlotComputeRequest request = routineRequest(plot.strands(), 12);
      request.threads = threads;
      request.maxBinsPerSide = 512;
      std::atomic<int> calls{0};
      double lastFraction = -1;
      request.progress = [&](double fraction) {
        ++calls;
        lastFraction = fraction;
        return false;
      };
      const auto result = CreateDotPlotWithBothRevSummed(request);
      QCOMPARE(result.status, DotPlotStatus::Cancelled);
      QVERIFY(!result.isFilled());
      QVERIFY(result.grid.isEmpty());
      QCOMPARE(calls.load(), 1);
      QVERIFY(lastFraction < 1.0);
    }
  }

  void routineLookupByTypeAndEvaluation() {
    QCOMPARE(QLatin1String(dotPlotRoutineFor(dptIdentity, meSummed).name),
             QLatin1String("CreateDotPlotIdentity"));
    QCOMPARE(QLatin1String(dotPlotRoutineFor(dptLiteralVerti, meLowest).name),
             QLatin1String("CreateDotPlotWithVertiRevLowest"));
    QCOMPARE(QLatin1String(dotPlotRoutineFor(dptDNABoth, meSummed).name),
             QLatin1String("CreateDotPlotWithBothRevSummed"));
    QVERIFY(dotPlotRoutineFor(dptLiteralHoriz, meHighest).compute ==
            &CreateDotPlotWithHorizRevHighest);
    QVERIFY(dotPlotRoutineFor(dptDNAVerti, meSummed).compute == &CreateDotPlotWithVertiRevSummed);
    // An evaluation code outside the table computes as highest.
    QVERIFY(dotPlotRoutineFor(dptDNAHoriz, static_cast<tMatchEvaluation>(7)).compute ==
            &CreateDotPlotWithHorizRevHighest);
  }

  // The table's rows name the routine they hold and what it computes: each row's function
  // is the one the tests list under that strand set and evaluation, and every type and
  // evaluation finds the row of its strand set.
  void routineTableAgreesWithTheRoutines() {
    QCOMPARE(kDotPlotRoutines.size(), allRoutines().size());
    for (std::size_t i = 0; i < kDotPlotRoutines.size(); ++i) {
      const DotPlotRoutine& row = kDotPlotRoutines[i];
      const RoutineCase& expected = allRoutines()[i];
      QVERIFY2(row.compute == expected.routine, row.name);
      QCOMPARE(row.strands, expected.set);
      QCOMPARE(row.evaluation, expected.evaluation);
      QCOMPARE(QLatin1String(row.name), QLatin1String("CreateDotPlot") +
                                            (i == 0 ? QLatin1String("") : QLatin1String("With")) +
                                            QLatin1String(expected.name));
    }
    for (int t = 0; t <= 6; ++t) {
      for (const tMatchEvaluation e : {meHighest, meLowest, meSummed}) {
        const auto type = static_cast<tDotPlotType>(t);
        const DotPlotRoutine& row = dotPlotRoutineFor(type, e);
        QCOMPARE(row.strands, strandSetOf(type));
        QCOMPARE(row.evaluation, row.strands == StrandSet::Forward ? meHighest : e);
      }
    }
  }

  // The strand set of every plot type code; codes outside the table compare the forward
  // strands only.
  void strandSetFollowsPlotType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("set");
    QTest::addColumn<bool>("horizRev");
    QTest::addColumn<bool>("vertiRev");
    QTest::newRow("identity") << 0 << int(StrandSet::Forward) << false << false;
    QTest::newRow("dna horiz") << 1 << int(StrandSet::HorizRev) << true << false;
    QTest::newRow("dna verti") << 2 << int(StrandSet::VertiRev) << false << true;
    QTest::newRow("dna both") << 3 << int(StrandSet::BothRev) << true << true;
    QTest::newRow("literal horiz") << 4 << int(StrandSet::HorizRev) << true << false;
    QTest::newRow("literal verti") << 5 << int(StrandSet::VertiRev) << false << true;
    QTest::newRow("literal both") << 6 << int(StrandSet::BothRev) << true << true;
    QTest::newRow("unknown 7") << 7 << int(StrandSet::Forward) << false << false;
    QTest::newRow("unknown -1") << -1 << int(StrandSet::Forward) << false << false;
  }
  void strandSetFollowsPlotType() {
    QFETCH(int, type);
    QFETCH(int, set);
    QFETCH(bool, horizRev);
    QFETCH(bool, vertiRev);
    const auto plotType = static_cast<tDotPlotType>(type);
    QCOMPARE(int(strandSetOf(plotType)), set);
    QCOMPARE(usesHorizRev(plotType), horizRev);
    QCOMPARE(usesVertiRev(plotType), vertiRev);
    QCOMPARE(usesHorizRev(static_cast<StrandSet>(set)), horizRev);
    QCOMPARE(usesVertiRev(static_cast<StrandSet>(set)), vertiRev);
  }

  void maxScoreByTypeAndEvaluation_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("expected");
    for (int t = 0; t <= 6; ++t) {
      QTest::addRow("type %d highest", t) << t << 0 << 12;
      QTest::addRow("type %d lowest", t) << t << 1 << 12;
    }
    QTest::newRow("identity summed") << 0 << 2 << 12;
    QTest::newRow("DNA verti summed") << 2 << 2 << 24;
    QTest::newRow("DNA horiz summed") << 1 << 2 << 24;
    QTest::newRow("literal horiz summed") << 4 << 2 << 24;
    QTest::newRow("literal verti summed") << 5 << 2 << 24;
    QTest::newRow("DNA both summed") << 3 << 2 << 36;
    QTest::newRow("literal both summed") << 6 << 2 << 36;
  }

  void maxScoreByTypeAndEvaluation() {
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QFETCH(int, expected);
    QCOMPARE(
        maxScore(static_cast<tDotPlotType>(type), static_cast<tMatchEvaluation>(evaluation), 12),
        expected);
  }
};

DUVANET_TEST(TestDotPlotEngine)

}  // namespace duvanet::engine

#include "tst_DotPlotEngine.moc"

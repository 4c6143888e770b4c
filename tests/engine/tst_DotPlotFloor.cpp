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
#include "engine/FloorPlan.h"
#include "engine/KmerIndex.h"
#include "engine/Palette.h"
#include "engine/SeededDotPlot.h"

namespace duvanet::engine {

using duvanet::testing::opposite;
using duvanet::testing::Reference;
using duvanet::testing::referencePlot;

namespace {

std::u16string randomText(std::mt19937& rng, const std::u16string& alphabet, long length) {
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::u16string s;
  for (long i = 0; i < length; ++i) s.push_back(alphabet[pick(rng)]);
  return s;
}

// Tandem repeats of short units and runs of one letter, with a few substitutions.
std::u16string lowComplexity(std::mt19937& rng, long length) {
  std::u16string s;
  std::uniform_int_distribution<int> period(1, 4);
  std::uniform_int_distribution<int> stretch(5, 60);
  std::uniform_int_distribution<int> percent(0, 99);
  while (static_cast<long>(s.size()) < length) {
    const std::u16string unit = randomText(rng, u"ACGT", period(rng));
    for (int i = stretch(rng); i > 0; --i)
      s.push_back(unit[static_cast<std::size_t>(i) % unit.size()]);
  }
  s.resize(static_cast<std::size_t>(length));
  for (auto& c : s) {
    if (percent(rng) < 4) c = randomText(rng, u"ACGT", 1)[0];
  }
  return s;
}

// Copies stretches of the source into the target: forward or as the opposite strand, exact or
// with about one symbol in ten changed.
void plantCopies(std::mt19937& rng, const std::u16string& source, std::u16string& target,
                 bool complement, const std::u16string& alphabet, int copies) {
  if (source.empty() || target.empty()) return;
  std::uniform_int_distribution<int> percent(0, 99);
  for (int n = 0; n < copies; ++n) {
    const long most = static_cast<long>(std::min(source.size(), target.size()));
    const long length = std::uniform_int_distribution<long>(1, std::max(1L, most))(rng);
    const long from =
        std::uniform_int_distribution<long>(0, static_cast<long>(source.size()) - length)(rng);
    const long to =
        std::uniform_int_distribution<long>(0, static_cast<long>(target.size()) - length)(rng);
    std::u16string piece =
        source.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
    if (percent(rng) < 40) piece = opposite(piece, complement);
    if (percent(rng) < 40) {
      for (auto& c : piece) {
        if (percent(rng) < 10) c = randomText(rng, alphabet, 1)[0];
      }
    }
    target.replace(static_cast<std::size_t>(to), piece.size(), piece);
  }
}

enum class Kind { Dna, Protein, LowComplexity, RepeatRich, SelfPlot, WideUnits };

struct Plot {
  std::u16string h, v, hr, vr;
  DotPlotStrands strands() const { return {h, v, hr, vr}; }
};

Plot makePlot(std::mt19937& rng, Kind kind, long lh, long lv) {
  const std::u16string dna = u"ACGT";
  const std::u16string protein = u"ACDEFGHIKLMNPQRSTVWY";
  Plot p;
  bool complement = true;
  switch (kind) {
    case Kind::Dna:
      p.h = randomText(rng, dna, lh);
      p.v = randomText(rng, dna, lv);
      break;
    case Kind::Protein:
      p.h = randomText(rng, protein, lh);
      p.v = randomText(rng, protein, lv);
      plantCopies(rng, p.h, p.v, false, protein, 2);
      complement = false;
      break;
    case Kind::LowComplexity:
      p.h = lowComplexity(rng, lh);
      p.v = lowComplexity(rng, lv);
      break;
    case Kind::RepeatRich:
      p.h = randomText(rng, dna, lh);
      p.v = randomText(rng, dna, lv);
      plantCopies(rng, p.h, p.h, true, dna, 2);
      plantCopies(rng, p.h, p.v, true, dna, 4);
      break;
    case Kind::SelfPlot:
      p.h = randomText(rng, dna, lh);
      plantCopies(rng, p.h, p.h, true, dna, 3);
      p.v = p.h;
      break;
    case Kind::WideUnits: {
      std::u16string units;
      for (int c = 0; c < 300; ++c) units.push_back(static_cast<char16_t>(0x0100 + c * 7));
      units += u"ABAB";
      p.h = randomText(rng, units, lh);
      p.v = randomText(rng, units, lv);
      plantCopies(rng, p.h, p.v, false, units, 3);
      complement = false;
      break;
    }
  }
  p.hr = opposite(p.h, complement);
  p.vr = opposite(p.v, complement);
  return p;
}

// The highest count of a routine's cells.
int topOf(const DotPlotRoutine& routine, int window) {
  return routine.evaluation == meSummed ? window * strandPairCount(routine.strands) : window;
}

Reference floored(Reference ref, int floor) {
  for (int& c : ref.counts) c = c > floor ? c : 0;
  return ref;
}

// The grid against the reference over the grid's rectangle: cell by cell when exact, else each
// bin holding the highest count of its cells. Reports the first difference.
QString gridMismatch(const DotPlotGrid& grid, const Reference& ref) {
  for (int by = 0; by < grid.binsY(); ++by) {
    for (int bx = 0; bx < grid.binsX(); ++bx) {
      int highest = -1;
      for (std::int64_t y = grid.binCellY0(by); y < grid.binCellY0(by + 1); ++y) {
        for (std::int64_t x = grid.binCellX0(bx); x < grid.binCellX0(bx + 1); ++x) {
          highest = std::max(highest, ref.at(static_cast<long>(x), static_cast<long>(y)));
        }
      }
      if (grid.at(bx, by) != highest) {
        return QStringLiteral("bin %1,%2 (cells from %3,%4): %5, expected %6")
            .arg(bx)
            .arg(by)
            .arg(grid.binCellX0(bx) + 1)
            .arg(grid.binCellY0(by) + 1)
            .arg(grid.at(bx, by))
            .arg(highest);
      }
    }
  }
  return {};
}

}  // namespace

class TestDotPlotFloor : public QObject {
  Q_OBJECT

 private slots:
  // The run every window above the floor holds: for every pattern of matches of windows up to
  // 14, the longest run of a window with more than F matches reaches the seed length, and some
  // window reaches no more (the length is the longest that can be asked).
  void seedLengthHoldsForEveryPattern() {
    for (int w = 1; w <= 14; ++w) {
      for (int f = 0; f < w; ++f) {
        const int k = seedLength(w, f);
        int shortest = w + 1;
        for (unsigned pattern = 0; pattern < (1U << w); ++pattern) {
          if (std::popcount(pattern) <= f) continue;
          int longest = 0;
          int run = 0;
          for (int m = 0; m < w; ++m) {
            run = (pattern >> m) & 1U ? run + 1 : 0;
            longest = std::max(longest, run);
          }
          shortest = std::min(shortest, longest);
        }
        QVERIFY2(shortest == k, qPrintable(QStringLiteral("W=%1 F=%2: seed length %3, "
                                                          "shortest longest run %4")
                                               .arg(w)
                                               .arg(f)
                                               .arg(k)
                                               .arg(shortest)));
      }
    }
  }

  void floorArithmetic_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("floor");
    QTest::addColumn<int>("expectedPairFloor");
    QTest::addColumn<int>("expectedSeed");
    QTest::newRow("W 50, F 45") << 50 << int(dptDNABoth) << int(meHighest) << 45 << 45 << 10;
    QTest::newRow("W 12, full matches")
        << 12 << int(dptDNABoth) << int(meHighest) << 11 << 11 << 12;
    QTest::newRow("floor 0") << 100 << int(dptIdentity) << int(meHighest) << 0 << 0 << 1;
    QTest::newRow("half the window") << 100 << int(dptDNAHoriz) << int(meLowest) << 50 << 50 << 2;
    QTest::newRow("W 1") << 1 << int(dptDNAVerti) << int(meHighest) << 0 << 0 << 1;
    QTest::newRow("summed, three pairs") << 12 << int(dptDNABoth) << int(meSummed) << 10 << 3 << 1;
    QTest::newRow("summed, top of three")
        << 12 << int(dptDNABoth) << int(meSummed) << 35 << 11 << 12;
    QTest::newRow("summed, two pairs")
        << 12 << int(dptLiteralHoriz) << int(meSummed) << 23 << 11 << 12;
    QTest::newRow("summed identity") << 12 << int(dptIdentity) << int(meSummed) << 7 << 7 << 2;
  }

  void floorArithmetic() {
    QFETCH(int, window);
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QFETCH(int, floor);
    QFETCH(int, expectedPairFloor);
    QFETCH(int, expectedSeed);
    const StrandSet set = strandSetOf(static_cast<tDotPlotType>(type));
    const int pf = pairFloor(set, static_cast<tMatchEvaluation>(evaluation), floor);
    QCOMPARE(pf, expectedPairFloor);
    QCOMPARE(seedLength(window, pf), expectedSeed);
  }

  // Setting every count at or below floorForThumbs to 0 changes no colour of the palette, for
  // every pair of thumbs (crossed ones, and ramps too wide for a step, included) and every
  // highlighted level; the count just above it has another colour, so no higher floor is safe.
  void thumbsFloorKeepsEveryColour() {
    for (const int maxScore : {1, 2, 12, 36, 300}) {
      const int step = maxScore > 36 ? 7 : 1;
      for (int lo = 0; lo <= maxScore; lo += step) {
        for (int hi = 0; hi <= maxScore; hi += step) {
          for (const int highlight : {-1, 0, 1, maxScore / 2, maxScore}) {
            const int floor = floorForThumbs(lo, hi, maxScore, highlight);
            const QByteArray where = QStringLiteral("max %1 lo %2 hi %3 highlight %4 floor %5")
                                         .arg(maxScore)
                                         .arg(lo)
                                         .arg(hi)
                                         .arg(highlight)
                                         .arg(floor)
                                         .toUtf8();
            QVERIFY2(floor >= 0 && floor < maxScore, where.constData());
            auto palette = smoothGreyScale(lo, hi, maxScore, ColourFamily::Blue);
            if (highlight >= 0) palette[static_cast<std::size_t>(highlight)] = Rgb{255, 0, 0};
            for (int c = 0; c <= floor; ++c) {
              QVERIFY2(palette[static_cast<std::size_t>(c)] == palette[0], where.constData());
            }
            if (floor + 1 < maxScore) {
              QVERIFY2(!(palette[static_cast<std::size_t>(floor + 1)] == palette[0]),
                       where.constData());
            }
          }
        }
      }
    }
  }

  // Every candidate the index yields for an equal k-mer, and only ones whose hash matched: the
  // equal positions among them are exactly the plain search's.
  void kmerIndexFindsEveryEqualKmer_data() {
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("k");
    QTest::newRow("DNA k 1") << QStringLiteral("ACGT") << 1;
    QTest::newRow("DNA k 5") << QStringLiteral("ACGT") << 5;
    QTest::newRow("two letters k 9") << QStringLiteral("AB") << 9;
    QTest::newRow("one letter k 3") << QStringLiteral("A") << 3;
    QTest::newRow("protein k 2") << QStringLiteral("ACDEFGHIKLMNPQRSTVWY") << 2;
    QTest::newRow("long k") << QStringLiteral("AC") << 40;
  }

  void kmerIndexFindsEveryEqualKmer() {
    QFETCH(QString, alphabet);
    QFETCH(int, k);
    std::mt19937 rng(static_cast<unsigned>(k) * 31U + static_cast<unsigned>(alphabet.size()));
    const std::u16string letters = alphabet.toStdU16String();
    const std::u16string a = randomText(rng, letters, 300);
    const std::u16string b = randomText(rng, letters, 200) + a.substr(50, 90);
    const std::int64_t begin = 7;
    const std::int64_t end = static_cast<std::int64_t>(a.size()) - k + 1 - 5;
    const KmerIndex index(a, begin, end, k);
    QCOMPARE(index.size(), end - begin);
    const RollingHash& rolling = index.hash();
    std::uint64_t hash = rolling.first(b.data());
    for (std::size_t j = 0; j + static_cast<std::size_t>(k) <= b.size(); ++j) {
      if (j > 0) hash = rolling.roll(hash, b[j - 1], b[j + static_cast<std::size_t>(k) - 1]);
      QCOMPARE(hash, rolling.first(b.data() + j));
      std::vector<std::int64_t> found;
      index.forEachCandidate(RollingHash::mix(hash), [&](std::int64_t i) {
        if (a.compare(static_cast<std::size_t>(i), static_cast<std::size_t>(k), b, j,
                      static_cast<std::size_t>(k)) == 0) {
          found.push_back(i);
        }
      });
      std::sort(found.begin(), found.end());
      std::vector<std::int64_t> expected;
      for (std::int64_t i = begin; i < end; ++i) {
        if (a.compare(static_cast<std::size_t>(i), static_cast<std::size_t>(k), b, j,
                      static_cast<std::size_t>(k)) == 0) {
          expected.push_back(i);
        }
      }
      QVERIFY2(found == expected, qPrintable(QStringLiteral("position %1").arg(j)));
      QVERIFY(index.bucketSize(RollingHash::mix(hash)) >= expected.size());
    }
  }

  // Both paths against the plain loops with the floor applied: every routine, windows 1 to 100,
  // floors over the whole scale, exact and binned grids, regions, 1 to 3 threads.
  void bothPathsMatchTheFlooredReference_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("DNA") << int(Kind::Dna) << 101U;
    QTest::newRow("protein") << int(Kind::Protein) << 102U;
    QTest::newRow("low complexity") << int(Kind::LowComplexity) << 103U;
    QTest::newRow("repeat-rich") << int(Kind::RepeatRich) << 104U;
    QTest::newRow("self plot") << int(Kind::SelfPlot) << 105U;
    QTest::newRow("wide code units") << int(Kind::WideUnits) << 106U;
  }

  void bothPathsMatchTheFlooredReference() {
    QFETCH(int, kind);
    QFETCH(unsigned, seed);
    std::mt19937 rng(seed);
    for (int round = 0; round < 14; ++round) {
      const int w = round == 0 ? 1 : round == 1 ? 100 : std::uniform_int_distribution(1, 100)(rng);
      std::uniform_int_distribution<long> length(std::max(0, w - 1), w + 60);
      const Plot plot = makePlot(rng, static_cast<Kind>(kind), length(rng), length(rng));
      for (const DotPlotRoutine& routine : kDotPlotRoutines) {
        const StrandSet set = routine.strands;
        const int top = topOf(routine, w);
        // Floors from the whole scale, and often near the top where the seeds are long.
        const int floor = round % 2 == 0 ? std::uniform_int_distribution(0, top - 1)(rng)
                                         : std::uniform_int_distribution(
                                               std::max(0, top - 1 - w / 4), top - 1)(rng);
        const Reference ref = floored(
            referencePlot(plot.h, plot.v, plot.hr, plot.vr, w, set, routine.evaluation), floor);
        DotPlotComputeRequest request = routineRequest(plot.strands(), w);
        request.floor = floor;
        request.threads = 1 + round % 3;
        if (round % 3 == 1) {
          request.exactBudgetCells = 0;
          request.maxBinsPerSide = std::uniform_int_distribution(1, 17)(rng);
        }
        if (ref.filled && round % 4 >= 2) {
          std::uniform_int_distribution<long> x(-3, ref.nH);
          std::uniform_int_distribution<long> y(-3, ref.nV);
          const long x0 = x(rng);
          const long y0 = y(rng);
          request.region = CellRect{x0, y0, x(rng) + 3, y(rng) + 3};
        }
        for (const FloorPath path : {FloorPath::Seeded, FloorPath::FullSweep}) {
          request.floorPath = path;
          const DotPlotComputeResult result = routine.compute(request);
          const QByteArray where =
              QStringLiteral("%1 W=%2 F=%3 Lh=%4 Lv=%5 %6 threads=%7 bins=%8x%9 at %10,%11")
                  .arg(QLatin1String(routine.name))
                  .arg(w)
                  .arg(floor)
                  .arg(plot.h.size())
                  .arg(plot.v.size())
                  .arg(path == FloorPath::Seeded ? "seeded" : "sweep")
                  .arg(request.threads)
                  .arg(result.grid.binsX())
                  .arg(result.grid.binsY())
                  .arg(result.grid.cells().x)
                  .arg(result.grid.cells().y)
                  .toUtf8();
          QVERIFY2(result.status == (ref.filled ? DotPlotStatus::Filled : DotPlotStatus::TooShort),
                   where.constData());
          if (!ref.filled) continue;
          QCOMPARE(result.floor, floor);
          if (!result.grid.isEmpty()) {
            const FloorPath taken =
                floor > 0 && path == FloorPath::Seeded ? FloorPath::Seeded : FloorPath::FullSweep;
            QVERIFY2(result.path == taken, where.constData());
          }
          const QString mismatch = gridMismatch(result.grid, ref);
          QVERIFY2(mismatch.isEmpty(), (where + ": " + mismatch.toUtf8()).constData());
          if (path == FloorPath::Seeded && floor > 0 && !result.grid.isEmpty()) {
            // The same cells as a list, row by row.
            const CellRect r = result.grid.cells();
            const SeededRequest seeded{plot.strands(), w, set, routine.evaluation, floor, path,
                                       request.threads};
            const SeededCells listed = seededCells(seeded, r, {});
            QVERIFY2(listed.outcome.computed, where.constData());
            std::vector<FlooredCell> expected;
            for (std::int64_t y = r.y; y < r.y + r.height; ++y) {
              for (std::int64_t x = r.x; x < r.x + r.width; ++x) {
                const int c = ref.at(static_cast<long>(x), static_cast<long>(y));
                if (c > 0) expected.push_back({x, y, c});
              }
            }
            QVERIFY2(listed.cells == expected, where.constData());
          }
        }
      }
    }
  }

  // Plots too large for the plain loops: the two paths against each other on repeat-rich DNA,
  // binned and exact, with the floors where the seeded path pays.
  void seededMatchesTheSweepOnLargerPlots_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("binned");
    QTest::newRow("W 12, exact") << 12 << int(Kind::RepeatRich) << false;
    QTest::newRow("W 50, binned") << 50 << int(Kind::RepeatRich) << true;
    QTest::newRow("W 100, self, binned") << 100 << int(Kind::SelfPlot) << true;
    QTest::newRow("W 30, low complexity, exact") << 30 << int(Kind::LowComplexity) << false;
  }

  void seededMatchesTheSweepOnLargerPlots() {
    QFETCH(int, window);
    QFETCH(int, kind);
    QFETCH(bool, binned);
    std::mt19937 rng(static_cast<unsigned>(window * 7 + kind));
    const Plot plot = makePlot(rng, static_cast<Kind>(kind), 1000, 900);
    for (const DotPlotRoutine& routine : kDotPlotRoutines) {
      DotPlotComputeRequest request = routineRequest(plot.strands(), window);
      request.threads = 2;
      if (binned) {
        request.exactBudgetCells = 0;
        request.maxBinsPerSide = 97;
      }
      // Floors just below the plot's highest count, so that each one hides much and shows some.
      const DotPlotComputeResult full = routine.compute(request);
      const int highest = *std::max_element(full.grid.counts().begin(), full.grid.counts().end());
      QVERIFY(highest > 0);
      request.floor =
          std::uniform_int_distribution(std::max(0, highest - 1 - window / 3), highest - 1)(rng);
      request.floorPath = FloorPath::Seeded;
      const DotPlotComputeResult seeded = routine.compute(request);
      request.floorPath = FloorPath::FullSweep;
      const DotPlotComputeResult sweep = routine.compute(request);
      const QByteArray where =
          QStringLiteral("%1 F=%2").arg(QLatin1String(routine.name)).arg(request.floor).toUtf8();
      QVERIFY2(seeded.isFilled() && sweep.isFilled(), where.constData());
      QVERIFY2(seeded.path == FloorPath::Seeded, where.constData());
      QCOMPARE(seeded.grid.binsX(), sweep.grid.binsX());
      QCOMPARE(seeded.grid.binsY(), sweep.grid.binsY());
      QVERIFY2(seeded.grid.counts() == sweep.grid.counts(), where.constData());
    }
  }

  // The cost estimate: the seeded path where seeds are rare, the sweep where the floor is low
  // or the sequence repeats itself everywhere.
  void estimateChoosesThePath_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("floor");
    QTest::addColumn<bool>("seeded");
    QTest::newRow("DNA, W 50, F 45") << int(Kind::Dna) << 50 << 45 << true;
    QTest::newRow("DNA, full matches of 12") << int(Kind::Dna) << 12 << 11 << true;
    QTest::newRow("DNA, F 1") << int(Kind::Dna) << 50 << 1 << false;
    QTest::newRow("DNA, half the window") << int(Kind::Dna) << 50 << 25 << false;
    QTest::newRow("protein, W 20, F 10") << int(Kind::Protein) << 20 << 10 << true;
    QTest::newRow("low complexity, W 50, F 30") << int(Kind::LowComplexity) << 50 << 30 << false;
  }

  void estimateChoosesThePath() {
    QFETCH(int, kind);
    QFETCH(int, window);
    QFETCH(int, floor);
    QFETCH(bool, seeded);
    std::mt19937 rng(77);
    const Plot plot = makePlot(rng, static_cast<Kind>(kind), 300000, 300000);
    SeededRequest request;
    request.strands = plot.strands();
    request.window = window;
    request.set = StrandSet::BothRev;
    request.evaluation = meHighest;
    request.floor = floor;
    request.threads = 2;
    const std::int64_t n = 300000 - window + 1;
    const FloorCostEstimate estimate = estimateFloorCost(request, CellRect{0, 0, n, n});
    QVERIFY(estimate.sweepSeconds > 0);
    QVERIFY2(estimate.seeded == seeded, qPrintable(QStringLiteral("sweep %1 s, seeded %2 s")
                                                       .arg(estimate.sweepSeconds)
                                                       .arg(estimate.seededSeconds)));
    if (seeded) QVERIFY(estimate.seededSeconds < estimate.sweepSeconds);
  }

  // Asked for the highest floor that shows something, both paths settle on one below the
  // highest count (at most the cap) and give the counts above it.
  void lowerFloorUntilShown_data() {
    QTest::addColumn<QString>("h");
    QTest::addColumn<QString>("v");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("cap");
    QTest::addColumn<int>("expectedFloor");
    QTest::newRow("a full match") << QStringLiteral("ACGTTGCAAG") << QStringLiteral("TTACGTTGCA")
                                  << 6 << 5 << 5;
    QTest::newRow("best window 4 of 6")
        << QStringLiteral("AAAAAAAAAA") << QStringLiteral("AACAACAACAAC") << 6 << 5 << 3;
    QTest::newRow("nothing matches")
        << QStringLiteral("AAAAAAAA") << QStringLiteral("CCCCCCC") << 3 << 2 << 0;
    QTest::newRow("cap below the best")
        << QStringLiteral("ACGTACGT") << QStringLiteral("ACGTACGT") << 4 << 2 << 2;
  }

  void lowerFloorUntilShown() {
    QFETCH(QString, h);
    QFETCH(QString, v);
    QFETCH(int, window);
    QFETCH(int, cap);
    QFETCH(int, expectedFloor);
    const std::u16string hs = h.toStdU16String();
    const std::u16string vs = v.toStdU16String();
    const std::u16string hr = opposite(hs, true);
    const std::u16string vr = opposite(vs, true);
    for (const FloorPath path : {FloorPath::Seeded, FloorPath::FullSweep}) {
      DotPlotComputeRequest request = routineRequest({hs, vs, hr, vr}, window);
      request.type = dptIdentity;
      request.floor = cap;
      request.lowerFloorUntilShown = true;
      request.floorPath = path;
      const DotPlotComputeResult result = computeDotPlot(request);
      QVERIFY(result.isFilled());
      QCOMPARE(result.floor, expectedFloor);
      const Reference ref = floored(
          referencePlot(hs, vs, hr, vr, window, StrandSet::Forward, meHighest), expectedFloor);
      const QString mismatch = gridMismatch(result.grid, ref);
      QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
  }

  // Floors outside 0 … MaxScore − 1 are refused like any request the engine cannot compute.
  void floorsOutsideTheScaleAreRefused_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("floor");
    QTest::addColumn<bool>("filled");
    QTest::newRow("below 0") << int(dptIdentity) << int(meHighest) << -1 << false;
    QTest::newRow("MaxScore") << int(dptDNABoth) << int(meHighest) << 8 << false;
    QTest::newRow("MaxScore - 1") << int(dptDNABoth) << int(meHighest) << 7 << true;
    QTest::newRow("summed MaxScore - 1") << int(dptDNABoth) << int(meSummed) << 23 << true;
    QTest::newRow("summed MaxScore") << int(dptDNABoth) << int(meSummed) << 24 << false;
  }

  void floorsOutsideTheScaleAreRefused() {
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QFETCH(int, floor);
    QFETCH(bool, filled);
    const std::u16string s = u"ACGTACGTTTGACCA";
    const std::u16string r = opposite(s, true);
    DotPlotComputeRequest request = routineRequest({s, s, r, r}, 8);
    request.type = static_cast<tDotPlotType>(type);
    request.evaluation = static_cast<tMatchEvaluation>(evaluation);
    request.floor = floor;
    const DotPlotComputeResult result = computeDotPlot(request);
    QCOMPARE(result.status, filled ? DotPlotStatus::Filled : DotPlotStatus::Refused);
    QCOMPARE(result.grid.isEmpty(), !filled);
  }

  // The progress callback stops the seeded path: the result is cancelled and empty, and every
  // reported fraction lay in 0 … 1.
  void cancellingTheSeededPath() {
    std::mt19937 rng(5);
    const Plot plot = makePlot(rng, Kind::Dna, 100000, 100000);
    DotPlotComputeRequest request = routineRequest(plot.strands(), 20);
    request.type = dptDNABoth;
    request.floor = 14;  // seeds of 3: many, so that the path runs long enough to be stopped
    request.floorPath = FloorPath::Seeded;
    request.threads = 2;
    std::vector<double> reported;
    request.progress = [&](double fraction) {
      reported.push_back(fraction);
      return false;
    };
    const DotPlotComputeResult result = computeDotPlot(request);
    QCOMPARE(result.status, DotPlotStatus::Cancelled);
    QVERIFY(result.grid.isEmpty());
    QVERIFY(!reported.empty());
    for (const double f : reported) QVERIFY(f >= 0 && f <= 1);
  }
};

DUVANET_TEST(TestDotPlotFloor)

}  // namespace duvanet::engine

#include "tst_DotPlotFloor.moc"

#include <QTest>
#include <random>
#include <string>
#include <vector>

#include "PlainDotPlot.h"
#include "PlainHitSegments.h"
#include "TestRegistry.h"
#include "engine/HitSegments.h"

using namespace duvanet::engine;
using duvanet::testing::opposite;
using duvanet::testing::plainHitSegments;

namespace {

struct Strands {
  std::u16string h, v, hr, vr;
  DotPlotStrands view() const { return {h, v, hr, vr}; }
};

Strands strandsOf(const std::u16string& h, const std::u16string& v, tDotPlotType type) {
  const bool complement = isDnaType(type);
  return {h, v, opposite(h, complement), opposite(v, complement)};
}

std::u16string randomText(std::mt19937& rng, const std::u16string& alphabet, long length) {
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::u16string s;
  for (long i = 0; i < length; ++i) s.push_back(alphabet[pick(rng)]);
  return s;
}

// Code units 0x100 … 0x1FF and more: too many distinct symbols to be recoded to bytes.
std::u16string wideAlphabet() {
  std::u16string a;
  for (char16_t c = 0x100; c < 0x100 + 300; ++c) a.push_back(c);
  return a;
}

QString describe(const HitSegment& s) {
  return QStringLiteral("%1 h %2-%3 v %4-%5 cells %6 best %7 matches %8")
      .arg(QString::fromLatin1(strandPairName(s.pair)))
      .arg(s.hStart)
      .arg(s.hEnd)
      .arg(s.vStart)
      .arg(s.vEnd)
      .arg(s.cells)
      .arg(s.best)
      .arg(s.matches);
}

// The first difference between two segment lists, or nothing.
QString firstDifference(const std::vector<HitSegment>& got, const std::vector<HitSegment>& want) {
  for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    if (i >= got.size()) return QStringLiteral("missing #%1: %2").arg(i).arg(describe(want[i]));
    if (i >= want.size()) return QStringLiteral("extra #%1: %2").arg(i).arg(describe(got[i]));
    if (!(got[i] == want[i])) {
      return QStringLiteral("#%1: %2, expected %3").arg(i).arg(describe(got[i]), describe(want[i]));
    }
  }
  return {};
}

HitSegmentRequest requestOf(const Strands& s, int w, tDotPlotType type, int n, int threads) {
  HitSegmentRequest r;
  r.strands = s.view();
  r.windowSize = w;
  r.type = type;
  r.minCount = n;
  r.threads = threads;
  return r;
}

}  // namespace

class HitSegmentsTest : public QObject {
  Q_OBJECT

 private slots:
  // Random sequences of every type against the plain loops: windows 1 to 20 and beyond a byte,
  // thresholds from 1 to W, sequences shorter than the window, as long as it, one longer, and
  // larger; small alphabets give long runs, a wide one takes the 16-bit path; several threads
  // split the rows so that runs cross from one block into the next.
  void matchesPlainLoops_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<int>("lh");
    QTest::addColumn<int>("lv");
    QTest::addColumn<QString>("alphabet");
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("seed");
    const QString dna = QStringLiteral("ACGT");
    const QString binary = QStringLiteral("AT");
    int seed = 1;
    for (int type = 0; type <= 6; ++type) {
      for (const int w : {1, 2, 3, 5, 8, 13, 20}) {
        for (const int n : {1, (w + 1) / 2, w}) {
          const QString& alphabet = (w + n) % 2 ? binary : dna;
          const int threads = 1 + (seed % 4);
          QTest::addRow("type %d W %d N %d", type, w, n)
              << type << w << n << 37 + seed % 11 << 29 + seed % 7 << alphabet << threads << seed;
          ++seed;
        }
        QTest::addRow("type %d W %d shorter than the window", type, w)
            << type << w << 1 << w - 1 << w + 3 << dna << 2 << seed++;
        QTest::addRow("type %d W %d as long as the window", type, w)
            << type << w << 1 << w << w << binary << 2 << seed++;
        QTest::addRow("type %d W %d one longer than the window", type, w)
            << type << w << std::max(1, w - 1) << w + 1 << w + 1 << binary << 3 << seed++;
        QTest::addRow("type %d W %d a single row", type, w)
            << type << w << 1 << w + 30 << w << binary << 4 << seed++;
        QTest::addRow("type %d W %d a single column", type, w)
            << type << w << 1 << w << w + 30 << binary << 4 << seed++;
      }
      QTest::addRow("type %d one symbol, every cell a hit", type)
          << type << 4 << 4 << 40 << 33 << QStringLiteral("A") << 3 << seed++;
      QTest::addRow("type %d 16-bit symbols", type)
          << type << 3 << 1 << 60 << 50 << QStringLiteral("wide") << 2 << seed++;
      QTest::addRow("type %d window beyond a byte", type)
          << type << 300 << 160 << 340 << 320 << binary << 3 << seed++;
      QTest::addRow("type %d many threads", type)
          << type << 6 << 3 << 120 << 90 << binary << 7 << seed++;
    }
  }

  void matchesPlainLoops() {
    QFETCH(int, type);
    QFETCH(int, window);
    QFETCH(int, threshold);
    QFETCH(int, lh);
    QFETCH(int, lv);
    QFETCH(QString, alphabet);
    QFETCH(int, threads);
    QFETCH(int, seed);
    std::mt19937 rng(static_cast<unsigned>(seed));
    const std::u16string letters =
        alphabet == QStringLiteral("wide") ? wideAlphabet() : alphabet.toStdU16String();
    const auto t = static_cast<tDotPlotType>(type);
    const Strands s = strandsOf(randomText(rng, letters, std::max(lh, 0)),
                                randomText(rng, letters, std::max(lv, 0)), t);
    const HitSegmentResult result = findHitSegments(requestOf(s, window, t, threshold, threads));
    const auto want = plainHitSegments(s.h, s.v, s.hr, s.vr, window, t, threshold);
    const bool plotted = lh >= window && lv >= window;
    QCOMPARE(result.filled, plotted);
    QCOMPARE(result.plotWidth, plotted ? std::int64_t{lh - window + 1} : 0);
    QCOMPARE(result.total, static_cast<std::int64_t>(want.size()));
    QCOMPARE(firstDifference(result.segments, want), QString());
    for (const HitSegment& seg : result.segments) {
      QVERIFY(seg.best >= threshold);
      QVERIFY(seg.best <= window);
    }
  }

  // A planted stretch, worked out by hand: V holds H = ACGTACGT at 4 … 11, and ACGTACGT is its
  // own reverse complement, so the forward pair and both opposite pairs find it.
  void plantedStretch() {
    const std::u16string h = u"ACGTACGT";
    const std::u16string v = u"GGGACGTACGTGG";
    const Strands s = strandsOf(h, v, dptDNABoth);
    const HitSegmentResult r = findHitSegments(requestOf(s, 4, dptDNABoth, 4, 1));
    QVERIFY(r.filled);
    // Each pair runs over the same 8 × 8 block, the forward one along its diagonal, the
    // opposite ones along its anti-diagonal.
    std::vector<HitSegment> want = {
        {StrandPair::Forward, 1, 8, 4, 11, 5, 4, 8},
        {StrandPair::HorizontalOpposite, 1, 8, 4, 11, 5, 4, 8},
        {StrandPair::VerticalOpposite, 1, 8, 4, 11, 5, 4, 8},
    };
    // Shorter runs elsewhere come from the plain loops; the planted ones must be among them.
    const auto plain = plainHitSegments(s.h, s.v, s.hr, s.vr, 4, dptDNABoth, 4);
    QCOMPARE(firstDifference(r.segments, plain), QString());
    for (const HitSegment& w : want) {
      QVERIFY2(std::find(r.segments.begin(), r.segments.end(), w) != r.segments.end(),
               qPrintable(describe(w)));
    }
    // First cells: top-left of the forward run, top-right of the horizontal opposite run,
    // bottom-left of the vertical opposite run.
    QCOMPARE(firstCellOf(want[0], 4), (CellPosition{1, 4}));
    QCOMPARE(firstCellOf(want[1], 4), (CellPosition{5, 4}));
    QCOMPARE(firstCellOf(want[2], 4), (CellPosition{1, 8}));
  }

  // A run broken by one mismatch: the window W = 3 over AAAAAAA against AAACAAA. With N = 3
  // only windows free of the C hit; with N = 2 the whole diagonal is one run.
  void thresholdSplitsRun_data() {
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QString>("expected");
    QTest::newRow("N 3") << 3
                         << QStringLiteral(
                                "forward h 1-3 v 1-3 cells 1 best 3 matches 3;"
                                "forward h 5-7 v 5-7 cells 1 best 3 matches 3");
    QTest::newRow("N 2") << 2 << QStringLiteral("forward h 1-7 v 1-7 cells 5 best 3 matches 6");
  }
  void thresholdSplitsRun() {
    QFETCH(int, threshold);
    QFETCH(QString, expected);
    const Strands s = strandsOf(u"AAAAAAA", u"AAACAAA", dptIdentity);
    const HitSegmentResult r = findHitSegments(requestOf(s, 3, dptIdentity, threshold, 1));
    QStringList got;
    for (const HitSegment& seg : r.segments) {
      if (seg.hStart - seg.vStart == 0) got << describe(seg);
    }
    QCOMPARE(got.join(QLatin1Char(';')), expected);
  }

  // A region cuts runs at its edges, in both directions of every pair.
  void regionCutsRuns_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("threads");
    for (int type = 0; type <= 6; ++type) {
      QTest::addRow("type %d one thread", type) << type << 1;
      QTest::addRow("type %d three threads", type) << type << 3;
    }
  }
  void regionCutsRuns() {
    QFETCH(int, type);
    QFETCH(int, threads);
    std::mt19937 rng(static_cast<unsigned>(100 + type));
    const auto t = static_cast<tDotPlotType>(type);
    const Strands s = strandsOf(randomText(rng, u"AT", 70), randomText(rng, u"AT", 64), t);
    HitSegmentRequest request = requestOf(s, 4, t, 3, threads);
    request.region = CellRect{9, 5, 40, 33};
    const HitSegmentResult r = findHitSegments(request);
    const auto want = plainHitSegments(s.h, s.v, s.hr, s.vr, 4, t, 3, 10, 6, 49, 38);
    QCOMPARE(firstDifference(r.segments, want), QString());
    QVERIFY(!want.empty());
    // A region beyond the plot is clipped; one outside it finds nothing.
    request.region = CellRect{-20, 50, 1000, 1000};
    const HitSegmentResult clipped = findHitSegments(request);
    QCOMPARE(firstDifference(clipped.segments,
                             plainHitSegments(s.h, s.v, s.hr, s.vr, 4, t, 3, 1, 51, 67, 61)),
             QString());
    request.region = CellRect{500, 0, 10, 10};
    const HitSegmentResult outside = findHitSegments(request);
    QVERIFY(outside.filled);
    QVERIFY(outside.segments.empty());
    QCOMPARE(outside.total, 0);
  }

  // A cap keeps the first segments in order and still counts all of them.
  void capKeepsTheFirst_data() {
    QTest::addColumn<int>("cap");
    QTest::addColumn<int>("threads");
    for (const int cap : {0, 1, 7, 150, 100000}) {
      QTest::addRow("cap %d", cap) << cap << 2;
      QTest::addRow("cap %d, five threads", cap) << cap << 5;
    }
  }
  void capKeepsTheFirst() {
    QFETCH(int, cap);
    QFETCH(int, threads);
    std::mt19937 rng(7);
    const Strands s =
        strandsOf(randomText(rng, u"ACGT", 300), randomText(rng, u"ACGT", 260), dptDNABoth);
    HitSegmentRequest request = requestOf(s, 5, dptDNABoth, 3, threads);
    const HitSegmentResult all = findHitSegments(request);
    request.maxSegments = cap;
    const HitSegmentResult capped = findHitSegments(request);
    QCOMPARE(capped.total, all.total);
    QVERIFY(all.total > 150);
    const std::size_t kept =
        std::min<std::size_t>(static_cast<std::size_t>(cap), all.segments.size());
    const std::vector<HitSegment> first(all.segments.begin(),
                                        all.segments.begin() + static_cast<std::ptrdiff_t>(kept));
    QCOMPARE(firstDifference(capped.segments, first), QString());
  }

  // Requests the search refuses.
  void refusals_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<bool>("shortOpposite");
    QTest::newRow("threshold 0") << 4 << 0 << false;
    QTest::newRow("threshold above the window") << 4 << 5 << false;
    QTest::newRow("window 0") << 0 << 1 << false;
    QTest::newRow("opposite strand of another length") << 4 << 2 << true;
  }
  void refusals() {
    QFETCH(int, window);
    QFETCH(int, threshold);
    QFETCH(bool, shortOpposite);
    Strands s = strandsOf(u"ACGTACGTAC", u"ACGTACGT", dptDNABoth);
    if (shortOpposite) s.vr.pop_back();
    const HitSegmentResult r = findHitSegments(requestOf(s, window, dptDNABoth, threshold, 1));
    QVERIFY(!r.filled);
    QVERIFY(!r.cancelled);
    QVERIFY(r.segments.empty());
  }

  // A false answer from the progress callback stops the search and reports it cancelled.
  void cancelStops() {
    std::mt19937 rng(3);
    const Strands s =
        strandsOf(randomText(rng, u"ACGT", 20000), randomText(rng, u"ACGT", 20000), dptDNABoth);
    HitSegmentRequest request = requestOf(s, 12, dptDNABoth, 12, 1);
    int asked = 0;
    request.progress = [&](double fraction) {
      ++asked;
      return fraction < 0;  // stop at the first question
    };
    const HitSegmentResult r = findHitSegments(request);
    QVERIFY(asked >= 1);
    QVERIFY(r.cancelled);
    QVERIFY(!r.filled);
    QVERIFY(r.segments.empty());
  }
};

DUVANET_TEST(HitSegmentsTest)
#include "tst_HitSegments.moc"

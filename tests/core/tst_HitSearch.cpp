#include <QSignalSpy>
#include <QTest>
#include <random>
#include <string>

#include "TestRegistry.h"
#include "core/HitSearch.h"

using duvanet::core::HitSearch;
using namespace duvanet::engine;

namespace {

std::u16string randomDna(std::mt19937& rng, std::size_t length) {
  static const char16_t kBases[] = u"ACGT";
  std::uniform_int_distribution<int> pick(0, 3);
  std::u16string s(length, u'A');
  for (auto& c : s) c = kBases[pick(rng)];
  return s;
}

HitSegmentRequest requestOver(const std::u16string& h, const std::u16string& v, int n) {
  HitSegmentRequest r;
  r.strands = {h, v, {}, {}};
  r.windowSize = 6;
  r.type = dptIdentity;
  r.minCount = n;
  return r;
}

}  // namespace

class HitSearchTest : public QObject {
  Q_OBJECT

 private slots:
  // The result arrives on the object's thread, the same as a search in place.
  void deliversTheResult() {
    std::mt19937 rng(5);
    const std::u16string h = randomDna(rng, 400);
    const std::u16string v = randomDna(rng, 300);
    HitSearch search;
    QSignalSpy spy(&search, &HitSearch::finished);
    search.start(requestOver(h, v, 5));
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.count(), 1);
    const auto result = spy.at(0).at(0).value<HitSegmentResult>();
    const HitSegmentResult direct = findHitSegments(requestOver(h, v, 5));
    QVERIFY(result.filled);
    QVERIFY(result.total > 0);
    QCOMPARE(result.total, direct.total);
    QVERIFY(result.segments == direct.segments);
    QVERIFY(!search.isRunning());
  }

  // A new search replaces the one under way: only the last one's result is delivered.
  void restartDropsTheEarlierResult() {
    std::mt19937 rng(6);
    const std::u16string h = randomDna(rng, 3000);
    const std::u16string v = randomDna(rng, 3000);
    HitSearch search;
    QSignalSpy spy(&search, &HitSearch::finished);
    search.start(requestOver(h, v, 4));
    search.start(requestOver(h, v, 6));
    QVERIFY(spy.wait(20000));
    QTest::qWait(50);
    QCOMPARE(spy.count(), 1);
    const auto result = spy.at(0).at(0).value<HitSegmentResult>();
    QCOMPARE(result.total, findHitSegments(requestOver(h, v, 6)).total);
  }

  // Cancelled searches say nothing, and the object can go while one runs.
  void cancelSaysNothing() {
    std::mt19937 rng(7);
    const std::u16string h = randomDna(rng, 6000);
    const std::u16string v = randomDna(rng, 6000);
    {
      HitSearch search;
      QSignalSpy spy(&search, &HitSearch::finished);
      search.start(requestOver(h, v, 3));
      search.cancel();
      QVERIFY(!search.isRunning());
      QTest::qWait(100);
      QCOMPARE(spy.count(), 0);
    }
    auto* running = new HitSearch;
    running->start(requestOver(h, v, 3));
    delete running;  // waits for its thread
  }
};

DUVANET_TEST(HitSearchTest)
#include "tst_HitSearch.moc"

#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

#include "TestRegistry.h"
#include "core/DotPlotComputation.h"
#include "engine/DotPlotEngine.h"

namespace duvanet::core {

using duvanet::core::ComputationControl;
using duvanet::core::DotPlotComputation;
using namespace duvanet::engine;

namespace {

struct OwnedStrands {
  std::u16string horiz, verti, horizRev, vertiRev;
};

std::shared_ptr<OwnedStrands> strands(const std::u16string& horiz, const std::u16string& verti) {
  auto owned = std::make_shared<OwnedStrands>();
  owned->horiz = horiz;
  owned->verti = verti;
  owned->horizRev.assign(horiz.rbegin(), horiz.rend());
  owned->vertiRev.assign(verti.rbegin(), verti.rend());
  return owned;
}

DotPlotComputeRequest requestOver(const OwnedStrands& owned, tDotPlotType type, int window) {
  DotPlotComputeRequest request;
  request.strands = {owned.horiz, owned.verti, owned.horizRev, owned.vertiRev};
  request.type = type;
  request.windowSize = window;
  request.threads = 2;
  return request;
}

// A task that runs until it is stopped, and says so.
DotPlotComputation::Task untilStopped(std::atomic<bool>& started, std::atomic<bool>& sawStop) {
  return [&started, &sawStop](ComputationControl& control) {
    started = true;
    while (control.keepGoing()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    sawStop = true;
    return QVariant(QStringLiteral("stopped task"));
  };
}

}  // namespace

class TestDotPlotComputation : public QObject {
  Q_OBJECT

 private slots:
  // The grid that arrives is the engine's grid of the request, under the job id start gave.
  void finishedCarriesTheGrid() {
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::finished);
    QSignalSpy cancelled(&computation, &DotPlotComputation::cancelled);
    QSignalSpy failed(&computation, &DotPlotComputation::failed);
    const auto owned = strands(u"ACGTTGCAACGTAGCTAGGATCCGA", u"TTGCAACGTAGCAAGGATCCGATCG");
    const quint64 job = computation.start(requestOver(*owned, dptLiteralBoth, 4), owned);
    QVERIFY(job != 0);
    QCOMPARE(computation.currentJob(), job);
    QVERIFY(computation.isBusy());
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toULongLong(), job);
    const auto result = finished.at(0).at(1).value<DotPlotComputeResult>();
    const DotPlotComputeResult expected = computeDotPlot(requestOver(*owned, dptLiteralBoth, 4));
    QCOMPARE(result.status, DotPlotStatus::Filled);
    QCOMPARE(result.grid.cells(), expected.grid.cells());
    QVERIFY(result.grid.counts() == expected.grid.counts());
    QVERIFY(!computation.isBusy());
    QTest::qWait(20);
    QCOMPARE(cancelled.count(), 0);
    QCOMPARE(failed.count(), 0);
  }

  // A request the engine cannot fill still finishes: its status says why.
  void unfilledRequestsFinishWithTheirStatus_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<int>("status");
    QTest::newRow("too short") << 40 << int(DotPlotStatus::TooShort);
    QTest::newRow("refused") << 0 << int(DotPlotStatus::Refused);
  }
  void unfilledRequestsFinishWithTheirStatus() {
    QFETCH(int, window);
    QFETCH(int, status);
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::finished);
    QSignalSpy failed(&computation, &DotPlotComputation::failed);
    const auto owned = strands(u"ACGTACGT", u"ACGTACGTAC");
    computation.start(requestOver(*owned, dptDNAHoriz, window), owned);
    QVERIFY(finished.wait(5000));
    const auto result = finished.at(0).at(1).value<DotPlotComputeResult>();
    QCOMPARE(int(result.status), status);
    QVERIFY(result.grid.isEmpty());
    QCOMPARE(failed.count(), 0);
  }

  // Progress arrives in order, before the end, and no closer together than the interval.
  void progressIsReportedAndThrottled() {
    DotPlotComputation computation;
    computation.setProgressIntervalMs(40);
    QList<double> fractions;
    bool finishedSeen = false;
    bool progressAfterEnd = false;
    connect(&computation, &DotPlotComputation::progressed, this, [&](quint64, double fraction) {
      progressAfterEnd = progressAfterEnd || finishedSeen;
      fractions << fraction;
    });
    connect(&computation, &DotPlotComputation::taskFinished, this,
            [&](quint64, const QVariant&) { finishedSeen = true; });
    constexpr int kSteps = 300;
    computation.startTask([](ComputationControl& control) {
      for (int i = 0; i < kSteps; ++i) {
        control.report(double(i) / kSteps);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      return QVariant(42);
    });
    QTRY_VERIFY_WITH_TIMEOUT(finishedSeen, 10000);
    QVERIFY(!progressAfterEnd);
    QVERIFY(!fractions.isEmpty());
    // 300 reports over at least 300 ms, passed on at most every 40 ms.
    QVERIFY2(fractions.size() < kSteps / 4, qPrintable(QString::number(fractions.size())));
    QVERIFY(std::is_sorted(fractions.begin(), fractions.end()));
    QCOMPARE(fractions.front(), 0.0);
  }

  // An engine request reports the engine's progress while its workers count.
  void engineRequestReportsProgress() {
    DotPlotComputation computation;
    computation.setProgressIntervalMs(0);
    QSignalSpy progressed(&computation, &DotPlotComputation::progressed);
    QSignalSpy cancelled(&computation, &DotPlotComputation::cancelled);
    const auto owned = strands(std::u16string(40000, u'A'), std::u16string(40000, u'C'));
    DotPlotComputeRequest request = requestOver(*owned, dptDNABoth, 12);
    request.maxBinsPerSide = 256;
    const quint64 job = computation.start(request, owned);
    QTRY_VERIFY_WITH_TIMEOUT(progressed.count() >= 2, 20000);
    computation.cancel();
    QVERIFY(cancelled.wait(5000));
    double last = -1;
    for (const QList<QVariant>& report : progressed) {
      QCOMPARE(report.at(0).toULongLong(), job);
      const double fraction = report.at(1).toDouble();
      QVERIFY(fraction >= last && fraction < 1.0);
      last = fraction;
    }
  }

  // A new start stops the job under way; only the new job reports, the old one says nothing.
  void restartDropsTheOldResult() {
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::taskFinished);
    QSignalSpy cancelled(&computation, &DotPlotComputation::cancelled);
    std::atomic<bool> started{false}, sawStop{false};
    const quint64 first = computation.startTask(untilStopped(started, sawStop));
    QTRY_VERIFY(started.load());
    const quint64 second =
        computation.startTask([](ComputationControl&) { return QVariant(QStringLiteral("new")); });
    QVERIFY(second != first);
    QCOMPARE(computation.currentJob(), second);
    QVERIFY(finished.wait(5000));
    QVERIFY(sawStop.load());
    QTest::qWait(30);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toULongLong(), second);
    QCOMPARE(finished.at(0).at(1).toString(), QStringLiteral("new"));
    QCOMPARE(cancelled.count(), 0);
  }

  // Several restarts in a row: the jobs waiting in between never run.
  void restartsInARowRunTheLastJob() {
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::taskFinished);
    std::atomic<bool> started{false}, sawStop{false};
    computation.startTask(untilStopped(started, sawStop));
    QTRY_VERIFY(started.load());
    std::atomic<int> runs{0};
    quint64 last = 0;
    for (int i = 0; i < 5; ++i) {
      last = computation.startTask([&runs, i](ComputationControl&) {
        ++runs;
        return QVariant(i);
      });
    }
    QVERIFY(finished.wait(5000));
    QTest::qWait(30);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toULongLong(), last);
    QCOMPARE(finished.at(0).at(1).toInt(), 4);
    QVERIFY(runs.load() >= 1);
  }

  // Cancelling an engine request stops the engine and reports cancellation, no grid.
  void cancelReportsCancellation() {
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::finished);
    QSignalSpy cancelled(&computation, &DotPlotComputation::cancelled);
    QSignalSpy progressed(&computation, &DotPlotComputation::progressed);
    computation.setProgressIntervalMs(0);
    const auto owned = strands(std::u16string(40000, u'A'), std::u16string(40000, u'A'));
    DotPlotComputeRequest request = requestOver(*owned, dptDNABoth, 12);
    request.maxBinsPerSide = 256;
    const quint64 job = computation.start(request, owned);
    QVERIFY(progressed.wait(10000));
    computation.cancel();
    QVERIFY(cancelled.wait(5000));
    QCOMPARE(cancelled.at(0).at(0).toULongLong(), job);
    QVERIFY(computation.waitUntilIdle(5000));
    QTest::qWait(30);
    QCOMPARE(finished.count(), 0);
    QVERIFY(!computation.isBusy());
  }

  // A task that finishes although it was cancelled is still reported as cancelled, and a task
  // cancelled before the worker took it never runs.
  void cancelWinsOverALateResult() {
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::taskFinished);
    QSignalSpy cancelled(&computation, &DotPlotComputation::cancelled);
    std::atomic<bool> release{false};
    std::atomic<bool> started{false};
    computation.startTask([&](ComputationControl&) {
      started = true;
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return QVariant(1);  // ignores keepGoing()
    });
    QTRY_VERIFY(started.load());
    computation.cancel();
    release = true;
    QVERIFY(cancelled.wait(5000));
    QCOMPARE(finished.count(), 0);

    std::atomic<bool> ran{false};
    std::atomic<bool> hold{true};
    std::atomic<bool> holding{false};
    computation.startTask([&](ComputationControl&) {
      holding = true;
      while (hold) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      return QVariant();
    });
    QTRY_VERIFY(holding.load());
    // Started while the worker is still busy with the job it replaces.
    const quint64 waiting = computation.startTask([&](ComputationControl&) {
      ran = true;
      return QVariant();
    });
    computation.cancel();
    hold = false;
    QVERIFY(cancelled.wait(5000));
    QCOMPARE(cancelled.last().at(0).toULongLong(), waiting);
    QVERIFY(computation.waitUntilIdle(5000));
    QVERIFY(!ran.load());
    QCOMPARE(finished.count(), 0);
  }

  // An exception in the work is reported with its text and the exception itself.
  void failureIsReported() {
    DotPlotComputation computation;
    QSignalSpy failed(&computation, &DotPlotComputation::failed);
    QSignalSpy finished(&computation, &DotPlotComputation::taskFinished);
    const quint64 job = computation.startTask(
        [](ComputationControl&) -> QVariant { throw std::runtime_error("the disk is on fire"); });
    QVERIFY(failed.wait(5000));
    QCOMPARE(failed.at(0).at(0).toULongLong(), job);
    QCOMPARE(failed.at(0).at(1).toString(), QStringLiteral("the disk is on fire"));
    const auto error = failed.at(0).at(2).value<std::exception_ptr>();
    QVERIFY(error != nullptr);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, std::rethrow_exception(error));
    QCOMPARE(finished.count(), 0);

    computation.startTask([](ComputationControl&) -> QVariant { throw std::bad_alloc(); });
    QVERIFY(failed.wait(5000));
    QCOMPARE(failed.at(1).at(1).toString(), QStringLiteral("Not enough memory."));
    // The object goes on working after a failure.
    computation.startTask([](ComputationControl&) { return QVariant(7); });
    QVERIFY(finished.wait(5000));
    QCOMPARE(finished.at(0).at(1).toInt(), 7);
  }

  // The strands stay alive while the worker reads them, and are let go afterwards.
  void ownerIsKeptUntilTheComputationEnds() {
    DotPlotComputation computation;
    QSignalSpy finished(&computation, &DotPlotComputation::finished);
    auto owned = strands(std::u16string(1000, u'G'), std::u16string(700, u'G'));
    const DotPlotComputeRequest request = requestOver(*owned, dptIdentity, 10);
    std::weak_ptr<OwnedStrands> watch = owned;
    computation.start(request, owned);
    owned.reset();  // the caller lets go at once
    QVERIFY(finished.wait(10000));
    const auto result = finished.at(0).at(1).value<DotPlotComputeResult>();
    QCOMPARE(result.status, DotPlotStatus::Filled);
    QCOMPARE(result.plotWidth, 991);
    QCOMPARE(int(result.grid.at(0, 0)), 10);
    QVERIFY(watch.expired());
  }

  // Destroying the object stops the work under way and waits for it.
  void destructionStopsTheWorker() {
    std::atomic<bool> started{false}, sawStop{false};
    {
      DotPlotComputation computation;
      computation.startTask(untilStopped(started, sawStop));
      QTRY_VERIFY(started.load());
    }
    QVERIFY(sawStop.load());
  }
};

DUVANET_TEST(TestDotPlotComputation)

}  // namespace duvanet::core

#include "tst_DotPlotComputation.moc"

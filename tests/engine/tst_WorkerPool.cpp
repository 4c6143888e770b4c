// The worker pool: every slice is worked once, whatever threads could be started.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QTest>
#include <atomic>
#include <memory>
#include <vector>

#include "TestRegistry.h"
#include "engine/WorkerPool.h"

using namespace duvanet::engine;

namespace {

// Runs the pool over `slices` slices and tells whether each was worked exactly once.
bool everySliceOnce(std::int64_t slices, int threads, bool withProgress, bool* finished) {
  auto worked = std::make_unique<std::atomic<int>[]>(std::size_t(slices));
  const WorkerFunction work = [&](std::int64_t begin, std::int64_t end, WorkerShared& shared) {
    for (std::int64_t i = begin; i < end; ++i) worked[std::size_t(i)].fetch_add(1);
    shared.addDone(end - begin);
  };
  const ProgressCallback progress = [](double) { return true; };
  *finished =
      runOnWorkers(slices, threads, double(slices), withProgress ? progress : nullptr, work);
  for (std::int64_t i = 0; i < slices; ++i)
    if (worked[std::size_t(i)].load() != 1) return false;
  return true;
}

}  // namespace

class TestWorkerPool : public QObject {
  Q_OBJECT

 private slots:
  void everySliceOnce_data() {
    QTest::addColumn<qint64>("slices");
    QTest::addColumn<int>("threads");
    QTest::addColumn<bool>("progress");
    QTest::newRow("one thread") << qint64(1000) << 1 << false;
    QTest::newRow("one thread, progress") << qint64(1000) << 1 << true;
    QTest::newRow("four threads") << qint64(1000) << 4 << false;
    QTest::newRow("four threads, progress") << qint64(1000) << 4 << true;
    QTest::newRow("more threads than slices") << qint64(3) << 16 << true;
    QTest::newRow("every core") << qint64(777) << 0 << true;
  }
  void everySliceOnce() {
    QFETCH(qint64, slices);
    QFETCH(int, threads);
    QFETCH(bool, progress);
    bool finished = false;
    QVERIFY(::everySliceOnce(slices, threads, progress, &finished));
    QVERIFY(finished);
  }

  // A thousand threads asked for where only a few can be created (the address space leaves no
  // room for more stacks): the work is done by the threads that started and the calling one,
  // each slice once, instead of ending the program. Runs in a child process whose address space
  // is capped (not under AddressSanitizer, which reserves far more than the cap).
  void threadsThatCannotStart_data() {
    QTest::addColumn<bool>("progress");
    QTest::newRow("without progress") << false;
    QTest::newRow("with progress") << true;
  }
  void threadsThatCannotStart() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address space cap does not work under AddressSanitizer");
#else
    QFETCH(bool, progress);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      QFile status(QStringLiteral("/proc/self/statm"));
      if (!status.open(QIODevice::ReadOnly)) _exit(10);
      const long pages = status.readAll().split(' ').value(0).toLong();
      rlimit cap{};
      getrlimit(RLIMIT_AS, &cap);
      // Room for a few 8 MB thread stacks, far fewer than a thousand.
      cap.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(48) << 20);
      if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(11);
      try {
        bool finished = false;
        const bool once = ::everySliceOnce(100000, 1000, progress, &finished);
        _exit(once && finished ? 0 : 12);
      } catch (...) {
        _exit(13);
      }
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the child did not end normally");
    QCOMPARE(WEXITSTATUS(status), 0);
#endif
  }
};

DUVANET_TEST(TestWorkerPool)
#include "tst_WorkerPool.moc"

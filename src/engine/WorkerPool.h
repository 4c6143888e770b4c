#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace duvanet::engine {

/// Called with the fraction done (0 to 1); returning false cancels the computation. It runs on
/// the thread that started the computation, about every 20 ms while the workers count.
using ProgressCallback = std::function<bool(double fraction)>;

/// Shared by the workers of one run: the flag they poll to stop early and the work they have
/// reported done.
class WorkerShared {
 public:
  bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
  void requestStop() { m_stop.store(true); }
  void addDone(std::int64_t units) { m_done.fetch_add(units, std::memory_order_relaxed); }
  std::int64_t done() const { return m_done.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> m_stop{false};
  std::atomic<std::int64_t> m_done{0};
};

/// Counts the work a worker has done and publishes it now and then, so that the workers do not
/// contend for one cache line on every row.
class ProgressTally {
 public:
  explicit ProgressTally(WorkerShared& shared) : m_shared(shared) {}
  ~ProgressTally() { publish(); }
  ProgressTally(const ProgressTally&) = delete;
  ProgressTally& operator=(const ProgressTally&) = delete;
  void add(std::int64_t units) {
    m_pending += units;
    if (m_pending >= (std::int64_t{1} << 18)) publish();
  }

 private:
  void publish() {
    m_shared.addDone(m_pending);
    m_pending = 0;
  }
  WorkerShared& m_shared;
  std::int64_t m_pending = 0;
};

/// The work of one worker: the slices [begin, end) of the whole.
using WorkerFunction = std::function<void(std::int64_t begin, std::int64_t end, WorkerShared&)>;

/// Worker threads a request for `threads` gets: every core for 0 or less.
int workerThreads(int threads);

/// Splits the slices [0, slices) into one contiguous range per worker (workerThreads(threads),
/// at most one per slice) and runs work on each, one of them on the calling thread when there
/// is no progress to report. While they run, progress gets the work done over totalWork about
/// every 20 ms from the calling thread; a false answer asks the workers to stop. Returns false
/// when the workers were asked to stop; an exception in a worker (memory exhausted) stops the
/// others and is rethrown here. Threads that cannot be created leave their work to the calling
/// thread: the run uses the threads it could start, at least the calling one.
bool runOnWorkers(std::int64_t slices, int threads, double totalWork,
                  const ProgressCallback& progress, const WorkerFunction& work);

}  // namespace duvanet::engine

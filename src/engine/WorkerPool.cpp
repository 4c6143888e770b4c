#include "engine/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace duvanet::engine {

int workerThreads(int threads) {
  return threads > 0 ? threads
                     : static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

bool runOnWorkers(std::int64_t slices, int threads, double totalWork,
                  const ProgressCallback& progress, const WorkerFunction& work) {
  if (slices <= 0) return true;
  const int count = static_cast<int>(std::clamp<std::int64_t>(workerThreads(threads), 1, slices));
  WorkerShared shared;
  std::mutex mutex;
  std::condition_variable finished;
  int running = 0;  // started threads that have not finished
  std::exception_ptr failure;
  const auto fail = [&](std::exception_ptr error) {
    // Memory ran out for a worker's arrays: stop the others and hand the error on.
    shared.requestStop();
    const std::lock_guard lock(mutex);
    if (!failure) failure = error;
  };
  const auto runSlice = [&](std::int64_t begin, std::int64_t end) {
    try {
      work(begin, end, shared);
    } catch (...) {
      fail(std::current_exception());
    }
    const std::lock_guard lock(mutex);
    if (--running == 0) finished.notify_all();
  };
  const auto reportProgress = [&] {
    if (!progress || shared.stopRequested()) return;
    if (!progress(static_cast<double>(shared.done()) / totalWork)) shared.requestStop();
  };

  // Without progress to report the calling thread takes the last range itself. A thread that
  // cannot be created (the system's limit, or no memory for its stack) leaves its range and the
  // following ones to the calling thread.
  const int wanted = progress ? count : count - 1;
  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(wanted));
  int started = 0;
  for (; started < wanted; ++started) {
    const std::int64_t begin = slices * started / count;
    const std::int64_t end = slices * (started + 1) / count;
    {
      const std::lock_guard lock(mutex);
      ++running;
    }
    try {
      workers.emplace_back(runSlice, begin, end);
    } catch (const std::system_error&) {
      const std::lock_guard lock(mutex);
      --running;
      break;
    }
  }
  if (started < count) {
    // The rest on this thread, in pieces, so that progress is reported and a cancel seen
    // between them.
    const std::int64_t begin = slices * started / count;
    const std::int64_t pieces = progress ? std::min<std::int64_t>(slices - begin, 64) : 1;
    for (std::int64_t p = 0; p < pieces && !shared.stopRequested(); ++p) {
      try {
        work(begin + (slices - begin) * p / pieces, begin + (slices - begin) * (p + 1) / pieces,
             shared);
      } catch (...) {
        fail(std::current_exception());
      }
      reportProgress();
    }
  }
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(20));
      if (running > 0) {
        lock.unlock();
        reportProgress();
        lock.lock();
      }
    }
  }
  for (auto& worker : workers) worker.join();
  if (failure) std::rethrow_exception(failure);
  return !shared.stopRequested();
}

}  // namespace duvanet::engine

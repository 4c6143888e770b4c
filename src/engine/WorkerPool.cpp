#include "engine/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
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
  int running = count;
  std::exception_ptr failure;
  const auto runSlice = [&](std::int64_t begin, std::int64_t end) {
    std::exception_ptr error;
    try {
      work(begin, end, shared);
    } catch (...) {
      // Memory ran out for a worker's arrays: stop the others and hand the error on.
      error = std::current_exception();
      shared.requestStop();
    }
    const std::lock_guard lock(mutex);
    if (error && !failure) failure = error;
    if (--running == 0) finished.notify_all();
  };

  // Without progress to report the calling thread takes the last range itself.
  const int spawned = progress ? count : count - 1;
  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(spawned));
  for (int t = 0; t < spawned; ++t) {
    const std::int64_t begin = slices * t / count;
    const std::int64_t end = slices * (t + 1) / count;
    workers.emplace_back(runSlice, begin, end);
  }
  if (spawned < count) runSlice(slices * spawned / count, slices);
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(20));
      if (running > 0 && progress && !shared.stopRequested()) {
        const double done = static_cast<double>(shared.done()) / totalWork;
        lock.unlock();
        const bool goOn = progress(done);
        lock.lock();
        if (!goOn) shared.requestStop();
      }
    }
  }
  for (auto& worker : workers) worker.join();
  if (failure) std::rethrow_exception(failure);
  return !shared.stopRequested();
}

}  // namespace duvanet::engine

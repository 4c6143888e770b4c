#include "core/DotPlotComputation.h"

#include <QElapsedTimer>
#include <chrono>
#include <new>
#include <utility>

namespace duvanet::core {

namespace {

// One clock for the progress interval of every job.
qint64 nowMs() {
  static const QElapsedTimer clock = [] {
    QElapsedTimer started;
    started.start();
    return started;
  }();
  return clock.elapsed();
}

}  // namespace

ComputationControl::ComputationControl(DotPlotComputation* owner, quint64 job,
                                       std::shared_ptr<std::atomic<bool>> stop, int intervalMs)
    : m_owner(owner), m_job(job), m_stop(std::move(stop)), m_intervalMs(intervalMs) {}

void ComputationControl::report(double fraction) {
  if (!keepGoing()) return;
  const qint64 now = nowMs();
  if (m_lastReport >= 0 && now - m_lastReport < m_intervalMs) return;
  m_lastReport = now;
  m_owner->postProgress(m_job, fraction);
}

engine::ProgressCallback ComputationControl::progressCallback() {
  return [this](double fraction) {
    // The engine's last call (fraction 1) comes once the grid is complete: the finished
    // report follows at once, so it is not passed on.
    if (fraction < 1.0) report(fraction);
    return keepGoing();
  };
}

DotPlotComputation::DotPlotComputation(QObject* parent) : QObject(parent) {}

DotPlotComputation::~DotPlotComputation() {
  {
    const std::lock_guard lock(m_mutex);
    m_quit = true;
    m_next.reset();
    if (m_runningStop) m_runningStop->store(true);
  }
  m_wake.notify_all();
  if (m_worker) {
    m_worker->wait();
    delete m_worker;
  }
}

quint64 DotPlotComputation::start(engine::DotPlotComputeRequest request,
                                  std::shared_ptr<const void> owner) {
  auto result = std::make_shared<engine::DotPlotComputeResult>();
  Task task = [request = std::move(request), owner = std::move(owner),
               result](ComputationControl& control) mutable {
    request.progress = control.progressCallback();
    *result = engine::computeDotPlot(request);
    request.progress = nullptr;
    return QVariant();
  };
  return enqueue(std::move(task), std::move(result));
}

quint64 DotPlotComputation::startTask(Task task) { return enqueue(std::move(task), nullptr); }

quint64 DotPlotComputation::enqueue(Task task,
                                    std::shared_ptr<engine::DotPlotComputeResult> engineResult) {
  ensureWorker();
  const quint64 id = ++m_current;
  m_busy = true;
  m_cancelRequested = false;
  {
    const std::lock_guard lock(m_mutex);
    // The job under way and any job still waiting are superseded.
    if (m_runningStop) m_runningStop->store(true);
    m_next = Job{id, std::move(task), std::move(engineResult),
                 std::make_shared<std::atomic<bool>>(false), m_progressIntervalMs};
  }
  m_wake.notify_all();
  return id;
}

void DotPlotComputation::cancel() {
  if (!m_busy) return;
  m_cancelRequested = true;
  const std::lock_guard lock(m_mutex);
  if (m_next) m_next->stop->store(true);
  if (m_runningStop) m_runningStop->store(true);
}

bool DotPlotComputation::waitUntilIdle(int timeoutMs) {
  std::unique_lock lock(m_mutex);
  const auto idle = [this] { return !m_running && !m_next; };
  if (timeoutMs < 0) {
    m_idle.wait(lock, idle);
    return true;
  }
  return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), idle);
}

void DotPlotComputation::ensureWorker() {
  if (m_worker) return;
  m_worker = QThread::create([this] { workerLoop(); });
  m_worker->start(m_priority);
}

void DotPlotComputation::workerLoop() {
  while (true) {
    Job job;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_quit || m_next.has_value(); });
      if (m_quit) break;
      job = std::move(*m_next);
      m_next.reset();
      m_running = true;
      m_runningStop = job.stop;
    }

    Outcome outcome;
    outcome.engineResult = job.engineResult;
    if (!job.stop->load()) {
      ComputationControl control(this, job.id, job.stop, job.progressIntervalMs);
      try {
        outcome.value = job.task(control);
      } catch (const std::bad_alloc&) {
        outcome.error = std::current_exception();
        outcome.message = QStringLiteral("Not enough memory.");
      } catch (const std::exception& error) {
        outcome.error = std::current_exception();
        outcome.message = QString::fromLocal8Bit(error.what());
      } catch (...) {
        outcome.error = std::current_exception();
        outcome.message = QStringLiteral("Unknown error.");
      }
    }
    outcome.stopped =
        job.stop->load() ||
        (job.engineResult && job.engineResult->status == engine::DotPlotStatus::Cancelled);
    // The task and what it kept alive go here, on the worker.
    job.task = nullptr;

    {
      const std::lock_guard lock(m_mutex);
      m_running = false;
      m_runningStop.reset();
      if (m_quit) break;
    }
    m_idle.notify_all();
    QMetaObject::invokeMethod(
        this, [this, id = job.id, outcome = std::move(outcome)] { deliver(id, outcome); },
        Qt::QueuedConnection);
  }
  {
    const std::lock_guard lock(m_mutex);
    m_running = false;
  }
  m_idle.notify_all();
}

void DotPlotComputation::postProgress(quint64 job, double fraction) {
  QMetaObject::invokeMethod(
      this,
      [this, job, fraction] {
        if (job == m_current && m_busy && !m_cancelRequested) emit progressed(job, fraction);
      },
      Qt::QueuedConnection);
}

void DotPlotComputation::deliver(quint64 job, const Outcome& outcome) {
  if (job != m_current || !m_busy) return;  // superseded: dropped
  m_busy = false;
  const bool cancelRequested = std::exchange(m_cancelRequested, false);
  if (outcome.error && !cancelRequested) {
    emit failed(job, outcome.message, outcome.error);
  } else if (outcome.stopped || cancelRequested) {
    emit cancelled(job);
  } else if (outcome.engineResult) {
    emit finished(job, *outcome.engineResult);
  } else {
    emit taskFinished(job, outcome.value);
  }
}

}  // namespace duvanet::core

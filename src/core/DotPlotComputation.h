#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <QVariant>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "engine/DotPlotEngine.h"

namespace duvanet::core {

/// What a running task sees of the computation object: whether to go on, and where to report
/// how far it has come. Used on the worker thread only.
class ComputationControl {
 public:
  /// False once the task has been cancelled or superseded by a newer one.
  bool keepGoing() const { return !m_stop->load(std::memory_order_relaxed); }
  /// Reports the fraction done (0 to 1); reports closer together than the object's progress
  /// interval are dropped, and so is the last word while the task is being stopped.
  void report(double fraction);
  /// A progress callback for engine requests: reports and answers keepGoing().
  engine::ProgressCallback progressCallback();

 private:
  friend class DotPlotComputation;
  ComputationControl(class DotPlotComputation* owner, quint64 job,
                     std::shared_ptr<std::atomic<bool>> stop, int intervalMs);
  DotPlotComputation* m_owner;
  quint64 m_job;
  std::shared_ptr<std::atomic<bool>> m_stop;
  int m_intervalMs;
  qint64 m_lastReport = -1;
};

/// Runs dot plot computations (and other long work) on a worker thread of its own, one at a
/// time, and reports on the thread the object lives in. Every start() returns a new job id and
/// supersedes the job before it: that one is stopped and whatever it produces is dropped. Each
/// job that is not superseded ends with exactly one of finished / taskFinished, cancelled or
/// failed; progress comes before that, at most once per progress interval.
class DotPlotComputation : public QObject {
  Q_OBJECT
 public:
  /// Work for the worker thread: polls control.keepGoing(), reports progress, returns its result.
  using Task = std::function<QVariant(ComputationControl& control)>;

  explicit DotPlotComputation(QObject* parent = nullptr);
  /// Stops the job under way and waits for the worker thread.
  ~DotPlotComputation() override;

  /// Computes an engine request; it ends with finished (whatever the result's status but
  /// Cancelled) or cancelled. owner keeps alive what the request's strands point into until the
  /// computation is over; the request's own progress callback is replaced.
  quint64 start(engine::DotPlotComputeRequest request, std::shared_ptr<const void> owner);
  /// Runs any task the same way; it ends with taskFinished, cancelled or failed.
  quint64 startTask(Task task);
  /// Asks the current job to stop; it reports cancelled once the worker has let go of it.
  void cancel();
  /// Blocks until the worker has no job (the last job's report may still be on its way to the
  /// event loop); false when the time ran out first. -1 waits as long as it takes.
  bool waitUntilIdle(int timeoutMs = -1);

  /// The job started last; 0 before the first.
  quint64 currentJob() const { return m_current; }
  /// True from start() until the current job's report has been delivered.
  bool isBusy() const { return m_busy; }
  /// The shortest time between two progress reports (50 ms unless set).
  void setProgressIntervalMs(int ms) { m_progressIntervalMs = ms; }
  /// The priority of the worker thread, for work that should yield to the rest of the program.
  void setWorkerPriority(QThread::Priority priority) { m_priority = priority; }

 signals:
  /// A fraction between 0 and 1 of the job done.
  void progressed(quint64 job, double fraction);
  /// An engine request has been computed.
  void finished(quint64 job, const duvanet::engine::DotPlotComputeResult& result);
  /// A task has returned its result.
  void taskFinished(quint64 job, const QVariant& result);
  /// The job was cancelled before it was done.
  void cancelled(quint64 job);
  /// The job threw: message is the exception's text, error the exception itself.
  void failed(quint64 job, const QString& message, std::exception_ptr error);

 private:
  friend class ComputationControl;
  struct Job {
    quint64 id = 0;
    Task task;
    /// Set for engine requests: the task leaves the engine's result here.
    std::shared_ptr<engine::DotPlotComputeResult> engineResult;
    std::shared_ptr<std::atomic<bool>> stop;
    int progressIntervalMs = 0;
  };
  struct Outcome {
    QVariant value;
    std::shared_ptr<engine::DotPlotComputeResult> engineResult;
    bool stopped = false;
    std::exception_ptr error;
    QString message;
  };

  quint64 enqueue(Task task, std::shared_ptr<engine::DotPlotComputeResult> engineResult);
  void ensureWorker();
  void workerLoop();
  void deliver(quint64 job, const Outcome& outcome);
  void postProgress(quint64 job, double fraction);

  // State of the object's own thread.
  quint64 m_current = 0;
  bool m_busy = false;
  bool m_cancelRequested = false;
  int m_progressIntervalMs = 50;
  QThread::Priority m_priority = QThread::InheritPriority;
  QThread* m_worker = nullptr;

  // Shared with the worker, under m_mutex.
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_idle;
  std::optional<Job> m_next;
  std::shared_ptr<std::atomic<bool>> m_runningStop;
  bool m_running = false;
  bool m_quit = false;
};

}  // namespace duvanet::core

#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "engine/DotPlotEngine.h"

/// Computes one dot plot request at a time off the GUI thread; starting another cancels the one
/// running. The result arrives on the GUI thread through the finished callback, unless the
/// computation was cancelled or replaced. The request's strands must stay valid until the
/// computation has finished or cancelAndWait has returned.
class DotPlotRecomputation : public QObject {
  Q_OBJECT
 public:
  using Finished = std::function<void(duvanet::engine::DotPlotComputeResult result)>;

  explicit DotPlotRecomputation(QObject* parent = nullptr);
  ~DotPlotRecomputation() override;

  void setFinished(Finished finished) { m_finished = std::move(finished); }
  /// Cancels what is running and starts the request.
  void start(duvanet::engine::DotPlotComputeRequest request);
  /// Stops the running computation; its result never arrives.
  void cancel();
  /// Stops the running computation and returns once its thread has ended.
  void cancelAndWait();
  bool isRunning() const;
  /// The running computation's request (meaningful while running).
  const duvanet::engine::DotPlotComputeRequest& request() const;
  /// The fraction done of the running computation, 0 to 1.
  double fraction() const;

 private:
  struct Job;
  std::shared_ptr<Job> m_job;
  std::vector<std::shared_ptr<Job>> m_stopping;
  Finished m_finished;
};

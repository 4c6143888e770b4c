#pragma once

#include <QObject>
#include <memory>

#include "engine/HitSegments.h"

Q_DECLARE_METATYPE(duvanet::engine::HitSegmentResult)

namespace duvanet::core {

/// Runs hit segment searches off the calling thread, one at a time: starting a search cancels
/// the one under way, whose result is then never delivered. Results arrive through finished()
/// on the thread this object lives in.
class HitSearch : public QObject {
  Q_OBJECT
 public:
  explicit HitSearch(QObject* parent = nullptr);
  /// Cancels the search under way and waits for its thread.
  ~HitSearch() override;

  /// The request's strands must stay valid until finished() or until cancel() returns.
  void start(engine::HitSegmentRequest request);
  /// Stops the search under way and waits until it no longer reads its strands.
  void cancel();
  bool isRunning() const;

 signals:
  void finished(const duvanet::engine::HitSegmentResult& result);

 private:
  struct Run;
  std::shared_ptr<Run> m_run;
};

}  // namespace duvanet::core

#include "core/HitSearch.h"

#include <QMetaObject>
#include <atomic>
#include <new>
#include <thread>

namespace duvanet::core {

struct HitSearch::Run {
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};
  std::thread thread;
};

HitSearch::HitSearch(QObject* parent) : QObject(parent) {
  qRegisterMetaType<engine::HitSegmentResult>();
}

HitSearch::~HitSearch() { cancel(); }

void HitSearch::start(engine::HitSegmentRequest request) {
  cancel();
  auto run = std::make_shared<Run>();
  m_run = run;
  // The caller's progress callback would run on the search thread; the search only needs to
  // know when to stop.
  request.progress = [run](double) { return !run->cancel.load(); };
  // The thread is joined before this object goes (cancel() in the destructor), and a queued
  // call whose context object is gone is dropped.
  run->thread = std::thread([this, run, request = std::move(request)] {
    engine::HitSegmentResult result;
    try {
      result = engine::findHitSegments(request);
    } catch (const std::bad_alloc&) {
      // Out of memory for the segments: reported as a search that found nothing.
      result = engine::HitSegmentResult{};
    }
    run->done.store(true);
    if (run->cancel.load()) return;
    QMetaObject::invokeMethod(
        this,
        [this, run, result = std::move(result)] {
          // Delivered only if this is still the search under way.
          if (m_run != run || run->cancel.load()) return;
          emit finished(result);
        },
        Qt::QueuedConnection);
  });
}

void HitSearch::cancel() {
  if (!m_run) return;
  m_run->cancel.store(true);
  if (m_run->thread.joinable()) m_run->thread.join();
  m_run.reset();
}

bool HitSearch::isRunning() const { return m_run && !m_run->done.load(); }

}  // namespace duvanet::core

#include "gui/DotPlotRecomputation.h"

#include <QThread>
#include <algorithm>
#include <atomic>

struct DotPlotRecomputation::Job {
  duvanet::engine::DotPlotComputeRequest request;
  duvanet::engine::DotPlotComputeResult result;
  std::atomic<bool> cancel{false};
  std::atomic<double> fraction{0.0};
  std::exception_ptr failure;
  QThread* thread = nullptr;
};

DotPlotRecomputation::DotPlotRecomputation(QObject* parent) : QObject(parent) {}

DotPlotRecomputation::~DotPlotRecomputation() { cancelAndWait(); }

void DotPlotRecomputation::start(duvanet::engine::DotPlotComputeRequest request) {
  cancel();
  auto job = std::make_shared<Job>();
  job->request = std::move(request);
  job->request.progress = [raw = job.get()](double done) {
    raw->fraction.store(done);
    return !raw->cancel.load();
  };
  job->thread = QThread::create([job] {
    try {
      job->result = duvanet::engine::computeDotPlot(job->request);
    } catch (...) {
      job->failure = std::current_exception();
    }
  });
  connect(job->thread, &QThread::finished, this, [this, job] {
    job->thread->deleteLater();
    job->thread = nullptr;
    m_stopping.erase(std::remove(m_stopping.begin(), m_stopping.end(), job), m_stopping.end());
    if (m_job != job) return;
    m_job.reset();
    if (job->cancel.load()) return;
    // Memory ran out: the old picture stays, as after a cancel.
    if (job->failure) return;
    if (m_finished) m_finished(std::move(job->result));
  });
  m_job = job;
  job->thread->start();
}

void DotPlotRecomputation::cancel() {
  if (!m_job) return;
  m_job->cancel.store(true);
  m_stopping.push_back(m_job);
  m_job.reset();
}

void DotPlotRecomputation::cancelAndWait() {
  cancel();
  for (const auto& job : m_stopping) {
    if (job->thread) job->thread->wait();
  }
}

bool DotPlotRecomputation::isRunning() const { return m_job != nullptr; }

const duvanet::engine::DotPlotComputeRequest& DotPlotRecomputation::request() const {
  static const duvanet::engine::DotPlotComputeRequest none;
  return m_job ? m_job->request : none;
}

double DotPlotRecomputation::fraction() const { return m_job ? m_job->fraction.load() : 0.0; }

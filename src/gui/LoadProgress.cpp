#include "gui/LoadProgress.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QLocale>
#include <QProgressDialog>
#include <QTimer>
#include <mutex>

#include "core/DotPlotComputation.h"
#include "core/FileNames.h"
#include "gui/ApplicationTitle.h"

namespace duvanet::gui {

namespace {

constexpr int kRefreshMs = 100;
constexpr int kProgressSteps = 1000;

// The latest progress of the read, written by the reading thread, read by the dialog's timer.
class SharedProgress {
 public:
  void set(const core::LoadProgress& progress) {
    const std::lock_guard lock(m_mutex);
    m_progress = progress;
    m_known = true;
  }
  bool get(core::LoadProgress& progress) const {
    const std::lock_guard lock(m_mutex);
    progress = m_progress;
    return m_known;
  }

 private:
  mutable std::mutex m_mutex;
  core::LoadProgress m_progress;
  bool m_known = false;
};

}  // namespace

QString loadProgressText(const core::LoadProgress& progress) {
  const QString name = core::displayFileName(QFileInfo(progress.fileName).fileName());
  QString text = progress.fileCount > 1 ? QStringLiteral("Loading \"%1\" (file %2 of %3) ...")
                                              .arg(name)
                                              .arg(progress.fileIndex + 1)
                                              .arg(progress.fileCount)
                                        : QStringLiteral("Loading \"%1\" ...").arg(name);
  if (progress.fileSize < 0)
    text += QStringLiteral("\n%1 read so far")
                .arg(QLocale::c().formattedDataSize(progress.fileBytesRead, 1,
                                                    QLocale::DataSizeSIFormat));
  return text;
}

LoadOutcome readFilesWithProgress(core::SequenceFileLoad& load, QWidget* owner, int delayMs) {
  using core::DotPlotComputation;
  LoadOutcome outcome;
  bool running = true;
  QEventLoop waiting;
  QProgressDialog* dialog = nullptr;
  const auto end = [&](LoadOutcome::End how, std::exception_ptr failure = {}) {
    outcome.end = how;
    outcome.failure = std::move(failure);
    running = false;
    waiting.quit();
    if (dialog) dialog->done(QDialog::Accepted);
  };

  auto shared = std::make_shared<SharedProgress>();
  DotPlotComputation reading;
  QObject listener;
  quint64 job = 0;
  QObject::connect(&reading, &DotPlotComputation::taskFinished, &listener,
                   [&](quint64 id, const QVariant&) {
                     if (id == job) end(LoadOutcome::End::Finished);
                   });
  QObject::connect(&reading, &DotPlotComputation::cancelled, &listener, [&](quint64 id) {
    if (id == job) end(LoadOutcome::End::Cancelled);
  });
  QObject::connect(&reading, &DotPlotComputation::failed, &listener,
                   [&](quint64 id, const QString&, std::exception_ptr error) {
                     if (id == job) end(LoadOutcome::End::Failed, error);
                   });
  job = reading.startTask([&load, shared](core::ComputationControl& control) {
    load.read([&control, shared](const core::LoadProgress& progress) {
      shared->set(progress);
      return control.keepGoing();
    });
    return QVariant();
  });

  if (delayMs > 0) {
    // Short loads end before anything shows; the user's input waits meanwhile.
    QTimer::singleShot(delayMs, &listener, [&] { waiting.quit(); });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (!running) return outcome;

  QProgressDialog progress(QStringLiteral("Loading sequences ..."), QStringLiteral("Cancel"), 0,
                           kProgressSteps, owner);
  progress.setObjectName(QStringLiteral("loadProgress"));
  progress.setWindowTitle(ApplicationTitle());
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(0);
  progress.setAutoReset(false);
  progress.setAutoClose(false);
  progress.setMinimumWidth(360);
  const auto refresh = [&] {
    core::LoadProgress state;
    if (!shared->get(state)) return;
    progress.setLabelText(loadProgressText(state));
    if (state.fraction < 0) {
      progress.setRange(0, 0);  // a busy bar: the end is not known
    } else {
      progress.setRange(0, kProgressSteps);
      progress.setValue(int(state.fraction * kProgressSteps));
    }
  };
  refresh();
  QTimer refreshTimer;
  QObject::connect(&refreshTimer, &QTimer::timeout, &progress, refresh);
  refreshTimer.start(kRefreshMs);
  QObject::connect(&progress, &QProgressDialog::canceled, &listener, [&] { reading.cancel(); });
  dialog = &progress;
  if (running) progress.exec();
  dialog = nullptr;
  refreshTimer.stop();
  if (progress.wasCanceled() || running) {
    // The user's choice wins over a result that arrived meanwhile.
    reading.cancel();
    reading.waitUntilIdle();
    outcome = LoadOutcome{LoadOutcome::End::Cancelled, {}};
  }
  return outcome;
}

}  // namespace duvanet::gui

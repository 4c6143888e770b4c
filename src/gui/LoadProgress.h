#pragma once

#include <QString>
#include <exception>

#include "core/SequenceFileLoad.h"

class QWidget;

namespace duvanet::gui {

/// How a load read by readFilesWithProgress ended.
struct LoadOutcome {
  enum class End { Finished, Failed, Cancelled };
  End end = End::Finished;
  /// For Failed: what the read threw (a FileError, or what the worker could not handle).
  std::exception_ptr failure;
};

/// Reads a load on a worker thread while the calling (GUI) thread keeps painting. User input
/// waits for the first delayMs; a read that takes longer shows a modal progress dialog owned by
/// owner, with the file being read, how far it has come (or the bytes read, for a pipe, a FIFO or
/// a device) and Cancel. Returns once the worker has let go of the load.
LoadOutcome readFilesWithProgress(core::SequenceFileLoad& load, QWidget* owner, int delayMs);

/// The dialog's text for a state of the load: the file being read and, for one without a length,
/// the amount read so far.
QString loadProgressText(const core::LoadProgress& progress);

}  // namespace duvanet::gui

#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/AnnotationFile.h"
#include "core/ByteSource.h"
#include "core/SequenceList.h"

namespace duvanet::core {

/// How far a load has come, for a progress display.
struct LoadProgress {
  /// The file being read: its 0-based position in the load and its name.
  int fileIndex = 0;
  int fileCount = 0;
  QString fileName;
  /// Bytes of that file read so far (as stored), and its length; -1 when it has none (a pipe, a
  /// FIFO, a device).
  qint64 fileBytesRead = 0;
  qint64 fileSize = -1;
  /// The share of the whole load's bytes read, 0 to 1; -1 while a file without a length is read.
  double fraction = 0;
};

/// Answers whether to go on; false cancels the load. Called on the reading thread(s).
using LoadProgressCallback = std::function<bool(const LoadProgress& progress)>;

/// The files of one load, read apart from the workspace and then handed to it at once. So the
/// reading may run on another thread than the one that owns the workspace, and a cancelled load
/// leaves the workspace as it was.
class SequenceFileLoad {
 public:
  explicit SequenceFileLoad(QStringList fileNames);
  SequenceFileLoad(const SequenceFileLoad&) = delete;
  SequenceFileLoad& operator=(const SequenceFileLoad&) = delete;

  /// Reads the files as tSequenceList::LoadSequenceFiles does: the sequence files in the order
  /// given, then the annotation files. Stops at the first file that cannot be read and throws
  /// its FileError; what the files before it gave is kept for applyTo(). Throws ReadCancelled
  /// when progress answers false. Any thread; once.
  void read(const LoadProgressCallback& progress = {});
  /// Appends what read() gave to the list (sequences in file order, then each annotation file's
  /// own sequences) and attaches the annotation files' features. The list's thread; once.
  FeatureAttachment applyTo(tSequenceList& list);

 private:
  class Monitor;

  QStringList m_fileNames;
  tSequenceList m_sequences;
  std::vector<AnnotationFileContent> m_annotations;
};

/// Reads an annotation file as a load does: a FileError for a name that is not one and for a file
/// too large for the memory left. Throws ReadCancelled when the monitor stops it.
AnnotationFileContent readAnnotationsForLoad(const QString& fileName,
                                             ReadMonitor* monitor = nullptr);

}  // namespace duvanet::core

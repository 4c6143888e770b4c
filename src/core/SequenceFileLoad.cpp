#include "core/SequenceFileLoad.h"

#include <sys/stat.h>

#include <algorithm>
#include <new>
#include <optional>

#include "core/FileError.h"
#include "core/FileNames.h"

namespace duvanet::core {

namespace {

// The length of a regular file; -1 for anything else (and for a name that does not exist, which
// its read reports).
qint64 regularFileSize(const QString& fileName) {
  struct stat info {};
  if (::stat(fileNameBytes(fileName).constData(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return qint64(info.st_size);
}

}  // namespace

// Turns the bytes read from each file into the progress of the whole load.
class SequenceFileLoad::Monitor : public ReadMonitor {
 public:
  Monitor(const QStringList& fileNames, const LoadProgressCallback& callback)
      : m_callback(callback) {
    m_progress.fileCount = int(fileNames.size());
    m_sizes.reserve(size_t(fileNames.size()));
    for (const QString& name : fileNames) {
      m_sizes.push_back(regularFileSize(name));
      if (m_sizes.back() > 0) m_total += m_sizes.back();
    }
  }

  // The next file of the load is about to be read (its index in the list given).
  void startFile(int index, const QString& fileName) {
    if (m_started && m_sizes[size_t(m_progress.fileIndex)] > 0)
      m_done += m_sizes[size_t(m_progress.fileIndex)];
    m_started = true;
    m_progress.fileIndex = index;
    m_progress.fileName = fileName;
    m_progress.fileBytesRead = 0;
    m_progress.fileSize = m_sizes[size_t(index)];
  }

  void fileOpened(const QString&, qint64 size) override { m_progress.fileSize = size; }

  bool keepReading(qint64 bytesRead) override {
    m_progress.fileBytesRead = bytesRead;
    if (m_progress.fileSize < 0)
      m_progress.fraction = -1;
    else if (m_total <= 0)
      m_progress.fraction = 0;
    else
      m_progress.fraction = std::min(1.0, double(m_done + bytesRead) / double(m_total));
    return m_callback(m_progress);
  }

 private:
  const LoadProgressCallback& m_callback;
  std::vector<qint64> m_sizes;
  qint64 m_total = 0;
  qint64 m_done = 0;
  bool m_started = false;
  LoadProgress m_progress;
};

SequenceFileLoad::SequenceFileLoad(QStringList fileNames) : m_fileNames(std::move(fileNames)) {}

void SequenceFileLoad::read(const LoadProgressCallback& progress) {
  std::optional<Monitor> monitor;
  if (progress) monitor.emplace(m_fileNames, progress);
  ReadMonitor* const watching = monitor ? &*monitor : nullptr;
  // Sequence files first, in the order given; the annotation files then attach their features
  // to everything that is in the workspace by then.
  QList<int> annotationFiles;
  for (int i = 0; i < m_fileNames.size(); ++i) {
    const QString& fileName = m_fileNames[i];
    if (annotationFileFormat(fileName)) {
      annotationFiles.append(i);
      continue;
    }
    if (monitor) monitor->startFile(i, fileName);
    m_sequences.LoadSequenceFile(fileName, watching);
  }
  for (int i : annotationFiles) {
    if (monitor) monitor->startFile(i, m_fileNames[i]);
    m_annotations.push_back(readAnnotationsForLoad(m_fileNames[i], watching));
  }
}

FeatureAttachment SequenceFileLoad::applyTo(tSequenceList& list) {
  list.AppendAll(m_sequences);
  FeatureAttachment attachment;
  for (AnnotationFileContent& content : m_annotations) {
    list.AppendAll(std::move(content.sequences));
    const FeatureAttachment result = list.AttachFeatures(content.features);
    for (const QString& seqid : result.unmatchedSeqids)
      if (!attachment.unmatchedSeqids.contains(seqid)) attachment.unmatchedSeqids.append(seqid);
    attachment.attached += result.attached;
    attachment.clipped += result.clipped;
    content = AnnotationFileContent();  // given back as soon as it is attached
  }
  m_annotations.clear();
  return attachment;
}

AnnotationFileContent readAnnotationsForLoad(const QString& fileName, ReadMonitor* monitor) {
  const auto format = annotationFileFormat(fileName);
  if (!format)
    throw FileError(FileError::Operation::Read, fileName,
                    QStringLiteral("not a GFF3, GTF or BED file"));
  try {
    return readAnnotationFile(fileName, *format, monitor);
  } catch (const std::bad_alloc&) {
    throw FileError(FileError::Operation::Read, fileName,
                    QStringLiteral("not enough memory to hold its features"));
  }
}

}  // namespace duvanet::core

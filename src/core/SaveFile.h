#pragma once

#include <QSaveFile>
#include <QString>

namespace duvanet::core {

/// A QSaveFile that writes all it is given or fails with the system's reason (a full disk says
/// "No space left on device"), and that never replaces its target after a failed write: Qt's own
/// commit() can report success after a buffered write failed, leaving a truncated file.
class SafeSaveFile : public QSaveFile {
 public:
  explicit SafeSaveFile(const QString& fileName);

  /// Opens the temporary file for writing, unbuffered: every write reaches the system at once.
  bool open();
  /// Replaces the target by what was written; false (target untouched) when any write failed
  /// or the file could not be completed. failureReason() then says why.
  bool finish();
  /// Why the last open, write or finish failed.
  QString failureReason() const { return m_reason; }

 protected:
  qint64 writeData(const char* data, qint64 length) override;

 private:
  QString currentReason() const;

  QString m_reason;
};

}  // namespace duvanet::core

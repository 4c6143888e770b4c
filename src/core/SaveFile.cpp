#include "core/SaveFile.h"

#include <cerrno>
#include <cstring>

#include "core/FileNames.h"

namespace duvanet::core {

SafeSaveFile::SafeSaveFile(const QString& fileName) : QSaveFile(fileName) {}

QString SafeSaveFile::currentReason() const {
  // Some failures (a short write, a failed close) leave the device's error unset; the system's
  // error number still names the cause.
  if (error() != QFileDevice::NoError && errorString() != QLatin1String("Unknown error"))
    return errorString();
  if (errno != 0) return QString::fromLocal8Bit(std::strerror(errno));
  return errorString();
}

bool SafeSaveFile::open() {
  m_reason.clear();
  if (holdsRawBytes(fileName())) {
    // The scratch file and the rename work on names as text; these bytes would be changed.
    m_reason = QStringLiteral("a file name that is not UTF-8 cannot be written");
    return false;
  }
  errno = 0;
  if (QSaveFile::open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return true;
  m_reason = currentReason();
  return false;
}

qint64 SafeSaveFile::writeData(const char* data, qint64 length) {
  if (!m_reason.isEmpty()) return -1;  // after a failure nothing more is written
  qint64 written = 0;
  // A short write (the disk filled up during it) is followed by another, which then fails with
  // the reason.
  while (written < length) {
    errno = 0;
    const qint64 n = QSaveFile::writeData(data + written, length - written);
    if (n <= 0) {
      m_reason = currentReason();
      if (m_reason.isEmpty()) m_reason = QStringLiteral("nothing could be written");
      return -1;
    }
    written += n;
  }
  return written;
}

bool SafeSaveFile::finish() {
  if (!m_reason.isEmpty() || error() != QFileDevice::NoError) {
    if (m_reason.isEmpty()) m_reason = currentReason();
    cancelWriting();
    QSaveFile::commit();  // closes the temporary file, which cancelWriting() has it remove
    return false;
  }
  errno = 0;
  if (QSaveFile::commit()) return true;
  m_reason = currentReason();
  return false;
}

}  // namespace duvanet::core

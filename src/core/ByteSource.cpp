#include "core/ByteSource.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/FileError.h"
#include "core/FileNames.h"
#include "core/GzipByteSource.h"

namespace duvanet::core {

namespace {

// How long a read waits for a pipe, FIFO or device before it asks its monitor again.
constexpr int kWaitSliceMs = 100;

}  // namespace

FileByteSource::FileByteSource(const QString& fileName, ReadMonitor* monitor)
    : m_fileName(fileName), m_monitor(monitor) {
  // By the bytes the name stands for, also when they are not UTF-8. Without O_NONBLOCK, opening
  // a FIFO waits until some writer opens it, and nothing could end that wait.
  m_descriptor = ::open(fileNameBytes(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (m_descriptor < 0) fail(errno);
  struct stat info {};
  const int error = ::fstat(m_descriptor, &info) == 0 ? 0 : errno;
  if (error != 0 || S_ISDIR(info.st_mode)) {
    ::close(m_descriptor);
    m_descriptor = -1;
    // A directory opens, but has no bytes to read; said as the program always said it.
    if (error == 0)
      throw FileError(FileError::Operation::Read, m_fileName,
                      QStringLiteral("file to open is a directory"));
    fail(error);
  }
  if (S_ISREG(info.st_mode))
    m_size = qint64(info.st_size);
  else
    m_waits = true;
  if (m_monitor) m_monitor->fileOpened(m_fileName, m_size);
}

FileByteSource::~FileByteSource() {
  if (m_descriptor >= 0) ::close(m_descriptor);
}

void FileByteSource::fail(int error) const {
  throw FileError(FileError::Operation::Read, m_fileName, qt_error_string(error));
}

void FileByteSource::askMonitor() const {
  if (m_monitor && !m_monitor->keepReading(m_read)) throw ReadCancelled();
}

qint64 FileByteSource::read(char* data, qint64 size) {
  if (size <= 0) return 0;
  for (;;) {
    askMonitor();
    if (m_waits) {
      // A FIFO without a writer reads as ended; poll() tells data and a writer's close apart
      // from a writer that has not come yet.
      pollfd ready{m_descriptor, POLLIN, 0};
      const int events = ::poll(&ready, 1, m_monitor ? kWaitSliceMs : -1);
      if (events < 0 && errno != EINTR) fail(errno);
      if (events <= 0) continue;
    }
    const ssize_t n = ::read(m_descriptor, data, size_t(size));
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
      fail(errno);
    }
    m_read += n;
    return qint64(n);
  }
}

bool isGzipFileName(const QString& fileName) {
  // The extension runs from the last "." of the last path component, so "x.gz" and ".gz" are
  // gzip names and "x.gz/y" is not.
  return fileName.endsWith(u".gz", Qt::CaseInsensitive);
}

QString withoutGzipExtension(const QString& fileName) {
  return isGzipFileName(fileName) ? fileName.chopped(3) : fileName;
}

std::unique_ptr<ByteSource> openInputFile(const QString& fileName, ReadMonitor* monitor) {
  auto file = std::make_unique<FileByteSource>(fileName, monitor);
  if (!isGzipFileName(fileName)) return file;
  return std::make_unique<GzipByteSource>(std::move(file));
}

qint64 readFully(ByteSource& source, char* data, qint64 size) {
  qint64 total = 0;
  while (total < size) {
    const qint64 n = source.read(data + total, size - total);
    if (n == 0) break;
    total += n;
  }
  return total;
}

}  // namespace duvanet::core

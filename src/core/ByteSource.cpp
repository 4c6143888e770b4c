#include "core/ByteSource.h"

#include "core/FileError.h"
#include "core/FileNames.h"
#include "core/GzipByteSource.h"

namespace duvanet::core {

FileByteSource::FileByteSource(const QString& fileName) : m_fileName(fileName) {
  // By the bytes the name stands for, also when they are not UTF-8.
  const QString failure = openForReading(m_file, fileName, QIODevice::Unbuffered);
  if (!failure.isEmpty()) throw FileError(FileError::Operation::Read, m_fileName, failure);
}

qint64 FileByteSource::read(char* data, qint64 size) {
  const qint64 n = m_file.read(data, size);
  if (n < 0) throw FileError(FileError::Operation::Read, m_fileName, m_file.errorString());
  return n;
}

bool isGzipFileName(const QString& fileName) {
  // The extension runs from the last "." of the last path component, so "x.gz" and ".gz" are
  // gzip names and "x.gz/y" is not.
  return fileName.endsWith(u".gz", Qt::CaseInsensitive);
}

QString withoutGzipExtension(const QString& fileName) {
  return isGzipFileName(fileName) ? fileName.chopped(3) : fileName;
}

std::unique_ptr<ByteSource> openInputFile(const QString& fileName) {
  auto file = std::make_unique<FileByteSource>(fileName);
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

#pragma once

#include <QFile>
#include <QString>
#include <memory>

namespace duvanet::core {

/// A forward-only stream of bytes: read once from the start to the end, never rewound. Readers
/// of sequence files take their bytes from one, whether they come from a plain or a compressed
/// file.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  /// Fills data with up to size bytes and returns their number; 0 only at the end of the stream.
  /// Throws FileError when the bytes cannot be read.
  virtual qint64 read(char* data, qint64 size) = 0;
  /// The name of the file the bytes come from, for error messages.
  virtual const QString& fileName() const = 0;
};

/// The bytes of a file as they are stored. Throws FileError when it cannot be opened.
class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(const QString& fileName);
  qint64 read(char* data, qint64 size) override;
  const QString& fileName() const override { return m_fileName; }

 private:
  QString m_fileName;
  QFile m_file;
};

/// True when the file name's last extension is ".gz" (any case): its bytes are gzip-compressed.
bool isGzipFileName(const QString& fileName);

/// The file name without one final ".gz" (any case); other names unchanged.
QString withoutGzipExtension(const QString& fileName);

/// The bytes of a file as its readers see them: a ".gz" file decompressed while it is read
/// (see GzipByteSource), any other file as stored. Throws FileError when it cannot be opened.
std::unique_ptr<ByteSource> openInputFile(const QString& fileName);

/// Fills data as far as the source allows: returns fewer than size bytes only at its end.
qint64 readFully(ByteSource& source, char* data, qint64 size);

}  // namespace duvanet::core

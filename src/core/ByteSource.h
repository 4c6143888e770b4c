#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>
#include <stdexcept>

namespace duvanet::core {

/// Watches the reading of files: learns how far each has come and may stop it. A read asks it
/// after every piece and, while it waits for a pipe, a FIFO or a device to deliver, a few times a
/// second. It is called on the thread that reads the file's bytes, which for a ".gz" file is the
/// decompressor's own thread (one file at a time), so an implementation must be thread-safe.
class ReadMonitor {
 public:
  virtual ~ReadMonitor() = default;
  /// A file was opened; size is its length in bytes, or -1 when it has none (a pipe, a FIFO, a
  /// device: it is read until it ends).
  virtual void fileOpened(const QString& fileName, qint64 size) = 0;
  /// bytesRead bytes of the file (as stored) have been read so far. False stops the read: the
  /// source then throws ReadCancelled.
  virtual bool keepReading(qint64 bytesRead) = 0;
};

/// A read stopped because its ReadMonitor asked so. Not a failure: nothing of the file counts.
class ReadCancelled : public std::runtime_error {
 public:
  ReadCancelled() : std::runtime_error("reading was cancelled") {}
};

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

/// The bytes of a file as they are stored, read forwards once: a regular file, or anything else
/// that can be opened and read (a pipe, a FIFO, /dev/stdin, a device), which is read until it
/// ends. Opening never waits for the writer of a FIFO; the read waits for data instead, asking
/// the monitor (when given) a few times a second whether to go on. Throws FileError when the file
/// cannot be opened or read, ReadCancelled when the monitor stops it.
class FileByteSource : public ByteSource {
 public:
  explicit FileByteSource(const QString& fileName, ReadMonitor* monitor = nullptr);
  ~FileByteSource() override;
  FileByteSource(const FileByteSource&) = delete;
  FileByteSource& operator=(const FileByteSource&) = delete;

  qint64 read(char* data, qint64 size) override;
  const QString& fileName() const override { return m_fileName; }
  /// The file's length in bytes; -1 for one that is not a regular file.
  qint64 size() const { return m_size; }

 private:
  [[noreturn]] void fail(int error) const;
  void askMonitor() const;

  QString m_fileName;
  ReadMonitor* m_monitor;
  int m_descriptor = -1;
  qint64 m_size = -1;
  qint64 m_read = 0;
  bool m_waits = false;  // not a regular file: data may be late
};

/// True when the file name's last extension is ".gz" (any case): its bytes are gzip-compressed.
bool isGzipFileName(const QString& fileName);

/// The file name without one final ".gz" (any case); other names unchanged.
QString withoutGzipExtension(const QString& fileName);

/// The bytes of a file as its readers see them: a ".gz" file decompressed while it is read
/// (see GzipByteSource), any other file as stored. Throws FileError when it cannot be opened;
/// the monitor, when given, watches the bytes read from the file as stored.
std::unique_ptr<ByteSource> openInputFile(const QString& fileName, ReadMonitor* monitor = nullptr);

/// Fills data as far as the source allows: returns fewer than size bytes only at its end.
qint64 readFully(ByteSource& source, char* data, qint64 size);

}  // namespace duvanet::core

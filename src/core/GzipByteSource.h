#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/ByteSource.h"

namespace duvanet::core {

/// Decompresses gzip data while it is read: one member or several in a row (BGZF files are many
/// small members), each checked against its CRC and length. Errors are FileErrors naming the
/// file: "not a gzip file", "truncated" (the data ends inside a member), "damaged" (corrupt
/// data, a failed check, or bytes after a member that begin no further member).
/// Works forwards only and never through a temporary file.
class GzipInflater {
 public:
  explicit GzipInflater(ByteSource& compressed);
  ~GzipInflater();
  GzipInflater(const GzipInflater&) = delete;
  GzipInflater& operator=(const GzipInflater&) = delete;

  /// Fills data with up to size decompressed bytes; 0 only at the end of the last member.
  qint64 read(char* data, qint64 size);

 private:
  void refill();
  [[noreturn]] void fail(const char* reason) const;

  struct Stream;
  ByteSource& m_compressed;
  std::unique_ptr<Stream> m_stream;
  std::vector<unsigned char> m_input;
  bool m_inputEnded = false;
  bool m_inMember = false;
  bool m_anyMember = false;
  bool m_ended = false;
};

/// A ByteSource of the decompressed bytes. By default a second thread reads and decompresses
/// ahead of the reader (a few pieces of 1 MiB at most), so that on two cores decompressing costs
/// little more time than reading the file uncompressed; errors reach the reader in order.
class GzipByteSource : public ByteSource {
 public:
  explicit GzipByteSource(std::unique_ptr<ByteSource> compressed, bool readAhead = true);
  ~GzipByteSource() override;
  GzipByteSource(const GzipByteSource&) = delete;
  GzipByteSource& operator=(const GzipByteSource&) = delete;

  qint64 read(char* data, qint64 size) override;
  const QString& fileName() const override { return m_fileName; }

 private:
  struct Piece {
    std::vector<char> bytes;
    qint64 size = 0;
    bool last = false;
    std::exception_ptr error;
  };
  void work();

  QString m_fileName;
  std::unique_ptr<ByteSource> m_compressed;
  GzipInflater m_inflater;

  // Read-ahead: the worker fills free pieces and queues them; the reader takes them in order.
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::unique_ptr<Piece>> m_ready;
  std::vector<std::unique_ptr<Piece>> m_free;
  bool m_stop = false;
  std::thread m_worker;
  std::unique_ptr<Piece> m_current;
  qint64 m_currentOffset = 0;
  bool m_finished = false;
};

}  // namespace duvanet::core

#include "core/GzipByteSource.h"

#include <zlib.h>

#include <cstring>
#include <limits>
#include <new>
#include <system_error>

#include "core/FileError.h"

namespace duvanet::core {

namespace {

constexpr size_t kInputSize = size_t(1) << 18;
constexpr qint64 kPieceSize = qint64(1) << 20;
constexpr size_t kPiecesInFlight = 4;

}  // namespace

struct GzipInflater::Stream {
  z_stream z{};
};

GzipInflater::GzipInflater(ByteSource& compressed)
    : m_compressed(compressed), m_stream(std::make_unique<Stream>()), m_input(kInputSize) {
  // 16 + MAX_WBITS: a gzip wrapper with its header, CRC-32 and length check.
  if (inflateInit2(&m_stream->z, 16 + MAX_WBITS) != Z_OK) throw std::bad_alloc();
}

GzipInflater::~GzipInflater() { inflateEnd(&m_stream->z); }

void GzipInflater::fail(const char* reason) const {
  throw FileError(FileError::Operation::Read, m_compressed.fileName(), QString::fromLatin1(reason));
}

void GzipInflater::refill() {
  z_stream& z = m_stream->z;
  // Keep what is left at the front so that a member's first bytes can be looked at whole.
  if (z.avail_in > 0 && z.next_in != m_input.data())
    std::memmove(m_input.data(), z.next_in, z.avail_in);
  const qint64 n = m_compressed.read(reinterpret_cast<char*>(m_input.data()) + z.avail_in,
                                     qint64(m_input.size() - z.avail_in));
  if (n == 0) m_inputEnded = true;
  z.next_in = m_input.data();
  z.avail_in += uInt(n);
}

qint64 GzipInflater::read(char* data, qint64 size) {
  z_stream& z = m_stream->z;
  const uInt wanted = uInt(std::min<qint64>(size, std::numeric_limits<uInt>::max()));
  z.next_out = reinterpret_cast<Bytef*>(data);
  z.avail_out = wanted;
  while (z.avail_out > 0 && !m_ended) {
    if (!m_inMember) {
      // Between members: the end of the data, or the two bytes that begin a gzip member.
      while (z.avail_in < 2 && !m_inputEnded) refill();
      if (z.avail_in == 0) {
        if (!m_anyMember) fail("not a gzip file");
        m_ended = true;
        break;
      }
      const bool magic = z.avail_in >= 2 && z.next_in[0] == 0x1F && z.next_in[1] == 0x8B;
      if (!magic) {
        if (!m_anyMember) fail("not a gzip file");
        fail(z.avail_in == 1 && z.next_in[0] == 0x1F ? "truncated" : "damaged");
      }
      if (m_anyMember && inflateReset(&z) != Z_OK) fail("damaged");
      m_inMember = true;
      m_anyMember = true;
    }
    if (z.avail_in == 0 && !m_inputEnded) refill();
    const int result = inflate(&z, Z_NO_FLUSH);
    switch (result) {
      case Z_STREAM_END:
        m_inMember = false;
        break;
      case Z_OK:
        break;
      case Z_BUF_ERROR:
        // No progress: more input is needed, and there is none.
        if (z.avail_in == 0 && m_inputEnded) fail("truncated");
        break;
      case Z_MEM_ERROR:
        throw std::bad_alloc();
      default:  // Z_DATA_ERROR (corrupt data, failed check), Z_NEED_DICT, Z_STREAM_ERROR
        fail("damaged");
    }
  }
  return qint64(wanted - z.avail_out);
}

GzipByteSource::GzipByteSource(std::unique_ptr<ByteSource> compressed, bool readAhead)
    : m_fileName(compressed->fileName()),
      m_compressed(std::move(compressed)),
      m_inflater(*m_compressed) {
  if (!readAhead) return;
  try {
    m_worker = std::thread([this] { work(); });
  } catch (const std::system_error&) {
    // No thread to be had: decompress on the reader's thread instead.
  }
}

GzipByteSource::~GzipByteSource() {
  if (!m_worker.joinable()) return;
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
  }
  m_changed.notify_all();
  m_worker.join();
}

void GzipByteSource::work() {
  for (;;) {
    std::unique_ptr<Piece> piece;
    {
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [this] { return m_stop || m_ready.size() < kPiecesInFlight; });
      if (m_stop) return;
      if (!m_free.empty()) {
        piece = std::move(m_free.back());
        m_free.pop_back();
      }
    }
    try {
      if (!piece) {
        piece = std::make_unique<Piece>();
        piece->bytes.resize(size_t(kPieceSize));
      }
      // A whole piece, so that the reader is woken once per MiB rather than per zlib call.
      piece->size = 0;
      while (piece->size < kPieceSize) {
        const qint64 n =
            m_inflater.read(piece->bytes.data() + piece->size, kPieceSize - piece->size);
        if (n == 0) {
          piece->last = true;
          break;
        }
        piece->size += n;
      }
    } catch (...) {
      if (!piece) piece = std::make_unique<Piece>();
      piece->error = std::current_exception();
      piece->last = true;
    }
    const bool last = piece->last;
    {
      std::lock_guard lock(m_mutex);
      m_ready.push_back(std::move(piece));
    }
    m_changed.notify_all();
    if (last) return;
  }
}

qint64 GzipByteSource::read(char* data, qint64 size) {
  if (!m_worker.joinable()) return m_inflater.read(data, size);
  qint64 total = 0;
  while (total < size && !m_finished) {
    if (m_current && m_currentOffset == m_current->size) {
      if (m_current->error) {
        m_finished = true;
        std::rethrow_exception(m_current->error);
      }
      if (m_current->last) {
        m_finished = true;
        break;
      }
      std::lock_guard lock(m_mutex);
      m_free.push_back(std::move(m_current));
    }
    if (!m_current) {
      if (total > 0) {
        // Hand on what is here rather than wait; the next call waits.
        std::lock_guard lock(m_mutex);
        if (m_ready.empty()) break;
      }
      std::unique_lock lock(m_mutex);
      m_changed.notify_all();  // a piece was given back above
      m_changed.wait(lock, [this] { return !m_ready.empty(); });
      m_current = std::move(m_ready.front());
      m_ready.pop_front();
      m_currentOffset = 0;
      lock.unlock();
      m_changed.notify_all();
    }
    const qint64 n = std::min(size - total, m_current->size - m_currentOffset);
    std::memcpy(data + total, m_current->bytes.data() + m_currentOffset, size_t(n));
    m_currentOffset += n;
    total += n;
  }
  return total;
}

}  // namespace duvanet::core

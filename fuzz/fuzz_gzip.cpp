// The gzip layer: any bytes either decompress or fail with a FileError, the same way whether
// they are read ahead on a second thread or not and whatever the reader's piece size; and
// whatever zlib itself compresses (one member or several) decompresses to the original.

#include <zlib.h>

#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "core/ByteSource.h"
#include "core/FileError.h"
#include "core/GzipByteSource.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

namespace {

// Bytes in memory, handed out in pieces of varying size as a pipe would.
class MemorySource : public ByteSource {
 public:
  MemorySource(QByteArray bytes, unsigned seed) : m_bytes(std::move(bytes)), m_step(seed) {}
  qint64 read(char* data, qint64 size) override {
    m_step = m_step * 1103515245u + 12345u;
    const qint64 piece = std::min<qint64>({size, m_bytes.size() - m_at, 1 + (m_step >> 16) % 97});
    std::memcpy(data, m_bytes.constData() + m_at, static_cast<std::size_t>(piece));
    m_at += piece;
    return piece;
  }
  const QString& fileName() const override { return m_name; }

 private:
  QByteArray m_bytes;
  qint64 m_at = 0;
  unsigned m_step;
  QString m_name = QStringLiteral("fuzz.gz");
};

struct Outcome {
  QByteArray bytes;
  QString error;  // the FileError's message, empty when the data decompressed
  bool operator==(const Outcome&) const = default;
};

Outcome decompress(const QByteArray& compressed, bool readAhead, unsigned seed, qint64 piece) {
  Outcome outcome;
  try {
    GzipByteSource source(std::make_unique<MemorySource>(compressed, seed), readAhead);
    std::vector<char> buffer(static_cast<std::size_t>(piece));
    for (;;) {
      const qint64 n = source.read(buffer.data(), piece);
      FUZZ_CHECK(n >= 0 && n <= piece, "a read returns at most what was asked");
      if (n == 0) break;
      outcome.bytes.append(buffer.data(), n);
      FUZZ_CHECK(outcome.bytes.size() < (qint64{64} << 20), "output stays bounded");
    }
  } catch (const FileError& error) {
    FUZZ_CHECK(error.fileName() == QStringLiteral("fuzz.gz"), "the error names the file");
    outcome.error = error.message();
  }
  return outcome;
}

// zlib's own gzip members of the given pieces of the text, one after another.
QByteArray gzipMembers(QByteArrayView text, int members, int level) {
  QByteArray out;
  const qsizetype step = members > 0 ? text.size() / members + 1 : text.size() + 1;
  for (qsizetype at = 0; at < text.size() || (at == 0 && out.isEmpty()); at += step) {
    const QByteArrayView part = text.sliced(at, std::min(step, text.size() - at));
    z_stream z{};
    FUZZ_CHECK(deflateInit2(&z, level, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) == Z_OK,
               "deflateInit2");
    std::string packed(deflateBound(&z, uLong(part.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(part.data()));
    z.avail_in = uInt(part.size());
    z.next_out = reinterpret_cast<Bytef*>(packed.data());
    z.avail_out = uInt(packed.size());
    FUZZ_CHECK(deflate(&z, Z_FINISH) == Z_STREAM_END, "deflate");
    out.append(packed.data(), qsizetype(z.total_out));
    deflateEnd(&z);
    if (text.isEmpty()) break;
  }
  return out;
}

}  // namespace

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t mode = input.byte();
  const unsigned seed = input.byte();
  const qint64 piece = 1 + input.byte() * 37;
  const QByteArray bytes = input.rest().toByteArray();

  if (mode & 1) {
    // Round trip: what zlib writes reads back as it was.
    const QByteArray packed = gzipMembers(bytes, mode >> 1 & 7, (mode >> 4) % 10);
    const Outcome outcome = decompress(packed, (mode & 0x80) != 0, seed, piece);
    FUZZ_CHECK(outcome.error.isEmpty(), qPrintable(outcome.error));
    FUZZ_CHECK(outcome.bytes == bytes, "round trip");
    return 0;
  }
  // Arbitrary bytes: the same outcome on one thread and on two, in any piece size.
  const Outcome direct = decompress(bytes, false, seed, piece);
  const Outcome ahead = decompress(bytes, true, seed + 1, 4096);
  // The bytes handed out before an error depend on the piece sizes; the reader drops them.
  FUZZ_CHECK(direct.error == ahead.error, qPrintable(direct.error + u'|' + ahead.error));
  if (direct.error.isEmpty()) FUZZ_CHECK(direct.bytes == ahead.bytes, "read ahead or not");
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

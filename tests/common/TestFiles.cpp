#include "TestFiles.h"

#include <zlib.h>

namespace duvanet::testing {

QByteArray gzipped(const QByteArray& bytes, int level) {
  z_stream stream{};
  // 16 + MAX_WBITS: a gzip header and trailer around the deflate data.
  if (deflateInit2(&stream, level, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    return {};
  QByteArray out(qsizetype(deflateBound(&stream, uLong(bytes.size()))) + 32, Qt::Uninitialized);
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
  stream.avail_in = uInt(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = uInt(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(qsizetype(stream.total_out));
  deflateEnd(&stream);
  return result == Z_STREAM_END ? out : QByteArray();
}

}  // namespace duvanet::testing

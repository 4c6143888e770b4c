#include "core/TextFile.h"

#include <QFile>
#include <array>
#include <cstring>
#include <vector>

#include "core/FileError.h"
#include "core/FileNames.h"

namespace duvanet::core {

namespace {

constexpr qint64 kChunkSize = qint64(1) << 20;

// Bytes 0x80 to 0x9F of Windows-1252; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t windows1252(uchar byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte);
}

QChar* decodeWindows1252Into(QChar* out, const uchar* in, qsizetype size) {
  for (qsizetype i = 0; i < size; ++i) out[i] = QChar(windows1252(in[i]));
  return out + size;
}

// A UTF-8 checker that can be fed in pieces: the state carries a sequence cut at a piece's end.
class Utf8Validator {
 public:
  // False as soon as an ill-formed sequence is seen.
  bool feed(const uchar* p, qsizetype size) {
    const uchar* end = p + size;
    while (p < end) {
      if (m_state == State::Start) {
        // Runs of ASCII are the common case: test eight bytes at a time.
        while (end - p >= 8) {
          quint64 word;
          std::memcpy(&word, p, 8);
          if (word & 0x8080808080808080ULL) break;
          p += 8;
        }
        if (p == end) break;
      }
      const uchar b = *p++;
      switch (m_state) {
        case State::Start:
          if (b < 0x80) continue;
          if (b >= 0xC2 && b <= 0xDF) {
            m_state = State::Tail1;
          } else if (b == 0xE0) {
            m_state = State::E0;
          } else if (b == 0xED) {
            m_state = State::ED;
          } else if (b >= 0xE1 && b <= 0xEF) {
            m_state = State::Tail2;
          } else if (b == 0xF0) {
            m_state = State::F0;
          } else if (b >= 0xF1 && b <= 0xF3) {
            m_state = State::Tail3;
          } else if (b == 0xF4) {
            m_state = State::F4;
          } else {
            return false;
          }
          break;
        case State::Tail1:
          if (!continuation(b, 0x80, 0xBF)) return false;
          m_state = State::Start;
          break;
        case State::Tail2:
          if (!continuation(b, 0x80, 0xBF)) return false;
          m_state = State::Tail1;
          break;
        case State::Tail3:
          if (!continuation(b, 0x80, 0xBF)) return false;
          m_state = State::Tail2;
          break;
        case State::E0:
          if (!continuation(b, 0xA0, 0xBF)) return false;
          m_state = State::Tail1;
          break;
        case State::ED:
          if (!continuation(b, 0x80, 0x9F)) return false;
          m_state = State::Tail1;
          break;
        case State::F0:
          if (!continuation(b, 0x90, 0xBF)) return false;
          m_state = State::Tail2;
          break;
        case State::F4:
          if (!continuation(b, 0x80, 0x8F)) return false;
          m_state = State::Tail2;
          break;
      }
    }
    return true;
  }
  // True when the text did not end inside a sequence.
  bool complete() const { return m_state == State::Start; }

 private:
  enum class State { Start, Tail1, Tail2, Tail3, E0, ED, F0, F4 };
  static bool continuation(uchar b, uchar low, uchar high) { return b >= low && b <= high; }
  State m_state = State::Start;
};

EncodingDetection byteOrderMark(QByteArrayView bytes) {
  const auto at = [&](qsizetype i) { return uchar(bytes[i]); };
  if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) return {TextEncoding::Utf16LE, 2};
  if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) return {TextEncoding::Utf16BE, 2};
  if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF)
    return {TextEncoding::Utf8, 3};
  return {TextEncoding::Windows1252, 0};  // no mark: the caller decides by validity
}

QStringConverter::Encoding converterEncoding(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf16LE:
      return QStringConverter::Utf16LE;
    case TextEncoding::Utf16BE:
      return QStringConverter::Utf16BE;
    default:
      return QStringConverter::Utf8;
  }
}

// Decodes byte pieces of one encoding into UTF-16 pieces. The decoder keeps a character cut at
// a piece's end for the next piece. A mark inside the text is kept as a character.
class PieceDecoder {
 public:
  explicit PieceDecoder(TextEncoding encoding)
      : m_encoding(encoding),
        m_decoder(converterEncoding(encoding), QStringConverter::Flag::ConvertInitialBom) {}

  QStringView decode(QByteArrayView bytes) {
    const qsizetype space = m_encoding == TextEncoding::Windows1252
                                ? bytes.size()
                                : m_decoder.requiredSpace(bytes.size());
    if (m_buffer.size() < space) m_buffer.resize(space);
    QChar* begin = m_buffer.data();
    QChar* end = m_encoding == TextEncoding::Windows1252
                     ? decodeWindows1252Into(begin, reinterpret_cast<const uchar*>(bytes.data()),
                                             bytes.size())
                     : m_decoder.appendToBuffer(begin, bytes);
    rememberTail(bytes);
    return QStringView(begin, end - begin);
  }

  // A replacement character when the bytes ended inside a character, which the decoder would
  // otherwise drop without a trace; empty otherwise.
  QStringView finish() const {
    static const QChar replacement(QChar::ReplacementCharacter);
    bool cut = false;
    if (m_encoding == TextEncoding::Utf16LE || m_encoding == TextEncoding::Utf16BE) {
      cut = m_total % 2 != 0;
    } else if (m_encoding == TextEncoding::Utf8) {
      // Find the last lead byte among the final three and see whether its sequence is whole.
      const qsizetype n = m_tail.size();
      for (qsizetype i = n - 1; i >= 0; --i) {
        const uchar b = uchar(m_tail[i]);
        if ((b & 0xC0) == 0x80) continue;
        const qsizetype needed = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 1;
        cut = needed > n - i;
        break;
      }
    }
    return cut ? QStringView(&replacement, 1) : QStringView();
  }

 private:
  void rememberTail(QByteArrayView bytes) {
    m_total += bytes.size();
    m_tail.append(bytes.last(std::min<qsizetype>(bytes.size(), 3)));
    if (m_tail.size() > 3) m_tail.remove(0, m_tail.size() - 3);
  }

  TextEncoding m_encoding;
  QStringDecoder m_decoder;
  QString m_buffer;
  QByteArray m_tail;
  qint64 m_total = 0;
};

class LineCollector : public TextLineSink {
 public:
  void linePart(QStringView part) override { m_current.append(part); }
  void lineEnd() override {
    m_lines.append(m_current);
    m_current.clear();
  }
  QStringList takeLines() { return std::move(m_lines); }

 private:
  QString m_current;
  QStringList m_lines;
};

// Fills the buffer as far as the source allows; returns the number of bytes read.
qint64 readChunk(ByteSource& source, QByteArray& buffer) {
  return readFully(source, buffer.data(), buffer.size());
}

// The length of the run of ASCII bytes at the start.
qsizetype asciiPrefix(QByteArrayView bytes) {
  const char* const begin = bytes.data();
  const char* p = begin;
  const char* const end = p + bytes.size();
  while (end - p >= 8) {
    quint64 word;
    std::memcpy(&word, p, 8);
    if (word & 0x8080808080808080ULL) break;
    p += 8;
  }
  while (p < end && uchar(*p) < 0x80) ++p;
  return p - begin;
}

}  // namespace

void LineSplitter::feed(QStringView piece) {
  const QChar* p = piece.data();
  const QChar* const end = p + piece.size();
  if (m_afterCarriageReturn && p < end) {
    if (*p == u'\n') ++p;  // the LF of a CR LF cut between two pieces
    m_afterCarriageReturn = false;
  }
  const QChar* start = p;
  while (p < end) {
    const char16_t c = p->unicode();
    if (c > u'\r' || (c != u'\r' && c != u'\n')) {
      ++p;
      continue;
    }
    if (p > start) m_sink.linePart(QStringView(start, p - start));
    m_sink.lineEnd();
    m_lineOpen = false;
    ++p;
    if (c == u'\r') {
      if (p == end)
        m_afterCarriageReturn = true;
      else if (*p == u'\n')
        ++p;
    }
    start = p;
  }
  if (end > start) {
    m_sink.linePart(QStringView(start, end - start));
    m_lineOpen = true;
  }
}

void LineSplitter::finish() {
  if (m_lineOpen) m_sink.lineEnd();
  m_lineOpen = false;
  m_afterCarriageReturn = false;
}

QStringList splitLines(QStringView text) {
  LineCollector collector;
  LineSplitter splitter(collector);
  splitter.feed(text);
  splitter.finish();
  return collector.takeLines();
}

bool isValidUtf8(QByteArrayView bytes) {
  Utf8Validator validator;
  return validator.feed(reinterpret_cast<const uchar*>(bytes.data()), bytes.size()) &&
         validator.complete();
}

EncodingDetection detectEncoding(QByteArrayView bytes) {
  const EncodingDetection mark = byteOrderMark(bytes);
  if (mark.byteOrderMarkLength > 0) return mark;
  return {isValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1252, 0};
}

QString decodeWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  decodeWindows1252Into(text.data(), reinterpret_cast<const uchar*>(bytes.data()), bytes.size());
  return text;
}

QString decodeText(QByteArrayView bytes) {
  const EncodingDetection detection = detectEncoding(bytes);
  PieceDecoder decoder(detection.encoding);
  QString text = decoder.decode(bytes.sliced(detection.byteOrderMarkLength)).toString();
  text.append(decoder.finish());
  return text;
}

void readText(ByteSource& source, TextLineSink& sink) {
  // One pass forwards, piece by piece, so that the bytes and the whole decoded text are never
  // held at once and the source need not be able to go back.
  QByteArray buffer(kChunkSize, Qt::Uninitialized);
  qint64 size = readChunk(source, buffer);
  LineSplitter splitter(sink);
  const EncodingDetection mark = byteOrderMark(QByteArrayView(buffer.constData(), size));
  if (mark.byteOrderMarkLength > 0) {
    PieceDecoder decoder(mark.encoding);
    splitter.feed(
        decoder.decode(QByteArrayView(buffer.constData(), size).sliced(mark.byteOrderMarkLength)));
    while (size == buffer.size() && (size = readChunk(source, buffer)) > 0)
      splitter.feed(decoder.decode(QByteArrayView(buffer.constData(), size)));
    splitter.feed(decoder.finish());
    splitter.finish();
    return;
  }

  // Without a mark the whole text decides between UTF-8 and Windows-1252. Both read ASCII
  // alike, so ASCII is passed on at once; from the first other byte on, the bytes wait until
  // the rest has shown whether it is all UTF-8 (the end) or not (the first ill-formed byte).
  PieceDecoder ascii(TextEncoding::Windows1252);
  std::vector<QByteArray> waiting;
  Utf8Validator validator;
  bool valid = true;
  bool more = true;
  while (more) {
    QByteArrayView bytes(buffer.constData(), size);
    more = size == buffer.size();
    if (waiting.empty()) {
      const qsizetype prefix = asciiPrefix(bytes);
      splitter.feed(ascii.decode(bytes.first(prefix)));
      bytes = bytes.sliced(prefix);
    }
    if (!bytes.isEmpty()) {
      valid = validator.feed(reinterpret_cast<const uchar*>(bytes.data()), bytes.size());
      waiting.emplace_back(bytes.data(), bytes.size());
      if (!valid) break;
    }
    if (more) size = readChunk(source, buffer);
    more = more && size > 0;
  }
  const TextEncoding encoding =
      valid && validator.complete() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
  PieceDecoder decoder(encoding);
  for (QByteArray& bytes : waiting) {
    splitter.feed(decoder.decode(bytes));
    bytes = QByteArray();  // give each piece back as soon as it is decoded
  }
  if (!valid) {
    // Windows-1252 is decided; the rest streams.
    while (size == buffer.size() && (size = readChunk(source, buffer)) > 0)
      splitter.feed(decoder.decode(QByteArrayView(buffer.constData(), size)));
  }
  splitter.feed(decoder.finish());
  splitter.finish();
}

void readTextFile(const QString& fileName, TextLineSink& sink, ReadMonitor* monitor) {
  const std::unique_ptr<ByteSource> source = openInputFile(fileName, monitor);
  readText(*source, sink);
}

QStringList readTextFileLines(const QString& fileName) {
  LineCollector collector;
  readTextFile(fileName, collector);
  return collector.takeLines();
}

TextFileWriter::TextFileWriter(const QString& fileName)
    : m_fileName(fileName), m_file(fileName), m_encoder(QStringConverter::Utf8) {
  if (!m_file.open())
    throw FileError(FileError::Operation::Write, m_fileName, m_file.failureReason());
}

void TextFileWriter::write(QStringView text) {
  if (!m_started && !text.isEmpty()) {
    m_started = true;
    // Text that itself begins with U+FEFF would read back with that character taken for a
    // byte-order mark and lost; a real mark in front keeps it.
    if (text.front() == QChar(0xFEFF)) m_buffer.append("\xEF\xBB\xBF", 3);
  }
  // Encode in bounded pieces; the encoder keeps a surrogate pair cut between two pieces.
  constexpr qsizetype kPiece = kChunkSize / 4;
  while (!text.isEmpty()) {
    const QStringView piece = text.first(std::min(text.size(), kPiece));
    text = text.sliced(piece.size());
    const qsizetype used = m_buffer.size();
    m_buffer.resize(used + m_encoder.requiredSpace(piece.size()));
    char* end = m_encoder.appendToBuffer(m_buffer.data() + used, piece);
    m_buffer.resize(end - m_buffer.data());
    if (m_buffer.size() >= kChunkSize) flush();
  }
}

void TextFileWriter::writeLine(QStringView line) {
  write(line);
  m_buffer.append("\r\n", 2);
  m_started = true;
  if (m_buffer.size() >= kChunkSize) flush();
}

void TextFileWriter::flush() {
  if (m_buffer.isEmpty()) return;
  if (m_file.write(m_buffer) != m_buffer.size()) {
    const QString reason = m_file.failureReason();
    m_file.cancelWriting();
    throw FileError(FileError::Operation::Write, m_fileName, reason);
  }
  m_buffer.resize(0);  // keeps the capacity for the next piece
}

void TextFileWriter::commit() {
  flush();
  if (!m_file.finish())
    throw FileError(FileError::Operation::Write, m_fileName, m_file.failureReason());
}

void TextFileWriter::cancel() {
  m_buffer.clear();
  m_file.cancelWriting();
}

void writeTextFileLines(const QString& fileName, const QStringList& lines) {
  TextFileWriter writer(fileName);
  for (const QString& line : lines) writer.writeLine(line);
  writer.commit();
}

}  // namespace duvanet::core

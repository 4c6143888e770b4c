// Text decoding and line cutting: the UTF-8 test against a plain decoder, the decoded length per
// encoding, and the line splitter fed whole and in pieces against a one-character-at-a-time cut.

#include "FuzzSupport.h"
#include "core/TextFile.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

namespace {

class Collector : public TextLineSink {
 public:
  void linePart(QStringView part) override {
    FUZZ_CHECK(!part.isEmpty(), "line parts are never empty");
    m_current.append(part);
  }
  void lineEnd() override {
    lines.append(m_current);
    m_current.clear();
  }
  QStringList lines;

 private:
  QString m_current;
};

}  // namespace

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t pieceSeed = input.byte();
  const QByteArrayView bytes = input.rest();

  const bool valid = isValidUtf8(bytes);
  FUZZ_CHECK(valid == referenceValidUtf8(bytes), "UTF-8 validity");

  const EncodingDetection detection = detectEncoding(bytes);
  const QString text = decodeText(bytes);
  const QByteArrayView body = bytes.sliced(detection.byteOrderMarkLength);
  switch (detection.encoding) {
    case TextEncoding::Utf8:
      if (detection.byteOrderMarkLength == 0) {
        FUZZ_CHECK(valid, "UTF-8 without a mark only for valid bytes");
        FUZZ_CHECK(text == QString::fromUtf8(body), "valid UTF-8 decodes as UTF-8");
      }
      break;
    case TextEncoding::Windows1252:
      FUZZ_CHECK(!valid, "Windows-1252 only for invalid UTF-8");
      FUZZ_CHECK(detection.byteOrderMarkLength == 0, "Windows-1252 has no mark");
      FUZZ_CHECK(text.size() == bytes.size(), "one character per byte");
      FUZZ_CHECK(text == decodeWindows1252(bytes), "Windows-1252 decoding");
      break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
      FUZZ_CHECK(detection.byteOrderMarkLength == 2, "UTF-16 mark");
      FUZZ_CHECK(text.size() == (body.size() + 1) / 2,
                 "one code unit per two bytes, odd byte kept");
      break;
  }

  const QStringList expected = referenceLines(text);
  FUZZ_CHECK(splitLines(text) == expected, "whole text");

  // The same text in pieces whose sizes follow the seed.
  Collector collector;
  LineSplitter splitter(collector);
  qsizetype pos = 0;
  unsigned step = pieceSeed;
  while (pos < text.size()) {
    step = step * 1103515245u + 12345u;
    const qsizetype piece = std::min<qsizetype>(text.size() - pos, 1 + (step >> 16) % 7);
    splitter.feed(QStringView(text).sliced(pos, piece));
    if ((step >> 8) & 1) splitter.feed(QStringView());  // empty pieces change nothing
    pos += piece;
  }
  splitter.finish();
  FUZZ_CHECK(collector.lines == expected, "text in pieces");
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

#pragma once

// Helpers shared by the fuzz targets: a check that stops the run with a message, and plain
// reference versions of the line cutting and the UTF-8 test to compare the real code against.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, what)                                                          \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", __FILE__, __LINE__, #condition, \
                   what);                                                                    \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)

namespace duvanet::fuzz {

// Lines cut one character at a time: CR LF, CR and LF end a line; no empty line after a break at
// the very end.
inline QStringList referenceLines(QStringView text) {
  QStringList lines;
  QString current;
  bool open = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\r' || c == u'\n') {
      lines.append(current);
      current.clear();
      open = false;
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      current.append(c);
      open = true;
    }
  }
  if (open) lines.append(current);
  return lines;
}

// Well-formed UTF-8 by decoding each sequence to its code point.
inline bool referenceValidUtf8(QByteArrayView bytes) {
  qsizetype i = 0;
  while (i < bytes.size()) {
    const auto b = static_cast<std::uint8_t>(bytes[i]);
    int length = 0;
    std::uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      length = 2;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      length = 3;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      length = 4;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (int k = 1; k < length; ++k) {
      const auto c = static_cast<std::uint8_t>(bytes[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (cp < smallest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

// Reads small numbers off the front of the fuzz input.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
  std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
  std::uint64_t u64() {
    std::uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v = (v << 8) | byte();
    return v;
  }
  QByteArrayView rest() const {
    return QByteArrayView(reinterpret_cast<const char*>(m_data) + m_pos,
                          static_cast<qsizetype>(m_size - m_pos));
  }
  std::size_t remaining() const { return m_size - m_pos; }

 private:
  const std::uint8_t* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

}  // namespace duvanet::fuzz

#include "core/FileNames.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/TextFile.h"

namespace duvanet::core {

namespace {

constexpr char16_t kKeptByteBase = 0xDC00;

bool isKeptByte(QChar c) { return c.unicode() >= 0xDC80 && c.unicode() <= 0xDCFF; }

// The length of the well-formed UTF-8 sequence at p, or 0 when the byte there starts none.
qsizetype sequenceLength(const uchar* p, qsizetype left) {
  const uchar b = p[0];
  if (b < 0x80) return 1;
  qsizetype length = 0;
  uchar low = 0x80, high = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length) return 0;
  if (p[1] < low || p[1] > high) return 0;
  for (qsizetype i = 2; i < length; ++i)
    if ((p[i] & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

QString fileNameFromBytes(QByteArrayView bytes) {
  const auto* p = reinterpret_cast<const uchar*>(bytes.data());
  const qsizetype size = bytes.size();
  QString name;
  name.reserve(size);
  qsizetype i = 0;
  while (i < size) {
    const qsizetype length = sequenceLength(p + i, size - i);
    if (length == 0) {
      name.append(QChar(char16_t(kKeptByteBase + p[i])));
      ++i;
      continue;
    }
    name.append(QString::fromUtf8(reinterpret_cast<const char*>(p + i), length));
    i += length;
  }
  return name;
}

QByteArray fileNameBytes(const QString& fileName) {
  if (!holdsRawBytes(fileName)) return QFile::encodeName(fileName);
  QByteArray bytes;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= fileName.size(); ++i) {
    if (i < fileName.size() && !isKeptByte(fileName[i])) continue;
    bytes.append(QStringView(fileName).sliced(start, i - start).toUtf8());
    if (i < fileName.size()) bytes.append(char(fileName[i].unicode() - kKeptByteBase));
    start = i + 1;
  }
  return bytes;
}

bool holdsRawBytes(const QString& fileName) {
  for (QChar c : fileName)
    if (isKeptByte(c)) return true;
  return false;
}

QString displayFileName(const QString& fileName) {
  if (!holdsRawBytes(fileName)) return fileName;
  QString shown = fileName;
  for (QChar& c : shown) {
    if (!isKeptByte(c)) continue;
    const char byte = char(c.unicode() - kKeptByteBase);
    c = decodeWindows1252(QByteArrayView(&byte, 1)).front();
  }
  return shown;
}

QString openForReading(QFile& file, const QString& fileName, QIODevice::OpenMode extra) {
  if (!holdsRawBytes(fileName)) {
    file.setFileName(fileName);
    return file.open(QIODevice::ReadOnly | extra) ? QString() : file.errorString();
  }
  // QFile would encode the kept bytes as UTF-8 and miss the file: open the bytes themselves.
  const int descriptor = ::open(fileNameBytes(fileName).constData(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return QString::fromLocal8Bit(std::strerror(errno));
  if (file.open(descriptor, QIODevice::ReadOnly | extra, QFileDevice::AutoCloseHandle))
    return QString();
  ::close(descriptor);
  return file.errorString();
}

}  // namespace duvanet::core

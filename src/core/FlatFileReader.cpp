#include "core/FlatFileReader.h"

#include <algorithm>
#include <new>

#include "core/FileError.h"

namespace duvanet::core {

namespace {

// A length hint larger than this is not trusted for reserving room in advance.
constexpr qint64 kMaxReserve = qint64(1) << 28;

}  // namespace

FlatFileReader::FlatFileReader(const QString& fileName, AnnotatedRecordSink onRecord)
    : m_fileName(fileName), m_onRecord(std::move(onRecord)) {}

void FlatFileReader::linePart(QStringView part) { m_line.append(part); }

void FlatFileReader::lineEnd() {
  ++m_lineNumber;
  line(m_line, m_lineNumber);
  m_line.resize(0);  // keeps the room for the next line
}

void FlatFileReader::failAt(qint64 lineNumber, const QString& what) const {
  throw FileError(FileError::Operation::Read, m_fileName,
                  QStringLiteral("line %1: %2").arg(lineNumber).arg(what));
}

void FlatFileReader::beginData(qint64 expectedLength) {
  m_data = QString();
  m_dataUsed = 0;
  if (expectedLength <= 0) return;
  try {
    // Untouched room costs address space only; the record's symbols then fill it in place.
    m_data.resize(qsizetype(std::min(expectedLength, kMaxReserve)));
  } catch (const std::bad_alloc&) {
    m_data = QString();  // grow as the symbols come instead
  }
}

QChar* FlatFileReader::dataSpace(qsizetype atMost) {
  if (m_dataUsed + atMost > m_data.size())
    m_data.resize(std::max(m_dataUsed + atMost, m_data.size() + m_data.size() / 2 + 4096));
  return m_data.data() + m_dataUsed;
}

void FlatFileReader::dataWritten(QChar* end) { m_dataUsed = end - m_data.constData(); }

QString FlatFileReader::takeData() {
  m_data.resize(m_dataUsed);
  if (m_data.capacity() > m_dataUsed + m_dataUsed / 8 + 8) m_data.squeeze();
  m_dataUsed = 0;
  return std::move(m_data);
}

QStringView trimBlanks(QStringView text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.sliced(begin, end - begin);
}

QStringView firstWord(QStringView text) {
  qsizetype begin = 0;
  while (begin < text.size() && isBlank(text[begin])) ++begin;
  qsizetype end = begin;
  while (end < text.size() && !isBlank(text[end])) ++end;
  return text.sliced(begin, end - begin);
}

void appendJoined(QString& text, QStringView more) {
  more = trimBlanks(more);
  if (more.isEmpty()) return;
  if (!text.isEmpty()) text.append(u' ');
  text.append(more);
}

QString recordName(QStringView identifier, QString description) {
  if (description.endsWith(u'.')) description.chop(1);
  QString name = identifier.toString();
  if (!description.isEmpty()) {
    name.append(u' ');
    name.append(description);
  }
  return name;
}

}  // namespace duvanet::core

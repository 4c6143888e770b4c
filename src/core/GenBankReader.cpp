#include "core/GenBankReader.h"

namespace duvanet::core {

namespace {

// The keyword of a line that begins at its first column ("LOCUS", "//"), empty otherwise.
QStringView keywordOf(QStringView text) {
  if (text.isEmpty() || isBlank(text.front())) return {};
  return firstWord(text);
}

// The text after the keyword columns (GenBank keeps keywords in the first 12 columns).
QStringView afterKeyword(QStringView text, QStringView keyword) {
  return trimBlanks(text.sliced(keyword.size()));
}

// The length a LOCUS line states ("LOCUS  NC_000913  4641652 bp  DNA ..."), 0 if none.
qint64 statedLength(QStringView text) {
  const qsizetype unit = text.indexOf(QLatin1StringView(" bp"));
  const qsizetype aa = text.indexOf(QLatin1StringView(" aa"));
  qsizetype end = unit >= 0 ? unit : aa;
  if (end < 0) return 0;
  qsizetype begin = end;
  while (begin > 0 && text[begin - 1].isDigit()) --begin;
  bool ok = false;
  const qint64 length = text.sliced(begin, end - begin).toLongLong(&ok);
  return ok ? length : 0;
}

}  // namespace

GenBankReader::GenBankReader(const QString& fileName, AnnotatedRecordSink onRecord)
    : FlatFileReader(fileName, std::move(onRecord)),
      m_features([this](qint64 number, const QString& what) { failAt(number, what); }) {}

void GenBankReader::line(QStringView text, qint64 number) {
  const QStringView keyword = keywordOf(text);
  if (!m_inRecord) {
    if (trimBlanks(text).isEmpty()) return;
    if (keyword != u"LOCUS")
      failAt(number, m_anyRecord ? QStringLiteral("a LOCUS line was expected after \"//\"")
                                 : QStringLiteral("a LOCUS line was expected"));
    beginRecord(text, number);
    return;
  }
  if (text.startsWith(u"//")) {
    endRecord();
    return;
  }
  if (keyword == u"LOCUS")
    failAt(m_recordLine, QStringLiteral("the record that begins here is not ended by \"//\""));
  if (m_section == Section::Origin) {
    sequenceLine(text, number);
    return;
  }
  if (!keyword.isEmpty()) {
    if (keyword == u"DEFINITION") {
      m_section = Section::Definition;
      appendJoined(m_definition, afterKeyword(text, keyword));
    } else if (keyword == u"ACCESSION") {
      m_section = Section::Other;
      if (m_accession.isEmpty()) m_accession = firstWord(afterKeyword(text, keyword)).toString();
    } else if (keyword == u"VERSION") {
      m_section = Section::Other;
      if (m_version.isEmpty()) m_version = firstWord(afterKeyword(text, keyword)).toString();
    } else if (keyword == u"FEATURES") {
      m_section = Section::Features;
    } else if (keyword == u"ORIGIN") {
      m_section = Section::Origin;
    } else {
      m_section = Section::Other;
    }
    return;
  }
  if (m_section == Section::Definition) {
    appendJoined(m_definition, text);
  } else if (m_section == Section::Features) {
    m_features.line(text, number);
  }
}

void GenBankReader::beginRecord(QStringView text, qint64 number) {
  m_inRecord = true;
  m_recordLine = number;
  m_section = Section::Other;
  m_locusName = firstWord(afterKeyword(text, u"LOCUS")).toString();
  m_accession.clear();
  m_version.clear();
  m_definition.clear();
  beginData(statedLength(text));
}

void GenBankReader::endRecord() {
  AnnotatedRecord record;
  const QString& identifier = !m_version.isEmpty()     ? m_version
                              : !m_accession.isEmpty() ? m_accession
                                                       : m_locusName;
  record.name = recordName(identifier, m_definition);
  record.data = takeData();
  record.features = m_features.take();
  m_inRecord = false;
  m_anyRecord = true;
  emitRecord(std::move(record));
}

void GenBankReader::sequenceLine(QStringView text, qint64 number) {
  // "      61 ctgtttgttg ttagctcatt ...": blanks, the position, then groups of symbols. Digits
  // and blanks are no symbols.
  const QChar* p = text.data();
  const QChar* const end = p + text.size();
  while (p < end && isBlank(*p)) ++p;
  if (p == end) return;  // an empty line inside the sequence
  const QChar* const digits = p;
  while (p < end && p->unicode() >= u'0' && p->unicode() <= u'9') ++p;
  if (p == digits || (p < end && !isBlank(*p)))
    failAt(number,
           QStringLiteral("a sequence line must be a number followed by groups of symbols"));
  QChar* out = dataSpace(end - p);
  for (; p < end; ++p) {
    const char16_t c = p->unicode();
    if (c == u' ' || c == u'\t' || (c >= u'0' && c <= u'9')) continue;
    *out++ = *p;
  }
  dataWritten(out);
}

void GenBankReader::finish() {
  if (m_inRecord)
    failAt(m_recordLine, QStringLiteral("the record that begins here is not ended by \"//\""));
  if (!m_anyRecord) failAt(lineCount() + 1, QStringLiteral("a LOCUS line was expected"));
}

void readGenBankFile(const QString& fileName, const AnnotatedRecordSink& onRecord,
                     ReadMonitor* monitor) {
  GenBankReader reader(fileName, onRecord);
  readTextFile(fileName, reader, monitor);
  reader.finish();
}

}  // namespace duvanet::core

#include "core/EmblReader.h"

namespace duvanet::core {

namespace {

// The two-letter line code ("ID", "FT", "//"); the text from the sixth column on.
QStringView codeOf(QStringView text) { return text.first(std::min<qsizetype>(2, text.size())); }
QStringView contentOf(QStringView text) {
  return trimBlanks(text.sliced(std::min<qsizetype>(2, text.size())));
}

QStringView withoutSemicolon(QStringView word) {
  while (word.endsWith(u';')) word.chop(1);
  return word;
}

bool allDigits(QStringView text) {
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (c < u'0' || c > u'9') return false;
  return true;
}

// The number before "BP" or "AA" in an ID or SQ line, 0 if none.
qint64 statedLength(QStringView text) {
  qint64 length = 0;
  for (QStringView field : text.split(u' ', Qt::SkipEmptyParts)) {
    const QStringView unit = withoutSemicolon(field);
    if ((unit.startsWith(QLatin1StringView("BP")) || unit.startsWith(QLatin1StringView("AA"))) &&
        length > 0)
      return length;
    bool ok = false;
    const qint64 value = withoutSemicolon(field).toLongLong(&ok);
    length = ok ? value : 0;
  }
  return 0;
}

}  // namespace

EmblReader::EmblReader(const QString& fileName, AnnotatedRecordSink onRecord)
    : FlatFileReader(fileName, std::move(onRecord)),
      m_features([this](qint64 number, const QString& what) { failAt(number, what); }) {}

void EmblReader::line(QStringView text, qint64 number) {
  const QStringView code = codeOf(text);
  if (!m_inRecord) {
    if (trimBlanks(text).isEmpty()) return;
    if (code != u"ID" || (text.size() > 2 && !isBlank(text[2])))
      failAt(number, m_anyRecord ? QStringLiteral("an ID line was expected after \"//\"")
                                 : QStringLiteral("an ID line was expected"));
    beginRecord(text, number);
    return;
  }
  if (code == u"//") {
    endRecord();
    return;
  }
  if (code == u"ID")
    failAt(m_recordLine, QStringLiteral("the record that begins here is not ended by \"//\""));
  if (m_inSequence) {
    sequenceLine(text, number);
    return;
  }
  if (code == u"FT") {
    m_features.line(text, number);
  } else if (code == u"DE") {
    appendJoined(m_description, contentOf(text));
  } else if (code == u"AC") {
    if (!m_accessionSeen) {
      m_accessionSeen = true;
      m_accession = withoutSemicolon(firstWord(contentOf(text))).toString();
    }
  } else if (code == u"SV") {
    if (m_svLine.isEmpty()) m_svLine = firstWord(contentOf(text)).toString();
  } else if (code == u"SQ") {
    m_inSequence = true;
    beginData(statedLength(contentOf(text)));
  }
}

void EmblReader::beginRecord(QStringView text, qint64 number) {
  m_inRecord = true;
  m_inSequence = false;
  m_recordLine = number;
  m_accession.clear();
  m_accessionSeen = false;
  m_svLine.clear();
  m_description.clear();
  m_idVersion.clear();
  // "ID   X56734; SV 1; linear; mRNA; STD; PLN; 1859 BP."
  const QStringView content = contentOf(text);
  m_idName = withoutSemicolon(firstWord(content)).toString();
  for (QStringView field : content.split(u';')) {
    field = trimBlanks(field);
    if (field.startsWith(QLatin1StringView("SV ")))
      m_idVersion = trimBlanks(field.sliced(3)).toString();
  }
  beginData(0);
}

void EmblReader::endRecord() {
  QString identifier;
  if (!m_accessionSeen || m_accession.isEmpty()) {
    identifier = m_idName;
  } else if (!m_idVersion.isEmpty()) {
    identifier = m_accession + u'.' + m_idVersion;
  } else if (m_svLine.startsWith(m_accession + u'.')) {
    identifier = m_svLine;
  } else {
    identifier = m_accession;
  }
  AnnotatedRecord record;
  record.name = recordName(identifier, m_description);
  record.data = takeData();
  record.features = m_features.take();
  m_inRecord = false;
  m_inSequence = false;
  m_anyRecord = true;
  emitRecord(std::move(record));
}

void EmblReader::sequenceLine(QStringView text, qint64 number) {
  // "     aaacaaacca aatatggatt ttattgtagc        60": groups of symbols, then the position.
  const QStringView content = trimBlanks(text);
  if (content.isEmpty()) return;
  qsizetype last = content.size();
  while (last > 0 && !isBlank(content[last - 1])) --last;
  if (!allDigits(content.sliced(last)) || (!text.isEmpty() && !isBlank(text.front())))
    failAt(number,
           QStringLiteral("a sequence line must be groups of symbols followed by a number"));
  QChar* out = dataSpace(last);
  for (QChar c : content.first(last)) {
    const char16_t u = c.unicode();
    if (u == u' ' || u == u'\t' || (u >= u'0' && u <= u'9')) continue;
    *out++ = c;
  }
  dataWritten(out);
}

void EmblReader::finish() {
  if (m_inRecord)
    failAt(m_recordLine, QStringLiteral("the record that begins here is not ended by \"//\""));
  if (!m_anyRecord) failAt(lineCount() + 1, QStringLiteral("an ID line was expected"));
}

void readEmblFile(const QString& fileName, const AnnotatedRecordSink& onRecord,
                  ReadMonitor* monitor) {
  EmblReader reader(fileName, onRecord);
  readTextFile(fileName, reader, monitor);
  reader.finish();
}

}  // namespace duvanet::core

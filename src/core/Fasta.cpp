#include "core/Fasta.h"

#include <QFileInfo>

#include "core/FileNames.h"

namespace duvanet::core {

void FastaReader::linePart(QStringView part) {
  switch (m_line) {
    case LineKind::NotStarted:
      if (part.front() == u'>') {
        closeRecord();
        m_current.Name = part.sliced(1).toString();
        m_recordOpen = true;
        m_line = LineKind::Header;
      } else if (m_recordOpen && part.front() != u';') {
        if (m_current.Data.isEmpty())
          m_current.Data = part.toString();  // exactly as large as needed
        else
          m_current.Data.append(part);
        m_line = LineKind::Data;
      } else {
        m_line = LineKind::Skipped;  // a comment, or a line before the first header
      }
      break;
    case LineKind::Header:
      m_current.Name.append(part);
      break;
    case LineKind::Data:
      m_current.Data.append(part);
      break;
    case LineKind::Skipped:
      break;
  }
}

void FastaReader::lineEnd() { m_line = LineKind::NotStarted; }

void FastaReader::closeRecord() {
  if (!m_recordOpen) return;
  // Appending grows the capacity ahead of need; give back what is clearly left over.
  const qsizetype size = m_current.Data.size();
  if (m_current.Data.capacity() > size + size / 8 + 8) m_current.Data.squeeze();
  m_onRecord(std::move(m_current));
  m_current = tSequence();
  m_recordOpen = false;
}

void FastaReader::finish() {
  closeRecord();
  m_line = LineKind::NotStarted;
}

void parseFasta(QStringView text, const FastaReader::RecordSink& onRecord) {
  FastaReader reader(onRecord);
  LineSplitter splitter(reader);
  splitter.feed(text);
  splitter.finish();
  reader.finish();
}

void readFastaFile(const QString& fileName, const FastaReader::RecordSink& onRecord,
                   ReadMonitor* monitor) {
  FastaReader reader(onRecord);
  readTextFile(fileName, reader, monitor);
  reader.finish();
}

namespace {

class TxtReader : public TextLineSink {
 public:
  void linePart(QStringView part) override { m_data.append(part); }
  void lineEnd() override { m_data.append(QLatin1StringView("\r\n")); }
  QString takeData() {
    const qsizetype size = m_data.size();
    if (m_data.capacity() > size + size / 8 + 8) m_data.squeeze();
    return std::move(m_data);
  }

 private:
  QString m_data;
};

}  // namespace

tSequence readTxtFile(const QString& fileName, ReadMonitor* monitor) {
  TxtReader reader;
  readTextFile(fileName, reader, monitor);
  tSequence sequence;
  sequence.Name = displayFileName(QFileInfo(fileName).fileName());
  sequence.Data = reader.takeData();
  return sequence;
}

QString fastaHeaderLine(QStringView name) {
  QString line = name.startsWith(u'>') ? name.toString() : QStringLiteral(">") + name.toString();
  // A break inside the name would end the header and start a data line; the name in the
  // workspace keeps its breaks, only the written line shows blanks.
  for (QChar& c : line)
    if (c == u'\r' || c == u'\n') c = u' ';
  return line;
}

bool hasExtension(const QString& fileName, std::initializer_list<QStringView> extensions) {
  const QStringView component = QStringView(fileName).sliced(fileName.lastIndexOf(u'/') + 1);
  const qsizetype dot = component.lastIndexOf(u'.');
  if (dot < 0) return false;
  const QStringView extension = component.sliced(dot);
  for (QStringView candidate : extensions)
    if (extension.compare(candidate, Qt::CaseInsensitive) == 0) return true;
  return false;
}

}  // namespace duvanet::core

#include "core/Fasta.h"

#include <QFileInfo>

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
  m_records.push_back(std::move(m_current));
  m_current = tSequence();
  m_recordOpen = false;
}

std::vector<tSequence> FastaReader::takeRecords() {
  closeRecord();
  m_line = LineKind::NotStarted;
  return std::move(m_records);
}

std::vector<tSequence> parseFasta(QStringView text) {
  FastaReader reader;
  LineSplitter splitter(reader);
  splitter.feed(text);
  splitter.finish();
  return reader.takeRecords();
}

std::vector<tSequence> readFastaFile(const QString& fileName) {
  FastaReader reader;
  readTextFile(fileName, reader);
  return reader.takeRecords();
}

namespace {

class TxtReader : public TextLineSink {
 public:
  void linePart(QStringView part) override { m_data.append(part); }
  void lineEnd() override { m_data.append(QLatin1StringView("\r\n")); }
  QString takeData() { return std::move(m_data); }

 private:
  QString m_data;
};

}  // namespace

tSequence readTxtFile(const QString& fileName) {
  TxtReader reader;
  readTextFile(fileName, reader);
  tSequence sequence;
  sequence.Name = QFileInfo(fileName).fileName();
  sequence.Data = reader.takeData();
  return sequence;
}

QString fastaHeaderLine(const QString& name) {
  return name.startsWith(u'>') ? name : QStringLiteral(">") + name;
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

bool isFastaFileName(const QString& fileName) {
  return hasExtension(fileName, {u".FAS", u".FASTA"});
}

}  // namespace duvanet::core

#include "core/AnnotationFile.h"

#include <QByteArray>
#include <QFileInfo>
#include <QHash>
#include <QStringTokenizer>
#include <algorithm>
#include <array>

#include "core/ByteSource.h"
#include "core/Fasta.h"
#include "core/FileError.h"
#include "core/TextFile.h"

namespace duvanet::core {

std::optional<AnnotationFormat> annotationFileFormat(const QString& fileName) {
  const QString name = withoutGzipExtension(fileName);
  if (hasExtension(name, {u".gff", u".gff3"})) return AnnotationFormat::Gff3;
  if (hasExtension(name, {u".gtf"})) return AnnotationFormat::Gtf;
  if (hasExtension(name, {u".bed"})) return AnnotationFormat::Bed;
  return std::nullopt;
}

namespace {

// Texts that repeat on almost every line (seqids, types, attribute names) are stored once and
// shared, so a million features do not hold a million copies of "exon".
class SharedTexts {
 public:
  QString get(QStringView text) {
    for (const QString& known : m_recent)
      if (known == text) return known;
    QString fresh = text.toString();
    m_recent[m_next] = fresh;
    m_next = (m_next + 1) % m_recent.size();
    return fresh;
  }

 private:
  std::array<QString, 24> m_recent;
  size_t m_next = 0;
};

QStringView trimmed(QStringView text) { return text.trimmed(); }

QString percentDecoded(QStringView text) {
  if (!text.contains(u'%')) return text.toString();
  return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

class AnnotationParser : public TextLineSink {
 public:
  AnnotationParser(AnnotationFormat format, const QString& fileName)
      : m_format(format),
        m_fileName(fileName),
        m_fasta([this](tSequence&& record) { m_content.sequences.push_back(std::move(record)); }) {}

  void linePart(QStringView part) override {
    if (m_inFasta)
      m_fasta.linePart(part);
    else
      m_line.append(part);
  }

  void lineEnd() override {
    ++m_lineNumber;
    if (m_inFasta) {
      m_fasta.lineEnd();
      return;
    }
    if (m_format == AnnotationFormat::Gff3 && m_line.startsWith(u'>')) {
      // A hand-made file often leaves out "##FASTA" before its sequences.
      m_inFasta = true;
      m_fasta.linePart(m_line);
      m_fasta.lineEnd();
    } else {
      line(m_line);
    }
    m_line.resize(0);
  }

  /// Sizes the table of feature names for a file of this many bytes (a feature line is rarely
  /// shorter than 120 bytes), so that a large file does not rehash it again and again.
  void expectBytes(qint64 bytes) {
    if (bytes <= 0) return;
    m_groups.reserve(qsizetype(std::min<qint64>(bytes / 120, qint64(1) << 24)));
  }

  AnnotationFileContent finish() {
    if (m_inFasta) m_fasta.finish();
    return std::move(m_content);
  }

 private:
  [[noreturn]] void fail(const QString& what) const {
    throw FileError(FileError::Operation::Read, m_fileName,
                    QStringLiteral("line %1: %2").arg(m_lineNumber).arg(what));
  }

  void line(QStringView text) {
    if (trimmed(text).isEmpty()) return;
    if (m_format == AnnotationFormat::Bed) {
      bedLine(text);
      return;
    }
    if (text.startsWith(u'#')) {
      if (m_format == AnnotationFormat::Gff3 && text.startsWith(u"##FASTA")) m_inFasta = true;
      return;
    }
    gffLine(text);
  }

  qint64 coordinate(QStringView text, const char* which) const {
    bool ok = false;
    const qint64 value = trimmed(text).toLongLong(&ok);
    if (!ok)
      fail(QStringLiteral("the %1 \"%2\" is not a number")
               .arg(QLatin1StringView(which), text.toString()));
    return value;
  }

  // Columns 1 to 8 are cut at tabs; everything after the eighth tab is column 9, tabs and all,
  // because hand-edited attributes often hold tabs.
  void gffLine(QStringView text) {
    std::array<QStringView, 9> column;
    qsizetype from = 0;
    for (int i = 0; i < 8; ++i) {
      const qsizetype tab = text.indexOf(u'\t', from);
      if (tab < 0) fail(QStringLiteral("fewer than 9 columns (%1)").arg(i + 1));
      column[size_t(i)] = text.sliced(from, tab - from);
      from = tab + 1;
    }
    column[8] = text.sliced(from);
    // Every feature lies on a named sequence and has a type; a feature without them could
    // neither be attached nor drawn.
    if (trimmed(column[0]).isEmpty()) fail(QStringLiteral("the seqid is empty"));
    if (trimmed(column[2]).isEmpty()) fail(QStringLiteral("the type is empty"));
    const qint64 start = coordinate(column[3], "start");
    const qint64 end = coordinate(column[4], "end");
    if (start < 1) fail(QStringLiteral("the start %1 is below 1").arg(start));
    if (start > end) fail(QStringLiteral("the start %1 is after the end %2").arg(start).arg(end));
    FeatureLocationPart part;
    part.start = start;
    part.end = end;
    const QStringView strand = trimmed(column[6]);
    bool stranded = true;
    if (strand == u"-")
      part.reverse = true;
    else if (strand == u"." || strand == u"?")
      stranded = false;
    else if (strand != u"+")
      fail(QStringLiteral("the strand \"%1\" is not +, - or .").arg(strand.toString()));
    const QStringView phase = trimmed(column[7]);
    if (phase == u"0" || phase == u"1" || phase == u"2")
      part.phase = qint8(phase[0].unicode() - u'0');
    else if (phase != u".")
      fail(QStringLiteral("the phase \"%1\" is not 0, 1, 2 or .").arg(phase.toString()));

    SequenceFeature feature;
    feature.seqid = m_texts.get(trimmed(column[0]));
    feature.key = m_texts.get(trimmed(column[2]));
    feature.stranded = stranded;
    QString groupKey;
    if (m_format == AnnotationFormat::Gff3)
      gff3Attributes(column[8], feature);
    else
      gtfAttributes(column[8], feature, groupKey);
    if (m_format == AnnotationFormat::Gff3) groupKey = feature.id;
    if (!groupKey.isEmpty()) {
      // A further line of a feature already read: one more part of it.
      const auto known = m_groups.constFind(groupKey);
      if (known != m_groups.constEnd()) {
        SequenceFeature& owner = m_content.features[size_t(*known)];
        if (owner.seqid != feature.seqid)
          fail(QStringLiteral("the feature \"%1\" lies on %2 here and on %3 before")
                   .arg(groupKey, feature.seqid, owner.seqid));
        owner.parts.push_back(part);
        owner.kind = LocationOperator::Join;
        return;
      }
      m_groups.insert(groupKey, qsizetype(m_content.features.size()));
    }
    feature.parts.push_back(part);
    m_content.features.push_back(std::move(feature));
  }

  void gff3Attributes(QStringView text, SequenceFeature& feature) {
    for (QStringView pair : qTokenize(text, u';')) {
      pair = trimmed(pair);
      if (pair.isEmpty()) continue;
      const qsizetype equals = pair.indexOf(u'=');
      FeatureQualifier qualifier;
      if (equals < 0) {
        qualifier.name = m_texts.get(pair);
      } else {
        qualifier.name = m_texts.get(trimmed(pair.first(equals)));
        const QStringView value = trimmed(pair.sliced(equals + 1));
        qualifier.value = percentDecoded(value);
        qualifier.hasValue = true;
        if (qualifier.name == u"ID") {
          feature.id = qualifier.value;
        } else if (qualifier.name == u"Parent") {
          for (QStringView parent : qTokenize(value, u','))
            if (!trimmed(parent).isEmpty()) feature.parents.append(percentDecoded(trimmed(parent)));
        }
      }
      feature.qualifiers.push_back(std::move(qualifier));
    }
  }

  // GTF and GFF2: key "value"; pairs. A gene is named by its gene_id, a transcript by its
  // transcript_id (under its gene); the other lines of a transcript with one type form one
  // feature under the transcript.
  void gtfAttributes(QStringView text, SequenceFeature& feature, QString& groupKey) {
    for (QStringView pair : qTokenize(text, u';')) {
      pair = trimmed(pair);
      if (pair.isEmpty()) continue;
      qsizetype blank = 0;
      while (blank < pair.size() && !pair[blank].isSpace()) ++blank;
      FeatureQualifier qualifier;
      qualifier.name = m_texts.get(pair.first(blank));
      QStringView value = trimmed(pair.sliced(blank));
      if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
        value = value.sliced(1, value.size() - 2);
      qualifier.value = value.toString();
      qualifier.hasValue = !pair.sliced(blank).isEmpty();
      feature.qualifiers.push_back(std::move(qualifier));
    }
    const QString gene = feature.qualifier(u"gene_id").value_or(QString());
    const QString transcript = feature.qualifier(u"transcript_id").value_or(QString());
    if (feature.key == u"gene") {
      feature.id = gene;
    } else if (feature.key == u"transcript" || feature.key == u"mRNA") {
      feature.id = transcript;
      if (!gene.isEmpty()) feature.parents.append(gene);
    } else if (!transcript.isEmpty()) {
      feature.id = feature.key + u':' + transcript;
      feature.parents.append(transcript);
    } else if (!gene.isEmpty()) {
      feature.id = feature.key + u':' + gene;
      feature.parents.append(gene);
    }
    groupKey = feature.id;
  }

  void bedLine(QStringView text) {
    if (text.startsWith(u'#') || text.startsWith(u"track") || text.startsWith(u"browser")) return;
    // Tabs separate the columns; a file without any is taken as separated by blanks.
    const QList<QStringView> column =
        text.contains(u'\t') ? text.split(u'\t') : text.split(u' ', Qt::SkipEmptyParts);
    if (column.size() < 3) fail(QStringLiteral("fewer than 3 columns (%1)").arg(column.size()));
    const qint64 start = coordinate(column[1], "start");
    const qint64 end = coordinate(column[2], "end");
    if (start < 0) fail(QStringLiteral("the start %1 is below 0").arg(start));
    if (start > end) fail(QStringLiteral("the start %1 is after the end %2").arg(start).arg(end));
    SequenceFeature feature;
    feature.seqid = m_texts.get(trimmed(column[0]));
    feature.key = m_texts.get(u"region");
    if (column.size() > 3 && !trimmed(column[3]).isEmpty()) {
      feature.qualifiers.push_back({m_texts.get(u"Name"), trimmed(column[3]).toString(), true});
    }
    bool reverse = false;
    feature.stranded = false;
    if (column.size() > 5) {
      const QStringView strand = trimmed(column[5]);
      if (strand == u"+" || strand == u"-") {
        feature.stranded = true;
        reverse = strand == u"-";
      } else if (strand != u"." && !strand.isEmpty()) {
        fail(QStringLiteral("the strand \"%1\" is not +, - or .").arg(strand.toString()));
      }
    }
    // An empty interval (start == end) marks the place between two bases: shown as the base
    // after it.
    const auto addPart = [&](qint64 from, qint64 to) {
      FeatureLocationPart part;
      part.start = from + 1;
      part.end = std::max(to, from + 1);
      part.reverse = reverse;
      feature.parts.push_back(part);
    };
    if (column.size() >= 12) {
      bool ok = false;
      const qint64 count = trimmed(column[9]).toLongLong(&ok);
      if (!ok || count < 1) fail(QStringLiteral("the block count is not a positive number"));
      const auto numbers = [&](QStringView list, const char* which) {
        std::vector<qint64> values;
        for (QStringView item : list.split(u',', Qt::SkipEmptyParts))
          values.push_back(coordinate(item, which));
        if (qint64(values.size()) != count)
          fail(QStringLiteral("%1 block %2 for %3 blocks")
                   .arg(values.size())
                   .arg(QLatin1StringView(which))
                   .arg(count));
        return values;
      };
      const std::vector<qint64> sizes = numbers(column[10], "sizes");
      const std::vector<qint64> starts = numbers(column[11], "starts");
      for (size_t i = 0; i < sizes.size(); ++i) {
        const qint64 from = start + starts[i];
        const qint64 to = from + sizes[i];
        if (starts[i] < 0 || sizes[i] < 0 || to > end)
          fail(QStringLiteral("block %1 lies outside %2..%3").arg(i + 1).arg(start).arg(end));
        addPart(from, to);
      }
      if (feature.parts.size() > 1) feature.kind = LocationOperator::Join;
    } else {
      addPart(start, end);
    }
    m_content.features.push_back(std::move(feature));
  }

  AnnotationFormat m_format;
  QString m_fileName;
  QString m_line;
  qint64 m_lineNumber = 0;
  bool m_inFasta = false;
  FastaReader m_fasta;
  AnnotationFileContent m_content;
  QHash<QString, qsizetype> m_groups;
  SharedTexts m_texts;
};

}  // namespace

AnnotationFileContent readAnnotationFile(const QString& fileName, AnnotationFormat format,
                                         ReadMonitor* monitor) {
  AnnotationParser parser(format, fileName);
  const QFileInfo info(fileName);
  if (info.isFile()) parser.expectBytes(info.size());
  readTextFile(fileName, parser, monitor);
  return parser.finish();
}

AnnotationFileContent parseAnnotations(QStringView text, AnnotationFormat format,
                                       const QString& fileName) {
  AnnotationParser parser(format, fileName);
  LineSplitter splitter(parser);
  splitter.feed(text);
  splitter.finish();
  return parser.finish();
}

}  // namespace duvanet::core

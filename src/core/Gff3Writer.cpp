#include "core/Gff3Writer.h"

#include <QByteArray>

namespace duvanet::core {

namespace {

// Characters with a meaning in column 9 (and controls) are written as %XX. Commas separate the
// values of a list attribute (Dbxref=a,b) and stay, except in single values such as ID and Name.
QString encoded(QStringView value, bool single = true) {
  bool plain = true;
  for (QChar c : value)
    if (c == u';' || c == u'=' || c == u'&' || (single && c == u',') || c == u'%' || c == u'\t' ||
        c.unicode() < 0x20)
      plain = false;
  if (plain) return value.toString();
  return QString::fromLatin1(
      value.toUtf8().toPercentEncoding(single ? QByteArray(" :/|()[]{}'\"+*#!?@$^~<>.-_")
                                              : QByteArray(" :/|()[]{}'\"+*#!?@$^~<>.-_,")));
}

void appendAttribute(QString& text, QStringView name, QStringView value) {
  if (!text.isEmpty()) text += u';';
  text += encoded(name);
  text += u'=';
  text += value;
}

// The phase of each part of a coding feature: the first from /codon_start, the next ones from
// the bases left over by the parts before them.
std::vector<int> codingPhases(const SequenceFeature& feature) {
  std::vector<int> phases;
  for (const FeatureLocationPart& part : feature.parts) phases.push_back(part.phase);
  if (feature.key != u"CDS" || !feature.seqid.isEmpty() || feature.parts.empty()) return phases;
  bool ok = false;
  const int codonStart = feature.qualifier(u"codon_start").value_or(QStringLiteral("1")).toInt(&ok);
  int phase = ok && codonStart >= 1 && codonStart <= 3 ? codonStart - 1 : 0;
  for (size_t i = 0; i < feature.parts.size(); ++i) {
    phases[i] = phase;
    const qint64 length = feature.parts[i].end - feature.parts[i].start + 1;
    phase = int((3 - (length - phase) % 3) % 3);
  }
  return phases;
}

}  // namespace

QString entrySeqid(QStringView name) {
  QStringView rest = name.trimmed();
  if (rest.startsWith(u'>')) rest = rest.sliced(1);
  qsizetype end = 0;
  while (end < rest.size() && !rest[end].isSpace()) ++end;
  return rest.first(end).toString();
}

QString Gff3Writer::header() { return QStringLiteral("##gff-version 3\n"); }

QString Gff3Writer::makeId(const QString& type) {
  QString id;
  do {
    id = QStringLiteral("%1_%2")
             .arg(type.isEmpty() ? QStringLiteral("feature") : type)
             .arg(++m_made);
  } while (m_used.contains(id));
  return id;
}

QString Gff3Writer::featureLines(const SequenceFeature& feature, QStringView entrySeqidText) {
  QString id = feature.id;
  if (id.isEmpty()) id = makeId(feature.key);
  m_used.insert(id);
  QString attributes;
  appendAttribute(attributes, u"ID", encoded(id));
  appendAttribute(attributes, u"Name", encoded(feature.displayName()));
  if (!feature.parents.isEmpty()) {
    QStringList parents;
    for (const QString& parent : feature.parents) parents.append(encoded(parent));
    appendAttribute(attributes, u"Parent", parents.join(u','));
  }
  // The other attributes keep their order; several of one name become one list.
  QStringList names;
  for (const FeatureQualifier& qualifier : feature.qualifiers) {
    if (!qualifier.hasValue || qualifier.name == u"ID" || qualifier.name == u"Name" ||
        qualifier.name == u"Parent" || names.contains(qualifier.name))
      continue;
    names.append(qualifier.name);
  }
  for (const QString& name : names) {
    QStringList values;
    for (const FeatureQualifier& qualifier : feature.qualifiers)
      if (qualifier.hasValue && qualifier.name == name)
        values.append(encoded(qualifier.value, false));
    appendAttribute(attributes, name, values.join(u','));
  }
  const QString seqid =
      encoded(feature.seqid.isEmpty() ? entrySeqidText.toString() : feature.seqid);
  const std::vector<int> phases = codingPhases(feature);
  QString lines;
  for (size_t i = 0; i < feature.parts.size(); ++i) {
    const FeatureLocationPart& part = feature.parts[i];
    const QChar strand = !feature.stranded ? u'.' : part.reverse ? u'-' : u'+';
    lines += QStringLiteral("%1\tduvanet\t%2\t%3\t%4\t.\t%5\t%6\t%7\n")
                 .arg(seqid, feature.key.isEmpty() ? QStringLiteral("region") : feature.key)
                 .arg(part.low())
                 .arg(part.high())
                 .arg(strand)
                 .arg(phases[i] < 0 ? QStringLiteral(".") : QString::number(phases[i]))
                 .arg(attributes);
  }
  return lines;
}

}  // namespace duvanet::core

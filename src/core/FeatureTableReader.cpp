#include "core/FeatureTableReader.h"

#include "core/FlatFileReader.h"

namespace duvanet::core {

namespace {

// Whether a quoted value (beginning with its opening quote) has been closed; "" inside it is
// a quote character.
bool quoteClosed(QStringView value) {
  for (qsizetype i = 1; i < value.size(); ++i) {
    if (value[i] != u'"') continue;
    if (i + 1 < value.size() && value[i + 1] == u'"') {
      ++i;
      continue;
    }
    return true;
  }
  return false;
}

// The value of "/name=value" whose value is open: an opening quote and no closing one yet.
bool valueOpen(QStringView qualifier) {
  const qsizetype equals = qualifier.indexOf(u'=');
  if (equals < 0) return false;
  const QStringView value = qualifier.sliced(equals + 1);
  return value.startsWith(u'"') && !quoteClosed(value);
}

}  // namespace

void FeatureTableReader::line(QStringView text, qint64 number) {
  const QStringView body = text.sliced(std::min<qsizetype>(5, text.size()));
  if (!body.isEmpty() && !isBlank(body.front())) {
    closeFeature();
    const QStringView key = firstWord(body);
    m_feature.key = key.toString();
    m_locationText = trimBlanks(body.sliced(key.size())).toString();
    m_featureLine = number;
    m_open = true;
    return;
  }
  const QStringView content = trimBlanks(body);
  if (content.isEmpty()) return;
  if (!m_open) m_fail(number, QStringLiteral("a feature key was expected"));
  if (m_inQualifier && valueOpen(m_qualifierText)) {
    // Protein translations are wrapped anywhere; other texts at blanks.
    if (!m_qualifierText.startsWith(QLatin1StringView("/translation=")))
      m_qualifierText.append(u' ');
    m_qualifierText.append(content);
    return;
  }
  if (content.startsWith(u'/')) {
    closeQualifier();
    m_qualifierText = content.toString();
    m_qualifierLine = number;
    m_inQualifier = true;
    return;
  }
  if (m_inQualifier) {
    m_qualifierText.append(u' ');
    m_qualifierText.append(content);
  } else {
    m_locationText.append(content);
  }
}

void FeatureTableReader::closeQualifier() {
  if (!m_inQualifier) return;
  m_inQualifier = false;
  FeatureQualifier qualifier;
  const QStringView text = QStringView(m_qualifierText).sliced(1);
  const qsizetype equals = text.indexOf(u'=');
  qualifier.name = (equals < 0 ? text : text.first(equals)).toString();
  if (qualifier.name.isEmpty())
    m_fail(m_qualifierLine, QStringLiteral("a qualifier without a name"));
  if (equals >= 0) {
    qualifier.hasValue = true;
    const QStringView value = text.sliced(equals + 1);
    if (value.startsWith(u'"')) {
      if (!quoteClosed(value) || !value.endsWith(u'"') || value.size() < 2)
        m_fail(m_qualifierLine,
               QStringLiteral("the value of /%1 does not end with a quote").arg(qualifier.name));
      qualifier.value = value.sliced(1, value.size() - 2).toString();
      qualifier.value.replace(QLatin1StringView("\"\""), QLatin1StringView("\""));
    } else {
      qualifier.value = value.toString();
    }
  }
  m_feature.qualifiers.push_back(std::move(qualifier));
  m_qualifierText.clear();
}

void FeatureTableReader::closeFeature() {
  if (!m_open) return;
  closeQualifier();
  std::optional<FeatureLocation> location = parseFeatureLocation(m_locationText);
  if (!location)
    m_fail(m_featureLine,
           QStringLiteral("the location of the %1 feature cannot be read: %2")
               .arg(m_feature.key,
                    m_locationText.isEmpty() ? QStringLiteral("(none)") : m_locationText));
  m_feature.location.reserve(m_locationText.size());
  for (QChar c : m_locationText)
    if (!c.isSpace()) m_feature.location.append(c);
  m_feature.kind = location->kind;
  m_feature.parts = std::move(location->parts);
  m_features.push_back(std::move(m_feature));
  m_feature = SequenceFeature();
  m_locationText.clear();
  m_open = false;
}

FeatureTable FeatureTableReader::take() {
  closeFeature();
  FeatureTable table = std::move(m_features);
  m_features.clear();
  return table;
}

}  // namespace duvanet::core

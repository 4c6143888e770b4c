#include "core/SequenceFeature.h"

#include <algorithm>
#include <limits>

namespace duvanet::core {

std::optional<QString> SequenceFeature::qualifier(QStringView name) const {
  for (const FeatureQualifier& entry : qualifiers)
    if (entry.name == name) return entry.value;
  return std::nullopt;
}

namespace {

// A recursive-descent reader over the location text with its blanks removed.
class LocationParser {
 public:
  explicit LocationParser(QStringView text) : m_text(text) {}

  std::optional<FeatureLocation> parse() {
    FeatureLocation location;
    LocationOperator kind = LocationOperator::Single;
    if (!readLocation(location.parts, kind, 0) || m_at != m_text.size()) return std::nullopt;
    location.kind = kind;
    return location;
  }

 private:
  static constexpr int kMaxDepth = 64;

  bool readLocation(std::vector<FeatureLocationPart>& parts, LocationOperator& kind, int depth) {
    if (depth > kMaxDepth) return false;
    if (takeWord(u"complement(")) {
      std::vector<FeatureLocationPart> inner;
      if (!readLocation(inner, kind, depth + 1) || !take(u')')) return false;
      // The complement of a list runs the other way: last part first, each on the other strand.
      std::reverse(inner.begin(), inner.end());
      for (FeatureLocationPart& part : inner) part.reverse = !part.reverse;
      parts.insert(parts.end(), inner.begin(), inner.end());
      return true;
    }
    for (const auto& [word, listKind] : {std::pair{u"join(", LocationOperator::Join},
                                         std::pair{u"order(", LocationOperator::Order},
                                         std::pair{u"bond(", LocationOperator::Order}}) {
      if (!takeWord(word)) continue;
      if (kind == LocationOperator::Single || listKind == LocationOperator::Order) kind = listKind;
      do {
        LocationOperator innerKind = LocationOperator::Single;
        if (!readLocation(parts, innerKind, depth + 1)) return false;
        if (innerKind == LocationOperator::Order) kind = LocationOperator::Order;
      } while (take(u','));
      return take(u')');
    }
    return readRange(parts);
  }

  // A base, a range or a site, possibly in another record ("AB123.1:1..20"), which is skipped.
  bool readRange(std::vector<FeatureLocationPart>& parts) {
    bool remote = false;
    const qsizetype colon = remoteReferenceEnd();
    if (colon >= 0) {
      m_at = colon + 1;
      remote = true;
    }
    FeatureLocationPart part;
    bool startOpen = false;
    if (!readPosition(part.start, startOpen, part.startPartial)) return false;
    part.end = part.start;
    if (take(u'.')) {
      bool endOpen = false;
      if (take(u'.')) {
        if (!readPosition(part.end, endOpen, part.endPartial)) return false;
      } else {
        part.oneBaseWithin = true;
        if (!readPosition(part.end, endOpen, part.endPartial)) return false;
      }
    } else if (take(u'^')) {
      part.betweenBases = true;
      bool endOpen = false;
      if (!readPosition(part.end, endOpen, part.endPartial)) return false;
    } else if (startOpen) {
      // A single base written "<5" or ">5": partial at the side the sign points to.
      part.endPartial = m_text[m_signAt] == u'>';
      part.startPartial = m_text[m_signAt] == u'<';
    }
    // Ranges run forwards; a site may cross the origin of a circular molecule (n^1).
    if (!part.betweenBases && part.end < part.start) return false;
    if (!remote) parts.push_back(part);
    return true;
  }

  // The index of the ":" that ends an accession at the reading position, or -1.
  qsizetype remoteReferenceEnd() const {
    qsizetype i = m_at;
    bool letter = false;
    while (i < m_text.size()) {
      const QChar c = m_text[i];
      if (c.isLetter() || c == u'_') {
        letter = true;
      } else if (!(c.isDigit() || c == u'.')) {
        break;
      }
      ++i;
    }
    return letter && i < m_text.size() && m_text[i] == u':' ? i : -1;
  }

  bool readPosition(qint64& value, bool& signed_, bool& partial) {
    signed_ = false;
    if (m_at < m_text.size() && (m_text[m_at] == u'<' || m_text[m_at] == u'>')) {
      m_signAt = m_at;
      signed_ = true;
      partial = true;
      ++m_at;
    }
    const qsizetype begin = m_at;
    qint64 number = 0;
    while (m_at < m_text.size() && m_text[m_at] >= u'0' && m_text[m_at] <= u'9') {
      const int digit = m_text[m_at].unicode() - u'0';
      if (number > (std::numeric_limits<qint64>::max() - digit) / 10) return false;
      number = number * 10 + digit;
      ++m_at;
    }
    if (m_at == begin || number < 1) return false;
    value = number;
    return true;
  }

  bool take(QChar c) {
    if (m_at < m_text.size() && m_text[m_at] == c) {
      ++m_at;
      return true;
    }
    return false;
  }

  bool takeWord(QStringView word) {
    if (!m_text.sliced(m_at).startsWith(word)) return false;
    m_at += word.size();
    return true;
  }

  QStringView m_text;
  qsizetype m_at = 0;
  qsizetype m_signAt = 0;
};

}  // namespace

std::optional<FeatureLocation> parseFeatureLocation(QStringView text) {
  QString compact;
  compact.reserve(text.size());
  for (QChar c : text)
    if (!c.isSpace()) compact.append(c);
  if (compact.isEmpty()) return std::nullopt;
  return LocationParser(compact).parse();
}

}  // namespace duvanet::core

#include "core/CaseMapping.h"

#include <array>
#include <memory>

namespace duvanet::core {

namespace {

// One entry per code unit, built once: a look-up is cheaper than QChar's property search.
using CodeUnitMap = std::array<char16_t, 65536>;

std::unique_ptr<CodeUnitMap> buildMap(bool upper) {
  auto map = std::make_unique<CodeUnitMap>();
  for (int c = 0; c < 65536; ++c) {
    const QChar ch{char16_t(c)};
    (*map)[c] = (upper ? ch.toUpper() : ch.toLower()).unicode();
  }
  return map;
}

const CodeUnitMap& upperMap() {
  static const std::unique_ptr<CodeUnitMap> map = buildMap(true);
  return *map;
}

const CodeUnitMap& lowerMap() {
  static const std::unique_ptr<CodeUnitMap> map = buildMap(false);
  return *map;
}

QString mapped(QStringView text, const CodeUnitMap& map) {
  QString result(text.size(), Qt::Uninitialized);
  const char16_t* in = text.utf16();
  char16_t* out = reinterpret_cast<char16_t*>(result.data());
  for (qsizetype i = 0; i < text.size(); ++i) out[i] = map[in[i]];
  return result;
}

void mapInPlace(QString& text, const CodeUnitMap& map) {
  char16_t* p = reinterpret_cast<char16_t*>(text.data());
  for (qsizetype i = 0; i < text.size(); ++i) p[i] = map[p[i]];
}

}  // namespace

QString toUpperPerCodeUnit(QStringView text) { return mapped(text, upperMap()); }
QString toLowerPerCodeUnit(QStringView text) { return mapped(text, lowerMap()); }
void makeUpperPerCodeUnit(QString& text) { mapInPlace(text, upperMap()); }
void makeLowerPerCodeUnit(QString& text) { mapInPlace(text, lowerMap()); }

}  // namespace duvanet::core

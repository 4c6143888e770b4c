#include "core/StrandTransforms.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

// Complements of the IUPAC nucleotide codes, case kept; "-", "." and "?" map to themselves.
// 0 marks a code unit outside the table.
const std::array<char16_t, 128>& complementTable() {
  static const std::array<char16_t, 128> table = [] {
    std::array<char16_t, 128> t{};
    const char* const pairs[] = {"AT", "CG", "GC", "TA", "RY", "YR", "SS", "WW",
                                 "KM", "MK", "BV", "VB", "DH", "HD", "NN"};
    for (const char* pair : pairs) {
      t[size_t(pair[0])] = char16_t(pair[1]);
      t[size_t(pair[0] - 'A' + 'a')] = char16_t(pair[1] - 'A' + 'a');
    }
    for (char symbol : {'-', '.', '?'}) t[size_t(symbol)] = char16_t(symbol);
    return t;
  }();
  return table;
}

}  // namespace

int tSequenceList::ReverseComplementDNA(const QString& source, QString& dest) {
  // Work from a reference taken before dest changes: source and dest may be one variable.
  const QString text = source;
  dest.clear();
  if (text.isEmpty()) return -1;
  const auto& table = complementTable();
  QString result(text.size(), Qt::Uninitialized);
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  char16_t* out = reinterpret_cast<char16_t*>(result.data());
  const qsizetype length = text.size();
  qsizetype firstUnknown = 0;
  for (qsizetype i = length - 1; i >= 0; --i) {
    const char16_t c = in[i];
    const char16_t image = c < 128 ? table[c] : 0;
    if (image != 0) {
      *out++ = image;
    } else {
      *out++ = c;
      firstUnknown = i + 1;
    }
  }
  dest = std::move(result);
  return int(std::min<qsizetype>(firstUnknown, std::numeric_limits<int>::max()));
}

bool tSequenceList::RevertSequence(const QString& source, QString& dest) {
  const QString text = source;
  dest.clear();
  if (text.isEmpty()) return false;
  QString result(text.size(), Qt::Uninitialized);
  std::reverse_copy(text.cbegin(), text.cend(), result.begin());
  dest = std::move(result);
  return true;
}

namespace duvanet::core {

tSequence reverseComplementRecord(const tSequence& source) {
  tSequence result;
  tSequenceList::ReverseComplementDNA(source.Data, result.Data);
  result.Name = source.Name + kReverseComplementSuffix;
  return result;
}

}  // namespace duvanet::core

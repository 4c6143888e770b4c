#include "core/SymbolStatistics.h"

#include <new>
#include <vector>

bool CountSymbols(const QList<tSequence>& sequences, tSymbolStatistics& statistics) {
  statistics = tSymbolStatistics();
  if (sequences.isEmpty()) return false;
  try {
    // Column of each code unit, -1 while it has not been met: one look-up per symbol instead of a
    // search through the symbols found so far.
    std::vector<int> column(65536, -1);
    std::vector<char16_t> symbols;
    for (const tSequence& sequence : sequences) {
      if (sequence.Data.isEmpty()) continue;
      std::vector<qint64> row(symbols.size(), 0);
      const char16_t* p = reinterpret_cast<const char16_t*>(sequence.Data.constData());
      const char16_t* const end = p + sequence.Data.size();
      for (; p < end; ++p) {
        int j = column[*p];
        if (j < 0) {
          j = int(symbols.size());
          column[*p] = j;
          symbols.push_back(*p);
          row.push_back(0);
        }
        ++row[j];
      }
      statistics.SequenceNames.append(sequence.Name);
      statistics.Counts.append(QVector<qint64>(row.begin(), row.end()));
    }
    // Rows counted before a symbol first appeared get zeros for it.
    for (QVector<qint64>& row : statistics.Counts) row.resize(qsizetype(symbols.size()), 0);
    statistics.Symbols.reserve(qsizetype(symbols.size()));
    for (char16_t symbol : symbols) statistics.Symbols.append(QString(QChar(symbol)));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

#include "core/SymbolStatistics.h"

#include <algorithm>
#include <array>
#include <new>

namespace {

constexpr int kCountBits = 48;
constexpr quint64 kCountMask = (quint64(1) << kCountBits) - 1;
// Symbols counted between two questions whether to go on.
constexpr qsizetype kCheckEvery = qsizetype(1) << 18;

qsizetype columnOf(quint64 cell) { return qsizetype(cell >> kCountBits); }
qint64 countOf(quint64 cell) { return qint64(cell & kCountMask); }

// Room for extra more elements without a reallocation later, growing geometrically; throws
// std::bad_alloc before anything changed.
template <typename T>
void makeRoom(std::vector<T>& vector, size_t extra) {
  const size_t needed = vector.size() + extra;
  if (needed <= vector.capacity()) return;
  vector.reserve(std::max(needed, vector.capacity() + vector.capacity() / 2));
}

}  // namespace

QString tSymbolStatistics::SequenceName(qsizetype row) const {
  if (row < 0 || row >= SequenceCount()) return {};
  const quint64 begin = row == 0 ? 0 : m_nameEnd[size_t(row - 1)];
  const quint64 end = m_nameEnd[size_t(row)];
  return QString(reinterpret_cast<const QChar*>(m_names.data() + begin), qsizetype(end - begin));
}

qint64 tSymbolStatistics::Count(qsizetype row, qsizetype column) const {
  if (row < 0 || row >= SequenceCount() || column < 0 || column >= SymbolCount()) return 0;
  const auto begin = m_cells.begin() + cellsBegin(row);
  const auto end = m_cells.begin() + qsizetype(m_rowEnd[size_t(row)]);
  const auto found = std::lower_bound(
      begin, end, column, [](quint64 cell, qsizetype wanted) { return columnOf(cell) < wanted; });
  return found != end && columnOf(*found) == column ? countOf(*found) : 0;
}

void tSymbolStatistics::ForEachCount(qsizetype row,
                                     const std::function<void(qsizetype, qint64)>& visit) const {
  if (row < 0 || row >= SequenceCount()) return;
  const qsizetype end = qsizetype(m_rowEnd[size_t(row)]);
  for (qsizetype i = cellsBegin(row); i < end; ++i)
    visit(columnOf(m_cells[size_t(i)]), countOf(m_cells[size_t(i)]));
}

SymbolCounter::SymbolCounter() : m_column(65536, -1), m_count(65536, 0) { m_touched.reserve(256); }

bool SymbolCounter::add(QStringView name, QStringView data,
                        const std::function<bool(qsizetype)>& keepGoing) {
  if (data.isEmpty()) return true;
  const char16_t* const units = reinterpret_cast<const char16_t*>(data.utf16());
  const qsizetype length = data.size();
  const auto forget = [this] {
    for (const char16_t unit : m_touched) m_count[unit] = 0;
    m_touched.clear();
  };
  try {
    for (qsizetype start = 0; start < length; start += kCheckEvery) {
      if (keepGoing && start > 0 && !keepGoing(start)) {
        forget();
        return false;
      }
      const qsizetype stop = std::min(length, start + kCheckEvery);
      for (qsizetype p = start; p < stop; ++p) {
        const char16_t unit = units[p];
        if (m_count[unit]++ == 0) {
          makeRoom(m_touched, 1);
          m_touched.push_back(unit);
        }
      }
    }
    // Room for everything this row adds, so that nothing below can fail half-way.
    tSymbolStatistics& s = m_statistics;
    makeRoom(s.m_cells, m_touched.size());
    makeRoom(s.m_names, size_t(name.size()));
    makeRoom(s.m_nameEnd, 1);
    makeRoom(s.m_rowEnd, 1);
    size_t fresh = 0;
    for (const char16_t unit : m_touched) fresh += m_column[unit] < 0 ? 1 : 0;
    makeRoom(m_symbols, fresh);

    // m_touched is in the order of first occurrence in this sequence, so new symbols get
    // their columns in the order they were met.
    const size_t firstCell = s.m_cells.size();
    for (const char16_t unit : m_touched) {
      if (m_column[unit] < 0) {
        m_column[unit] = qint32(m_symbols.size());
        m_symbols.push_back(unit);
      }
      const qint64 count = m_count[unit];
      s.m_highest = std::max(s.m_highest, count);
      s.m_cells.push_back((quint64(m_column[unit]) << kCountBits) | (quint64(count) & kCountMask));
    }
    std::sort(s.m_cells.begin() + qsizetype(firstCell), s.m_cells.end());
    const auto* nameUnits = reinterpret_cast<const char16_t*>(name.utf16());
    s.m_names.insert(s.m_names.end(), nameUnits, nameUnits + name.size());
    s.m_nameEnd.push_back(s.m_names.size());
    s.m_rowEnd.push_back(s.m_cells.size());
  } catch (...) {
    forget();
    throw;
  }
  forget();
  return true;
}

void SymbolCounter::reserve(qsizetype rows, qsizetype nameUnits) {
  tSymbolStatistics& s = m_statistics;
  s.m_nameEnd.reserve(s.m_nameEnd.size() + size_t(rows));
  s.m_rowEnd.reserve(s.m_rowEnd.size() + size_t(rows));
  s.m_names.reserve(s.m_names.size() + size_t(nameUnits));
}

tSymbolStatistics SymbolCounter::take() {
  tSymbolStatistics result = std::move(m_statistics);
  m_statistics = tSymbolStatistics();
  QStringList symbols;
  symbols.reserve(qsizetype(m_symbols.size()));
  for (const char16_t unit : m_symbols) {
    symbols.append(QString(QChar(unit)));
    m_column[unit] = -1;
  }
  m_symbols.clear();
  result.m_symbols = std::move(symbols);
  return result;
}

SymbolCountStatus CountSymbols(const tSequenceList& list, const QList<int>& rows,
                               tSymbolStatistics& statistics,
                               const std::function<bool(double)>& progress) {
  statistics = tSymbolStatistics();
  if (rows.isEmpty()) return SymbolCountStatus::NothingSelected;
  double total = 0;
  qsizetype rowsWithData = 0;
  qsizetype nameUnits = 0;
  for (const int row : rows) {
    const qsizetype length = list.DataView(row).size();
    total += double(length);
    if (length == 0) continue;
    ++rowsWithData;
    nameUnits += list.NameView(row).size();
  }
  try {
    SymbolCounter counter;
    counter.reserve(rowsWithData, nameUnits);
    double done = 0;
    double reported = 0;
    bool going = true;
    const auto keepGoing = [&](qsizetype counted) {
      if (progress) going = going && progress(total > 0 ? (done + double(counted)) / total : 0);
      return going;
    };
    for (const int row : rows) {
      if (row < 0 || row >= list.Count()) continue;
      const QStringView data = list.DataView(row);
      if (!counter.add(list.NameView(row), data, keepGoing)) return SymbolCountStatus::Cancelled;
      done += double(data.size());
      // Asked between sequences too, though not after every one of a million short ones.
      if (done - reported >= double(kCheckEvery)) {
        reported = done;
        if (!keepGoing(0)) return SymbolCountStatus::Cancelled;
      }
    }
    statistics = counter.take();
  } catch (const std::bad_alloc&) {
    statistics = tSymbolStatistics();
    return SymbolCountStatus::OutOfMemory;
  }
  return SymbolCountStatus::Counted;
}

bool CountSymbols(const QList<tSequence>& sequences, tSymbolStatistics& statistics) {
  statistics = tSymbolStatistics();
  if (sequences.isEmpty()) return false;
  try {
    SymbolCounter counter;
    for (const tSequence& sequence : sequences) counter.add(sequence.Name, sequence.Data);
    statistics = counter.take();
  } catch (const std::bad_alloc&) {
    statistics = tSymbolStatistics();
    return false;
  }
  return true;
}

QString SymbolLabel(QChar symbol) {
  static const std::array<const char*, 32> kControls = {
      "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "TAB", "LF",
      "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
      "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  const char16_t unit = symbol.unicode();
  if (unit < 32) return QString::fromLatin1(kControls[unit]);
  if (unit == u' ') return QStringLiteral("\u2423");
  if (unit == 0x7F) return QStringLiteral("DEL");
  if (unit == 0xA0) return QStringLiteral("NBSP");
  if (symbol.isSurrogate())
    return QStringLiteral("U+%1").arg(QString::number(unit, 16).toUpper(), 4, u'0');
  return QString(symbol);
}

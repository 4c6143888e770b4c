#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QtGlobal>
#include <functional>
#include <vector>

#include "core/SequenceList.h"

/// Symbol counts of a set of sequences: one row per counted sequence, one column per symbol.
/// A row keeps only the symbols that occur in its sequence, so a million short sequences cost
/// a few bytes per symbol met, not a full row of every symbol each.
class tSymbolStatistics {
 public:
  /// The number of counted sequences (rows).
  qsizetype SequenceCount() const { return qsizetype(m_rowEnd.size()); }
  /// The name of counted sequence row, in the order counted; empty outside the rows.
  QString SequenceName(qsizetype row) const;
  /// Every distinct UTF-16 code unit met, as one-character texts, in the order of first
  /// occurrence.
  const QStringList& Symbols() const { return m_symbols; }
  qsizetype SymbolCount() const { return m_symbols.size(); }
  /// How often symbol column occurs in sequence row; 0 outside the table.
  qint64 Count(qsizetype row, qsizetype column) const;
  /// Calls visit(column, count) for every symbol that occurs in sequence row, in column order.
  void ForEachCount(qsizetype row, const std::function<void(qsizetype, qint64)>& visit) const;
  /// The highest count of the table; 0 when it is empty.
  qint64 HighestCount() const { return m_highest; }
  /// True when no sequence was counted.
  bool IsEmpty() const { return m_rowEnd.empty(); }

 private:
  friend class SymbolCounter;
  qsizetype cellsBegin(qsizetype row) const { return row == 0 ? 0 : qsizetype(m_rowEnd[row - 1]); }

  // Names of all rows in one text: row i's name ends at m_nameEnd[i].
  std::vector<char16_t> m_names;
  std::vector<quint64> m_nameEnd;
  // Row i's cells are m_cells[m_rowEnd[i - 1] .. m_rowEnd[i]), ordered by column; a cell packs
  // the column (a code unit has at most 65536 values) above the count (below 2^48).
  std::vector<quint64> m_cells;
  std::vector<quint64> m_rowEnd;
  QStringList m_symbols;
  qint64 m_highest = 0;
};

/// Counts sequences one after the other into a tSymbolStatistics. Every code unit counts,
/// case-sensitively; blanks, line breaks and punctuation alike; a sequence with empty data gets
/// no row. Allocation failures throw std::bad_alloc and leave the counter as it was before the
/// sequence that failed.
class SymbolCounter {
 public:
  SymbolCounter();
  /// Appends a row for the sequence unless data is empty. keepGoing(symbols counted so far of
  /// this sequence) is asked every so many symbols; when it answers false the sequence is left
  /// out and add returns false.
  bool add(QStringView name, QStringView data,
           const std::function<bool(qsizetype)>& keepGoing = {});
  /// Room for so many more rows and name code units, so that the row tables need not grow by
  /// copying as they fill; throws std::bad_alloc.
  void reserve(qsizetype rows, qsizetype nameUnits);
  /// The counts so far; the counter starts again empty.
  tSymbolStatistics take();

 private:
  tSymbolStatistics m_statistics;
  // Per code unit: its column, or -1 while it has not been met; its count in the sequence
  // being counted.
  std::vector<qint32> m_column;
  std::vector<qint64> m_count;
  std::vector<char16_t> m_touched;
  // The symbols met so far, in column order.
  std::vector<char16_t> m_symbols;
};

/// How a count of workspace rows ended.
enum class SymbolCountStatus { Counted, NothingSelected, Cancelled, OutOfMemory };

/// Counts the workspace entries at rows (in the order given; rows outside the list are
/// skipped) into statistics, which is replaced. progress(fraction) is called now and then with
/// the share of symbols counted and cancels the count when it returns false; the statistics are
/// then empty. On OutOfMemory the statistics are empty too.
SymbolCountStatus CountSymbols(const tSequenceList& list, const QList<int>& rows,
                               tSymbolStatistics& statistics,
                               const std::function<bool(double)>& progress = {});

/// Counts every sequence with non-empty Data; replaces the record's contents. Returns false
/// when the list is empty (nothing selected) or memory ran out (the record is then empty).
bool CountSymbols(const QList<tSequence>& sequences, tSymbolStatistics& statistics);

/// A visible label for a symbol in the chart and the table: "␣" for the blank, "TAB", "CR",
/// "LF", the usual abbreviations for the other control characters ("NUL", "ESC", "DEL"),
/// "NBSP" for the no-break space, "U+D83D" for a lone surrogate; other symbols as they are.
QString SymbolLabel(QChar symbol);

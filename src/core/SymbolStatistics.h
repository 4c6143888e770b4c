#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include "core/SequenceList.h"

/// Symbol counts of a set of sequences: one row per counted sequence, one column per symbol.
struct tSymbolStatistics {
  /// The names of the counted sequences, in the order given.
  QStringList SequenceNames;
  /// Every distinct UTF-16 code unit met, as a one-character text, in the order of first
  /// occurrence.
  QStringList Symbols;
  /// Counts[i][j]: how often Symbols[j] occurs in sequence i. 64-bit, so that no count overflows.
  QVector<QVector<qint64>> Counts;
};

/// Counts every code unit of every sequence with non-empty Data (case-sensitively; blanks, line
/// breaks and punctuation count too); sequences with empty Data get no row. Replaces the
/// record's contents. Returns false when the list is empty (nothing selected), true otherwise.
bool CountSymbols(const QList<tSequence>& sequences, tSymbolStatistics& statistics);

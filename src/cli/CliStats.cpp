// duvanet-cli stats: the symbol counts of the sequences as a tab-separated table.

#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"
#include "core/SymbolStatistics.h"

namespace duvanet::cli {

namespace {

const char* const kHelp =
    "Usage: duvanet-cli stats FILE...\n"
    "\n"
    "Counts how often each symbol (each UTF-16 code unit, case-sensitively, blanks and line\n"
    "breaks included) occurs in every non-empty sequence of the files, and writes a\n"
    "tab-separated table: a header row with an empty first cell and the symbols in the order\n"
    "of their first occurrence, then one row per sequence with its name and counts.\n"
    "In every cell a backslash, tab, CR and LF are written as \\\\, \\t, \\r and \\n, and every\n"
    "other control character (U+0000 to U+001F) and DEL as \\x and two upper-case hexadecimal\n"
    "digits (NUL as \\x00, ESC as \\x1B, DEL as \\x7F), so that every row is one line of text.\n";

QString escaped(const QString& cell) {
  QString text;
  text.reserve(cell.size());
  for (QChar c : cell) {
    switch (c.unicode()) {
      case u'\\':
        text += QStringLiteral("\\\\");
        break;
      case u'\t':
        text += QStringLiteral("\\t");
        break;
      case u'\r':
        text += QStringLiteral("\\r");
        break;
      case u'\n':
        text += QStringLiteral("\\n");
        break;
      default:
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
          text += QStringLiteral("\\x") +
                  QString::number(c.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
          text += c;
    }
  }
  return text;
}

int runStats(const QStringList& arguments) {
  return runGuarded("stats", [&] {
    const ArgumentParser parser(arguments, {});
    if (parser.helpRequested()) {
      writeOut(QString::fromUtf8(kHelp));
      return kExitSuccess;
    }
    requireFiles(parser);
    tSequenceList list;
    if (!loadSequenceFiles(parser.positional(), list)) return kExitFailure;
    QList<int> rows;
    rows.reserve(list.Count());
    for (int i = 0; i < list.Count(); ++i) rows.append(i);
    tSymbolStatistics statistics;
    if (CountSymbols(list, rows, statistics) == SymbolCountStatus::OutOfMemory) {
      writeErr(QStringLiteral("%1 stats: not enough memory to count the symbols of the files\n")
                   .arg(QLatin1StringView(kToolName)));
      return kExitFailure;
    }
    if (statistics.IsEmpty()) return kExitSuccess;  // nothing counted, no table

    QString header;
    for (const QString& symbol : statistics.Symbols()) header += u'\t' + escaped(symbol);
    writeOut(header + u'\n');
    std::vector<qint64> counts;
    for (qsizetype row = 0; row < statistics.SequenceCount(); ++row) {
      counts.assign(size_t(statistics.SymbolCount()), 0);
      statistics.ForEachCount(row, [&](qsizetype column, qint64 count) { counts[column] = count; });
      QString line = escaped(statistics.SequenceName(row));
      for (const qint64 count : counts) line += u'\t' + QString::number(count);
      writeOut(line + u'\n');
    }
    return kExitSuccess;
  });
}

const CliCommandRegistrar registrar({"stats", "symbol counts as a tab-separated table", runStats});

}  // namespace

}  // namespace duvanet::cli

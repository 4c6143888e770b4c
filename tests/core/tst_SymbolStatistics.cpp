#include <QTest>

#include "AddressSpaceCap.h"
#include "TestRegistry.h"
#include "core/SymbolStatistics.h"

namespace duvanet::core {

namespace {

tSequence sequence(const QString& name, const QString& data) {
  tSequence s;
  s.Name = name;
  s.Data = data;
  return s;
}

using Rows = QVector<QVector<qint64>>;

QStringList namesOf(const tSymbolStatistics& statistics) {
  QStringList names;
  for (qsizetype i = 0; i < statistics.SequenceCount(); ++i) names << statistics.SequenceName(i);
  return names;
}

// The table as dense rows, read through Count.
Rows rowsOf(const tSymbolStatistics& statistics) {
  Rows rows;
  for (qsizetype i = 0; i < statistics.SequenceCount(); ++i) {
    QVector<qint64> row;
    for (qsizetype j = 0; j < statistics.SymbolCount(); ++j) row << statistics.Count(i, j);
    rows << row;
  }
  return rows;
}

void add(tSequenceList& list, const QString& name, const QString& data) {
  list.SetSequence(list.AddSequence(), tSequence{name, data, {}});
}

}  // namespace

class TestSymbolStatistics : public QObject {
  Q_OBJECT

 private slots:
  void count_data() {
    QTest::addColumn<QList<tSequence>>("sequences");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<Rows>("counts");
    QTest::newRow("ACGT and AAN") << QList<tSequence>{sequence("s1", "ACGT"), sequence("s2", "AAN")}
                                  << QStringList{"s1", "s2"} << QStringList{"A", "C", "G", "T", "N"}
                                  << Rows{{1, 1, 1, 1, 0}, {2, 0, 0, 0, 1}};
    QTest::newRow("case matters") << QList<tSequence>{sequence("a", "Acgt"), sequence("b", "ACGT")}
                                  << QStringList{"a", "b"}
                                  << QStringList{"A", "c", "g", "t", "C", "G", "T"}
                                  << Rows{{1, 1, 1, 1, 0, 0, 0}, {1, 0, 0, 0, 1, 1, 1}};
    QTest::newRow("empty data left out, order kept")
        << QList<tSequence>{sequence("z", "GG"), sequence("empty", ""), sequence("a", "GA")}
        << QStringList{"z", "a"} << QStringList{"G", "A"} << Rows{{2, 0}, {1, 1}};
    QTest::newRow("blanks and breaks are symbols")
        << QList<tSequence>{sequence("t", "a b\r\na\t")} << QStringList{"t"}
        << QStringList{"a", " ", "b", "\r", "\n", "\t"} << Rows{{2, 1, 1, 1, 1, 1}};
    QTest::newRow("order of first occurrence, not of value")
        << QList<tSequence>{sequence("x", "zyxzy"), sequence("y", "xw")} << QStringList{"x", "y"}
        << QStringList{"z", "y", "x", "w"} << Rows{{2, 2, 1, 0}, {0, 0, 1, 1}};
    QTest::newRow("a later row meets new symbols before old ones")
        << QList<tSequence>{sequence("p", "ba"), sequence("q", "dcab")} << QStringList{"p", "q"}
        << QStringList{"b", "a", "d", "c"} << Rows{{1, 1, 0, 0}, {1, 1, 1, 1}};
    QTest::newRow("code units counted one by one")
        << QList<tSequence>{sequence("u", QStringLiteral("\U0001F600\u00E9\U0001F600"))}
        << QStringList{"u"}
        << QStringList{QString(QChar(0xD83D)), QString(QChar(0xDE00)), QStringLiteral("\u00E9")}
        << Rows{{2, 2, 1}};
    QTest::newRow("NUL and the highest code unit")
        << QList<tSequence>{sequence("n", QString(QChar(0)) + QChar(0xFFFF) + QChar(0))}
        << QStringList{"n"} << QStringList{QString(QChar(0)), QString(QChar(0xFFFF))}
        << Rows{{2, 1}};
    QTest::newRow("names kept as they are")
        << QList<tSequence>{sequence("", "A"), sequence("two\nlines", "A")}
        << QStringList{"", "two\nlines"} << QStringList{"A"} << Rows{{1}, {1}};
    QTest::newRow("all empty") << QList<tSequence>{sequence("e", ""), sequence("f", "")}
                               << QStringList{} << QStringList{} << Rows{};
  }

  void count() {
    QFETCH(QList<tSequence>, sequences);
    QFETCH(QStringList, names);
    QFETCH(QStringList, symbols);
    QFETCH(Rows, counts);
    tSymbolStatistics statistics;
    QVERIFY(CountSymbols({sequence("stale", "xyz")}, statistics));
    QVERIFY(CountSymbols(sequences, statistics));
    QCOMPARE(namesOf(statistics), names);
    QCOMPARE(statistics.Symbols(), symbols);
    QCOMPARE(rowsOf(statistics), counts);
    QCOMPARE(statistics.IsEmpty(), counts.isEmpty());

    // The same through the workspace, and the cells one row holds.
    tSequenceList list;
    for (const tSequence& s : sequences) add(list, s.Name, s.Data);
    QList<int> rows;
    for (int i = 0; i < list.Count(); ++i) rows << i;
    tSymbolStatistics fromList;
    QCOMPARE(CountSymbols(list, rows, fromList), SymbolCountStatus::Counted);
    QCOMPARE(namesOf(fromList), names);
    QCOMPARE(fromList.Symbols(), symbols);
    QCOMPARE(rowsOf(fromList), counts);
    qint64 highest = 0;
    for (qsizetype i = 0; i < fromList.SequenceCount(); ++i) {
      qsizetype previous = -1;
      fromList.ForEachCount(i, [&](qsizetype column, qint64 value) {
        QVERIFY(column > previous);
        QVERIFY(value > 0);
        QCOMPARE(value, counts[i][column]);
        previous = column;
        highest = std::max(highest, value);
      });
    }
    QCOMPARE(fromList.HighestCount(), highest);
  }

  void outsideTheTable() {
    tSymbolStatistics statistics;
    QVERIFY(CountSymbols({sequence("a", "AC")}, statistics));
    QCOMPARE(statistics.Count(0, 2), 0);
    QCOMPARE(statistics.Count(1, 0), 0);
    QCOMPARE(statistics.Count(-1, 0), 0);
    QCOMPARE(statistics.Count(0, -1), 0);
    QCOMPARE(statistics.SequenceName(1), QString());
    QCOMPARE(statistics.SequenceName(-1), QString());
  }

  void nothingSelected() {
    tSymbolStatistics statistics;
    QVERIFY(CountSymbols({sequence("x", "x")}, statistics));
    QVERIFY(!CountSymbols({}, statistics));
    QVERIFY(statistics.IsEmpty());
    QVERIFY(statistics.Symbols().isEmpty());
    QCOMPARE(statistics.HighestCount(), 0);

    tSequenceList list;
    add(list, "a", "A");
    QCOMPARE(CountSymbols(list, {}, statistics), SymbolCountStatus::NothingSelected);
    QVERIFY(statistics.IsEmpty());
  }

  // Rows are counted in the order given; rows outside the list are skipped.
  void workspaceRows() {
    tSequenceList list;
    add(list, "first", "AC");
    add(list, "second", "G");
    add(list, "third", "");
    tSymbolStatistics statistics;
    QCOMPARE(CountSymbols(list, {1, 7, 0, 2, -1}, statistics), SymbolCountStatus::Counted);
    QCOMPARE(namesOf(statistics), (QStringList{"second", "first"}));
    QCOMPARE(statistics.Symbols(), (QStringList{"G", "A", "C"}));
    QCOMPARE(rowsOf(statistics), (Rows{{1, 0, 0}, {0, 1, 1}}));
  }

  // Progress rises to the end; a false answer cancels and leaves nothing, also within one long
  // sequence and between many short ones.
  void progressAndCancel_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("length");
    QTest::newRow("one long sequence") << 1 << 3'000'000;
    QTest::newRow("many short ones") << 100'000 << 20;
  }
  void progressAndCancel() {
    QFETCH(int, records);
    QFETCH(int, length);
    tSequenceList list;
    QList<int> rows;
    for (int i = 0; i < records; ++i) {
      add(list, QString::number(i), QString(length, QLatin1Char("ACGT"[i % 4])));
      rows << i;
    }
    QList<double> fractions;
    tSymbolStatistics statistics;
    QCOMPARE(CountSymbols(list, rows, statistics,
                          [&](double fraction) {
                            fractions << fraction;
                            return true;
                          }),
             SymbolCountStatus::Counted);
    QVERIFY(fractions.size() >= 2);
    for (int i = 1; i < fractions.size(); ++i) QVERIFY(fractions[i] >= fractions[i - 1]);
    QVERIFY(fractions.first() >= 0 && fractions.last() <= 1);
    QCOMPARE(statistics.SequenceCount(), records);

    int asked = 0;
    QCOMPARE(CountSymbols(list, rows, statistics, [&](double) { return ++asked < 2; }),
             SymbolCountStatus::Cancelled);
    QCOMPARE(asked, 2);
    QVERIFY(statistics.IsEmpty());
    QVERIFY(statistics.Symbols().isEmpty());
  }

  void largeCounts() {
    const QString data = QString(1000000, u'A') + QString(3, u'C');
    tSymbolStatistics statistics;
    QVERIFY(CountSymbols({sequence("big", data), sequence("big", data)}, statistics));
    QCOMPARE(rowsOf(statistics), (Rows{{1000000, 3}, {1000000, 3}}));
    QCOMPARE(statistics.HighestCount(), 1000000);
  }

  // 200,000 sequences over 2,000 symbols, each sequence using one: a full row of every symbol
  // per sequence would take 3.2 GB, the counts of the symbols that occur a few MB. Counted in a
  // child process with 64 MB of address space to spare.
  void memoryFollowsTheSymbolsThatOccur() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address space cap does not work under AddressSanitizer");
#else
    tSequenceList list;
    QList<int> rows;
    for (int i = 0; i < 200'000; ++i) {
      add(list, QStringLiteral("s%1").arg(i), QString(3, QChar(0x100 + i % 2000)));
      rows << i;
    }
    using duvanet::testing::runCapped;
    QCOMPARE(runCapped(64 << 20,
                       [&] {
                         tSymbolStatistics statistics;
                         if (CountSymbols(list, rows, statistics) != SymbolCountStatus::Counted)
                           return 1;
                         const bool right = statistics.SequenceCount() == 200'000 &&
                                            statistics.SymbolCount() == 2000 &&
                                            statistics.Count(123'456, 1456) == 3 &&
                                            statistics.Count(123'456, 1457) == 0 &&
                                            statistics.SequenceName(199'999) == "s199999";
                         return right ? 0 : 2;
                       }),
             0);

    // 20,000 sequences of 1,000 distinct symbols each need 160 MB of counts: with 8 MB to spare
    // the count runs out of memory and says so, leaving nothing half-built.
    tSequenceList wide;
    QString symbols;
    for (int k = 0; k < 1000; ++k) symbols += QChar(0x100 + k);
    QList<int> wideRows;
    for (int i = 0; i < 20'000; ++i) {
      add(wide, QStringLiteral("w%1").arg(i), symbols);
      wideRows << i;
    }
    QCOMPARE(
        runCapped(8 << 20,
                  [&] {
                    tSymbolStatistics statistics;
                    const SymbolCountStatus status = CountSymbols(wide, wideRows, statistics);
                    return status == SymbolCountStatus::OutOfMemory && statistics.IsEmpty() ? 0 : 3;
                  }),
        0);
#endif
  }

  void labels_data() {
    QTest::addColumn<int>("symbol");
    QTest::addColumn<QString>("label");
    QTest::newRow("blank") << 0x20 << QStringLiteral("\u2423");
    QTest::newRow("tab") << 0x09 << QStringLiteral("TAB");
    QTest::newRow("CR") << 0x0D << QStringLiteral("CR");
    QTest::newRow("LF") << 0x0A << QStringLiteral("LF");
    QTest::newRow("NUL") << 0x00 << QStringLiteral("NUL");
    QTest::newRow("ESC") << 0x1B << QStringLiteral("ESC");
    QTest::newRow("US") << 0x1F << QStringLiteral("US");
    QTest::newRow("DEL") << 0x7F << QStringLiteral("DEL");
    QTest::newRow("no-break space") << 0xA0 << QStringLiteral("NBSP");
    QTest::newRow("lone surrogate") << 0xD83D << QStringLiteral("U+D83D");
    QTest::newRow("letter") << int('A') << QStringLiteral("A");
    QTest::newRow("gap") << int('-') << QStringLiteral("-");
    QTest::newRow("accented") << 0xE9 << QStringLiteral("\u00E9");
  }
  void labels() {
    QFETCH(int, symbol);
    QFETCH(QString, label);
    QCOMPARE(SymbolLabel(QChar(char16_t(symbol))), label);
  }
};

DUVANET_TEST(TestSymbolStatistics)

}  // namespace duvanet::core

#include "tst_SymbolStatistics.moc"

#include <QTest>

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
    QTest::newRow("code units counted one by one")
        << QList<tSequence>{sequence("u", QStringLiteral("\U0001F600\u00E9\U0001F600"))}
        << QStringList{"u"}
        << QStringList{QString(QChar(0xD83D)), QString(QChar(0xDE00)), QStringLiteral("\u00E9")}
        << Rows{{2, 2, 1}};
    QTest::newRow("all empty") << QList<tSequence>{sequence("e", ""), sequence("f", "")}
                               << QStringList{} << QStringList{} << Rows{};
  }

  void count() {
    QFETCH(QList<tSequence>, sequences);
    QFETCH(QStringList, names);
    QFETCH(QStringList, symbols);
    QFETCH(Rows, counts);
    tSymbolStatistics statistics;
    statistics.SequenceNames = QStringList{"stale"};
    QVERIFY(CountSymbols(sequences, statistics));
    QCOMPARE(statistics.SequenceNames, names);
    QCOMPARE(statistics.Symbols, symbols);
    QCOMPARE(statistics.Counts, counts);
  }

  void nothingSelected() {
    tSymbolStatistics statistics;
    statistics.Symbols = QStringList{"x"};
    QVERIFY(!CountSymbols({}, statistics));
    QVERIFY(statistics.SequenceNames.isEmpty());
    QVERIFY(statistics.Symbols.isEmpty());
    QVERIFY(statistics.Counts.isEmpty());
  }

  void largeCounts() {
    const QString data = QString(1000000, u'A') + QString(3, u'C');
    tSymbolStatistics statistics;
    QVERIFY(CountSymbols({sequence("big", data), sequence("big", data)}, statistics));
    QCOMPARE(statistics.Counts, (Rows{{1000000, 3}, {1000000, 3}}));
  }
};

DUVANET_TEST(TestSymbolStatistics)

}  // namespace duvanet::core

#include "tst_SymbolStatistics.moc"

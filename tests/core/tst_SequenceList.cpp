#include <QTest>

#include "TestRegistry.h"
#include "core/SequenceList.h"

namespace duvanet::core {

namespace {

void addNamed(tSequenceList& list, const QString& name, const QString& data = QString()) {
  const int index = list.AddSequence();
  tSequence sequence;
  sequence.Name = name;
  sequence.Data = data;
  QVERIFY(list.SetSequence(index, sequence));
}

QStringList datas(const tSequenceList& list) {
  QStringList result;
  for (int i = 0; i < list.Count(); ++i) {
    tSequence sequence;
    list.GetSequence(i, sequence);
    result.append(sequence.Data);
  }
  return result;
}

}  // namespace

class TestSequenceList : public QObject {
  Q_OBJECT

 private slots:
  void emptyWorkspace() {
    tSequenceList list;
    QCOMPARE(list.Count(), 0);
    QVERIFY(list.SortAscendingByName());
    QVERIFY(list.SortDescendingByName());
    QVERIFY(!list.DeleteAllSequences());
    QVERIFY(!list.DeleteSequence(0));
    QCOMPARE(list.Count(), 0);
  }

  void addSequenceNamesByPosition() {
    tSequenceList list;
    QCOMPARE(list.AddSequence(), 0);
    QCOMPARE(list.AddSequence(), 1);
    QCOMPARE(list.AddSequence(), 2);
    QCOMPARE(list.AddSequence(), 3);
    tSequence fourth;
    QVERIFY(list.GetSequence(3, fourth));
    QCOMPARE(fourth.Name, QStringLiteral("Sequence 4"));
    QVERIFY(fourth.Data.isEmpty());
  }

  void defaultNameRepeatsAfterDeletion() {
    tSequenceList list;
    for (int i = 0; i < 3; ++i) list.AddSequence();
    QVERIFY(list.DeleteSequence(0));
    QCOMPARE(list.AddSequence(), 2);
    QCOMPARE(list.Names(), QStringList({"Sequence 2", "Sequence 3", "Sequence 3"}));
  }

  void duplicateAppendsCopy() {
    tSequenceList list;
    addNamed(list, "abc", "ACGT");
    addNamed(list, "other", "TT");
    QVERIFY(list.DuplicateSequence(0));
    QCOMPARE(list.Names(), QStringList({"abc", "other", "Copy of abc"}));
    QCOMPARE(datas(list), QStringList({"ACGT", "TT", "ACGT"}));
    QVERIFY(list.DuplicateSequence(2));
    QCOMPARE(list.Names().last(), QStringLiteral("Copy of Copy of abc"));
    QCOMPARE(datas(list).last(), QStringLiteral("ACGT"));
  }

  void duplicateInvalidIndexAppendsNothing() {
    tSequenceList list;
    addNamed(list, "abc");
    QVERIFY(!list.DuplicateSequence(1));
    QVERIFY(!list.DuplicateSequence(-1));
    QCOMPARE(list.Count(), 1);
  }

  void sort_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("ascending");
    QTest::addColumn<QStringList>("descending");
    QTest::newRow("case ignored") << QStringList{"beta", "Alpha", "alpha2"}
                                  << QStringList{"Alpha", "alpha2", "beta"}
                                  << QStringList{"beta", "alpha2", "Alpha"};
    QTest::newRow("numbers and letters")
        << QStringList{"b", "a", "10", "C"} << QStringList{"10", "a", "b", "C"}
        << QStringList{"C", "b", "a", "10"};
    QTest::newRow("one entry") << QStringList{"x"} << QStringList{"x"} << QStringList{"x"};
  }

  void sort() {
    QFETCH(QStringList, names);
    QFETCH(QStringList, ascending);
    QFETCH(QStringList, descending);
    tSequenceList list;
    // The data travels with its name: each entry's data is its name reversed.
    for (const QString& name : names) {
      QString data;
      tSequenceList::RevertSequence(name, data);
      addNamed(list, name, data);
    }
    QVERIFY(list.SortAscendingByName());
    QCOMPARE(list.Names(), ascending);
    for (int i = 0; i < list.Count(); ++i) {
      tSequence sequence;
      list.GetSequence(i, sequence);
      QString reverted;
      tSequenceList::RevertSequence(sequence.Data, reverted);
      QCOMPARE(reverted, sequence.Name);
    }
    QVERIFY(list.SortDescendingByName());
    QCOMPARE(list.Names(), descending);
  }

  void getSequenceOutOfRange_data() {
    QTest::addColumn<int>("index");
    QTest::newRow("-1") << -1;
    QTest::newRow("Count") << 2;
    QTest::newRow("far") << 1000;
  }

  void getSequenceOutOfRange() {
    QFETCH(int, index);
    tSequenceList list;
    addNamed(list, "a", "AC");
    addNamed(list, "b", "GT");
    tSequence record;
    record.Name = "keep";
    record.Data = "me";
    QVERIFY(!list.GetSequence(index, record));
    QCOMPARE(record.Name, QStringLiteral("keep"));
    QCOMPARE(record.Data, QStringLiteral("me"));
    QVERIFY(!list.SetSequence(index, record));
    QVERIFY(!list.DeleteSequence(index));
    QCOMPARE(list.Names(), QStringList({"a", "b"}));
  }

  void getSequenceKeepsCallersValues() {
    tSequenceList list;
    addNamed(list, "a", "AC");
    tSequence record;
    record.Values = {1.5, 2.5};
    QVERIFY(list.GetSequence(0, record));
    QCOMPARE(record.Name, QStringLiteral("a"));
    QCOMPARE(record.Values, QVector<double>({1.5, 2.5}));
  }

  void copiesAreIndependent() {
    tSequenceList list;
    addNamed(list, "a", "AC");
    tSequence copy;
    list.GetSequence(0, copy);
    copy.Data.append("GT");
    copy.Name = "changed";
    tSequence again;
    list.GetSequence(0, again);
    QCOMPARE(again.Name, QStringLiteral("a"));
    QCOMPARE(again.Data, QStringLiteral("AC"));
  }

  void setSequenceReplacesOnlyThatEntry() {
    tSequenceList list;
    for (int i = 0; i < 5; ++i) addNamed(list, QString("n%1").arg(i), QString("d%1").arg(i));
    tSequence replacement;
    replacement.Name = "new";
    replacement.Data = "NEW";
    replacement.Values = {3.0};
    QVERIFY(list.SetSequence(2, replacement));
    QCOMPARE(list.Names(), QStringList({"n0", "n1", "new", "n3", "n4"}));
    QCOMPARE(datas(list), QStringList({"d0", "d1", "NEW", "d3", "d4"}));
  }

  void deleteMovesLaterEntriesUp() {
    tSequenceList list;
    for (const char* name : {"a", "b", "c", "d"}) addNamed(list, name);
    QVERIFY(list.DeleteSequence(1));
    QCOMPARE(list.Names(), QStringList({"a", "c", "d"}));
    QVERIFY(list.DeleteSequence(2));
    QCOMPARE(list.Names(), QStringList({"a", "c"}));
  }

  void deleteAll() {
    tSequenceList list;
    for (int i = 0; i < 3; ++i) list.AddSequence();
    QVERIFY(list.DeleteAllSequences());
    QCOMPARE(list.Count(), 0);
    QVERIFY(!list.DeleteAllSequences());
    QCOMPARE(list.AddSequence(), 0);
    QCOMPARE(list.Names(), QStringList({"Sequence 1"}));
  }

  // Records read from FASTA text are stored differently from records set one by one (small ones
  // share blocks); every operation must treat both alike.
  void readRecordsBehaveLikeSetOnes() {
    const QString big(2000, u'G');
    tSequenceList list;
    addNamed(list, "set", "SET");
    QCOMPARE(list.PasteFASFromClipboard(QStringLiteral(">delta\nAC\n>Beta\n") + big +
                                        QStringLiteral("\n>alpha\nTT\n>\n")),
             4);
    QCOMPARE(list.Names(), QStringList({"set", "delta", "Beta", "alpha", ""}));
    QCOMPARE(datas(list), QStringList({"SET", "AC", big, "TT", ""}));

    QVERIFY(list.SortAscendingByName());
    QCOMPARE(list.Names(), QStringList({"", "alpha", "Beta", "delta", "set"}));
    QCOMPARE(datas(list), QStringList({"", "TT", big, "AC", "SET"}));

    QVERIFY(list.DuplicateSequence(1));
    QVERIFY(list.DeleteSequence(0));
    tSequence replacement;
    replacement.Name = "gamma";
    replacement.Data = "GGG";
    QVERIFY(list.SetSequence(2, replacement));
    QCOMPARE(list.Names(), QStringList({"alpha", "Beta", "gamma", "set", "Copy of alpha"}));
    QCOMPARE(datas(list), QStringList({"TT", big, "GGG", "SET", "TT"}));

    // A copy handed out stays valid after the workspace changes.
    tSequence kept;
    QVERIFY(list.GetSequence(0, kept));
    QVERIFY(list.DeleteAllSequences());
    QCOMPARE(list.PasteFASFromClipboard(QStringLiteral(">new\nCC\n")), 1);
    QCOMPARE(kept.Name, QStringLiteral("alpha"));
    QCOMPARE(kept.Data, QStringLiteral("TT"));
    QCOMPARE(list.Names(), QStringList({"new"}));
    QCOMPARE(datas(list), QStringList({"CC"}));
  }

  void manyReadRecordsAcrossBlocks() {
    QString text;
    for (int i = 0; i < 60000; ++i)
      text += QStringLiteral(">r%1\n%2\n").arg(i).arg(QString(i % 40, u'A'));
    tSequenceList list;
    QCOMPARE(list.PasteFASFromClipboard(text), 60000);
    for (int i : {0, 1, 39, 40, 29999, 59999}) {
      tSequence sequence;
      QVERIFY(list.GetSequence(i, sequence));
      QCOMPARE(sequence.Name, QStringLiteral("r%1").arg(i));
      QCOMPARE(sequence.Data, QString(i % 40, u'A'));
    }
  }
};

DUVANET_TEST(TestSequenceList)

}  // namespace duvanet::core

#include "tst_SequenceList.moc"

#include <QTest>

#include "TestRegistry.h"
#include "core/PackedRecordStore.h"

namespace duvanet::core {

using duvanet::core::PackedRecordStore;

namespace {

// A record of 500 code units (name and data): about 2,100 fill a text block.
QString nameOf(int i) { return QStringLiteral("record %1").arg(i); }
QString dataOf(int i) {
  return QString(499 - nameOf(i).size(), QChar(u'A' + i % 26)) + QString::number(i % 10);
}

void appendRecords(PackedRecordStore& store, int from, int to) {
  for (int i = from; i < to; ++i) store.append(nameOf(i), dataOf(i));
}

void checkRecords(const PackedRecordStore& store, int count) {
  QCOMPARE(store.size(), qsizetype(count));
  for (int i = 0; i < count; ++i) {
    QCOMPARE(store.name(i), nameOf(i));
    QCOMPARE(store.data(i), dataOf(i));
  }
}

}  // namespace

class TestPackedRecordStore : public QObject {
  Q_OBJECT

 private slots:
  // A failed read takes back what it appended, also across a new text block; what follows is
  // packed where the taken-back records were and the earlier records stay intact.
  void rollBack_data() {
    QTest::addColumn<int>("kept");
    QTest::addColumn<int>("added");
    QTest::newRow("within the first block") << 10 << 20;
    QTest::newRow("into a second block") << 2000 << 300;
    QTest::newRow("from the second block") << 2200 << 50;
    QTest::newRow("everything") << 0 << 2500;
  }

  void rollBack() {
    QFETCH(int, kept);
    QFETCH(int, added);
    PackedRecordStore store;
    appendRecords(store, 0, kept);
    const PackedRecordStore::Mark mark = store.mark();
    appendRecords(store, kept, kept + added);
    checkRecords(store, kept + added);
    store.rollBack(mark);
    checkRecords(store, kept);
    QCOMPARE(store.empty(), kept == 0);
    appendRecords(store, kept, kept + added);
    checkRecords(store, kept + added);
  }

  // Large records and replaced ones own their strings and share them with copies; small ones
  // are packed and read back the same.
  void ownedAndPacked() {
    PackedRecordStore store;
    const QString large(600, u'G');
    store.append(QStringLiteral("large"), QString(large));
    store.append(QStringLiteral("small"), QStringLiteral("ACGT"));
    store.append(QStringLiteral("unpacked"), QStringLiteral("T"), false);
    QString name;
    QString data;
    store.get(0, name, data);
    QCOMPARE(data, large);
    QVERIFY(data.isSharedWith(large));
    store.get(1, name, data);
    QCOMPARE(name, QStringLiteral("small"));
    QCOMPARE(data, QStringLiteral("ACGT"));

    const QString replacement(4, u'C');
    store.replace(1, QStringLiteral("replaced"), replacement);
    store.get(1, name, data);
    QCOMPARE(name, QStringLiteral("replaced"));
    QVERIFY(data.isSharedWith(replacement));
    QCOMPARE(store.nameString(2), QStringLiteral("unpacked"));

    store.erase(0);
    QCOMPARE(store.size(), 2);
    QCOMPARE(store.name(0), QStringLiteral("replaced"));
    QCOMPARE(store.data(1), QStringLiteral("T"));
    store.clear();
    QVERIFY(store.empty());
    appendRecords(store, 0, 3);
    checkRecords(store, 3);
  }

  void sortByName() {
    PackedRecordStore store;
    store.append(QStringLiteral("b"), QStringLiteral("2"));
    store.append(QStringLiteral("c"), QString(600, u'3'));
    store.append(QStringLiteral("a"), QStringLiteral("1"));
    store.sortByName([](QStringView x, QStringView y) { return x > y; });
    QCOMPARE(store.nameString(0), QStringLiteral("c"));
    QCOMPARE(store.data(0).size(), 600);
    QCOMPARE(store.nameString(1), QStringLiteral("b"));
    QCOMPARE(store.data(1), QStringLiteral("2"));
    QCOMPARE(store.nameString(2), QStringLiteral("a"));
    QCOMPARE(store.data(2), QStringLiteral("1"));
  }
};

DUVANET_TEST(TestPackedRecordStore)

}  // namespace duvanet::core

#include "tst_PackedRecordStore.moc"

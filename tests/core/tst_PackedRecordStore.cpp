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

  // Moving every record of one store behind those of another keeps names, data, features and
  // order, leaves the source empty, and records appended afterwards go to the right block: into
  // an empty store, into one with packed records, and with records large enough to own their
  // strings.
  void appendAll_data() {
    QTest::addColumn<int>("before");  // records already in the target
    QTest::addColumn<int>("moved");   // records in the source
    QTest::addColumn<int>("length");  // data length of every record
    QTest::newRow("into an empty store") << 0 << 3000 << 400;
    QTest::newRow("packed behind packed") << 2500 << 2500 << 400;
    QTest::newRow("owned behind packed") << 10 << 5 << 600;
    QTest::newRow("nothing to move") << 4 << 0 << 10;
  }
  void appendAll() {
    QFETCH(int, before);
    QFETCH(int, moved);
    QFETCH(int, length);
    const auto dataOf = [length](int i) { return QString(length, QChar(u'A' + i % 26)); };
    PackedRecordStore target;
    PackedRecordStore source;
    for (int i = 0; i < before; ++i) target.append(QString::number(i), dataOf(i));
    for (int i = before; i < before + moved; ++i) {
      source.append(QString::number(i), dataOf(i));
      if (i % 7 == 0)
        source.setFeatures(source.size() - 1,
                           std::make_shared<const FeatureTable>(FeatureTable(size_t(i % 5 + 1))));
    }
    target.appendAll(source);
    QVERIFY(source.empty());
    // Further records land behind the moved ones, whichever block they go to.
    const int total = before + moved + 3;
    for (int i = before + moved; i < total; ++i) target.append(QString::number(i), dataOf(i));
    QCOMPARE(target.size(), qsizetype(total));
    for (int i = 0; i < total; ++i) {
      QCOMPARE(target.nameString(i), QString::number(i));
      QCOMPARE(target.data(i), dataOf(i));
      const bool withFeatures = i >= before && i < before + moved && i % 7 == 0;
      QCOMPARE(bool(target.features(i)), withFeatures);
      if (withFeatures) QCOMPARE(target.features(i)->size(), size_t(i % 5 + 1));
    }
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

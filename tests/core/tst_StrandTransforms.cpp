#include <QTest>

#include "TestRegistry.h"
#include "core/SequenceList.h"
#include "core/StrandTransforms.h"

namespace duvanet::core {

class TestStrandTransforms : public QObject {
  Q_OBJECT

 private slots:
  void reverseComplement_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("complement");
    QTest::addColumn<int>("code");
    QTest::newRow("empty") << QString() << QString() << -1;
    QTest::newRow("ACGTN-") << "ACGTN-"
                            << "-NACGT" << 0;
    QTest::newRow("case kept") << "AcG"
                               << "CgT" << 0;
    QTest::newRow("ambiguity codes") << "RYKMBVDH"
                                     << "DHBVKMRY" << 0;
    QTest::newRow("lower-case ambiguity codes") << "rykmbvdhswn"
                                                << "nwsdhbvkmry" << 0;
    QTest::newRow("pass-through symbols") << ".?-"
                                          << "-?." << 0;
    QTest::newRow("u is not in the table") << "acgu"
                                           << "ucgt" << 4;
    QTest::newRow("leftmost unknown reported") << "XAX"
                                               << "XTX" << 1;
    QTest::newRow("blank") << "AC GT"
                           << "AC GT" << 3;
    QTest::newRow("line break") << "AC\r\nGT"
                                << "AC\n\rGT" << 3;
    QTest::newRow("break after an unknown") << "AZ\nT"
                                            << "A\nZT" << 2;
    QTest::newRow("other letters") << "EFIJLOPQZefijlopqz"
                                   << "zqpoljifeZQPOLJIFE" << 1;
    QTest::newRow("non-ASCII") << QStringLiteral("A\u00C4T") << QStringLiteral("A\u00C4T") << 2;
    QTest::newRow("single symbol") << "G"
                                   << "C" << 0;
  }

  void reverseComplement() {
    QFETCH(QString, source);
    QFETCH(QString, complement);
    QFETCH(int, code);
    QString dest = QStringLiteral("stale");
    QCOMPARE(tSequenceList::ReverseComplementDNA(source, dest), code);
    QCOMPARE(dest, complement);
    QCOMPARE(dest.size(), source.size());

    // The same variable as source and destination.
    QString same = source;
    QCOMPARE(tSequenceList::ReverseComplementDNA(same, same), code);
    QCOMPARE(same, complement);

    // Applied to its own output it gives the first text back.
    QString back;
    tSequenceList::ReverseComplementDNA(dest, back);
    QCOMPARE(back, source);
  }

  void complementTable() {
    const QString from = QStringLiteral("ACGTRYSWKMBVDHNacgtryswkmbvdhn");
    const QString to = QStringLiteral("TGCAYRSWMKVBHDNtgcayrswmkvbhdn");
    for (qsizetype i = 0; i < from.size(); ++i) {
      QString dest;
      QCOMPARE(tSequenceList::ReverseComplementDNA(QString(from[i]), dest), 0);
      QCOMPARE(dest, QString(to[i]));
    }
  }

  void revert_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("reverted");
    QTest::addColumn<bool>("result");
    QTest::newRow("empty") << QString() << QString() << false;
    QTest::newRow("abc") << "abc"
                         << "cba" << true;
    QTest::newRow("single") << "x"
                            << "x" << true;
    QTest::newRow("breaks and blanks") << "a b\r\n"
                                       << "\n\rb a" << true;
  }

  void revert() {
    QFETCH(QString, source);
    QFETCH(QString, reverted);
    QFETCH(bool, result);
    QString dest = QStringLiteral("stale");
    QCOMPARE(tSequenceList::RevertSequence(source, dest), result);
    QCOMPARE(dest, reverted);
    QString same = source;
    QCOMPARE(tSequenceList::RevertSequence(same, same), result);
    QCOMPARE(same, reverted);
  }

  void reverseComplementRecord_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("resultName");
    QTest::addColumn<QString>("resultData");
    QTest::newRow("plain") << "seq one"
                           << "AACGTx"
                           << "seq one (reverse complement)"
                           << "xACGTT";
    QTest::newRow("already marked") << "a (reverse complement)"
                                    << "GC"
                                    << "a (reverse complement) (reverse complement)"
                                    << "GC";
    QTest::newRow("empty data") << "e" << QString() << "e (reverse complement)" << QString();
    QTest::newRow("empty name") << QString() << "a"
                                << " (reverse complement)"
                                << "t";
  }

  void reverseComplementRecord() {
    QFETCH(QString, name);
    QFETCH(QString, data);
    QFETCH(QString, resultName);
    QFETCH(QString, resultData);
    tSequence source;
    source.Name = name;
    source.Data = data;
    const tSequence result = duvanet::core::reverseComplementRecord(source);
    QCOMPARE(result.Name, resultName);
    QCOMPARE(result.Data, resultData);
    QCOMPARE(source.Data, data);  // the source is left as it was
  }
};

DUVANET_TEST(TestStrandTransforms)

}  // namespace duvanet::core

#include "tst_StrandTransforms.moc"

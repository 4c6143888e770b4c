#include <QTest>

#include "TestRegistry.h"
#include "core/ComparedStretches.h"

using duvanet::core::ComparedStrands;
using duvanet::core::comparedStretchesFasta;

class ComparedStretchesTest : public QObject {
  Q_OBJECT

 private slots:
  // H = AACGTTC (Hr = GAACGTT), V = TTACG (Vr = CGTAA), W = 3; literal types revert only:
  // H' = CTTGCAA, V' = GCATT.
  void records_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    QTest::addColumn<QString>("expected");
    QTest::newRow("identity, first cell") << static_cast<int>(dptIdentity) << 0 << 0
                                          << ">seq one forward 1-3\nAAC\n>two forward 1-3\nTTA\n";
    QTest::newRow("DNA both, inner cell")
        << static_cast<int>(dptDNABoth) << 2 << 1
        << ">seq one forward 3-5\nCGT\n>two forward 2-4\nTAC\n"
           ">seq one reverse complement 3-5\nACG\n>two reverse complement 2-4\nGTA\n";
    QTest::newRow("DNA horizontal, last cell")
        << static_cast<int>(dptDNAHoriz) << 4 << 2
        << ">seq one forward 5-7\nTTC\n>two forward 3-5\nACG\n"
           ">seq one reverse complement 1-3\nGAA\n";
    QTest::newRow("literal vertical")
        << static_cast<int>(dptLiteralVerti) << 0 << 2
        << ">seq one forward 1-3\nAAC\n>two forward 3-5\nACG\n>two reverted 1-3\nGCA\n";
    QTest::newRow("beyond the last column") << static_cast<int>(dptDNABoth) << 5 << 0 << "";
    QTest::newRow("beyond the last row") << static_cast<int>(dptDNABoth) << 0 << 3 << "";
    QTest::newRow("before the first column") << static_cast<int>(dptDNABoth) << -1 << 0 << "";
  }
  void records() {
    QFETCH(int, type);
    QFETCH(int, h);
    QFETCH(int, v);
    QFETCH(QString, expected);
    const auto t = static_cast<tDotPlotType>(type);
    const bool dna = duvanet::engine::isDnaType(t);
    const tSequence horiz{QStringLiteral("seq one"), QStringLiteral("AACGTTC"), {}};
    const tSequence verti{QStringLiteral("two"), QStringLiteral("TTACG"), {}};
    const tSequence horizRev{
        horiz.Name, dna ? QStringLiteral("GAACGTT") : QStringLiteral("CTTGCAA"), {}};
    const tSequence vertiRev{
        verti.Name, dna ? QStringLiteral("CGTAA") : QStringLiteral("GCATT"), {}};
    const ComparedStrands strands{horiz, verti, horizRev, vertiRev, 3, t};
    QCOMPARE(comparedStretchesFasta(strands, h, v), expected);
  }
};

DUVANET_TEST(ComparedStretchesTest)
#include "tst_ComparedStretches.moc"

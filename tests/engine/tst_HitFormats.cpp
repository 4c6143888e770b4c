#include <QTest>
#include <string>

#include "TestRegistry.h"
#include "engine/HitFormats.h"

using namespace duvanet::engine;

Q_DECLARE_METATYPE(HitFileFormat)

class HitFormatsTest : public QObject {
  Q_OBJECT

 private slots:
  void formatFromExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");  // -1: none
    QTest::newRow("tsv") << "out/hits.tsv" << static_cast<int>(HitFileFormat::Tsv);
    QTest::newRow("upper case PAF") << "HITS.PAF" << static_cast<int>(HitFileFormat::Paf);
    QTest::newRow("bedpe") << "a.b.BedPe" << static_cast<int>(HitFileFormat::Bedpe);
    QTest::newRow("bed is not bedpe") << "hits.bed" << -1;
    QTest::newRow("compressed") << "hits.tsv.gz" << -1;
    QTest::newRow("no extension") << "hits" << -1;
    QTest::newRow("only the extension's letters") << "tsv" << -1;
  }
  void formatFromExtension() {
    QFETCH(QString, name);
    QFETCH(int, format);
    const auto got = hitFileFormatOf(name.toStdString());
    QCOMPARE(got.has_value(), format >= 0);
    if (got) QCOMPARE(static_cast<int>(*got), format);
  }

  void firstWord_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("word");
    QTest::newRow("one word") << "chr1"
                              << "chr1";
    QTest::newRow("description after a blank") << "NC_000913.3 Escherichia coli"
                                               << "NC_000913.3";
    QTest::newRow("leading blanks and a tab") << "  \tseqA\tpart"
                                              << "seqA";
    QTest::newRow("empty") << ""
                           << "fallback";
    QTest::newRow("blanks only") << " \t "
                                 << "fallback";
    QTest::newRow("UTF-8 kept") << QString::fromUtf8("Gänse blümchen")
                                << QString::fromUtf8("Gänse");
  }
  void firstWord() {
    QFETCH(QString, name);
    QFETCH(QString, word);
    QCOMPARE(QString::fromStdString(firstWordOf(name.toStdString(), "fallback")), word);
  }

  // One forward and one opposite segment in each format, the columns worked out by hand:
  // W = 4, Lh = 100, Lv = 80.
  void lines_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tsv") << static_cast<int>(HitFileFormat::Tsv)
                         << "forward\t11\t20\t31\t40\t7\t4\t9\n"
                            "horizontal-opposite\t5\t9\t2\t6\t2\t3\t4\n"
                            "vertical-opposite\t1\t4\t77\t80\t1\t4\t4\n";
    QTest::newRow("paf") << static_cast<int>(HitFileFormat::Paf)
                         << "query\t80\t30\t40\t+\ttarget\t100\t10\t20\t9\t10\t255\n"
                            "query\t80\t1\t6\t-\ttarget\t100\t4\t9\t4\t5\t255\n"
                            "query\t80\t76\t80\t-\ttarget\t100\t0\t4\t4\t4\t255\n";
    QTest::newRow("bedpe") << static_cast<int>(HitFileFormat::Bedpe)
                           << "target\t10\t20\tquery\t30\t40\tforward\t4\t+\t+\n"
                              "target\t4\t9\tquery\t1\t6\thorizontal-opposite\t3\t+\t-\n"
                              "target\t0\t4\tquery\t76\t80\tvertical-opposite\t4\t+\t-\n";
  }
  void lines() {
    QFETCH(int, format);
    QFETCH(QString, expected);
    const HitFileContext context{"target", "query", 100, 80, 4};
    const HitSegment segments[] = {
        {StrandPair::Forward, 11, 20, 31, 40, 7, 4, 9},
        {StrandPair::HorizontalOpposite, 5, 9, 2, 6, 2, 3, 4},
        {StrandPair::VerticalOpposite, 1, 4, 77, 80, 1, 4, 4},
    };
    std::string out;
    for (const HitSegment& s : segments)
      appendHitLine(out, s, context, static_cast<HitFileFormat>(format));
    QCOMPARE(QString::fromStdString(out), expected);
  }

  void header() {
    QCOMPARE(QString::fromStdString(hitFileHeader(HitFileFormat::Tsv)),
             QStringLiteral("pair\th_start\th_end\tv_start\tv_end\tcells\tbest\tmatches\n"));
    QVERIFY(hitFileHeader(HitFileFormat::Paf).empty());
    QVERIFY(hitFileHeader(HitFileFormat::Bedpe).empty());
  }
};

DUVANET_TEST(HitFormatsTest)
#include "tst_HitFormats.moc"

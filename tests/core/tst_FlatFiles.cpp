#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/FileError.h"
#include "core/SequenceList.h"

using namespace duvanet::core;
using duvanet::testing::gzipped;
using duvanet::testing::writeBytes;

namespace {

const QString kData = QStringLiteral(DUVANET_TEST_DATA_DIR "/formats/");

QStringList datas(const tSequenceList& list) {
  QStringList result;
  for (int i = 0; i < list.Count(); ++i) {
    tSequence sequence;
    list.GetSequence(i, sequence);
    result.append(sequence.Data);
  }
  return result;
}

void addNamed(tSequenceList& list, const QString& name, const QString& data) {
  tSequence sequence;
  sequence.Name = name;
  sequence.Data = data;
  list.SetSequence(list.AddSequence(), sequence);
}

// The features of an entry, one line each: key, location as written, parts, qualifiers.
QStringList describeFeatures(const FeatureTable& table) {
  QStringList lines;
  for (const SequenceFeature& feature : table) {
    QString line = feature.key + u' ' + feature.location + QStringLiteral(" |");
    for (const FeatureLocationPart& p : feature.parts)
      line += QStringLiteral(" %1%2%3%4%5%6")
                  .arg(p.reverse ? "-" : "+", p.startPartial ? "<" : "")
                  .arg(p.start)
                  .arg(p.betweenBases ? "^" : "..", p.endPartial ? ">" : "")
                  .arg(p.end);
    line += QStringLiteral(" |");
    for (const FeatureQualifier& q : feature.qualifiers)
      line += QStringLiteral(" /") + q.name + (q.hasValue ? u'=' + q.value : QString());
    lines.append(line);
  }
  return lines;
}

QString genbankRecord(const QString& head,
                      const QString& origin = QStringLiteral("ORIGIN\n        1 acgtacgtac gt\n")) {
  return QStringLiteral("LOCUS       L1   12 bp    DNA\n") + head + origin + QStringLiteral("//\n");
}

}  // namespace

class TestFlatFiles : public QObject {
  Q_OBJECT

 private slots:
  // The fixture of two GenBank records: names, data in file order and case, features.
  void genbankFixture() {
    tSequenceList list;
    addNamed(list, "before", "X");
    QCOMPARE(list.LoadSequenceFiles({kData + "two_records.gb"}), true);
    QCOMPARE(list.Names(),
             QStringList({"before",
                          "XT000001.2 Synthetic test construct alpha, gene for test protein 1, "
                          "complete cds",
                          "XT000003 Synthetic test construct beta"}));
    QCOMPARE(datas(list).mid(1),
             QStringList({"ggccccccacgatcagcagttcggcttgtgaggtcttcgccgggtggtctcccgcatttataccttgct"
                          "ggcgcctcaaggcgccaccatatgaacgatggatgaaggcttccgatccgtcgtcgcgtcgtagttaaa"
                          "agctttgagtcc",
                          "AAGCCGGTGAGCAGTTTAGGCAGCCACCATGAGGCACCTCTAAACGTGCGGAGAACAAGAGTCGAAAG"
                          "TTTTGCC"}));
    QVERIFY(list.Features(0)->empty());
    QCOMPARE(describeFeatures(*list.Features(1)),
             QStringList({
                 "source 1..150 | +1..150 | /organism=synthetic construct /mol_type=other DNA "
                 "/db_xref=taxon:32630",
                 "gene <10..>120 | +<10..>120 | /gene=tstA",
                 "CDS join(10..42,60..120) | +10..42 +60..120 | /gene=tstA /codon_start=1 "
                 "/note=a note that goes on over a second line and quotes \"this\" word /pseudo "
                 "/translation=MKVLAAGIVGLLLAVSPQARAEENLKRSTW",
                 "misc_feature complement(join(130..135,XT000002.1:5..20,140..145)) | -140..145 "
                 "-130..135 | /note=one part lies in another record",
                 "repeat_region order(1..5,146..150) | +1..5 +146..150 |",
             }));
    QCOMPARE(list.Features(1)->at(2).kind, LocationOperator::Join);
    QCOMPARE(list.Features(1)->at(4).kind, LocationOperator::Order);
    QCOMPARE(
        describeFeatures(*list.Features(2)),
        QStringList({"source 1..75 | +1..75 | /organism=synthetic construct",
                     "misc_binding 12^13 | +12^13 |", "variation 33 | +33..33 | /replace=g",
                     "misc_feature complement(<1..20) | -<1..20 |", "rep_origin 70^1 | +70^1 |"}));
  }

  void emblFixture() {
    tSequenceList list;
    QCOMPARE(list.LoadSequenceFiles({kData + "two_records.embl"}), true);
    QCOMPARE(list.Names(), QStringList({"XE000001.3 Synthetic test construct gamma mRNA for test "
                                        "protein 2, complete cds",
                                        "XE000002.1 Synthetic test construct delta"}));
    QCOMPARE(datas(list).at(1),
             QStringLiteral("AAGCCGGTGAGCAGTTTAGGCAGCCACCATGAGGCACCTCTAAACGTGCGGAGAACAAGAGTCGAAAGT"
                            "TTTGCC"));
    QCOMPARE(datas(list).at(0).size(), 150);
    QVERIFY(datas(list).at(0).startsWith("ggccccccac"));
    QCOMPARE(describeFeatures(*list.Features(0)),
             QStringList({"source 1..150 | +1..150 | /organism=synthetic construct "
                          "/mol_type=mRNA",
                          "CDS complement(join(5..60,71..140)) | -71..140 -5..60 | "
                          "/product=test protein 2 /translation=MSTNPKPQRKTKRNTNRRPQDVKFPGGALW"}));
    QCOMPARE(describeFeatures(*list.Features(1)),
             QStringList({"misc_feature <3..>40 | +<3..>40 | /note=partial at both ends",
                          "misc_binding 74^75 | +74^75 |"}));
  }

  void genbankNames_data() {
    QTest::addColumn<QString>("head");
    QTest::addColumn<QString>("name");
    QTest::newRow("VERSION first") << "DEFINITION  Some thing.\nACCESSION   AB1 AB2\n"
                                      "VERSION     AB1.4  GI:99\n"
                                   << "AB1.4 Some thing";
    QTest::newRow("ACCESSION without VERSION") << "DEFINITION  Some thing.\nACCESSION   AB1 AB2\n"
                                               << "AB1 Some thing";
    QTest::newRow("an empty VERSION line") << "DEFINITION  x\nACCESSION   AB1\nVERSION\n"
                                           << "AB1 x";
    QTest::newRow("LOCUS name alone") << "DEFINITION  Some thing\n"
                                      << "L1 Some thing";
    QTest::newRow("no DEFINITION: no blank") << "ACCESSION   AB1\n"
                                             << "AB1";
    QTest::newRow("DEFINITION only a dot") << "DEFINITION  .\nACCESSION   AB1\n"
                                           << "AB1";
    QTest::newRow("continuation lines joined with single blanks")
        << "DEFINITION  one   two\n            three  \n\t    four..\nACCESSION   AB1\n"
        << "AB1 one   two three four.";
    QTest::newRow("keywords after DEFINITION end it")
        << "DEFINITION  a\nKEYWORDS    b\n            c\nACCESSION   AB1\n"
        << "AB1 a";
  }

  void genbankNames() {
    QFETCH(QString, head);
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath("x.gb"), genbankRecord(head).toUtf8()));
    tSequenceList list;
    QCOMPARE(list.LoadGenBankFile(dir.filePath("x.gb")), 1);
    QCOMPARE(list.Names(), QStringList{name});
  }

  void genbankLayout_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("data");
    QTest::newRow("blank lines before, between and after records")
        << QByteArray(
               "\n  \nLOCUS  a\nORIGIN\n        1 ac\n//\n\nLOCUS  b\nORIGIN\n"
               "        1 GT\n//\n\n")
        << QStringList({"ac", "GT"});
    QTest::newRow("CR LF line ends")
        << QByteArray("LOCUS  a\r\nORIGIN\r\n        1 ac gt\r\n       5 n\r\n//\r\n")
        << QStringList({"acgtn"});
    QTest::newRow("no ORIGIN: empty data (CONTIG record)")
        << QByteArray("LOCUS  a  10 bp\nCONTIG      join(AB1.1:1..10)\n//\n") << QStringList({""});
    QTest::newRow("ORIGIN without lines")
        << QByteArray("LOCUS  a\nORIGIN\n//\n") << QStringList({""});
    QTest::newRow("empty line inside the sequence")
        << QByteArray("LOCUS  a\nORIGIN\n        1 ac\n\n        3 gt\n//\n")
        << QStringList({"acgt"});
    QTest::newRow("every symbol but digits and blanks kept")
        << QByteArray("LOCUS  a\nORIGIN\n        1 MK*-x \tY\n//\n") << QStringList({"MK*-xY"});
    QTest::newRow("a position that fills its column")
        << QByteArray("LOCUS  a\nORIGIN\n1000000001 acg\n//\n") << QStringList({"acg"});
    QTest::newRow("a length claim larger than the data")
        << QByteArray("LOCUS  a  900000000000 bp\nORIGIN\n        1 ac\n//\n")
        << QStringList({"ac"});
    QTest::newRow("\"//\" with blanks after it")
        << QByteArray("LOCUS  a\nORIGIN\n        1 ac\n//   \n") << QStringList({"ac"});
  }

  void genbankLayout() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, data);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath("x.gbk"), bytes));
    tSequenceList list;
    QCOMPARE(list.LoadGenBankFile(dir.filePath("x.gbk")), int(data.size()));
    QCOMPARE(datas(list), data);
  }

  // Broken files: an error naming the file and the line, and nothing of the file appended.
  void genbankErrors_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty file") << QByteArray() << "line 1: a LOCUS line was expected";
    QTest::newRow("FASTA named .gb")
        << QByteArray(">a\nACGT\n") << "line 1: a LOCUS line was expected";
    QTest::newRow("text before the first LOCUS")
        << QByteArray("\nheader\nLOCUS  a\n//\n") << "line 2: a LOCUS line was expected";
    QTest::newRow("text after \"//\"") << QByteArray("LOCUS  a\n//\ngarbage\n")
                                       << "line 3: a LOCUS line was expected after \"//\"";
    QTest::newRow("record not ended at the end of the file")
        << QByteArray("LOCUS  a\n//\nLOCUS  b\nORIGIN\n        1 ac\n")
        << "line 3: the record that begins here is not ended by \"//\"";
    QTest::newRow("next LOCUS before \"//\"")
        << QByteArray("LOCUS  a\nORIGIN\n        1 ac\nLOCUS  b\n//\n")
        << "line 1: the record that begins here is not ended by \"//\"";
    QTest::newRow("sequence line without a position")
        << QByteArray("LOCUS  a\nORIGIN\n        1 ac\nacgt\n//\n")
        << "line 4: a sequence line must be a number followed by groups of symbols";
    QTest::newRow("position glued to the symbols")
        << QByteArray("LOCUS  a\nORIGIN\n        1acgt\n//\n")
        << "line 3: a sequence line must be a number followed by groups of symbols";
    QTest::newRow("a feature location that cannot be read")
        << QByteArray(
               "LOCUS  a\nFEATURES             Location/Qualifiers\n"
               "     gene            1..5\n     CDS             join(1..5\n"
               "                     /gene=\"x\"\n//\n")
        << "line 4: the location of the CDS feature cannot be read: join(1..5";
    QTest::newRow("a quoted value without its closing quote")
        << QByteArray(
               "LOCUS  a\nFEATURES             Location/Qualifiers\n"
               "     gene            1..5\n                     /note=\"open\n"
               "     CDS             1..5\n//\n")
        << "line 4: the value of /note does not end with a quote";
    QTest::newRow("a qualifier before any feature")
        << QByteArray(
               "LOCUS  a\nFEATURES             Location/Qualifiers\n"
               "                     /gene=\"x\"\n//\n")
        << "line 3: a feature key was expected";
  }

  void genbankErrors() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.gb");
    QVERIFY(writeBytes(path, bytes));
    tSequenceList list;
    addNamed(list, "kept", "A");
    try {
      list.LoadSequenceFiles({path});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), path);
      QCOMPARE(error.reason(), reason);
      QVERIFY(error.message().contains(path));
    }
    QCOMPARE(list.Names(), QStringList{"kept"});
    QVERIFY(list.Features(0)->empty());
  }

  void emblNames_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("AC and SV of the ID line")
        << "ID   X1; SV 2; linear; DNA; STD; SYN; 2 BP.\nAC   AB9; AB8;\nAC   CD7;\n"
           "DE   Some\nDE   thing.\n"
        << "AB9.2 Some thing";
    QTest::newRow("SV line when the ID line has none")
        << "ID   OLD1 standard; DNA; SYN; 2 BP.\nAC   AB9;\nSV   AB9.5\nDE   x\n"
        << "AB9.5 x";
    QTest::newRow("no version at all") << "ID   OLD1 standard; DNA; SYN; 2 BP.\nAC   AB9;\n"
                                       << "AB9";
    QTest::newRow("no AC line: the ID line's first word")
        << "ID   X1; SV 2; linear; DNA; STD; SYN; 2 BP.\nDE   y.\n"
        << "X1 y";
  }

  void emblNames() {
    QFETCH(QString, text);
    QFETCH(QString, name);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.embl");
    QVERIFY(writeBytes(path, (text + "SQ   Sequence 2 BP;\n     ac          2\n//\n").toUtf8()));
    tSequenceList list;
    QCOMPARE(list.LoadEMBLFile(path), 1);
    QCOMPARE(list.Names(), QStringList{name});
    QCOMPARE(datas(list), QStringList{"ac"});
  }

  void emblErrors_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty file") << QByteArray() << "line 1: an ID line was expected";
    QTest::newRow("GenBank named .embl")
        << QByteArray("LOCUS  a\n//\n") << "line 1: an ID line was expected";
    QTest::newRow("IDENT is no ID line")
        << QByteArray("IDENT x\n//\n") << "line 1: an ID line was expected";
    QTest::newRow("record not ended") << QByteArray("ID   a\nSQ   Sequence\n     ac   2\n")
                                      << "line 1: the record that begins here is not ended by "
                                         "\"//\"";
    QTest::newRow("next ID before \"//\"") << QByteArray("ID   a\nXX\nID   b\n//\n")
                                           << "line 1: the record that begins here is not ended "
                                              "by \"//\"";
    QTest::newRow("sequence line without its position")
        << QByteArray("ID   a\nSQ   Sequence\n     acgt acgt\n//\n")
        << "line 3: a sequence line must be groups of symbols followed by a number";
    QTest::newRow("sequence line with a line code")
        << QByteArray("ID   a\nSQ   Sequence\nXX   acgt 4\n//\n")
        << "line 3: a sequence line must be groups of symbols followed by a number";
    QTest::newRow("text after \"//\"")
        << QByteArray("ID   a\n//\nXX\n") << "line 3: an ID line was expected after \"//\"";
  }

  void emblErrors() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.emb");
    QVERIFY(writeBytes(path, bytes));
    tSequenceList list;
    addNamed(list, "kept", "A");
    try {
      list.LoadSequenceFiles({path});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), path);
      QCOMPARE(error.reason(), reason);
    }
    QCOMPARE(list.Names(), QStringList{"kept"});
  }

  // A failing file among several: the files before it stay whole, with their features; nothing
  // of the failing one is appended (also records read before its error); the rest is not read.
  void failingFileTakesBackOnlyItself() {
    QTemporaryDir dir;
    const QString second = dir.filePath("second.gb");
    QVERIFY(writeBytes(second, "LOCUS  ok\nORIGIN\n        1 ac\n//\nLOCUS  broken\n"));
    const QString third = dir.filePath("third.fas");
    QVERIFY(writeBytes(third, ">c\nC\n"));
    tSequenceList list;
    QVERIFY_THROWS_EXCEPTION(FileError,
                             list.LoadSequenceFiles({kData + "two_records.gb", second, third}));
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.Features(0)->size(), size_t(5));
    QCOMPARE(list.Features(1)->size(), size_t(5));
  }

  // Features belong to their entry through sorting, duplicating, replacing and deleting.
  void featuresFollowTheirEntry() {
    tSequenceList list;
    addNamed(list, "zz plain", "A");
    QVERIFY(list.LoadSequenceFiles({kData + "two_records.embl"}));
    const QStringList first = describeFeatures(*list.Features(1));
    const QStringList second = describeFeatures(*list.Features(2));
    QVERIFY(list.SortDescendingByName());
    QCOMPARE(list.Names().first(), QStringLiteral("zz plain"));
    QVERIFY(list.Features(0)->empty());
    QCOMPARE(describeFeatures(*list.Features(1)), second);
    QCOMPARE(describeFeatures(*list.Features(2)), first);

    QVERIFY(list.DuplicateSequence(2));
    QCOMPARE(list.Count(), 4);
    QCOMPARE(describeFeatures(*list.Features(3)), first);

    tSequence renamed;
    list.GetSequence(3, renamed);
    renamed.Name = "renamed";
    QVERIFY(list.SetSequence(3, renamed));
    QCOMPARE(describeFeatures(*list.Features(3)), first);

    QVERIFY(list.DeleteSequence(1));
    QCOMPARE(describeFeatures(*list.Features(1)), first);
    QCOMPARE(describeFeatures(*list.Features(2)), first);
    QVERIFY(list.Features(3)->empty());  // past the end
    QVERIFY(list.Features(-1)->empty());

    QVERIFY(list.SetFeatures(2, {}));
    QVERIFY(list.Features(2)->empty());
    QCOMPARE(describeFeatures(*list.Features(1)), first);  // the copy had its own
    QVERIFY(!list.SetFeatures(3, {}));
    QVERIFY(list.AddSequence() == 3);
    QVERIFY(list.Features(3)->empty());
    QVERIFY(list.DeleteAllSequences());
    QVERIFY(list.Features(0)->empty());
  }

  // Compressed flat files read like plain ones, in a stream.
  void gzippedFlatFiles_data() {
    QTest::addColumn<QString>("fixture");
    QTest::newRow("GenBank") << "two_records.gb";
    QTest::newRow("EMBL") << "two_records.embl";
  }

  void gzippedFlatFiles() {
    QFETCH(QString, fixture);
    QFile file(kData + fixture);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(fixture + ".GZ");
    QVERIFY(writeBytes(path, gzipped(bytes)));
    tSequenceList plain;
    tSequenceList compressed;
    QVERIFY(plain.LoadSequenceFiles({kData + fixture}));
    QVERIFY(compressed.LoadSequenceFiles({path}));
    QCOMPARE(compressed.Names(), plain.Names());
    QCOMPARE(datas(compressed), datas(plain));
    for (int i = 0; i < plain.Count(); ++i)
      QCOMPARE(describeFeatures(*compressed.Features(i)), describeFeatures(*plain.Features(i)));
  }
};

DUVANET_TEST(TestFlatFiles)
#include "tst_FlatFiles.moc"

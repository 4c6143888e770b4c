#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/AnnotationFile.h"
#include "core/FileError.h"
#include "core/Gff3Writer.h"
#include "core/SequenceList.h"

using namespace duvanet::core;
using duvanet::testing::gzipped;
using duvanet::testing::readBytes;
using duvanet::testing::writeBytes;

namespace {

const QString kData = QStringLiteral(DUVANET_TEST_DATA_DIR "/formats/");

// One line per feature: seqid type id "name" strand parts parents.
QString describe(const SequenceFeature& feature) {
  QString text =
      QStringLiteral("%1 %2 %3 \"%4\" ")
          .arg(feature.seqid, feature.key, feature.id.isEmpty() ? QStringLiteral("-") : feature.id,
               feature.displayName());
  text += feature.strand() == FeatureStrand::None      ? u'.'
          : feature.strand() == FeatureStrand::Reverse ? u'-'
                                                       : u'+';
  for (const FeatureLocationPart& part : feature.parts) {
    text += QStringLiteral(" %1..%2").arg(part.start).arg(part.end);
    if (part.phase >= 0) text += QStringLiteral("/%1").arg(part.phase);
  }
  if (!feature.parents.isEmpty()) text += QStringLiteral(" <") + feature.parents.join(u',');
  return text;
}

QStringList describeAll(const FeatureTable& table) {
  QStringList lines;
  for (const SequenceFeature& feature : table) lines << describe(feature);
  return lines;
}

void addNamed(tSequenceList& list, const QString& name, const QString& data) {
  tSequence sequence;
  sequence.Name = name;
  sequence.Data = data;
  list.SetSequence(list.AddSequence(), sequence);
}

SequenceFeature featureOn(const QString& seqid, qint64 start, qint64 end) {
  SequenceFeature feature;
  feature.seqid = seqid;
  feature.key = QStringLiteral("gene");
  FeatureLocationPart part;
  part.start = start;
  part.end = end;
  feature.parts.push_back(part);
  return feature;
}

QString readError(const QString& text, AnnotationFormat format) {
  try {
    parseAnnotations(text, format, QStringLiteral("x.ann"));
  } catch (const FileError& error) {
    return error.reason();
  }
  return QStringLiteral("<no error>");
}

}  // namespace

class TestAnnotations : public QObject {
  Q_OBJECT
 private slots:
  void formatFollowsTheExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");  // -1: not an annotation file
    QTest::newRow("gff") << "a.gff" << int(AnnotationFormat::Gff3);
    QTest::newRow("GFF3 upper") << "dir/A.GFF3" << int(AnnotationFormat::Gff3);
    QTest::newRow("gff3.gz") << "a.gff3.gz" << int(AnnotationFormat::Gff3);
    QTest::newRow("gtf") << "a.gtf" << int(AnnotationFormat::Gtf);
    QTest::newRow("bed.GZ") << "a.bed.GZ" << int(AnnotationFormat::Bed);
    QTest::newRow("fasta") << "a.fa" << -1;
    QTest::newRow("bed inside the name") << "a.bed.txt" << -1;
    QTest::newRow("gz only") << "a.gz" << -1;
  }
  void formatFollowsTheExtension() {
    QFETCH(QString, name);
    QFETCH(int, format);
    const auto found = annotationFileFormat(name);
    QCOMPARE(found ? int(*found) : -1, format);
  }

  // Lines sharing an ID are one feature; Parent chains, phases, percent-decoding, tabs inside
  // column 9 and the FASTA section begun by ">" all come through.
  void gff3FeaturesAndSequences() {
    const AnnotationFileContent content =
        readAnnotationFile(kData + "annotated.gff3", AnnotationFormat::Gff3);
    QCOMPARE(
        describeAll(content.features),
        QStringList({"chr1 gene gene1 \"tstA\" + 5..50", "chr1 mRNA mrna1 \"mrna1\" + 5..50 <gene1",
                     "chr1 exon exon1 \"exon1\" + 5..20 <mrna1",
                     "chr1 exon exon2 \"exon2\" + 30..50 <mrna1",
                     "chr1 CDS cds1 \"cds1\" + 8..20/0 30..45/2 <mrna1",
                     "chr1 repeat_region - \"50% AT; short\" . 52..58",
                     "chr2 gene - \"tstB\" - 2..9"}));
    QCOMPARE(content.features[4].kind, LocationOperator::Join);
    // The attribute after the stray tab belongs to column 9.
    QCOMPARE(content.features[6].qualifiers.size(), size_t(2));
    QCOMPARE(content.features[6].qualifiers[1].value, QStringLiteral("added by hand"));
    QCOMPARE(content.sequences.size(), size_t(2));
    QCOMPARE(content.sequences[0].Name, QStringLiteral("chr1 first chromosome"));
    QCOMPARE(content.sequences[0].Data.size(), 60);
    QCOMPARE(content.sequences[1].Data, QStringLiteral("TTTTAAAACC"));
  }

  void gtfGroupsTranscriptParts() {
    const AnnotationFileContent content =
        readAnnotationFile(kData + "transcripts.gtf", AnnotationFormat::Gtf);
    QCOMPARE(
        describeAll(content.features),
        QStringList({"chr1 gene G1 \"tstA\" + 5..50", "chr1 transcript T1 \"tstA\" + 5..50 <G1",
                     "chr1 exon exon:T1 \"exon:T1\" + 5..20 30..50 <T1",
                     "chr1 CDS CDS:T1 \"CDS:T1\" + 8..20/0 30..45/2 <T1"}));
    QVERIFY(content.sequences.empty());
  }

  // BED3, BED6 and BED12, 0-based half-open made 1-based inclusive; header lines skipped; the
  // gzip-compressed copy reads the same.
  void bedRegions_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "regions.bed";
    QTest::newRow("gzip") << "regions.bed.gz";
  }
  void bedRegions() {
    QFETCH(QString, file);
    const AnnotationFileContent content = readAnnotationFile(kData + file, AnnotationFormat::Bed);
    QCOMPARE(
        describeAll(content.features),
        QStringList({"chr1 region - \"region\" . 1..10", "chr1 region - \"siteA\" - 11..20",
                     "chr2 region - \"point\" . 4..4", "chr1 region - \"tx1\" - 5..20 30..50"}));
  }

  // A wrong line is an error naming its line; nothing of the file comes back.
  void damagedLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("reason");
    const int gff = int(AnnotationFormat::Gff3);
    const int gtf = int(AnnotationFormat::Gtf);
    const int bed = int(AnnotationFormat::Bed);
    QTest::newRow("eight columns")
        << "##gff-version 3\nc\ts\tgene\t1\t5\t.\t+\t.\t\nc\ts\tgene\t1\t5\t.\t+\t.\n"
        << gff << "line 3: fewer than 9 columns (8)";
    QTest::newRow("start after end") << "c\ts\tgene\t9\t5\t.\t+\t.\tID=a\n"
                                     << gff << "line 1: the start 9 is after the end 5";
    QTest::newRow("start not a number") << "c\ts\tgene\tx1\t5\t.\t+\t.\tID=a\n"
                                        << gff << "line 1: the start \"x1\" is not a number";
    QTest::newRow("end not a number") << "c\ts\tgene\t1\t5.5\t.\t+\t.\tID=a\n"
                                      << gtf << "line 1: the end \"5.5\" is not a number";
    QTest::newRow("empty type") << "c\ts\tgene\t1\t9\t.\t+\t.\tID=a\nc\ts\t \t3\t4\t.\t+\t.\tID=a\n"
                                << gff << "line 2: the type is empty";
    QTest::newRow("empty seqid") << "\ts\texon\t1\t5\t.\t+\t.\tgene_id \"g\";\n"
                                 << gtf << "line 1: the seqid is empty";
    QTest::newRow("start zero") << "c\ts\tgene\t0\t5\t.\t+\t.\tID=a\n"
                                << gff << "line 1: the start 0 is below 1";
    QTest::newRow("bad strand") << "c\ts\tgene\t1\t5\t.\tx\t.\tID=a\n"
                                << gff << "line 1: the strand \"x\" is not +, - or .";
    QTest::newRow("bad phase") << "c\ts\tCDS\t1\t5\t.\t+\t3\tID=a\n"
                               << gff << "line 1: the phase \"3\" is not 0, 1, 2 or .";
    QTest::newRow("one ID on two seqids")
        << "a\ts\tCDS\t1\t5\t.\t+\t0\tID=x\nb\ts\tCDS\t7\t9\t.\t+\t0\tID=x\n"
        << gff << "line 2: the feature \"x\" lies on b here and on a before";
    QTest::newRow("BED two columns") << "track x\nc\t5\n"
                                     << bed << "line 2: fewer than 3 columns (2)";
    QTest::newRow("BED start after end") << "c\t9\t5\n"
                                         << bed << "line 1: the start 9 is after the end 5";
    QTest::newRow("BED negative start") << "c\t-1\t5\n" << bed << "line 1: the start -1 is below 0";
    QTest::newRow("BED blocks miscounted") << "c\t0\t50\tn\t0\t+\t0\t50\t0\t2\t10,\t0,40,\n"
                                           << bed << "line 1: 1 block sizes for 2 blocks";
    QTest::newRow("BED block outside") << "c\t0\t50\tn\t0\t+\t0\t50\t0\t2\t10,20,\t0,40,\n"
                                       << bed << "line 1: block 2 lies outside 0..50";
  }
  void damagedLines() {
    QFETCH(QString, text);
    QFETCH(int, format);
    QFETCH(QString, reason);
    QCOMPARE(readError(text, AnnotationFormat(format)), reason);
  }

  void damagedFilesNameTheFile_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("gff3") << "bad_columns.gff3"
                          << "line 2: fewer than 9 columns (7)";
    QTest::newRow("gtf") << "bad_order.gtf"
                         << "line 1: the start 50 is after the end 20";
    QTest::newRow("bed") << "bad_number.bed"
                         << "line 2: the start \"ten\" is not a number";
  }
  void damagedFilesNameTheFile() {
    QFETCH(QString, file);
    QFETCH(QString, reason);
    tSequenceList list;
    addNamed(list, "chr1", QString(60, u'A'));
    try {
      list.LoadSequenceFiles({kData + file});
      QFAIL("no error");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), kData + file);
      QCOMPARE(error.reason(), reason);
    }
    QCOMPARE(list.Count(), 1);
    QVERIFY(list.Features(0)->empty());
  }

  // Sequence files are read first whatever the order given; features go to every entry whose
  // name's first word is their seqid; unknown seqids are reported once each.
  void loadAttachesByTheFirstWord() {
    QTemporaryDir dir;
    const QString fasta = dir.filePath("seqs.fa");
    QVERIFY(writeBytes(fasta, QByteArray(">chr1 Escherichia coli\n") + QByteArray(60, 'A') +
                                  "\n>chr1\n" + QByteArray(60, 'C') + "\n>chr10\nAC\n"));
    const QString gff = dir.filePath("more.gff3");
    QVERIFY(writeBytes(gff,
                       "u1\ts\tgene\t1\t2\t.\t+\t.\tID=x\n"
                       "chr1\ts\tgene\t3\t9\t.\t+\t.\tID=y\n"
                       "u2\ts\tgene\t1\t2\t.\t+\t.\tID=z\n"
                       "u1\ts\tgene\t4\t6\t.\t+\t.\tID=w\n"));
    tSequenceList list;
    FeatureAttachment attachment;
    QVERIFY(list.LoadSequenceFiles({gff, fasta}, &attachment));
    QCOMPARE(list.Count(), 3);
    QCOMPARE(describeAll(*list.Features(0)), QStringList({"chr1 gene y \"y\" + 3..9"}));
    QCOMPARE(describeAll(*list.Features(1)), QStringList({"chr1 gene y \"y\" + 3..9"}));
    QVERIFY(list.Features(2)->empty());
    QCOMPARE(attachment.unmatchedSeqids, QStringList({"u1", "u2"}));
    QCOMPARE(attachment.attached, qint64(1));
    QCOMPARE(attachment.clipped, qint64(0));
  }

  // A GFF3 file with its own sequences brings them, features attached; a GenBank entry keeps
  // its own table and gets the annotation file's features after it.
  void gff3WithSequencesAndGenBank() {
    tSequenceList list;
    FeatureAttachment attachment;
    QVERIFY(
        list.LoadSequenceFiles({kData + "annotated.gff3", kData + "two_records.gb"}, &attachment));
    QCOMPARE(list.Names(), QStringList({"XT000001.2 Synthetic test construct alpha, gene for "
                                        "test protein 1, complete cds",
                                        "XT000003 Synthetic test construct beta",
                                        "chr1 first chromosome", "chr2"}));
    QCOMPARE(list.Features(2)->size(), size_t(6));
    QCOMPARE(describeAll(*list.Features(3)), QStringList({"chr2 gene - \"tstB\" - 2..9"}));
    QVERIFY(attachment.unmatchedSeqids.isEmpty());
  }

  // Parts past the end are cut there, parts beginning past it left out, features with no part
  // left not attached; each such feature is counted once.
  void clippedAtTheEnd() {
    tSequenceList list;
    addNamed(list, "s one", QString(20, u'A'));
    FeatureTable features{featureOn("s", 5, 30), featureOn("s", 25, 30), featureOn("s", 1, 20)};
    FeatureLocationPart beyond;
    beyond.start = 22;
    beyond.end = 24;
    features[2].parts.push_back(beyond);
    const FeatureAttachment result = list.AttachFeatures(features);
    QCOMPARE(describeAll(*list.Features(0)),
             QStringList({"s gene - \"gene\" + 5..20", "s gene - \"gene\" + 1..20"}));
    QCOMPARE(result.clipped, qint64(3));
    QCOMPARE(result.attached, qint64(2));
    QVERIFY(list.Features(0)->at(0).parts[0].endPartial);
  }

  // Features belong to their entry: sorting moves them, duplicating copies them, deleting
  // removes them, an edit drops those that no longer fit.
  void featuresFollowTheirEntry() {
    tSequenceList list;
    addNamed(list, "b", QString(50, u'A'));
    addNamed(list, "a", QString(50, u'C'));
    list.AttachFeatures({featureOn("a", 1, 10), featureOn("a", 20, 40), featureOn("b", 2, 3)});
    QVERIFY(list.SortAscendingByName());
    QCOMPARE(list.Features(0)->size(), size_t(2));
    QCOMPARE(list.Features(1)->size(), size_t(1));
    QVERIFY(list.DuplicateSequence(0));
    QCOMPARE(describeAll(*list.Features(2)), describeAll(*list.Features(0)));
    tSequence edited;
    QVERIFY(list.GetSequence(2, edited));
    edited.Data.truncate(30);
    QVERIFY(list.SetSequence(2, edited));
    QCOMPARE(describeAll(*list.Features(2)), QStringList({"a gene - \"gene\" + 1..10"}));
    QCOMPARE(list.Features(0)->size(), size_t(2));  // the source keeps all of its own
    edited.Data = QString(100, u'G');
    QVERIFY(list.SetSequence(2, edited));
    QCOMPARE(list.Features(2)->size(), size_t(1));
    QVERIFY(list.DeleteSequence(0));
    QCOMPARE(describeAll(*list.Features(0)), QStringList({"b gene - \"gene\" + 2..3"}));
    QVERIFY(list.Features(5)->empty());
  }

  void displayNameOrder_data() {
    QTest::addColumn<QStringList>("qualifiers");  // name=value pairs
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Name first") << QStringList({"gene=g", "Name=N", "locus_tag=l"}) << "i"
                                << "N";
    QTest::newRow("gene before ID") << QStringList({"locus_tag=l", "gene=g"}) << "i"
                                    << "g";
    QTest::newRow("gene_name") << QStringList({"gene_name=gn"}) << "i"
                               << "gn";
    QTest::newRow("ID before locus_tag") << QStringList({"locus_tag=l"}) << "i"
                                         << "i";
    QTest::newRow("locus_tag") << QStringList({"product=p", "locus_tag=l"}) << ""
                               << "l";
    QTest::newRow("label, product, note") << QStringList({"note=n", "product=p", "label=lb"}) << ""
                                          << "lb";
    QTest::newRow("product before note") << QStringList({"note=n", "product=p"}) << ""
                                         << "p";
    QTest::newRow("the type") << QStringList({"db_xref=x"}) << ""
                              << "CDS";
  }
  void displayNameOrder() {
    QFETCH(QStringList, qualifiers);
    QFETCH(QString, id);
    QFETCH(QString, expected);
    SequenceFeature feature;
    feature.key = QStringLiteral("CDS");
    feature.id = id;
    for (const QString& pair : qualifiers)
      feature.qualifiers.push_back({pair.section(u'=', 0, 0), pair.section(u'=', 1), true});
    QCOMPARE(feature.displayName(), expected);
  }

  // GFF3 out: one line per part, IDs shared by the parts and made up where missing, phases of a
  // feature-table CDS from /codon_start, attributes encoded; read back, the same features.
  void gff3WrittenAndReadBack() {
    tSequenceList list;
    QVERIFY(list.LoadSequenceFiles({kData + "annotated.gff3"}));
    QTemporaryDir dir;
    const QString path = dir.filePath("out");
    QVERIFY(list.SaveAnnotationsAsGFF3File(path, 0, {}));
    const AnnotationFileContent back = readAnnotationFile(path + ".gff3", AnnotationFormat::Gff3);
    QStringList original = describeAll(*list.Features(0));
    // The made-up ID becomes the repeat's name only where it had one already.
    QStringList reread = describeAll(back.features);
    QCOMPARE(reread.size(), original.size());
    QCOMPARE(reread.mid(0, 5), original.mid(0, 5));
    QCOMPARE(reread[5],
             QStringLiteral("chr1 repeat_region repeat_region_1 \"50% AT; short\" . 52..58"));
    QVERIFY(readBytes(path + ".gff3").contains("note=50%25 AT%3B short;Dbxref=a,b"));
    // A name that ends in .gff keeps it; index outside the list writes nothing.
    QVERIFY(list.SaveAnnotationsAsGFF3File(dir.filePath("kept.gff"), 0, {}));
    QVERIFY(QFile::exists(dir.filePath("kept.gff")));
    QVERIFY(!list.SaveAnnotationsAsGFF3File(dir.filePath("none"), 7, {}));
    QVERIFY(!QFile::exists(dir.filePath("none.gff3")));
    // An existing file is kept when the question is answered No.
    QVERIFY(!list.SaveAnnotationsAsGFF3File(dir.filePath("kept.gff"), 1,
                                            [](const QString&) { return false; }));
    QVERIFY(readBytes(dir.filePath("kept.gff")).contains("tstA"));
  }

  void genBankCdsPhases() {
    SequenceFeature cds;
    cds.key = QStringLiteral("CDS");
    cds.qualifiers.push_back({QStringLiteral("codon_start"), QStringLiteral("2"), true});
    for (auto [start, end] : {std::pair{10, 20}, std::pair{30, 36}, std::pair{40, 50}}) {
      FeatureLocationPart part;
      part.start = start;
      part.end = end;
      cds.parts.push_back(part);
    }
    Gff3Writer writer;
    const QStringList lines = writer.featureLines(cds, u"seq").split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    // 11 bases from phase 1 leave 10 = 3*3 + 1: two to skip next; 7 from phase 2 leave 5: one.
    QCOMPARE(lines[0],
             QStringLiteral("seq\tduvanet\tCDS\t10\t20\t.\t+\t1\tID=CDS_1;Name=CDS;codon_start=2"));
    QCOMPARE(lines[1].section(u'\t', 7, 7), QStringLiteral("2"));
    QCOMPARE(lines[2].section(u'\t', 7, 7), QStringLiteral("1"));
  }

  void entrySeqidIsTheFirstWord_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("seqid");
    QTest::newRow("NCBI") << "NC_000913.3 Escherichia coli K-12"
                          << "NC_000913.3";
    QTest::newRow("one word") << "chr1"
                              << "chr1";
    QTest::newRow("tab") << "chr2\tsecond"
                         << "chr2";
    QTest::newRow("leading >") << ">chr3 x"
                               << "chr3";
    QTest::newRow("empty") << ""
                           << "";
  }
  void entrySeqidIsTheFirstWord() {
    QFETCH(QString, name);
    QFETCH(QString, seqid);
    QCOMPARE(entrySeqid(name), seqid);
  }
};

DUVANET_TEST(TestAnnotations)
#include "tst_Annotations.moc"

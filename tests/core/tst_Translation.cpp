#include <QTest>
#include <optional>

#include "TestRegistry.h"
#include "core/GeneticCodes.h"
#include "core/SequenceList.h"
#include "core/Translation.h"

namespace duvanet::core {

namespace {

const QString kIupacError =
    QStringLiteral("An error occured during IUPAC conformity DNA to AS translation");
const QString kRevError =
    QStringLiteral("An error occured during reverse complement DNA to AS translation!");

void fill(tSequenceList& list, const QString& data) {
  tSequence sequence;
  sequence.Name = QStringLiteral("seq");
  sequence.Data = data;
  list.SetSequence(list.AddSequence(), sequence);
}

}  // namespace

class TestTranslation : public QObject {
  Q_OBJECT

 private slots:
  void tableNamesAndIds() {
    const char* const names[] = {
        "Standard genetic code",
        "Vertebrate mitochondrial code",
        "Yeast mitochondrial code",
        "Mold, Protozoan, Coelenterate mitochondrial and Myco-, Spiroplasma code",
        "Invertebrate mitochondrial code",
        "Ciliate, Dasycladacean, Hexamita nuclear code",
        "Echinoderm, Flatworm mitochondrial code",
        "Euplotid nuclear code",
        "Bacterial and Plant plastid code",
        "Alternative Yeast nuclear code",
        "Ascidian mitochondrial code",
        "Alternative Flatworm mitochondrial code",
        "Blepharisma nuclear code",
        "Chlorophycean mitochondrial code",
        "Trematode mitochondrial code",
        "Scenedesmus obliquus mitochondrial code",
        "Thraustochytrium mitochondrial code"};
    const int ids[] = {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15, 16, 21, 22, 23};
    for (int i = 0; i < duvanet::core::kGeneticCodeCount; ++i) {
      QCOMPARE(QString(GeneticCodeNames[i]), QString(names[i]));
      QCOMPARE(qstrlen(GeneticCodeTables[i]), 64u);
      QCOMPARE(duvanet::core::geneticCodeIndexOfStandardId(ids[i]), i);
    }
    QCOMPARE(QString(GeneticCodeTables[0]), QString(GeneticCodeTables[8]));
    QCOMPARE(duvanet::core::geneticCodeIndexOfStandardId(7), -1);
    QCOMPARE(duvanet::core::geneticCodeIndexOfStandardId(0), -1);
  }

  // Every plain codon of every table gives the table's letter at its TCAG index.
  void codonOrder() {
    const char bases[] = {'T', 'C', 'A', 'G'};
    using duvanet::core::CodonReading;
    for (int t = 0; t < duvanet::core::kGeneticCodeCount; ++t) {
      for (int k = 0; k < 64; ++k) {
        const QChar a(bases[k / 16]), b(bases[k / 4 % 4]), c(bases[k % 4]);
        const QChar expected(GeneticCodeTables[t][k]);
        QCOMPARE(duvanet::core::translateCodon(a, b, c, t, CodonReading::Iupac), expected);
        QCOMPARE(duvanet::core::translateCodon(a, b, c, t, CodonReading::PlainBases), expected);
      }
    }
  }

  // A whole frame reads every codon as the single-codon translation does: each triple of code
  // letters of both cases, non-code characters and characters beyond ASCII, in every table and
  // either reading.
  void frameAgreesWithCodons_data() {
    QTest::addColumn<int>("reading");
    QTest::newRow("IUPAC") << int(duvanet::core::CodonReading::Iupac);
    QTest::newRow("plain bases") << int(duvanet::core::CodonReading::PlainBases);
  }
  void frameAgreesWithCodons() {
    QFETCH(int, reading);
    const auto codonReading = duvanet::core::CodonReading(reading);
    const QString alphabet =
        QStringLiteral("ACGTRYSWKMBVDHNacgtryswkmbvdhnUuXx-* ") + QChar(0xE9) + QChar(0x20AC);
    QString text;
    for (const QChar a : alphabet)
      for (const QChar b : alphabet)
        for (const QChar c : alphabet) text.append(a).append(b).append(c);
    for (int t = 0; t < duvanet::core::kGeneticCodeCount; ++t) {
      int codons = 0;
      const QString frame = duvanet::core::translateFrame(text, 0, t, codonReading, codons);
      QCOMPARE(codons, int(text.size() / 3));
      QCOMPARE(frame.size(), qsizetype(codons));
      for (int k = 0; k < codons; ++k) {
        const QChar expected = duvanet::core::translateCodon(text[3 * k], text[3 * k + 1],
                                                             text[3 * k + 2], t, codonReading);
        if (frame[k] != expected)
          QFAIL(qPrintable(QStringLiteral("table %1, codon '%2': '%3', expected '%4'")
                               .arg(t)
                               .arg(text.mid(3 * k, 3), frame[k], expected)));
      }
    }
  }

  void iupac_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("protein");
    QTest::addColumn<QString>("name");
    const QString name = QStringLiteral("seq (DNA->AS (IUPAC), offset: %1, triplets: %2)");
    QTest::newRow("ATGGCC") << "ATGGCC" << 0 << 0 << "MA" << name.arg(0).arg(2);
    QTest::newRow("offset 1") << "ATGGCC" << 1 << 0 << "-W--" << name.arg(1).arg(1);
    QTest::newRow("left-over base") << "ATGGCCT" << 0 << 0 << "MA-" << name.arg(0).arg(2);
    QTest::newRow("4 symbols") << "ATGC" << 0 << 0 << "M-" << name.arg(0).arg(1);
    QTest::newRow("6 symbols offset 2") << "AAATGG" << 2 << 0 << "--M-" << name.arg(2).arg(1);
    QTest::newRow("offset 4 acts as 1") << "ATGGCC" << 4 << 0 << "-W--" << name.arg(1).arg(1);
    QTest::newRow("offset 3 acts as 0") << "ATGGCC" << 3 << 0 << "MA" << name.arg(0).arg(2);
    QTest::newRow("GCN") << "GCNA" << 0 << 0 << "A-" << name.arg(0).arg(1);
    QTest::newRow("TAR") << "TARA" << 0 << 0 << "*-" << name.arg(0).arg(1);
    QTest::newRow("TAY") << "TAYA" << 0 << 0 << "Y-" << name.arg(0).arg(1);
    QTest::newRow("MGR") << "MGRA" << 0 << 0 << "R-" << name.arg(0).arg(1);
    QTest::newRow("TTN") << "TTNA" << 0 << 0 << "?-" << name.arg(0).arg(1);
    QTest::newRow("NNN") << "NNNA" << 0 << 0 << "?-" << name.arg(0).arg(1);
    QTest::newRow("atg") << "atgA" << 0 << 0 << "m-" << name.arg(0).arg(1);
    QTest::newRow("aTG") << "aTGA" << 0 << 0 << "m-" << name.arg(0).arg(1);
    QTest::newRow("gcn") << "gcnA" << 0 << 0 << "a-" << name.arg(0).arg(1);
    QTest::newRow("stop stays *") << "taaA" << 0 << 0 << "*-" << name.arg(0).arg(1);
    QTest::newRow("lower ? stays ?") << "ttnA" << 0 << 0 << "?-" << name.arg(0).arg(1);
    QTest::newRow("U then normal") << "AUGGCC" << 0 << 0 << "?A" << name.arg(0).arg(2);
    QTest::newRow("gap then normal") << "A-GGCC" << 0 << 0 << "?A" << name.arg(0).arg(2);
    QTest::newRow("dot then normal") << "AT.GCC" << 0 << 0 << "?A" << name.arg(0).arg(2);
    QTest::newRow("line break") << "AT\nGCC" << 0 << 0 << "?A" << name.arg(0).arg(2);
    QTest::newRow("non-ASCII") << QStringLiteral("A\u00C4GGCC") << 0 << 0 << "?A"
                               << name.arg(0).arg(2);
    QTest::newRow("vertebrate AGA") << "AGATGA" << 0 << 1 << "*W" << name.arg(0).arg(2);
    QTest::newRow("standard AGA") << "AGATGA" << 0 << 0 << "R*" << name.arg(0).arg(2);
    QTest::newRow("standard YTR (Leu)") << "YTRA" << 0 << 0 << "L-" << name.arg(0).arg(1);
    QTest::newRow("yeast mito CTN (Thr)") << "CTNA" << 0 << 2 << "T-" << name.arg(0).arg(1);
  }

  void iupac() {
    QFETCH(QString, data);
    QFETCH(int, offset);
    QFETCH(int, table);
    QFETCH(QString, protein);
    QFETCH(QString, name);
    tSequenceList list;
    fill(list, data);
    const tSequence result = list.DNA2AminoAcidIUPAC(0, offset, table);
    QCOMPARE(result.Data, protein);
    QCOMPARE(result.Name, name);
  }

  void reverseComplement_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("protein");
    QTest::addColumn<QString>("name");
    const QString name =
        QStringLiteral("seq (DNA->AS, reverse complement, offset: %1, triplets: %2)");
    QTest::newRow("CATG") << "CATG" << 0 << 0 << "H-" << name.arg(0).arg(1);
    QTest::newRow("GGCCAT") << "GGCCAT" << 0 << 0 << "MA" << name.arg(0).arg(2);
    QTest::newRow("offset counts from the 3' end")
        << "GGCCAT" << 1 << 0 << "-W--" << name.arg(1).arg(1);
    QTest::newRow("ambiguity code unreadable") << "ATGGCN" << 0 << 0 << "?H" << name.arg(0).arg(2);
    QTest::newRow("lower case") << "ggccat" << 0 << 0 << "ma" << name.arg(0).arg(2);
    QTest::newRow("stop stays *") << "ATTA" << 0 << 0 << "*-" << name.arg(0).arg(1);
    QTest::newRow("U unreadable") << "GGCCAU" << 0 << 0 << "?A" << name.arg(0).arg(2);
    QTest::newRow("gap unreadable") << "GGCC-T" << 0 << 0 << "?A" << name.arg(0).arg(2);
    QTest::newRow("vertebrate TCT (AGA)") << "TCTTCA" << 0 << 1 << "W*" << name.arg(0).arg(2);
  }

  void reverseComplement() {
    QFETCH(QString, data);
    QFETCH(int, offset);
    QFETCH(int, table);
    QFETCH(QString, protein);
    QFETCH(QString, name);
    tSequenceList list;
    fill(list, data);
    const tSequence result = list.DNA2AminoAcidRevComplement(0, offset, table);
    QCOMPARE(result.Data, protein);
    QCOMPARE(result.Name, name);
  }

  void ambiguityResolvedOnlyByIupacVariant() {
    tSequenceList list;
    fill(list, "GCNCAT");
    QCOMPARE(list.DNA2AminoAcidIUPAC(0, 0, 0).Data, QStringLiteral("AH"));
    tSequenceList complement;
    fill(complement, "ATGNGC");
    QCOMPARE(complement.DNA2AminoAcidRevComplement(0, 0, 0).Data, QStringLiteral("?H"));
  }

  void tooShort_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<int>("offset");
    QTest::newRow("3 symbols offset 0") << "ATG" << 0;
    QTest::newRow("5 symbols offset 2") << "ATGGC" << 2;
    QTest::newRow("5 symbols offset 5") << "ATGGC" << 5;
    QTest::newRow("empty") << "" << 0;
  }

  void tooShort() {
    QFETCH(QString, data);
    QFETCH(int, offset);
    tSequenceList list;
    fill(list, data);
    const tSequence forward = list.DNA2AminoAcidIUPAC(0, offset, 0);
    QCOMPARE(forward.Name, QStringLiteral("seq(Translation: not enough DNA nucleo bases)"));
    QCOMPARE(forward.Data, data);
    const tSequence reverse = list.DNA2AminoAcidRevComplement(0, offset, 0);
    QCOMPARE(reverse.Name, QStringLiteral("seq(conversion: not enough DNA nucleo bases)"));
    QString complement;
    tSequenceList::ReverseComplementDNA(data, complement);
    QCOMPARE(reverse.Data, complement);
  }

  void invalidRequests_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("table");
    QTest::newRow("offset -1") << 0 << -1 << 0;
    QTest::newRow("index -1") << -1 << 0 << 0;
    QTest::newRow("index Count") << 1 << 0 << 0;
    QTest::newRow("table -1") << 0 << 0 << -1;
    QTest::newRow("table 17") << 0 << 0 << duvanet::core::kGeneticCodeCount;
  }

  void invalidRequests() {
    QFETCH(int, index);
    QFETCH(int, offset);
    QFETCH(int, table);
    tSequenceList list;
    fill(list, "ATGGCCATG");
    const tSequence forward = list.DNA2AminoAcidIUPAC(index, offset, table);
    QCOMPARE(forward.Name, kIupacError);
    QVERIFY(forward.Data.isEmpty());
    const tSequence reverse = list.DNA2AminoAcidRevComplement(index, offset, table);
    QCOMPARE(reverse.Name, kRevError);
    QVERIFY(reverse.Data.isEmpty());
  }

  void translationFrames_data() {
    using duvanet::core::TranslationFrame;
    using duvanet::core::TranslationFrames;
    using duvanet::core::TranslationStrands;
    QTest::addColumn<TranslationStrands>("strands");
    QTest::addColumn<int>("offset");  // -1: all three
    QTest::addColumn<TranslationFrames>("frames");
    QTest::newRow("forward 0") << TranslationStrands::Forward << 0
                               << TranslationFrames(TranslationFrame::Forward0);
    QTest::newRow("reverse 2") << TranslationStrands::ReverseComplement << 2
                               << TranslationFrames(TranslationFrame::Reverse2);
    QTest::newRow("both 1") << TranslationStrands::Both << 1
                            << (TranslationFrame::Forward1 | TranslationFrame::Reverse1);
    QTest::newRow("forward all") << TranslationStrands::Forward << -1
                                 << (TranslationFrame::Forward0 | TranslationFrame::Forward1 |
                                     TranslationFrame::Forward2);
    QTest::newRow("six frames") << TranslationStrands::Both << -1 << TranslationFrames(0x3f);
    QTest::newRow("offset 3 gives none") << TranslationStrands::Both << 3 << TranslationFrames();
    QTest::newRow("offset -2 gives none") << TranslationStrands::Both << -2 << TranslationFrames();
  }

  void translationFrames() {
    QFETCH(duvanet::core::TranslationStrands, strands);
    QFETCH(int, offset);
    QFETCH(duvanet::core::TranslationFrames, frames);
    const std::optional<int> chosen = offset == -1 ? std::nullopt : std::optional<int>(offset);
    QCOMPARE(duvanet::core::translationFrames(strands, chosen), frames);
  }

  // The results of several rows come row by row, the stored strand's frames before the reverse
  // complement's, each as DNA2AminoAcidIUPAC / DNA2AminoAcidRevComplement give it.
  void translateRecords_data() {
    using duvanet::core::TranslationStrands;
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<TranslationStrands>("strands");
    QTest::addColumn<int>("offset");         // -1: all three
    QTest::addColumn<QStringList>("calls");  // row, F or R, offset
    QTest::addColumn<int>("table");
    QTest::newRow("one row, forward 0")
        << QList<int>{0} << TranslationStrands::Forward << 0 << QStringList{"0F0"} << 1;
    QTest::newRow("rows in the order given")
        << QList<int>{1, 0} << TranslationStrands::ReverseComplement << 1
        << QStringList{"1R1", "0R1"} << 1;
    QTest::newRow("six frames") << QList<int>{0} << TranslationStrands::Both << -1
                                << QStringList{"0F0", "0F1", "0F2", "0R0", "0R1", "0R2"} << 1;
    QTest::newRow("both strands of two rows") << QList<int>{0, 1} << TranslationStrands::Both << 2
                                              << QStringList{"0F2", "0R2", "1F2", "1R2"} << 1;
    QTest::newRow("a missing row gives the error records")
        << QList<int>{5} << TranslationStrands::Both << 0 << QStringList{"5F0", "5R0"} << 1;
    QTest::newRow("records too short for some frames")
        << QList<int>{2, 3} << TranslationStrands::Both << -1
        << QStringList{"2F0", "2F1", "2F2", "2R0", "2R1", "2R2",
                       "3F0", "3F1", "3F2", "3R0", "3R1", "3R2"}
        << 1;
    QTest::newRow("an unknown table gives the error records")
        << QList<int>{0} << TranslationStrands::Both << 1 << QStringList{"0F1", "0R1"}
        << duvanet::core::kGeneticCodeCount;
    QTest::newRow("no rows") << QList<int>{} << TranslationStrands::Both << -1 << QStringList{}
                             << 1;
  }

  void translateRecords() {
    QFETCH(QList<int>, rows);
    QFETCH(duvanet::core::TranslationStrands, strands);
    QFETCH(int, offset);
    QFETCH(QStringList, calls);
    QFETCH(int, table);
    tSequenceList list;
    fill(list, "ATGGCCATGAAA");
    fill(list, "TTTGGGCCCAAAT");
    fill(list, "ACGTA");
    fill(list, "");
    QList<tSequence> expected;
    for (const QString& call : calls) {
      const int row = call.first(1).toInt();
      const int frame = call.sliced(2).toInt();
      expected.append(call[1] == u'F' ? list.DNA2AminoAcidIUPAC(row, frame, table)
                                      : list.DNA2AminoAcidRevComplement(row, frame, table));
    }
    const std::optional<int> chosen = offset == -1 ? std::nullopt : std::optional<int>(offset);
    QList<tSequence> results;
    duvanet::core::translateRecords(list, rows, duvanet::core::translationFrames(strands, chosen),
                                    table,
                                    [&](tSequence&& result) { results.append(std::move(result)); });
    QCOMPARE(results.size(), expected.size());
    for (qsizetype i = 0; i < results.size(); ++i) {
      QCOMPARE(results[i].Name, expected[i].Name);
      QCOMPARE(results[i].Data, expected[i].Data);
    }
  }

  // The wizard appends each translation to the list it reads: the rows stay the ones given.
  void translateRecordsWhileAppending() {
    tSequenceList list;
    fill(list, "ATGGCCATG");
    duvanet::core::translateRecords(
        list, {0},
        duvanet::core::translationFrames(duvanet::core::TranslationStrands::Both, std::nullopt), 0,
        [&](tSequence&& result) { list.SetSequence(list.AddSequence(), result); });
    QCOMPARE(list.Count(), 7);
    QCOMPARE(list.Names()[1], QStringLiteral("seq (DNA->AS (IUPAC), offset: 0, triplets: 3)"));
    QCOMPARE(list.Names()[6],
             QStringLiteral("seq (DNA->AS, reverse complement, offset: 2, triplets: 2)"));
  }
};

DUVANET_TEST(TestTranslation)

}  // namespace duvanet::core

#include "tst_Translation.moc"

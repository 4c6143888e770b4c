#include <QTest>

#include "TestRegistry.h"
#include "core/GeneticCodes.h"
#include "core/SequenceList.h"

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
    for (int i = 0; i < GeneticCodeCount; ++i) {
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
    for (int t = 0; t < GeneticCodeCount; ++t) {
      for (int k = 0; k < 64; ++k) {
        const QChar a(bases[k / 16]), b(bases[k / 4 % 4]), c(bases[k % 4]);
        const QChar expected(GeneticCodeTables[t][k]);
        QCOMPARE(duvanet::core::translateCodon(a, b, c, t, CodonReading::Iupac), expected);
        QCOMPARE(duvanet::core::translateCodon(a, b, c, t, CodonReading::PlainBases), expected);
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
    QTest::newRow("table 17") << 0 << 0 << GeneticCodeCount;
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
};

DUVANET_TEST(TestTranslation)
#include "tst_Translation.moc"

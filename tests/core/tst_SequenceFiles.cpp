#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/FileError.h"
#include "core/SequenceList.h"

namespace duvanet::core {

namespace {

using duvanet::testing::readBytes;
using duvanet::testing::writeBytes;

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

// Records the overwrite questions and answers them with a fixed reply.
struct OverwriteRecorder {
  bool answer = true;
  QStringList asked;
  OverwriteQuestion question() {
    return [this](const QString& fileName) {
      asked.append(fileName);
      return answer;
    };
  }
};

}  // namespace

class TestSequenceFiles : public QObject {
  Q_OBJECT

 private slots:
  void readFasta_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("data");
    QTest::newRow("comment and empty line skipped")
        << QStringList{">a", "AC GT", ";note", "", "TT", ">b", "GG"} << QStringList{"a", "b"}
        << QStringList{"AC GTTT", "GG"};
    QTest::newRow("header alone") << QStringList{">x"} << QStringList{"x"} << QStringList{""};
    QTest::newRow("header on the last line")
        << QStringList{">x", "AC", ">y"} << QStringList{"x", "y"} << QStringList{"AC", ""};
    QTest::newRow("lines before the first header ignored")
        << QStringList{"junk", ";c", ">a", "AC"} << QStringList{"a"} << QStringList{"AC"};
    QTest::newRow("name kept as it stands")
        << QStringList{"> name ", "acgt"} << QStringList{" name "} << QStringList{"acgt"};
    QTest::newRow("empty name") << QStringList{">"} << QStringList{""} << QStringList{""};
    QTest::newRow("no header") << QStringList{"ACGT"} << QStringList{} << QStringList{};
    QTest::newRow("empty text") << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("every character of a data line kept")
        << QStringList{">p", "\tMK*-12 x;y>z"} << QStringList{"p"} << QStringList{"\tMK*-12 x;y>z"};
    QTest::newRow("second > kept in the name")
        << QStringList{">>x", "A"} << QStringList{">x"} << QStringList{"A"};
  }

  // The same records from the clipboard and from files with each kind of line break.
  void readFasta() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, names);
    QFETCH(QStringList, data);
    for (const QString& lineBreak :
         {QStringLiteral("\n"), QStringLiteral("\r\n"), QStringLiteral("\r")}) {
      const QString text = lines.isEmpty() ? QString() : lines.join(lineBreak) + lineBreak;
      tSequenceList pasted;
      addNamed(pasted, "before", "X");
      QCOMPARE(pasted.PasteFASFromClipboard(text), int(names.size()));
      QCOMPARE(pasted.Names(), QStringList{"before"} + names);
      QCOMPARE(datas(pasted), QStringList{"X"} + data);

      QTemporaryDir dir;
      const QString path = dir.filePath("in.fas");
      QVERIFY(writeBytes(path, text.toUtf8()));
      tSequenceList loaded;
      QCOMPARE(loaded.LoadFASFile(path), int(names.size()));
      QCOMPARE(loaded.Names(), names);
      QCOMPARE(datas(loaded), data);
    }
  }

  void pasteWithoutText() {
    tSequenceList list;
    addNamed(list, "a", "A");
    QCOMPARE(list.PasteFASFromClipboard(std::nullopt), -1);
    QCOMPARE(list.PasteTXTFromClipboard(std::nullopt), -1);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.PasteFASFromClipboard(QString()), 0);
    QCOMPARE(list.Count(), 1);
  }

  void pasteTextKeepsItAsItIs() {
    tSequenceList list;
    addNamed(list, "a", "A");
    addNamed(list, "b", "B");
    QCOMPARE(list.PasteTXTFromClipboard(QStringLiteral("ACGT")), 2);
    QCOMPARE(list.PasteTXTFromClipboard(QStringLiteral("A\nB\r")), 3);
    QCOMPARE(list.Names().mid(2),
             QStringList({"Sequence 3: Copy from clipboard", "Sequence 4: Copy from clipboard"}));
    QCOMPARE(datas(list).mid(2), QStringList({"ACGT", "A\nB\r"}));
  }

  // The file name alone decides how a file is read; the same bytes give FASTA records, a
  // GenBank record, an EMBL record or one text sequence.
  void loadByExtension_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("format");
    for (const char* name : {"x.Fasta", "x.fas", "x.FAS", "x.fa", "x.FNA", "x.ffn", "x.faa",
                             "x.frn", "x.fsa", "x.mpfa", "x.txt.fas", "x.fa.gz", "x.FA.GZ"})
      QTest::newRow(name) << name << "fasta";
    for (const char* name : {"x.gb", "x.GBK", "x.gbff", "x.genbank", "x.gp", "x.gpff", "x.gb.gz"})
      QTest::newRow(name) << name << "genbank";
    for (const char* name : {"x.embl", "x.EMB", "x.embl.gz"}) QTest::newRow(name) << name << "embl";
    QTest::newRow(".txt") << "x.txt"
                          << "text";
    QTest::newRow(".txt.gz") << "x.txt.gz"
                             << "text";
    QTest::newRow("no extension") << "x"
                                  << "text";
    QTest::newRow("only .gz") << "x.gz"
                              << "text";
    QTest::newRow(".fas.bak") << "x.fas.bak"
                              << "text";
    QTest::newRow(".fa.gz.gz: one .gz taken off") << "x.fa.gz.gz"
                                                  << "text";
    QTest::newRow(".fasta2") << "x.fasta2"
                             << "text";
    QTest::newRow("dot only in the directory") << "dir.fas/x"
                                               << "text";
    QTest::newRow("gz only in the directory") << "dir.fa.gz/x"
                                              << "text";
  }

  void loadByExtension() {
    QFETCH(QString, fileName);
    QFETCH(QString, format);
    // One text that each reader reads in its own way.
    const QByteArray fasta = ">a\nAC\n";
    const QByteArray genbank = "LOCUS       g1  2 bp\nORIGIN\n        1 ac\n//\n";
    const QByteArray embl =
        "ID   e1; SV 1; linear; DNA; STD; SYN; 2 BP.\nSQ   Sequence 2 BP;\n"
        "     ac                                                                 2\n"
        "//\n";
    const QByteArray bytes = format == "genbank" ? genbank : format == "embl" ? embl : fasta;
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QFileInfo(dir.filePath(fileName)).path()));
    const QString path = dir.filePath(fileName);
    QVERIFY(writeBytes(path, path.endsWith(".gz", Qt::CaseInsensitive)
                                 ? duvanet::testing::gzipped(bytes)
                                 : bytes));
    tSequenceList list;
    QVERIFY(list.LoadSequenceFiles({path}));
    QCOMPARE(list.Count(), 1);
    tSequence sequence;
    list.GetSequence(0, sequence);
    if (format == "fasta") {
      QCOMPARE(sequence.Name, QStringLiteral("a"));
      QCOMPARE(sequence.Data, QStringLiteral("AC"));
    } else if (format == "genbank") {
      QCOMPARE(sequence.Name, QStringLiteral("g1"));
      QCOMPARE(sequence.Data, QStringLiteral("ac"));
    } else if (format == "embl") {
      QCOMPARE(sequence.Name, QStringLiteral("e1"));
      QCOMPARE(sequence.Data, QStringLiteral("ac"));
    } else {
      QCOMPARE(sequence.Name, QFileInfo(path).fileName());
      QCOMPARE(sequence.Data, QStringLiteral(">a\r\nAC\r\n"));
    }
  }

  void readTxt_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("data");
    QTest::newRow("one line without break") << QByteArray("ACGT") << QStringLiteral("ACGT\r\n");
    QTest::newRow("breaks made CR LF")
        << QByteArray("AC\nGT\rTT\r\n") << QStringLiteral("AC\r\nGT\r\nTT\r\n");
    QTest::newRow("empty lines kept") << QByteArray("\n\nA") << QStringLiteral("\r\n\r\nA\r\n");
    QTest::newRow("empty file") << QByteArray() << QString();
    QTest::newRow("Windows-1252") << QByteArray("caf\xE9") << QStringLiteral("caf\u00E9\r\n");
  }

  void readTxt() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, data);
    QTemporaryDir dir;
    const QString path = dir.filePath("seq.dat");
    QVERIFY(writeBytes(path, bytes));
    tSequenceList list;
    addNamed(list, "first", "");
    QCOMPARE(list.LoadTXTFile(path), 1);
    tSequence sequence;
    list.GetSequence(1, sequence);
    QCOMPARE(sequence.Name, QStringLiteral("seq.dat"));
    QCOMPARE(sequence.Data, data);
  }

  void loadStopsAtUnreadableFile() {
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath("a.fas"), ">a\nA\n>b\nB\n"));
    QVERIFY(writeBytes(dir.filePath("c.txt"), "C"));
    const QString missing = dir.filePath("missing.fas");
    tSequenceList list;
    try {
      list.LoadSequenceFiles({dir.filePath("a.fas"), missing, dir.filePath("c.txt")});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), missing);
      QVERIFY(error.message().contains(missing));
    }
    QCOMPARE(list.Names(), QStringList({"a", "b"}));
  }

  void saveWorkspace_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "ws"
                                  << "ws.fas";
    QTest::newRow(".fasta gets .fas") << "ws.fasta"
                                      << "ws.fasta.fas";
    QTest::newRow(".FaS kept") << "ws.FaS"
                               << "ws.FaS";
    QTest::newRow(".txt gets .fas") << "ws.txt"
                                    << "ws.txt.fas";
  }

  void saveWorkspace() {
    QFETCH(QString, fileName);
    QFETCH(QString, written);
    QTemporaryDir dir;
    tSequenceList list;
    addNamed(list, "a", "AC");
    addNamed(list, "b", "");
    addNamed(list, ">x", "A\nB");
    OverwriteRecorder overwrite;
    QVERIFY(list.SaveWorkspace(dir.filePath(fileName), overwrite.question()));
    QVERIFY(overwrite.asked.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(readBytes(dir.filePath(written)), QByteArray(">a\r\nAC\r\n>b\r\n\r\n>x\r\nA\nB\r\n"));
  }

  void saveOneSequenceAsFasta() {
    QTemporaryDir dir;
    tSequenceList list;
    addNamed(list, "a", "AC");
    addNamed(list, "b", "GT");
    QVERIFY(list.SaveSequenceAsFASFile(dir.filePath("one"), 1, nullptr));
    QCOMPARE(readBytes(dir.filePath("one.fas")), QByteArray(">b\r\nGT\r\n"));
    QVERIFY(!list.SaveSequenceAsFASFile(dir.filePath("bad"), 2, nullptr));
    QVERIFY(!list.SaveSequenceAsFASFile(dir.filePath("bad"), -1, nullptr));
    QVERIFY(!QFile::exists(dir.filePath("bad.fas")));
  }

  void saveAsTxt_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no extension") << "s"
                                  << "s.txt"
                                  << "AC\nGT" << QByteArray("AC\r\nGT\r\n");
    QTest::newRow(".TXT kept") << "s.TXT"
                               << "s.TXT"
                               << "AC" << QByteArray("AC\r\n");
    QTest::newRow(".fas gets .txt") << "s.fas"
                                    << "s.fas.txt"
                                    << "A\rB\r\n"
                                    << QByteArray("A\r\nB\r\n");
    QTest::newRow("empty data, empty file") << "e.txt"
                                            << "e.txt"
                                            << "" << QByteArray();
    QTest::newRow("empty lines kept") << "e.txt"
                                      << "e.txt"
                                      << "\n\nA" << QByteArray("\r\n\r\nA\r\n");
  }

  void saveAsTxt() {
    QFETCH(QString, fileName);
    QFETCH(QString, written);
    QFETCH(QString, data);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    tSequenceList list;
    addNamed(list, "never written", data);
    QVERIFY(list.SaveSequenceAsTXTFile(dir.filePath(fileName), 0, nullptr));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(readBytes(dir.filePath(written)), bytes);
  }

  void saveThenLoadGivesWorkspaceBack() {
    QTemporaryDir dir;
    tSequenceList list;
    addNamed(list, "plain", "ACGT");
    addNamed(list, "", "");
    addNamed(list, " blank name ", "ac gt");
    addNamed(list, QStringLiteral("\u00E9t\u00E9 \u03A9 \U0001F600"),
             QStringLiteral("\u00FC\u20AC"));
    addNamed(list, "semicolon inside", "A;C>");
    QVERIFY(list.SaveWorkspace(dir.filePath("round.fas"), nullptr));
    tSequenceList loaded;
    QCOMPARE(loaded.LoadSequenceFile(dir.filePath("round.fas")), list.Count());
    QCOMPARE(loaded.Names(), list.Names());
    QCOMPARE(datas(loaded), datas(list));
  }

  void headerNameWithMarkReadsBackWithout() {
    QTemporaryDir dir;
    tSequenceList list;
    addNamed(list, ">x", "AC");
    QVERIFY(list.SaveSequenceAsFASFile(dir.filePath("x.fas"), 0, nullptr));
    tSequenceList loaded;
    QCOMPARE(loaded.LoadFASFile(dir.filePath("x.fas")), 1);
    QCOMPARE(loaded.Names(), QStringList{"x"});
  }

  // A name holding CR or LF (a TXT entry named after such a file) is written with blanks in their
  // place, in the workspace file and in a single FASTA record alike: it reads back as one record,
  // and the entry in the workspace keeps its name as it was.
  void lineBreaksInNamesWrittenAsBlanks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("LF") << "two\nlines"
                        << "two lines";
    QTest::newRow("CR") << "two\rlines"
                        << "two lines";
    QTest::newRow("CR LF, one blank each") << "a\r\nb"
                                           << "a  b";
    QTest::newRow("break first") << "\n>x"
                                 << " >x";
    QTest::newRow("break last") << "x.txt\n"
                                << "x.txt ";
    QTest::newRow("marked name") << ">a\nb"
                                 << "a b";
  }
  void lineBreaksInNamesWrittenAsBlanks() {
    QFETCH(QString, name);
    QFETCH(QString, written);
    QTemporaryDir dir;
    tSequenceList list;
    addNamed(list, name, "ACGT");
    addNamed(list, "after", "GG");
    QVERIFY(list.SaveWorkspace(dir.filePath("ws.fas"), nullptr));
    QVERIFY(list.SaveSequenceAsFASFile(dir.filePath("one.fas"), 0, nullptr));
    QCOMPARE(list.Names(), QStringList({name, "after"}));

    tSequenceList loaded;
    QCOMPARE(loaded.LoadFASFile(dir.filePath("ws.fas")), 2);
    QCOMPARE(loaded.Names(), QStringList({written, "after"}));
    QCOMPARE(datas(loaded), QStringList({"ACGT", "GG"}));
    tSequenceList single;
    QCOMPARE(single.LoadFASFile(dir.filePath("one.fas")), 1);
    QCOMPARE(single.Names(), QStringList{written});
    QCOMPARE(readBytes(dir.filePath("one.fas")).count("\r\n"), 2);
  }

  void savePreconditions() {
    QTemporaryDir dir;
    OverwriteRecorder overwrite;
    tSequenceList empty;
    QVERIFY(!empty.SaveWorkspace(dir.filePath("w.fas"), overwrite.question()));
    QVERIFY(!empty.SaveSequenceAsFASFile(dir.filePath("w.fas"), 0, overwrite.question()));
    QVERIFY(!empty.SaveSequenceAsTXTFile(dir.filePath("w.txt"), 0, overwrite.question()));
    tSequenceList list;
    addNamed(list, "a", "A");
    QVERIFY(!list.SaveWorkspace(QString(), overwrite.question()));
    QVERIFY(!list.SaveSequenceAsFASFile(QString(), 0, overwrite.question()));
    QVERIFY(!list.SaveSequenceAsTXTFile(QString(), 0, overwrite.question()));
    QVERIFY(overwrite.asked.isEmpty());
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
  }

  void overwriteQuestion_data() {
    QTest::addColumn<bool>("answer");
    QTest::newRow("Yes replaces") << true;
    QTest::newRow("No keeps") << false;
  }

  void overwriteQuestion() {
    QFETCH(bool, answer);
    QTemporaryDir dir;
    const QString path = dir.filePath("w.fas");
    QVERIFY(writeBytes(path, "old"));
    tSequenceList list;
    addNamed(list, "a", "A");
    OverwriteRecorder overwrite;
    overwrite.answer = answer;
    QCOMPARE(list.SaveWorkspace(path, overwrite.question()), answer);
    QCOMPARE(overwrite.asked, QStringList{path});
    QCOMPARE(readBytes(path), answer ? QByteArray(">a\r\nA\r\n") : QByteArray("old"));
  }

  void onlyTheFinalNameIsAskedAbout() {
    QTemporaryDir dir;
    const QString plain = dir.filePath("w");
    QVERIFY(writeBytes(plain, "untouched"));
    tSequenceList list;
    addNamed(list, "a", "A");
    OverwriteRecorder overwrite;
    QVERIFY(list.SaveWorkspace(plain, overwrite.question()));
    QVERIFY(list.SaveSequenceAsTXTFile(plain, 0, overwrite.question()));
    QVERIFY(overwrite.asked.isEmpty());
    QCOMPARE(readBytes(plain), QByteArray("untouched"));
    QCOMPARE(readBytes(plain + ".fas"), QByteArray(">a\r\nA\r\n"));
    QCOMPARE(readBytes(plain + ".txt"), QByteArray("A\r\n"));
  }

  void withoutAnAnswerNothingIsReplaced() {
    QTemporaryDir dir;
    const QString path = dir.filePath("w.txt");
    QVERIFY(writeBytes(path, "old"));
    tSequenceList list;
    addNamed(list, "a", "A");
    QVERIFY(!list.SaveSequenceAsTXTFile(path, 0, nullptr));
    QCOMPARE(readBytes(path), QByteArray("old"));
  }

  void failedSaveRaisesAndLeavesTarget() {
    QTemporaryDir dir;
    const QString path = dir.filePath("w.fas");
    QVERIFY(QDir(dir.path()).mkdir("w.fas"));
    tSequenceList list;
    addNamed(list, "a", "A");
    OverwriteRecorder overwrite;
    QVERIFY_THROWS_EXCEPTION(FileError, list.SaveWorkspace(path, overwrite.question()));
    QCOMPARE(overwrite.asked, QStringList{path});
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"w.fas"});
  }
};

DUVANET_TEST(TestSequenceFiles)

}  // namespace duvanet::core

#include "tst_SequenceFiles.moc"

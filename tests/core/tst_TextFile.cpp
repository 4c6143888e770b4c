#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/FileError.h"
#include "core/TextFile.h"

namespace duvanet::core {

namespace {

using duvanet::testing::readBytes;
using duvanet::testing::writeBytes;

constexpr qsizetype kMiB = qsizetype(1) << 20;

}  // namespace

class TestTextFile : public QObject {
  Q_OBJECT

 private slots:
  void splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("no break") << "a" << QStringList{"a"};
    QTest::newRow("trailing LF") << "a\n" << QStringList{"a"};
    QTest::newRow("trailing CR LF") << "a\r\n" << QStringList{"a"};
    QTest::newRow("trailing CR") << "a\r" << QStringList{"a"};
    QTest::newRow("only a break") << "\n" << QStringList{""};
    QTest::newRow("two breaks at the end") << "a\n\n" << QStringList{"a", ""};
    QTest::newRow("mixed breaks") << "a\r\nb\rc\nd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("CR CR is two breaks") << "a\r\rb" << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("empty lines") << "\r\n\r\nx" << QStringList{"", "", "x"};
    QTest::newRow("blanks kept") << " a \t\n " << QStringList{" a \t", " "};
  }

  void splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(duvanet::core::splitLines(text), lines);
  }

  // The same lines whatever the pieces the text arrives in (a CR LF may be cut between two).
  void splitLinesInPieces_data() { splitLines_data(); }

  void splitLinesInPieces() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
      struct Collector : TextLineSink {
        QString current;
        QStringList lines;
        void linePart(QStringView part) override {
          QVERIFY(!part.isEmpty());
          current.append(part);
        }
        void lineEnd() override {
          lines.append(current);
          current.clear();
        }
      } collector;
      LineSplitter splitter(collector);
      splitter.feed(QStringView(text).first(cut));
      splitter.feed(QStringView());
      splitter.feed(QStringView(text).sliced(cut));
      splitter.finish();
      QCOMPARE(collector.lines, lines);
    }
  }

  void decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ASCII") << QByteArray("ACGT\r\n") << QStringLiteral("ACGT\r\n");
    QTest::newRow("UTF-16 LE mark") << QByteArray(
                                           "\xFF\xFE"
                                           "A\0\xE9\0",
                                           6)
                                    << QStringLiteral("A\u00E9");
    QTest::newRow("UTF-16 BE mark")
        << QByteArray("\xFE\xFF\0A\x03\xA9", 6) << QStringLiteral("A\u03A9");
    QTest::newRow("UTF-8 mark") << QByteArray(
                                       "\xEF\xBB\xBF"
                                       "caf\xC3\xA9")
                                << QStringLiteral("caf\u00E9");
    QTest::newRow("UTF-8 mark, bad byte after it") << QByteArray(
                                                          "\xEF\xBB\xBF"
                                                          "a\xE9")
                                                   << QStringLiteral("a\uFFFD");
    QTest::newRow("UTF-8 mark, text cut in a character") << QByteArray(
                                                                "\xEF\xBB\xBF"
                                                                "a\xE2\x82")
                                                         << QStringLiteral("a\uFFFD");
    QTest::newRow("UTF-16 mark, odd byte at the end") << QByteArray(
                                                             "\xFF\xFE"
                                                             "A\0B",
                                                             5)
                                                      << QStringLiteral("A\uFFFD");
    QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << QString();
    QTest::newRow("a second mark is text") << QByteArray(
                                                  "\xEF\xBB\xBF\xEF\xBB\xBF"
                                                  "a")
                                           << QStringLiteral("\uFEFFa");
    QTest::newRow("valid UTF-8 without mark")
        << QByteArray("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80")
        << QStringLiteral("caf\u00E9 \u20AC \U0001F600");
    QTest::newRow("Windows-1252 without mark")
        << QByteArray("caf\xE9 \x80 \x8A\x9F") << QStringLiteral("caf\u00E9 \u20AC \u0160\u0178");
    QTest::newRow("undefined Windows-1252 bytes")
        << QByteArray("\x81\x8D\x8F\x90\x9D") << QStringLiteral("\u0081\u008D\u008F\u0090\u009D");
    QTest::newRow("UTF-8 cut at the end") << QByteArray("a\xC3") << QStringLiteral("a\u00C3");
    QTest::newRow("overlong form") << QByteArray("\xC0\xAF") << QStringLiteral("\u00C0\u00AF");
    QTest::newRow("encoded surrogate")
        << QByteArray("\xED\xA0\x80") << QStringLiteral("\u00ED\u00A0\u20AC");
    QTest::newRow("past U+10FFFF")
        << QByteArray("\xF4\x90\x80\x80") << QStringLiteral("\u00F4\u0090\u20AC\u20AC");
  }

  void decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeText(bytes), text);
  }

  // Files larger than one read piece: characters, CR LF pairs and surrogate pairs cut between
  // pieces, and a byte late in the file that is not UTF-8 deciding the whole file's encoding.
  void readLargeFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray utf8(3 * kMiB, 'A');
    utf8.replace(kMiB - 1, 2, "\xC3\xA9");  // é cut between the first two pieces
    utf8.replace(2 * kMiB - 1, 2, "\r\n");  // CR LF cut between the next two
    utf8.replace(kMiB + 100, 1, "\n");      // a short line among long ones
    utf8.replace(3 * kMiB - 1, 1, "\r");    // a break at the very end
    QTest::newRow("UTF-8") << utf8;
    QByteArray latin = utf8;
    latin[qsizetype(2.5 * kMiB)] = '\xE9';
    QTest::newRow("Windows-1252 decided late") << latin;
    QByteArray utf8Cut = utf8;
    utf8Cut.append("\xE2\x82");
    QTest::newRow("UTF-8 cut at the very end") << utf8Cut;
    QByteArray utf16("\xFF\xFE", 2);
    QString text(kMiB, u'x');
    text.append(u"\r\n");
    text.append(QStringLiteral("\U0001F600"));
    text.append(QString(kMiB / 2 - 3, u'y'));
    text.append(QStringLiteral("\U0001F600 end"));
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    QTest::newRow("UTF-16 LE") << utf16;
    QTest::newRow("exactly one piece") << QByteArray(kMiB, 'C');
  }

  void readLargeFile() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("big.txt");
    QVERIFY(writeBytes(path, bytes));
    const QStringList expected = duvanet::core::splitLines(decodeText(bytes));
    const QStringList lines = readTextFileLines(path);
    QCOMPARE(lines.size(), expected.size());
    QVERIFY(lines == expected);
  }

  void readMissingFileNamesFileAndReason() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.fas");
    try {
      readTextFileLines(path);
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), path);
      QCOMPARE(error.operation(), FileError::Operation::Read);
      QVERIFY(!error.reason().isEmpty());
      QVERIFY(error.message().contains(path));
      QVERIFY(error.message().contains(error.reason()));
      QCOMPARE(QString::fromUtf8(error.what()), error.message());
    }
  }

  void readDirectoryFails() {
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(FileError, readTextFileLines(dir.path()));
  }

  void writeLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("none") << QStringList() << QByteArray();
    QTest::newRow("one empty line") << QStringList{""} << QByteArray("\r\n");
    QTest::newRow("CR LF after every line")
        << QStringList{"a", "", "b"} << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("UTF-8 without mark") << QStringList{QStringLiteral("\u00E9\u03A9\U0001F600")}
                                        << QByteArray("\xC3\xA9\xCE\xA9\xF0\x9F\x98\x80\r\n");
    QTest::newRow("breaks inside a line kept") << QStringList{"a\nb"} << QByteArray("a\nb\r\n");
  }

  void writeLines() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    writeTextFileLines(path, lines);
    QCOMPARE(readBytes(path), bytes);
  }

  void writeLongLineInPieces() {
    // A line longer than the writer's piece, with a surrogate pair at every odd position.
    QString line;
    for (int i = 0; i < 300000; ++i) line.append(QStringLiteral("a\U0001F600"));
    QTemporaryDir dir;
    const QString path = dir.filePath("long.txt");
    writeTextFileLines(path, {line});
    QCOMPARE(readBytes(path), line.toUtf8() + "\r\n");
  }

  void abandonedWriteLeavesFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    QVERIFY(writeBytes(path, "old contents\r\n"));
    {
      TextFileWriter writer(path);
      writer.writeLine(QString(3 * kMiB, u'n'));  // more than one buffer: really written
      // destroyed without commit, as when an error interrupts the writing
    }
    QCOMPARE(readBytes(path), QByteArray("old contents\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
  }

  void cancelledWriteFailsAndLeavesFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.txt");
    QVERIFY(writeBytes(path, "old"));
    TextFileWriter writer(path);
    writer.writeLine(u"new");
    writer.cancel();
    QVERIFY_THROWS_EXCEPTION(FileError, writer.commit());
    QCOMPARE(readBytes(path), QByteArray("old"));
  }

  void writeOntoDirectoryFailsAndLeavesIt() {
    QTemporaryDir dir;
    const QString path = dir.filePath("target.txt");
    QVERIFY(QDir(dir.path()).mkdir("target.txt"));
    QVERIFY(writeBytes(path + "/inside", "x"));
    try {
      writeTextFileLines(path, {"new"});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), path);
      QCOMPARE(error.operation(), FileError::Operation::Write);
      QVERIFY(error.message().contains(path));
    }
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(readBytes(path + "/inside"), QByteArray("x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"target.txt"});
  }

  void writeIntoMissingDirectoryFails() {
    QTemporaryDir dir;
    QVERIFY_THROWS_EXCEPTION(FileError, writeTextFileLines(dir.filePath("no/such.txt"), {"a"}));
  }
};

DUVANET_TEST(TestTextFile)

}  // namespace duvanet::core

#include "tst_TextFile.moc"

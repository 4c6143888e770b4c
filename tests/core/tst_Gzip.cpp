#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/ByteSource.h"
#include "core/FileError.h"
#include "core/GzipByteSource.h"
#include "core/SequenceList.h"
#include "core/TextFile.h"

using namespace duvanet::core;
using duvanet::testing::gzipMembers;
using duvanet::testing::gzipped;
using duvanet::testing::readBytes;
using duvanet::testing::writeBytes;

namespace {

const QString kData = QStringLiteral(DUVANET_TEST_DATA_DIR "/formats/");

// Bytes that compress poorly, so that even the compressed file spans several read pieces.
QByteArray randomText(qsizetype size, unsigned seed) {
  std::mt19937 random(seed);
  QByteArray bytes(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) bytes[i] = "ACGTacgt\n>;x \r"[random() % 14];
  return bytes;
}

// The source's bytes read in pieces of the given size.
QByteArray readAll(ByteSource& source, qint64 piece) {
  QByteArray all;
  QByteArray buffer(piece, Qt::Uninitialized);
  qint64 n = 0;
  while ((n = source.read(buffer.data(), piece)) > 0) all.append(buffer.constData(), n);
  return all;
}

// Reads a gzip file whole through GzipByteSource; the reason of the FileError, or "".
QString gzipFailure(const QString& path, bool readAhead) {
  try {
    GzipByteSource source(std::make_unique<FileByteSource>(path), readAhead);
    readAll(source, 4096);
    return QString();
  } catch (const FileError& error) {
    return error.fileName() == path ? error.reason() : QStringLiteral("<other file named>");
  }
}

QStringList datas(const tSequenceList& list) {
  QStringList result;
  for (int i = 0; i < list.Count(); ++i) {
    tSequence sequence;
    list.GetSequence(i, sequence);
    result.append(sequence.Data);
  }
  return result;
}

}  // namespace

class TestGzip : public QObject {
  Q_OBJECT

 private slots:
  // The decompressed bytes are exactly the original ones, with and without reading ahead, in
  // small and large pieces, for one member and for many (BGZF), also empty members among them.
  void decompress_data() {
    QTest::addColumn<QByteArray>("compressed");
    QTest::addColumn<QByteArray>("original");
    const QByteArray large = randomText(5 << 20, 1);
    QTest::newRow("empty member") << gzipped(QByteArray()) << QByteArray();
    QTest::newRow("small") << gzipped("ACGT\n") << QByteArray("ACGT\n");
    QTest::newRow("5 MiB, one member") << gzipped(large) << large;
    QTest::newRow("5 MiB, level 1") << gzipped(large, 1) << large;
    QList<QByteArray> blocks;
    for (qsizetype at = 0; at < large.size(); at += 65280) blocks.append(large.mid(at, 65280));
    blocks.append(QByteArray());  // BGZF ends with an empty member
    QTest::newRow("5 MiB in BGZF-sized members") << gzipMembers(blocks) << large;
    QTest::newRow("members of one byte")
        << gzipMembers({"A", "C", "", "G", "T"}) << QByteArray("ACGT");
  }

  void decompress() {
    QFETCH(QByteArray, compressed);
    QFETCH(QByteArray, original);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.gz");
    QVERIFY(writeBytes(path, compressed));
    for (const bool readAhead : {false, true}) {
      for (const qint64 piece : {qint64(1), qint64(4093), qint64(3 << 20)}) {
        if (piece == 1 && original.size() > 100000) continue;
        GzipByteSource source(std::make_unique<FileByteSource>(path), readAhead);
        const QByteArray bytes = readAll(source, piece);
        QCOMPARE(bytes.size(), original.size());
        QVERIFY(bytes == original);
        char more = 0;
        QCOMPARE(source.read(&more, 1), qint64(0));  // stays at its end
      }
    }
  }

  void failures_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QByteArray good = gzipped(randomText(300000, 2));
    QTest::newRow("empty file") << QByteArray() << "not a gzip file";
    QTest::newRow("plain text") << QByteArray(">a\nACGT\n") << "not a gzip file";
    QTest::newRow("one byte") << QByteArray("\x1f") << "not a gzip file";
    QTest::newRow("header only") << good.first(10) << "truncated";
    QTest::newRow("cut in the data") << good.first(good.size() / 2) << "truncated";
    QTest::newRow("trailer missing") << good.first(good.size() - 8) << "truncated";
    QTest::newRow("trailer cut") << good.first(good.size() - 3) << "truncated";
    QByteArray crc = good;
    crc[crc.size() - 8] = char(crc[crc.size() - 8] ^ 0x55);
    QTest::newRow("wrong CRC") << crc << "damaged";
    QByteArray length = good;
    length[length.size() - 1] = char(length[length.size() - 1] ^ 0x01);
    QTest::newRow("wrong length") << length << "damaged";
    QByteArray data = good;
    for (qsizetype i = 100; i < 200; ++i) data[i] = char(0xFF);
    QTest::newRow("corrupt data") << data << "damaged";
    QTest::newRow("garbage after a member") << good + "trailing"
                                            << "damaged";
    QTest::newRow("second member cut") << good + good.first(20) << "truncated";
    QTest::newRow("a lone magic byte after a member") << good + "\x1f"
                                                      << "truncated";
  }

  void failures() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.fa.gz");
    QVERIFY(writeBytes(path, bytes));
    QCOMPARE(gzipFailure(path, false), reason);
    QCOMPARE(gzipFailure(path, true), reason);
  }

  // The fixtures, through the workspace: FASTA in one member and in BGZF blocks cut inside a
  // line, text, and the damaged ones, which leave the workspace as it was and stop the load.
  void fixtures() {
    tSequenceList list;
    QVERIFY(list.LoadSequenceFiles(
        {kData + "pair.fa.gz", kData + "pair_bgzf.fa.gz", kData + "notes.txt.gz"}));
    QCOMPARE(list.Names(), QStringList({"gz one", "gz two", "gz one", "gz two", "notes.txt.gz"}));
    QCOMPARE(datas(list),
             QStringList({"ACGTACGTAC", "TTTT", "ACGTACGTAC", "TTTT", "line one\r\nline two\r\n"}));
  }

  void damagedFixtures_data() {
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("reason");
    QTest::newRow("not gzip") << "not_gzip.fa.gz"
                              << "not a gzip file";
    QTest::newRow("truncated") << "truncated.fa.gz"
                               << "truncated";
    QTest::newRow("damaged") << "damaged.fa.gz"
                             << "damaged";
  }

  void damagedFixtures() {
    QFETCH(QString, fixture);
    QFETCH(QString, reason);
    tSequenceList list;
    try {
      list.LoadSequenceFiles({kData + "pair.fa.gz", kData + fixture, kData + "notes.txt.gz"});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), kData + fixture);
      QCOMPARE(error.reason(), reason);
      QCOMPARE(error.message(),
               QStringLiteral("Cannot read file \"%1\": %2").arg(kData + fixture, reason));
    }
    QCOMPARE(list.Names(), QStringList({"gz one", "gz two"}));
  }

  // Decompressed text is decoded like any text file: a mark, UTF-8 or Windows-1252 decided by
  // the whole text, here with the deciding byte far behind the first pieces.
  void encodingsInsideGzip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QByteArray utf8 = ">caf\xC3\xA9\n" + QByteArray(3 << 20, 'A') + "\n";
    QTest::newRow("UTF-8") << utf8;
    QByteArray latin = utf8;
    latin.append(">\xE9\nC\n");
    QTest::newRow("Windows-1252 decided at the end") << latin;
    QByteArray utf16("\xFF\xFE>\0x\0\n\0A\0", 10);
    QTest::newRow("UTF-16 mark") << utf16;
  }

  void encodingsInsideGzip() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath("plain.fa"), bytes));
    QVERIFY(writeBytes(dir.filePath("packed.fa.gz"), gzipped(bytes)));
    tSequenceList plain;
    tSequenceList packed;
    QVERIFY(plain.LoadSequenceFiles({dir.filePath("plain.fa")}));
    QVERIFY(packed.LoadSequenceFiles({dir.filePath("packed.fa.gz")}));
    QVERIFY(plain.Count() > 0);
    QCOMPARE(packed.Names(), plain.Names());
    QVERIFY(datas(packed) == datas(plain));
  }

  // A reader that stops early (an error in the first lines of a large file) ends the
  // read-ahead at once instead of decompressing the rest.
  void earlyErrorStopsReadingAhead() {
    QByteArray text = "LOCUS  a\nORIGIN\nnot a sequence line\n";
    text += randomText(8 << 20, 3);
    QTemporaryDir dir;
    const QString path = dir.filePath("early.gb.gz");
    QVERIFY(writeBytes(path, gzipped(text, 1)));
    tSequenceList list;
    try {
      list.LoadSequenceFiles({path});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.reason(),
               QStringLiteral("line 3: a sequence line must be a number followed by groups of "
                              "symbols"));
    }
    QCOMPARE(list.Count(), 0);
  }

  // The file is never written out decompressed: the folder holds what it held before.
  void noTemporaryFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.fa.gz");
    QVERIFY(writeBytes(path, gzipped(">a\n" + randomText(2 << 20, 4))));
    tSequenceList list;
    QVERIFY(list.LoadSequenceFiles({path}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"a.fa.gz"});
  }

  void missingGzipFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing.fa.gz");
    tSequenceList list;
    try {
      list.LoadSequenceFiles({path});
      QFAIL("no error raised");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), path);
      QVERIFY(!error.reason().isEmpty());
    }
  }
};

DUVANET_TEST(TestGzip)
#include "tst_Gzip.moc"

// File names given as bytes that are not UTF-8 (a command-line argument such as 'se\xe9q.fas'):
// the bytes survive the trip through text and open the file they name.

#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>

#include "TestRegistry.h"
#include "core/FileError.h"
#include "core/FileNames.h"
#include "core/SequenceList.h"

using namespace duvanet::core;

namespace {

// Creates a file under the exact bytes of its name.
bool writeRaw(const QByteArray& path, const QByteArray& contents) {
  const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written =
      ::write(fd, contents.constData(), size_t(contents.size())) == ssize_t(contents.size());
  return ::close(fd) == 0 && written;
}

}  // namespace

class TestFileNames : public QObject {
  Q_OBJECT

 private slots:
  void bytesSurvive_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("ASCII") << QByteArray("seq.fas") << false << "seq.fas";
    QTest::newRow("UTF-8") << QByteArray("s\xc3\xa9q.fas") << false << "s\u00e9q.fas";
    QTest::newRow("Latin-1 byte") << QByteArray("se\xe9quence.fas") << true << "se\u00e9quence.fas";
    QTest::newRow("Windows-1252 byte") << QByteArray("\x80.txt") << true << "\u20ac.txt";
    QTest::newRow("cut UTF-8 sequence") << QByteArray("a\xc3") << true << "a\u00c3";
    QTest::newRow("overlong form") << QByteArray("\xc0\xaf") << true << "\u00c0\u00af";
    QTest::newRow("encoded surrogate")
        << QByteArray("\xed\xa0\x80") << true << "\u00ed\u00a0\u20ac";
    QTest::newRow("UTF-8 beside a raw byte")
        << QByteArray("\xe2\x82\xac\xff/x") << true << "\u20ac\u00ff/x";
    QTest::newRow("four-byte UTF-8") << QByteArray("\xf0\x9f\x98\x80") << false << "\U0001F600";
  }
  void bytesSurvive() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, raw);
    QFETCH(QString, shown);
    const QString name = fileNameFromBytes(bytes);
    QCOMPARE(fileNameBytes(name), bytes);
    QCOMPARE(holdsRawBytes(name), raw);
    QCOMPARE(displayFileName(name), shown);
    if (!raw) QCOMPARE(name, QString::fromUtf8(bytes));
  }

  // A file under a name that is not UTF-8 loads as TXT (named with the byte shown as the
  // contents' reader would show it) and as FASTA; a missing one fails as missing.
  void rawNamesOpen() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray folder = QFile::encodeName(dir.path());
    QVERIFY(writeRaw(folder + "/se\xe9q.txt", "ACGT\n"));
    QVERIFY(writeRaw(folder + "/se\xe9quence.fas", ">a\nAC\n>b\nGT\n"));

    tSequenceList list;
    QVERIFY(list.LoadSequenceFiles({fileNameFromBytes(folder + "/se\xe9q.txt"),
                                    fileNameFromBytes(folder + "/se\xe9quence.fas")}));
    QCOMPARE(list.Names(), QStringList({"se\u00e9q.txt", "a", "b"}));
    tSequence text;
    QVERIFY(list.GetSequence(0, text));
    QCOMPARE(text.Data, QStringLiteral("ACGT\r\n"));

    const QString missing = fileNameFromBytes(folder + "/missing\xe9.fas");
    try {
      list.LoadSequenceFile(missing);
      QFAIL("a missing file was read");
    } catch (const FileError& error) {
      QCOMPARE(error.reason(), QStringLiteral("No such file or directory"));
      QCOMPARE(
          error.message(),
          QStringLiteral("Cannot read file \"%1/missing\u00e9.fas\": No such file or directory")
              .arg(dir.path()));
    }
    QCOMPARE(list.Count(), 3);
  }

  // Saving under such a name is refused with a reason rather than written under other bytes.
  void rawNamesAreNotWrittenUnderOtherBytes() {
    QTemporaryDir dir;
    tSequenceList list;
    list.AddSequence();
    const QString name = fileNameFromBytes(QFile::encodeName(dir.path()) + "/out\xe9.fas");
    try {
      list.SaveWorkspace(name, nullptr);
      QFAIL("saved");
    } catch (const FileError& error) {
      QCOMPARE(error.reason(), QStringLiteral("a file name that is not UTF-8 cannot be written"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
  }
};

DUVANET_TEST(TestFileNames)
#include "tst_FileNames.moc"

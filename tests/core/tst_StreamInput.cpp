// Files that are not regular files: FIFOs (with and without a writer), pipes named as process
// substitution names them, /dev/zero. They are read forwards once like any file, opening never
// waits for a writer, a read that does not end can be stopped, and the progress of a load is
// reported file by file.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/ByteSource.h"
#include "core/FileError.h"
#include "core/SequenceFileLoad.h"
#include "core/SequenceList.h"

namespace duvanet::core {

namespace {

using duvanet::testing::gzipped;
using duvanet::testing::writeBytes;

constexpr int kDeadlineMs = 10000;

QStringList snapshot(const tSequenceList& list) {
  QStringList result;
  for (int i = 0; i < list.Count(); ++i) {
    tSequence s;
    list.GetSequence(i, s);
    result << s.Name << s.Data;
  }
  return result;
}

// Runs body on a thread of its own. When it has not returned within the deadline, release()
// must make it return (the test then fails instead of hanging); false in that case.
bool finishesWithin(int deadlineMs, const std::function<void()>& body,
                    const std::function<void()>& release) {
  std::packaged_task<void()> task(body);
  std::future<void> done = task.get_future();
  std::thread runner(std::move(task));
  const bool inTime =
      done.wait_for(std::chrono::milliseconds(deadlineMs)) == std::future_status::ready;
  if (!inTime) release();
  runner.join();
  return inTime;
}

// Opens the FIFO for writing without waiting and closes it again: a reader blocked in open()
// goes on.
void releaseFifo(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
}

// Writes bytes into a FIFO or pipe from a thread of its own, in pieces with pauses, so that the
// reader sees data arrive late and in parts.
class SlowWriter {
 public:
  // Opens path for writing (waiting for the reader) and writes; or writes into fd when given.
  SlowWriter(QString path, QByteArray bytes, int fd = -1)
      : m_thread([path = std::move(path), bytes = std::move(bytes), fd] {
          const int out = fd >= 0 ? fd : ::open(QFile::encodeName(path).constData(), O_WRONLY);
          if (out < 0) return;
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
          constexpr qsizetype kPiece = 64 * 1024;
          for (qsizetype at = 0, n = 0; at < bytes.size(); at += kPiece, ++n) {
            const qsizetype size = std::min(kPiece, bytes.size() - at);
            for (qsizetype written = 0; written < size;) {
              const ssize_t w =
                  ::write(out, bytes.constData() + at + written, size_t(size - written));
              if (w <= 0) {
                ::close(out);
                return;
              }
              written += w;
            }
            if (n % 8 == 7) std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
          ::close(out);
        }) {}
  ~SlowWriter() { m_thread.join(); }

 private:
  std::thread m_thread;
};

// A FASTA text of several records, longer than the readers' 1 MiB pieces.
QByteArray largeFasta() {
  QByteArray text;
  for (int record = 0; record < 6; ++record) {
    text += ">record " + QByteArray::number(record) + "\r\n";
    for (int line = 0; line < 4000; ++line)
      text += QByteArray(60, "ACGT"[(record + line) % 4]) + "\n";
  }
  return text;
}

// A monitor that records what it is told and stops once told to.
class RecordingMonitor : public ReadMonitor {
 public:
  void fileOpened(const QString&, qint64 size) override { openedSize = size; }
  bool keepReading(qint64 bytesRead) override {
    ++asked;
    lastBytes = bytesRead;
    return !stop(bytesRead);
  }
  std::function<bool(qint64)> stop = [](qint64) { return false; };
  std::atomic<qint64> openedSize = -2;
  std::atomic<int> asked = 0;
  std::atomic<qint64> lastBytes = 0;
};

}  // namespace

class TestStreamInput : public QObject {
  Q_OBJECT

 private slots:
  // Opening a FIFO that nobody writes to returns at once; the read then waits for data, asking
  // its monitor again and again, and ends with ReadCancelled when the monitor says stop.
  void fifoWithoutWriterCanBeStopped() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString fifo = dir.filePath(QStringLiteral("nobody.fas"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    RecordingMonitor monitor;
    const auto started = std::chrono::steady_clock::now();
    monitor.stop = [&](qint64) {
      return std::chrono::steady_clock::now() - started > std::chrono::milliseconds(300);
    };
    bool cancelled = false;
    bool opened = false;
    const bool inTime = finishesWithin(
        kDeadlineMs,
        [&] {
          try {
            FileByteSource source(fifo, &monitor);
            opened = true;
            char buffer[16];
            source.read(buffer, sizeof buffer);
          } catch (const ReadCancelled&) {
            cancelled = true;
          }
        },
        [&] { releaseFifo(fifo); });
    QVERIFY2(inTime, "the read of a FIFO without a writer did not end");
    QVERIFY(opened);
    QVERIFY(cancelled);
    QCOMPARE(monitor.openedSize.load(), qint64(-1));
    QVERIFY2(monitor.asked >= 2, "the monitor was not asked while the read waited");
    QCOMPARE(monitor.lastBytes.load(), qint64(0));

    // Through the workspace: nothing is appended, the entries before stay.
    tSequenceList list;
    list.SetSequence(list.AddSequence(),
                     tSequence{QStringLiteral("kept"), QStringLiteral("AC"), {}});
    RecordingMonitor stopAtOnce;
    stopAtOnce.stop = [](qint64) { return true; };
    QVERIFY(finishesWithin(
        kDeadlineMs,
        [&] {
          try {
            list.LoadSequenceFile(fifo, &stopAtOnce);
          } catch (const ReadCancelled&) {
          }
        },
        [&] { releaseFifo(fifo); }));
    QCOMPARE(snapshot(list), (QStringList{QStringLiteral("kept"), QStringLiteral("AC")}));
  }

  // A FIFO whose writer comes late and writes in pieces reads exactly as a regular file of the
  // same bytes and name: FASTA, text and gzip-compressed FASTA, each over 1 MiB.
  void fifoReadsAsAFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray fasta = largeFasta();
    QTest::newRow("FASTA") << "in.fas" << fasta;
    QTest::newRow("text") << "in" << fasta;
    QTest::newRow("gzip FASTA") << "in.fa.gz" << gzipped(fasta);
    QTest::newRow("empty") << "in.fas" << QByteArray();
  }
  void fifoReadsAsAFile() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("plain")));
    const QString plain = dir.filePath(QStringLiteral("plain/") + name);
    QVERIFY(writeBytes(plain, bytes));
    tSequenceList expected;
    expected.LoadSequenceFiles({plain});

    const QString fifo = dir.filePath(name);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    tSequenceList list;
    QString failure;
    const bool inTime = finishesWithin(
        kDeadlineMs,
        [&] {
          SlowWriter writer(fifo, bytes);
          try {
            list.LoadSequenceFiles({fifo});
          } catch (const FileError& error) {
            failure = error.message();
          }
        },
        [&] { releaseFifo(fifo); });
    QVERIFY2(inTime, "reading the FIFO did not end");
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(list.Count(), expected.Count());
    QCOMPARE(snapshot(list), snapshot(expected));
  }

  // A pipe named as process substitution names it (/dev/fd/N), over 1 MiB: the encoding is
  // decided from everything that was read, although the pipe cannot be read twice. A UTF-8
  // character after the first MiB is decoded as UTF-8; a byte that is not UTF-8 even later
  // makes the whole text Windows-1252.
  void pipeOverOneMegabyte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expectedTail");
    const QByteArray ascii((3 << 19), 'A');  // 1.5 MiB
    QTest::newRow("UTF-8 late") << ascii + "\xC3\xA9" + ascii << QStringLiteral("\u00E9");
    QTest::newRow("Windows-1252 later still")
        << ascii + "\xC3\xA9" + ascii + "\x80" << QStringLiteral("\u00C3\u00A9");
  }
  void pipeOverOneMegabyte() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expectedTail);
    int ends[2];
    QCOMPARE(::pipe(ends), 0);
    const QString name = QStringLiteral("/dev/fd/%1").arg(ends[0]);
    tSequenceList list;
    QString failure;
    const bool inTime = finishesWithin(
        kDeadlineMs,
        [&] {
          SlowWriter writer(QString(), bytes, ends[1]);
          try {
            list.LoadSequenceFiles({name});
          } catch (const FileError& error) {
            failure = error.message();
          }
        },
        [&] { ::close(ends[1]); });
    ::close(ends[0]);
    QVERIFY2(inTime, "reading the pipe did not end");
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(list.Count(), 1);
    tSequence read;
    list.GetSequence(0, read);
    QCOMPARE(read.Name, QString::number(ends[0]));
    const qsizetype half = 3 << 19;
    QCOMPARE(read.Data.size(),
             2 * half + expectedTail.size() + (bytes.endsWith('\x80') ? 1 : 0) + 2);
    QCOMPARE(read.Data.mid(half, expectedTail.size()), expectedTail);
    QVERIFY(read.Data.endsWith(QStringLiteral("\r\n")));
  }

  // /dev/zero never ends: the load reports bytes read without a length and no share done, and
  // stops when asked; nothing of it joins the workspace.
  void devZeroCanBeStopped() {
    if (!QFile::exists(QStringLiteral("/dev/zero"))) QSKIP("no /dev/zero here");
    SequenceFileLoad load({QStringLiteral("/dev/zero")});
    qint64 seen = 0;
    bool lengthless = true;
    bool noShare = true;
    bool cancelled = false;
    const bool inTime = finishesWithin(
        kDeadlineMs,
        [&] {
          try {
            load.read([&](const LoadProgress& progress) {
              seen = progress.fileBytesRead;
              lengthless = lengthless && progress.fileSize == -1;
              noShare = noShare && progress.fraction == -1;
              return progress.fileBytesRead < (8 << 20);
            });
          } catch (const ReadCancelled&) {
            cancelled = true;
          }
        },
        [] {});
    QVERIFY2(inTime, "reading /dev/zero was not stopped");
    QVERIFY(cancelled);
    QVERIFY(seen >= (8 << 20));
    QVERIFY(lengthless);
    QVERIFY(noShare);
    tSequenceList list;
    list.SetSequence(list.AddSequence(),
                     tSequence{QStringLiteral("kept"), QStringLiteral("AC"), {}});
    load.applyTo(list);
    QCOMPARE(snapshot(list), (QStringList{QStringLiteral("kept"), QStringLiteral("AC")}));
  }

  // The progress of a load of regular files: the file being read (by its place in the list, the
  // annotation file last, as it is read last), shares that only grow, ending at 1.
  void progressOverSeveralFiles() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("first.fas"));
    const QString annotations = dir.filePath(QStringLiteral("marks.bed"));
    const QString second = dir.filePath(QStringLiteral("second.txt"));
    const QByteArray big = largeFasta();
    QVERIFY(writeBytes(first, big));
    QVERIFY(writeBytes(annotations, "record\t0\t10\n"));
    QVERIFY(writeBytes(second, big.left(big.size() / 3)));
    const qint64 total = big.size() + big.size() / 3 + 12;

    SequenceFileLoad load({first, annotations, second});
    QList<int> order;
    double last = 0;
    bool growing = true;
    bool sizesRight = true;
    load.read([&](const LoadProgress& progress) {
      if (order.isEmpty() || order.last() != progress.fileIndex) order.append(progress.fileIndex);
      growing = growing && progress.fraction >= last && progress.fraction <= 1.0;
      last = progress.fraction;
      sizesRight = sizesRight && progress.fileCount == 3 &&
                   progress.fileSize == QFileInfo(progress.fileName).size();
      return true;
    });
    QCOMPARE(order, (QList<int>{0, 2, 1}));
    QVERIFY(growing);
    QVERIFY(sizesRight);
    // The last report is asked once the last file's bytes are all read.
    QCOMPARE(last, 1.0);
    QCOMPARE(total, QFileInfo(first).size() + QFileInfo(second).size() + 12);

    // The BED feature names "record", the first word of the six FASTA records' names.
    tSequenceList list;
    const FeatureAttachment attachment = load.applyTo(list);
    QCOMPARE(list.Count(), 7);
    QCOMPARE(attachment.attached, qint64(1));
    for (int i = 0; i < 6; ++i) QCOMPARE(list.Features(i)->size(), size_t(1));
    QVERIFY(list.Features(6)->empty());
  }
};

DUVANET_TEST(TestStreamInput)

}  // namespace duvanet::core

#include "tst_StreamInput.moc"

// Odd and hostile input: binary bytes, broken encodings, huge record counts, things that are not
// readable files, writes that fail half-way, and dot plot requests at the limits. Nothing may
// crash or hang, the workspace keeps what it had, and every failure names the file and reason.

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <limits>

#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "core/DotPlotPreparation.h"
#include "core/FileError.h"
#include "core/SequenceList.h"
#include "engine/DotPlotEngine.h"

namespace duvanet::core {

namespace {

QString fixture(const char* name) {
  return QStringLiteral(DUVANET_TEST_DATA_DIR "/") + QLatin1StringView(name);
}

using duvanet::testing::FileSizeLimit;
using duvanet::testing::readBytes;
using duvanet::testing::writeBytes;

tSequence entry(const tSequenceList& list, int index) {
  tSequence sequence;
  list.GetSequence(index, sequence);
  return sequence;
}

void addNamed(tSequenceList& list, const QString& name, const QString& data) {
  tSequence sequence;
  sequence.Name = name;
  sequence.Data = data;
  list.SetSequence(list.AddSequence(), sequence);
}

// The workspace as name/data pairs, to compare before and after a failed operation.
QStringList snapshot(const tSequenceList& list) {
  QStringList result;
  for (int i = 0; i < list.Count(); ++i) {
    const tSequence s = entry(list, i);
    result << s.Name << s.Data;
  }
  return result;
}

bool runningAsRoot() { return ::geteuid() == 0; }

}  // namespace

class TestHostileInput : public QObject {
  Q_OBJECT

 private slots:
  // Files whose bytes are not clean text load without a crash, every byte accounted for: NUL
  // bytes are kept as characters, an odd UTF-16 byte and a UTF-8 sequence cut at the end become
  // U+FFFD, and bytes that are not UTF-8 are read as Windows-1252.
  void oddBytesLoad_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");  // name, data, name, data ...

    const QString nul(QChar(0));
    const QString replacement(QChar(QChar::ReplacementCharacter));
    QTest::newRow("NUL bytes as text")
        << fixture("hostile_nul.bin")
        << QStringList{QStringLiteral("hostile_nul.bin"),
                       QStringLiteral("AC") + nul + QStringLiteral("GT") + nul + nul +
                           QStringLiteral("\r\nTT") + nul + QStringLiteral("\x01\x02\x7f\r\n")};
    QTest::newRow("NUL bytes as FASTA")
        << fixture("hostile_nul.fas")
        << QStringList{QStringLiteral("a") + nul + QStringLiteral("b"),
                       QStringLiteral("AC") + nul + QStringLiteral("GT") + nul};
    QTest::newRow("UTF-16 LE, odd byte count")
        << fixture("hostile_utf16_odd.txt")
        << QStringList{QStringLiteral("hostile_utf16_odd.txt"),
                       QStringLiteral("AC") + replacement + QStringLiteral("\r\n")};
    QTest::newRow("UTF-16 BE, odd byte count, FASTA")
        << fixture("hostile_utf16be_odd.fas")
        << QStringList{QStringLiteral("x"), QStringLiteral("A") + replacement};
    QTest::newRow("invalid UTF-8 read as Windows-1252")
        << fixture("hostile_invalid_utf8.fas")
        << QStringList{QStringLiteral("seq\u00FF"), QStringLiteral("AC\u00C3(GT")};
    QTest::newRow("invalid UTF-8 after a UTF-8 mark")
        << fixture("hostile_bom_invalid_utf8.txt")
        << QStringList{QStringLiteral("hostile_bom_invalid_utf8.txt"),
                       QStringLiteral("AC") + replacement + QStringLiteral("(GT\r\n")};
    QTest::newRow("UTF-8 cut at the end") << fixture("hostile_cut_utf8.txt")
                                          << QStringList{QStringLiteral("hostile_cut_utf8.txt"),
                                                         QStringLiteral("ACGT\u00E2\u201A\r\n")};
  }
  void oddBytesLoad() {
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    tSequenceList list;
    addNamed(list, QStringLiteral("kept"), QStringLiteral("ACGT"));
    QVERIFY(list.LoadSequenceFiles({file}));
    QStringList loaded = snapshot(list);
    QCOMPARE(loaded.mid(0, 2), (QStringList{QStringLiteral("kept"), QStringLiteral("ACGT")}));
    QCOMPARE(loaded.mid(2), expected);
  }

  // NUL bytes survive a save and a second load unchanged.
  void nulBytesRoundTrip() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    tSequenceList list;
    QVERIFY(list.LoadSequenceFiles({fixture("hostile_nul.fas")}));
    const tSequence loaded = entry(list, 0);
    const QString path = dir.filePath(QStringLiteral("nul.fas"));
    QVERIFY(list.SaveWorkspace(path, nullptr));
    tSequenceList again;
    QCOMPARE(again.LoadFASFile(path), 1);
    QCOMPARE(entry(again, 0).Name, loaded.Name);
    QCOMPARE(entry(again, 0).Data, loaded.Data);
  }

  // Data that begins with U+FEFF reads back with it: the file gets a byte-order mark in front,
  // and only there (not before a later line, not for other text).
  void leadingByteOrderMarkCharacterRoundTrip_data() {
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("asTxt");
    QTest::addColumn<bool>("markWritten");
    QTest::newRow("TXT, data begins with it") << QStringLiteral("\uFEFFACGT") << true << true;
    QTest::newRow("TXT, empty first line") << QStringLiteral("\r\n\uFEFFAC") << true << false;
    QTest::newRow("TXT, plain") << QStringLiteral("ACGT") << true << false;
    // A FASTA file always begins with ">", so no mark is needed there.
    QTest::newRow("FASTA name begins with it") << QStringLiteral("AC") << false << false;
  }
  void leadingByteOrderMarkCharacterRoundTrip() {
    QFETCH(QString, data);
    QFETCH(bool, asTxt);
    QFETCH(bool, markWritten);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    tSequenceList list;
    addNamed(list, asTxt ? QStringLiteral("n") : QStringLiteral("\uFEFFname"), data);
    const QString path = dir.filePath(asTxt ? QStringLiteral("s.txt") : QStringLiteral("s.fas"));
    QVERIFY(asTxt ? list.SaveSequenceAsTXTFile(path, 0, nullptr)
                  : list.SaveSequenceAsFASFile(path, 0, nullptr));
    QCOMPARE(readBytes(path).startsWith("\xEF\xBB\xBF"), markWritten);
    tSequenceList again;
    QVERIFY(again.LoadSequenceFiles({path}));
    if (asTxt) {
      QString expected = data;
      expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
      QCOMPARE(entry(again, 0).Data, expected + QStringLiteral("\r\n"));
    } else {
      QCOMPARE(entry(again, 0).Name, QStringLiteral("\uFEFFname"));
      QCOMPARE(entry(again, 0).Data, data);
    }
  }

  // A million header lines without data (2 MB, more than one read chunk) give a million empty
  // entries after those already there.
  void millionEmptyFastaRecords() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("empty-records.fas"));
    constexpr int kRecords = 1000000;
    QByteArray bytes;
    bytes.reserve(2 * kRecords + 16);
    for (int i = 0; i < kRecords; ++i) bytes.append(">\n", 2);
    bytes.append(">last\nACGT", 10);
    QVERIFY(writeBytes(path, bytes));

    tSequenceList list;
    addNamed(list, QStringLiteral("kept"), QStringLiteral("GG"));
    QCOMPARE(list.LoadSequenceFile(path), kRecords + 1);
    QCOMPARE(list.Count(), kRecords + 2);
    QCOMPARE(entry(list, 0).Name, QStringLiteral("kept"));
    QCOMPARE(entry(list, 0).Data, QStringLiteral("GG"));
    for (int index : {1, kRecords / 2, kRecords}) {
      QVERIFY(entry(list, index).Name.isEmpty());
      QVERIFY(entry(list, index).Data.isEmpty());
    }
    QCOMPARE(entry(list, kRecords + 1).Name, QStringLiteral("last"));
    QCOMPARE(entry(list, kRecords + 1).Data, QStringLiteral("ACGT"));
  }

  // A directory chosen as input, read as FASTA or as text, fails with a message that names it;
  // files before it stay loaded, the workspace keeps what it had and files after it are not
  // read.
  void directoryAsInput_data() {
    QTest::addColumn<QString>("directoryName");
    QTest::newRow("FASTA name") << QStringLiteral("folder.fas");
    QTest::newRow("text name") << QStringLiteral("folder");
  }
  void directoryAsInput() {
    QFETCH(QString, directoryName);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(directoryName));
    const QString folder = dir.filePath(directoryName);
    const QString before = dir.filePath(QStringLiteral("before.fas"));
    const QString after = dir.filePath(QStringLiteral("after.fas"));
    QVERIFY(writeBytes(before, ">b\nAC\n"));
    QVERIFY(writeBytes(after, ">c\nGT\n"));

    tSequenceList list;
    addNamed(list, QStringLiteral("kept"), QStringLiteral("TT"));
    try {
      list.LoadSequenceFiles({before, folder, after});
      QFAIL("a directory was read as a file");
    } catch (const FileError& error) {
      QCOMPARE(error.operation(), FileError::Operation::Read);
      QCOMPARE(error.fileName(), folder);
      QVERIFY2(error.message().startsWith(QStringLiteral("Cannot read file \"%1\": ").arg(folder)),
               qPrintable(error.message()));
      QVERIFY2(!error.reason().isEmpty(), qPrintable(error.message()));
    }
    QCOMPARE(snapshot(list), (QStringList{QStringLiteral("kept"), QStringLiteral("TT"),
                                          QStringLiteral("b"), QStringLiteral("AC")}));
  }

  // A file without read permission fails like a directory. Root reads every file regardless,
  // so the case is skipped there.
  void unreadableFile() {
    if (runningAsRoot()) QSKIP("running as root: read permissions are not enforced");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("secret.fas"));
    QVERIFY(writeBytes(path, ">s\nAC\n"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    tSequenceList list;
    addNamed(list, QStringLiteral("kept"), QStringLiteral("TT"));
    try {
      list.LoadSequenceFile(path);
      QFAIL("an unreadable file was read");
    } catch (const FileError& error) {
      QCOMPARE(error.fileName(), path);
      QVERIFY2(error.message().startsWith(QStringLiteral("Cannot read file \"%1\": ").arg(path)),
               qPrintable(error.message()));
    }
    QCOMPARE(snapshot(list), (QStringList{QStringLiteral("kept"), QStringLiteral("TT")}));
  }

  // A write that fails half-way (the file size limit stands in for a full disk) throws a
  // message naming the file; the old file keeps its bytes, no scratch file is left behind and
  // the workspace is unchanged.
  // The message gives the system's reason, whether the limit is passed in the middle of the
  // text or by the last piece written when the file is completed.
  void failedWriteKeepsOldFile_data() {
    QTest::addColumn<int>("operation");  // 0 workspace, 1 one sequence as FASTA, 2 as TXT
    QTest::addColumn<int>("bigLength");
    QTest::newRow("workspace") << 0 << (3 << 20);
    QTest::newRow("sequence as FASTA") << 1 << (3 << 20);
    QTest::newRow("sequence as TXT") << 2 << (3 << 20);
    QTest::newRow("workspace, last piece") << 0 << (100 << 10);
    QTest::newRow("sequence as TXT, last piece") << 2 << (100 << 10);
  }
  void failedWriteKeepsOldFile() {
    QFETCH(int, operation);
    QFETCH(int, bigLength);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path =
        dir.filePath(operation == 2 ? QStringLiteral("old.txt") : QStringLiteral("old.fas"));
    const QByteArray oldBytes = ">old\r\nAAAA\r\n";
    QVERIFY(writeBytes(path, oldBytes));

    tSequenceList list;
    addNamed(list, QStringLiteral("big"), QString(bigLength, QLatin1Char('G')));
    addNamed(list, QStringLiteral("small"), QStringLiteral("AC"));
    const QStringList before = snapshot(list);
    bool asked = false;
    const OverwriteQuestion yes = [&](const QString&) { return asked = true; };

    QString message;
    {
      FileSizeLimit limit(64 * 1024);
      QVERIFY(limit.active());
      try {
        if (operation == 0) list.SaveWorkspace(path, yes);
        if (operation == 1) list.SaveSequenceAsFASFile(path, 0, yes);
        if (operation == 2) list.SaveSequenceAsTXTFile(path, 0, yes);
      } catch (const FileError& error) {
        QCOMPARE(error.operation(), FileError::Operation::Write);
        QCOMPARE(error.fileName(), path);
        message = error.message();
      }
    }
    QVERIFY(asked);
    QCOMPARE(message, QStringLiteral("Cannot write file \"%1\": File too large").arg(path));
    QCOMPARE(readBytes(path), oldBytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(path).fileName()});
    QCOMPARE(snapshot(list), before);
  }

  // A save onto a file system that fills up says so ("No space left on device"), keeps the old
  // file and leaves no scratch file. Both a save that fills the disk half-way and a small save
  // onto a disk that is full already (whose bytes would sit in a write buffer until the file is
  // completed). Runs in a child process with a private 64 KiB tmpfs; needs root for the mount.
  void fullDiskSaysWhy_data() {
    QTest::addColumn<int>("dataLength");
    QTest::addColumn<bool>("fillFirst");
    QTest::newRow("fills up half-way") << (1 << 20) << false;
    QTest::newRow("small save, disk already full") << 100 << true;
  }
  void fullDiskSaysWhy() {
    QFETCH(int, dataLength);
    QFETCH(bool, fillFirst);
    if (!runningAsRoot()) QSKIP("mounting a small tmpfs needs root");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      const QByteArray mountPoint = QFile::encodeName(dir.path());
      if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr))
        _exit(20);
      if (mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0) _exit(20);
      const QString path = dir.filePath(QStringLiteral("old.fas"));
      const QByteArray oldBytes = ">old\r\nAAAA\r\n";
      if (!writeBytes(path, oldBytes)) _exit(10);
      if (fillFirst) {
        QFile fill(dir.filePath(QStringLiteral("fill")));
        if (!fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) _exit(11);
        const QByteArray block(4096, 'x');
        while (fill.write(block) == block.size()) {
        }
      }
      tSequenceList list;
      addNamed(list, QStringLiteral("new"), QString(dataLength, QLatin1Char('G')));
      QString message;
      try {
        list.SaveWorkspace(path, [](const QString&) { return true; });
      } catch (const FileError& error) {
        message = error.message();
      }
      QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
      left.removeAll(QStringLiteral("fill"));
      const bool said =
          message == QStringLiteral("Cannot write file \"%1\": No space left on device").arg(path);
      const bool kept = readBytes(path) == oldBytes && left == QStringList{"old.fas"};
      if (!said) {
        std::fprintf(stderr, "message: %s\n", qPrintable(message));
        _exit(12);
      }
      _exit(kept ? 0 : 13);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 20) QSKIP("no private tmpfs could be mounted here");
    QCOMPARE(WEXITSTATUS(status), 0);
  }

  // A file that does not fit into the memory left fails like an unreadable file: a FileError
  // naming it, nothing of it appended, the workspace as it was. Runs in a child process whose
  // address space is capped (not under AddressSanitizer, which reserves far more than the cap).
  void fileLargerThanMemory_data() {
    QTest::addColumn<QString>("fileName");
    QTest::newRow("TXT") << "big.txt";
    QTest::newRow("FASTA") << "big.fas";
  }
  void fileLargerThanMemory() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address space cap does not work under AddressSanitizer");
#else
    QFETCH(QString, fileName);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(fileName);
    {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      QVERIFY(file.write(">big\n") == 5);
      const QByteArray line(1 << 20, 'A');
      for (int i = 0; i < 160; ++i) QVERIFY(file.write(line) == line.size());  // 160 MB
    }
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      tSequenceList list;
      addNamed(list, QStringLiteral("kept"), QStringLiteral("ACGT"));
      rlimit cap{};
      getrlimit(RLIMIT_AS, &cap);
      // Room for what is mapped now and some working memory, far less than the file needs.
      QFile status(QStringLiteral("/proc/self/statm"));
      if (!status.open(QIODevice::ReadOnly)) _exit(10);
      const long pages = status.readAll().split(' ').value(0).toLong();
      const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (96u << 20);
      cap.rlim_cur = limit;
      if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(11);
      try {
        list.LoadSequenceFiles({path});
        _exit(12);  // loaded although it cannot fit
      } catch (const FileError& error) {
        const bool named = error.fileName() == path &&
                           error.message().contains(QStringLiteral("not enough memory"));
        tSequence kept;
        const bool intact = list.Count() == 1 && list.GetSequence(0, kept) &&
                            kept.Name == QStringLiteral("kept") && kept.Data == "ACGT";
        _exit(named && intact ? 0 : 13);
      } catch (...) {
        _exit(14);
      }
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
#endif
  }

  // A save into a folder that does not exist, or onto a name that is a directory, fails with a
  // message and leaves the directory alone.
  void unwritableTarget() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    tSequenceList list;
    addNamed(list, QStringLiteral("a"), QStringLiteral("AC"));
    const QString missing = dir.filePath(QStringLiteral("no-such-folder/out.fas"));
    QVERIFY_THROWS_EXCEPTION(FileError, list.SaveWorkspace(missing, nullptr));
    QVERIFY(!QFileInfo::exists(missing));

    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.fas")));
    const QString taken = dir.filePath(QStringLiteral("taken.fas"));
    QVERIFY(writeBytes(taken + QStringLiteral("/inside.txt"), "x"));
    try {
      list.SaveWorkspace(taken, [](const QString&) { return true; });
      QFAIL("a directory was overwritten");
    } catch (const FileError& error) {
      QVERIFY2(error.message().startsWith(QStringLiteral("Cannot write file \"%1\": ").arg(taken)),
               qPrintable(error.message()));
    }
    QVERIFY(QFileInfo(taken).isDir());
    QCOMPARE(readBytes(taken + QStringLiteral("/inside.txt")), QByteArray("x"));
  }

  // A read-only folder refuses the save; root writes anywhere, so the case is skipped there.
  void readOnlyFolder() {
    if (runningAsRoot()) QSKIP("running as root: write permissions are not enforced");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("old.fas"));
    QVERIFY(writeBytes(path, ">old\r\n\r\n"));
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    tSequenceList list;
    addNamed(list, QStringLiteral("a"), QStringLiteral("AC"));
    QVERIFY_THROWS_EXCEPTION(FileError,
                             list.SaveWorkspace(path, [](const QString&) { return true; }));
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(readBytes(path), QByteArray(">old\r\n\r\n"));
  }

  // A window larger than both sequences fills no cell: every type but identity reports the
  // error message, and nothing is computed or allocated.
  void windowLargerThanBothSequences_data() {
    QTest::addColumn<int>("type");
    for (int type = dptIdentity; type <= dptLiteralBoth; ++type)
      QTest::addRow("type %d", type) << type;
  }
  void windowLargerThanBothSequences() {
    QFETCH(int, type);
    const auto plotType = static_cast<tDotPlotType>(type);
    const core::PreparedDotPlot prepared =
        core::prepareDotPlot(plotType, {QStringLiteral("h"), QStringLiteral("ACGTACGT"), {}},
                             {QStringLiteral("v"), QStringLiteral("ACG"), {}}, true, 20, meSummed);
    const engine::DotPlotComputeResult result = engine::computeDotPlot(prepared.computeRequest());
    QVERIFY(!result.isFilled());
    QCOMPARE(result.status, duvanet::engine::DotPlotStatus::TooShort);
    QCOMPARE(result.plotWidth, 0);
    QCOMPARE(result.plotHeight, 0);
    QVERIFY(result.grid.isEmpty());
    const QStringList errors = core::dotPlotErrorMessages(plotType, result);
    if (plotType == dptIdentity)
      QVERIFY(errors.isEmpty());
    else
      QCOMPARE(errors, QStringList{core::kDotPlotError});
  }

  // Regions far outside the plot, of any size, are clipped without overflow: what is left of
  // them inside the 11 × 6 plot, or nothing.
  void regionsAtTheLimits_data() {
    QTest::addColumn<qint64>("x");
    QTest::addColumn<qint64>("y");
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qint64>("height");
    QTest::addColumn<QList<qint64>>("clipped");  // x, y, width, height
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    constexpr qint64 kMin = std::numeric_limits<qint64>::min();
    QTest::newRow("huge start and size")
        << kMax - 15 << kMax - 15 << kMax - 15 << kMax - 15 << QList<qint64>{11, 6, 0, 0};
    QTest::newRow("inside start, huge size")
        << qint64(3) << qint64(2) << kMax << kMax << QList<qint64>{3, 2, 8, 4};
    QTest::newRow("most negative start, huge size")
        << kMin << kMin << kMax << kMax << QList<qint64>{0, 0, 0, 0};
    QTest::newRow("negative start reaching in")
        << qint64(-5) << qint64(-1) << qint64(7) << qint64(3) << QList<qint64>{0, 0, 2, 2};
    QTest::newRow("negative size")
        << qint64(4) << qint64(4) << kMin << qint64(-1) << QList<qint64>{4, 4, 0, 0};
  }
  void regionsAtTheLimits() {
    QFETCH(qint64, x);
    QFETCH(qint64, y);
    QFETCH(qint64, width);
    QFETCH(qint64, height);
    QFETCH(QList<qint64>, clipped);
    const std::u16string h = u"ACGTACGTACGTAC";
    const std::u16string v = u"GGCATGCAT";
    engine::DotPlotComputeRequest request;
    request.strands = {h, v, {}, {}};
    request.windowSize = 4;
    request.type = dptIdentity;
    request.region = engine::CellRect{x, y, width, height};
    const engine::DotPlotComputeResult result = engine::computeDotPlot(request);
    QVERIFY(result.isFilled());
    QCOMPARE(result.plotWidth, 11);
    QCOMPARE(result.plotHeight, 6);
    const engine::CellRect& cells = result.grid.cells();
    QCOMPARE((QList<qint64>{cells.x, cells.y, cells.width, cells.height}), clipped);
    QCOMPARE(result.grid.isEmpty(), clipped[2] == 0 || clipped[3] == 0);
  }

  // Two sequences of one symbol: every forward window matches in full. A reverse complement of
  // A is all T and never matches; the reversal of a run of A is the same run and always does.
  // Exact and binned grids agree.
  void singleSymbolSequences_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("expected");  // in windows of 12
    QTest::newRow("identity") << int(dptIdentity) << int(meHighest) << 12;
    QTest::newRow("DNA both highest") << int(dptDNABoth) << int(meHighest) << 12;
    QTest::newRow("DNA both lowest") << int(dptDNABoth) << int(meLowest) << 0;
    QTest::newRow("DNA both summed") << int(dptDNABoth) << int(meSummed) << 12;
    QTest::newRow("DNA horiz lowest") << int(dptDNAHoriz) << int(meLowest) << 0;
    QTest::newRow("literal both summed") << int(dptLiteralBoth) << int(meSummed) << 36;
    QTest::newRow("literal verti lowest") << int(dptLiteralVerti) << int(meLowest) << 12;
  }
  void singleSymbolSequences() {
    QFETCH(int, type);
    QFETCH(int, evaluation);
    QFETCH(int, expected);
    const core::PreparedDotPlot prepared = core::prepareDotPlot(
        static_cast<tDotPlotType>(type), {QStringLiteral("h"), QString(700, u'A'), {}},
        {QStringLiteral("v"), QString(450, u'a'), {}}, true, 12,
        static_cast<tMatchEvaluation>(evaluation));
    for (const std::int64_t budget : {std::int64_t{64} << 20, std::int64_t{1000}}) {
      engine::DotPlotComputeRequest request = prepared.computeRequest();
      request.exactBudgetCells = budget;
      request.maxBinsPerSide = 50;
      const engine::DotPlotComputeResult result = engine::computeDotPlot(request);
      QVERIFY(result.isFilled());
      QCOMPARE(result.plotWidth, 689);
      QCOMPARE(result.plotHeight, 439);
      QCOMPARE(result.grid.isExact(), budget > 1000);
      const auto& counts = result.grid.counts();
      QVERIFY(!counts.empty());
      QVERIFY(std::all_of(counts.begin(), counts.end(),
                          [&](std::uint16_t c) { return c == expected; }));
    }
  }
};

DUVANET_TEST(TestHostileInput)

}  // namespace duvanet::core

#include "tst_HostileInput.moc"

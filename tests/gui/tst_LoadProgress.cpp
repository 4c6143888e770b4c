// Loads that take their time: a FIFO without a writer, /dev/zero and a writer that comes late
// show the progress dialog with Cancel; Cancel ends the load at once and adds nothing.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <memory>
#include <thread>

#include "FakePorts.h"
#include "ModalHelper.h"
#include "TestRegistry.h"
#include "gui/LoadProgress.h"
#include "gui/MainWindow.h"
#include "gui/SequenceListBox.h"

namespace duvanet::gui {

using namespace duvanet::testing;

namespace {

bool makeFifo(const QString& path) {
  return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Opens the FIFO for writing without waiting and closes it: a reader blocked in open() goes on,
// so that a test of a broken build fails instead of hanging.
void releaseFifo(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
}

}  // namespace

class LoadProgressTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<FakePorts> m_fakes;
  std::unique_ptr<TfrmMain> m_main;
  QTemporaryDir m_dir;

  TfrmMain& makeMain() {
    m_main.reset();
    m_fakes = std::make_unique<FakePorts>();
    m_main = std::make_unique<TfrmMain>(m_fakes->ports(), MainWindowHooks{});
    m_main->setLoadProgressDelayMs(50);
    m_main->show();
    if (!QTest::qWaitForWindowExposed(m_main.get())) qWarning("main window not exposed");
    const int index = m_main->SequenceList().AddSequence();
    m_main->SequenceList().SetSequence(index, tSequence{"kept", "ACGT", {}});
    m_main->UpdateDisplayElements();
    return *m_main;
  }

 private slots:
  void cleanup() {
    m_main.reset();
    m_fakes.reset();
  }

  // A FIFO nobody writes to and /dev/zero, which never ends: the dialog names the file and the
  // bytes read so far; Cancel ends the load within moments, the workspace keeps what it had and
  // no box is shown.
  void cancelEndlessInput_data() {
    QTest::addColumn<QString>("input");  // empty: a FIFO of the temporary folder
    QTest::addColumn<QString>("shownName");
    QTest::newRow("FIFO without a writer") << QString() << "waiting.fas";
    QTest::newRow("/dev/zero") << "/dev/zero"
                               << "zero";
  }
  void cancelEndlessInput() {
    QFETCH(QString, input);
    QFETCH(QString, shownName);
    QVERIFY(m_dir.isValid());
    if (input.isEmpty()) {
      input = m_dir.filePath(QStringLiteral("waiting.fas"));
      QFile::remove(input);
      QVERIFY(makeFifo(input));
    } else if (!QFile::exists(input)) {
      QSKIP("no such device here");
    }
    TfrmMain& main = makeMain();

    QString label;
    bool busyBar = false;
    bool cancelled = false;
    onNextModal([&](QWidget* modal) {
      auto* progress = qobject_cast<QProgressDialog*>(modal);
      if (!progress) {
        modal->close();
        return;
      }
      // Let it read a little, then look and cancel.
      QTest::qWait(400);
      label = progress->labelText();
      busyBar = progress->minimum() == 0 && progress->maximum() == 0;
      auto* cancel = progress->findChild<QPushButton*>();
      if (cancel) {
        QTest::mouseClick(cancel, Qt::LeftButton);
        cancelled = true;
      }
    });
    // Should the load not end, the FIFO is opened for writing so that the test fails.
    QTimer rescue;
    rescue.setSingleShot(true);
    connect(&rescue, &QTimer::timeout, [&] { releaseFifo(input); });
    if (input.startsWith(m_dir.path())) rescue.start(15000);

    QElapsedTimer clock;
    clock.start();
    main.LoadFiles({input});
    QVERIFY2(clock.elapsed() < 10000, "the load did not end when cancelled");
    QVERIFY(cancelled);
    QVERIFY2(label.startsWith(QStringLiteral("Loading \"%1\" ...\n").arg(shownName)),
             qPrintable(label));
    QVERIFY2(label.endsWith(QStringLiteral(" read so far")), qPrintable(label));
    QVERIFY(busyBar);
    QCOMPARE(main.SequenceList().Names(), QStringList{"kept"});
    QCOMPARE(main.lbSequenceList()->count(), 1);
    QVERIFY2(m_fakes->prompts.shown.isEmpty(), qPrintable(m_fakes->prompts.texts().join('\n')));
  }

  // A FIFO whose writer comes after the dialog has shown: the dialog closes by itself once the
  // data has been read, and the records join the workspace behind what it had.
  void lateWriterLoads() {
    QVERIFY(m_dir.isValid());
    const QString fifo = m_dir.filePath(QStringLiteral("late.fas"));
    QFile::remove(fifo);
    QVERIFY(makeFifo(fifo));
    TfrmMain& main = makeMain();
    bool dialogShown = false;
    onNextModal([&](QWidget* modal) {
      dialogShown = qobject_cast<QProgressDialog*>(modal) != nullptr;
      if (!dialogShown) modal->close();
    });
    std::thread writer([fifo] {
      std::this_thread::sleep_for(std::chrono::milliseconds(600));
      QFile out(fifo);
      if (!out.open(QIODevice::WriteOnly)) return;
      out.write(">late one\nACGT\n>late two\nGG\n");
    });
    QTimer rescue;
    rescue.setSingleShot(true);
    connect(&rescue, &QTimer::timeout, [&] { releaseFifo(fifo); });
    rescue.start(15000);
    main.LoadFiles({fifo});
    writer.join();
    QVERIFY(dialogShown);
    QCOMPARE(main.SequenceList().Names(), (QStringList{"kept", "late one", "late two"}));
    QCOMPARE(main.lbSequenceList()->count(), 3);
    QVERIFY(m_fakes->prompts.shown.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
  }

  // A load that fails on a worker thread still reports like one on the window's own: the box
  // names the file and the reason, the files before it stay, nothing of it is added.
  void failureNamesTheFile() {
    QVERIFY(m_dir.isValid());
    const QString good = m_dir.filePath(QStringLiteral("good.fas"));
    const QString missing = m_dir.filePath(QStringLiteral("missing.fas"));
    {
      QFile file(good);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(">good\nAC\n");
    }
    TfrmMain& main = makeMain();
    main.LoadFiles({good, missing, good});
    QCOMPARE(m_fakes->prompts.texts(),
             QStringList{QStringLiteral("error: Cannot read file \"%1\": No such file or directory")
                             .arg(missing)});
    QCOMPARE(main.SequenceList().Names(), (QStringList{"kept", "good"}));
    QCOMPARE(main.lbSequenceList()->count(), 2);
  }

  void progressText_data() {
    QTest::addColumn<int>("fileIndex");
    QTest::addColumn<int>("fileCount");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<qint64>("bytesRead");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<QString>("text");
    QTest::newRow("one file") << 0 << 1 << "/data/x.fa.gz" << qint64(10) << qint64(100)
                              << "Loading \"x.fa.gz\" ...";
    QTest::newRow("third of five")
        << 2 << 5 << "/data/y.gb" << qint64(0) << qint64(7) << "Loading \"y.gb\" (file 3 of 5) ...";
    QTest::newRow("a FIFO") << 0 << 1 << "/tmp/pipe" << qint64(12345678) << qint64(-1)
                            << "Loading \"pipe\" ...\n12.3 MB read so far";
    QTest::newRow("nothing yet") << 1 << 2 << "/dev/stdin" << qint64(0) << qint64(-1)
                                 << "Loading \"stdin\" (file 2 of 2) ...\n0 bytes read so far";
  }
  void progressText() {
    QFETCH(int, fileIndex);
    QFETCH(int, fileCount);
    QFETCH(QString, fileName);
    QFETCH(qint64, bytesRead);
    QFETCH(qint64, fileSize);
    QFETCH(QString, text);
    core::LoadProgress progress;
    progress.fileIndex = fileIndex;
    progress.fileCount = fileCount;
    progress.fileName = fileName;
    progress.fileBytesRead = bytesRead;
    progress.fileSize = fileSize;
    QCOMPARE(loadProgressText(progress), text);
  }
};

DUVANET_TEST(LoadProgressTest)

}  // namespace duvanet::gui

#include "tst_LoadProgress.moc"

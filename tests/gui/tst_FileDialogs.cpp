#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "FakePorts.h"
#include "TestFiles.h"
#include "TestRegistry.h"
#include "chart/FileDialogs.h"

class TestFileDialogs : public QObject {
  Q_OBJECT

 private slots:
  // The open dialog offers the groups of readable names but starts with all files shown, so
  // that any file can be chosen at once.
  void openDialogShowsAllFilesFirst() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    duvanet::chart::QtFileDialogs::configureOpenDialog(dialog);
    const QStringList filters = dialog.nameFilters();
    QCOMPARE(filters.size(), 7);
    const QStringList titles = [&] {
      QStringList result;
      for (const QString& filter : filters) result << filter.section(QStringLiteral(" ("), 0, 0);
      return result;
    }();
    QCOMPARE(titles, QStringList({"Sequence files", "FASTA", "GenBank", "EMBL", "Text",
                                  "Annotations", "All files"}));
    // The groups show their titles alone.
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("All files"));
    QVERIFY(dialog.testOption(QFileDialog::HideNameFilterDetails));
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFiles);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
  }

  // Each group names exactly the extensions its reader takes, plain and compressed.
  void groupsMatchTheReaders_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QStringList>("inside");
    QTest::addColumn<QStringList>("outside");
    QTest::newRow("Sequence files")
        << 0 << QStringList({"*.fa", "*.fna.gz", "*.gbff.gz", "*.gb", "*.embl", "*.emb.gz"})
        << QStringList({"*.txt", "*"});
    QTest::newRow("FASTA") << 1
                           << QStringList({"*.fas", "*.fasta", "*.fa", "*.fna", "*.ffn", "*.faa",
                                           "*.frn", "*.fsa", "*.mpfa", "*.fa.gz", "*.mpfa.gz"})
                           << QStringList({"*.gb", "*.txt"});
    QTest::newRow("GenBank") << 2
                             << QStringList({"*.gb", "*.gbk", "*.gbff", "*.genbank", "*.gp",
                                             "*.gpff", "*.gbk.gz"})
                             << QStringList({"*.embl", "*.fa"});
    QTest::newRow("EMBL") << 3 << QStringList({"*.embl", "*.emb", "*.embl.gz"})
                          << QStringList({"*.gb"});
    QTest::newRow("Text") << 4 << QStringList({"*.txt", "*.txt.gz"}) << QStringList({"*.fa"});
    QTest::newRow("Annotations") << 5
                                 << QStringList({"*.gff", "*.gff3", "*.gtf", "*.bed", "*.gff3.gz",
                                                 "*.bed.gz"})
                                 << QStringList({"*.gb", "*.fa", "*.txt"});
  }

  void groupsMatchTheReaders() {
    QFETCH(int, group);
    QFETCH(QStringList, inside);
    QFETCH(QStringList, outside);
    const QString filter = duvanet::chart::QtFileDialogs::openNameFilters().at(group);
    const QStringList patterns = filter.section(u'(', 1).chopped(1).split(u' ', Qt::SkipEmptyParts);
    for (const QString& pattern : inside) QVERIFY2(patterns.contains(pattern), qPrintable(pattern));
    for (const QString& pattern : outside)
      QVERIFY2(!patterns.contains(pattern), qPrintable(pattern));
  }

  // The dialog lists the files of a folder: all of them at first, a group's alone once it is
  // chosen, whatever the case of their names.
  void groupsFilterTheListing() {
    QTemporaryDir dir;
    for (const char* name : {"a.fa", "B.FASTA", "c.gb.gz", "d.txt", "e.dat"})
      QVERIFY(duvanet::testing::writeBytes(dir.filePath(name), "x"));
    QFileDialog dialog(nullptr, QString(), dir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    duvanet::chart::QtFileDialogs::configureOpenDialog(dialog);
    const auto listed = [&] {
      QStringList names;
      auto* model = dialog.findChild<QFileSystemModel*>(QStringLiteral("qt_filesystem_model"));
      if (!model) return QStringList{"<no model>"};
      const QModelIndex root = model->index(dir.path());
      // The listing is filled asynchronously.
      if (!QTest::qWaitFor([&] { return model->rowCount(root) > 0; }, 5000))
        return QStringList{"<not listed in time>"};
      for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex index = model->index(row, 0, root);
        if (model->flags(index) & Qt::ItemIsEnabled) names << index.data().toString();
      }
      names.sort(Qt::CaseInsensitive);
      return names;
    };
    QCOMPARE(listed(), QStringList({"a.fa", "B.FASTA", "c.gb.gz", "d.txt", "e.dat"}));
    dialog.selectNameFilter(duvanet::chart::QtFileDialogs::openNameFilters().at(1));
    QCoreApplication::processEvents();  // the model sorts its rows out on a zero timer
    QCOMPARE(listed(), QStringList({"a.fa", "B.FASTA"}));
  }
};

// The load and save dialogs refuse names that break their rules and stay open with a message
// naming the file or folder; good names close them with the full paths.
class TestCheckedFileDialogs : public QObject {
  Q_OBJECT

  QTemporaryDir m_folder;
  duvanet::testing::FakePrompts m_prompts;
  duvanet::chart::FileDialogWarning warn() {
    return [this](QWidget* parent, const QString& text) { m_prompts.warning(parent, text); };
  }

  QString path(const QString& name) const { return QDir(m_folder.path()).filePath(name); }

  // Types `typed` into the dialog's name field and presses its accept button's slot.
  bool typeAndAccept(duvanet::chart::CheckedFileDialog& dialog, const QString& typed) {
    dialog.setDirectory(m_folder.path());
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog)) return false;
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (edit == nullptr) return false;
    // Typed, as a user does: the field has the focus while the list follows the names.
    edit->setFocus();
    edit->setText(typed);
    QTest::qWait(50);
    dialog.accept();
    return true;
  }

 private slots:
  void initTestCase() {
    QVERIFY(m_folder.isValid());
    for (const char* name : {"a.fas", "b.fas", "c d.txt", "locked.fas"})
      QVERIFY(duvanet::testing::writeBytes(path(QString::fromLatin1(name)), ">x\nAC\n"));
    QVERIFY(
        QFile::setPermissions(path("locked.fas"), QFileDevice::ReadOwner | QFileDevice::ReadUser));
    QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("sub")));
  }
  void init() { m_prompts.shown.clear(); }

  void openRefusesEveryMissingFile_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("chosen");  // names in the folder; empty: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("one file") << "a.fas" << QStringList{"a.fas"} << "";
    QTest::newRow("several files")
        << "\"a.fas\" \"c d.txt\" \"b.fas\"" << QStringList{"a.fas", "c d.txt", "b.fas"} << "";
    QTest::newRow("a missing one among several")
        << "\"a.fas\" \"gone.fas\" \"b.fas\"" << QStringList{}
        << "warning: The file \"" + QDir::toNativeSeparators(path("gone.fas")) +
               "\" does not exist.";
    QTest::newRow("two missing") << "\"x.fas\" \"a.fas\" \"y.fas\"" << QStringList{}
                                 << "warning: These files do not exist:\n" +
                                        QDir::toNativeSeparators(path("x.fas")) + "\n" +
                                        QDir::toNativeSeparators(path("y.fas"));
    QTest::newRow("a single missing file")
        << "nothing.fas" << QStringList{}
        << "warning: The file \"" + QDir::toNativeSeparators(path("nothing.fas")) +
               "\" does not exist.";
    QTest::newRow("a folder among files")
        << "\"a.fas\" \"sub\"" << QStringList{}
        << "warning: \"" + QDir::toNativeSeparators(path("sub")) + "\" is a folder, not a file.";
  }
  void openRefusesEveryMissingFile() {
    QFETCH(QString, typed);
    QFETCH(QStringList, chosen);
    QFETCH(QString, message);
    duvanet::chart::CheckedFileDialog dialog(nullptr, QStringLiteral("Load sequences"), warn());
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    QVERIFY(typeAndAccept(dialog, typed));
    if (chosen.isEmpty()) {
      QVERIFY(dialog.isVisible());
      QVERIFY(dialog.chosenFiles().isEmpty());
      QCOMPARE(m_prompts.texts(), QStringList{message});
      return;
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QStringList expected;
    for (const QString& name : chosen) expected << path(name);
    QCOMPARE(dialog.chosenFiles(), expected);
    QVERIFY(m_prompts.shown.isEmpty());
  }

  void saveNeedsAnExistingFolder_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");  // empty: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("new file") << "new.fas" << path("new.fas") << "";
    QTest::newRow("existing file") << "a.fas" << path("a.fas") << "";
    QTest::newRow("new file in a sub-folder") << "sub/new" << path("sub/new") << "";
    QTest::newRow("missing folder")
        << "nofolder/x.fas"
        << ""
        << "warning: The folder \"" + QDir::toNativeSeparators(path("nofolder")) +
               "\" does not exist.";
    QTest::newRow("missing folder by full path")
        << path("no/such/x") << ""
        << "warning: The folder \"" + QDir::toNativeSeparators(path("no/such")) +
               "\" does not exist.";
    QTest::newRow("read-only file")
        << "locked.fas"
        << ""
        << "warning: The file \"" + QDir::toNativeSeparators(path("locked.fas")) +
               "\" is read-only.";
  }
  void saveNeedsAnExistingFolder() {
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(QString, message);
    duvanet::chart::CheckedFileDialog dialog(nullptr, QStringLiteral("Save"), warn());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    QVERIFY(typeAndAccept(dialog, typed));
    if (chosen.isEmpty()) {
      QVERIFY(dialog.isVisible());
      QCOMPARE(m_prompts.texts(), QStringList{message});
      return;
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.chosenFiles(), QStringList{chosen});
    QVERIFY(m_prompts.shown.isEmpty());
  }
};

DUVANET_TEST(TestFileDialogs)
DUVANET_TEST(TestCheckedFileDialogs)
#include "tst_FileDialogs.moc"

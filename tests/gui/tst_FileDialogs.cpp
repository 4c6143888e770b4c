#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

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
    QtFileDialogs::configureOpenDialog(dialog);
    const QStringList filters = dialog.nameFilters();
    QCOMPARE(filters.size(), 6);
    const QStringList titles = [&] {
      QStringList result;
      for (const QString& filter : filters) result << filter.section(QStringLiteral(" ("), 0, 0);
      return result;
    }();
    QCOMPARE(titles,
             QStringList({"Sequence files", "FASTA", "GenBank", "EMBL", "Text", "All files"}));
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("All files (*)"));
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
  }

  void groupsMatchTheReaders() {
    QFETCH(int, group);
    QFETCH(QStringList, inside);
    QFETCH(QStringList, outside);
    const QString filter = QtFileDialogs::openNameFilters().at(group);
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
    QtFileDialogs::configureOpenDialog(dialog);
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
    dialog.selectNameFilter(QtFileDialogs::openNameFilters().at(1));
    QCoreApplication::processEvents();  // the model sorts its rows out on a zero timer
    QCOMPARE(listed(), QStringList({"a.fa", "B.FASTA"}));
  }
};

DUVANET_TEST(TestFileDialogs)
#include "tst_FileDialogs.moc"

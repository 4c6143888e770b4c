#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "TestRegistry.h"
#include "core/SequenceList.h"
#include "gui/SequenceListBox.h"
#include "gui/SequenceListViews.h"

namespace duvanet::gui {

class SequenceListViewsTest : public QObject {
  Q_OBJECT

 private:
  static void fill(tSequenceList& list, int count) {
    for (int i = 0; i < count; ++i) list.AddSequence();
  }

 private slots:
  void fillListBox() {
    tSequenceList list;
    SequenceListBox box;
    FillListBox(list, box);
    QCOMPARE(box.count(), 0);
    fill(list, 2);
    FillListBox(list, box);
    box.setRowSelected(1, true);
    QVERIFY(box.isRowSelected(1));
    list.AddSequence();
    // The list shows what it was last filled with until it is filled again.
    QCOMPARE(box.count(), 2);
    FillListBox(list, box);
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.rowText(2), QStringLiteral("Sequence 3"));
    QVERIFY(box.selectedRows().isEmpty());
  }

  void fillComboBox_data() {
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("empty workspace") << 0 << -1 << -1;
    QTest::newRow("index 5 of 3") << 3 << 5 << -1;
    QTest::newRow("no selection selects the first") << 3 << -1 << 0;
    QTest::newRow("index 1 kept") << 3 << 1 << 1;
    QTest::newRow("index equal to count selects nothing") << 3 << 3 << -1;
  }
  void fillComboBox() {
    QFETCH(int, items);
    QFETCH(int, before);
    QFETCH(int, after);
    tSequenceList list;
    fill(list, items);
    QComboBox box;
    for (int i = 0; i < 6; ++i) box.addItem(QStringLiteral("old %1").arg(i));
    box.setCurrentIndex(before);
    QCOMPARE(box.currentIndex(), before);
    FillComboBox(list, box);
    QCOMPARE(box.count(), items);
    QCOMPARE(box.currentIndex(), after);
    for (int i = 0; i < items; ++i)
      QCOMPARE(box.itemText(i), QStringLiteral("Sequence %1").arg(i + 1));
  }

  // Every window that walks the main list's selection walks it through this one rule.
  void normalisedRows_data() {
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("no rows") << QList<int>{} << QList<int>{};
    QTest::newRow("ascending stays") << QList<int>{0, 2, 5} << QList<int>{0, 2, 5};
    QTest::newRow("descending is sorted") << QList<int>{5, 2, 0} << QList<int>{0, 2, 5};
    QTest::newRow("a row named twice counts once") << QList<int>{3, 1, 3, 1} << QList<int>{1, 3};
    QTest::newRow("negative rows are dropped") << QList<int>{-1, 4, -7, 0} << QList<int>{0, 4};
    QTest::newRow("only negative rows") << QList<int>{-1, -1} << QList<int>{};
  }
  void normalisedRows() {
    QFETCH(QList<int>, rows);
    QFETCH(QList<int>, expected);
    QCOMPARE(duvanet::gui::normalisedRows(rows), expected);
  }

  void selectedRowsOfAListBox_data() {
    QTest::addColumn<QList<int>>("clicked");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("nothing selected") << QList<int>{} << QList<int>{};
    QTest::newRow("selected from the bottom up") << QList<int>{4, 1, 3} << QList<int>{1, 3, 4};
    QTest::newRow("one row") << QList<int>{2} << QList<int>{2};
  }
  void selectedRowsOfAListBox() {
    QFETCH(QList<int>, clicked);
    QFETCH(QList<int>, expected);
    QListWidget box;
    box.setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int i = 0; i < 5; ++i) box.addItem(QStringLiteral("row %1").arg(i));
    for (const int row : clicked) box.item(row)->setSelected(true);
    box.setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QCOMPARE(duvanet::gui::selectedRowsOf(box), expected);
  }
};

DUVANET_TEST(SequenceListViewsTest)

}  // namespace duvanet::gui

#include "tst_SequenceListViews.moc"

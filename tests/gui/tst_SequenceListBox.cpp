#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include "TestRegistry.h"
#include "core/SequenceList.h"
#include "gui/SequenceListBox.h"
#include "gui/SequenceListModel.h"

namespace duvanet::gui {

namespace {

// A workspace of named entries, as loading a file would give it.
void addNamed(tSequenceList& list, const QStringList& names) {
  for (const QString& name : names) {
    const int index = list.AddSequence();
    list.SetSequence(index, tSequence{name, QStringLiteral("ACGT"), {}});
  }
}

// count entries with empty names, packed as a file of ">" lines gives them.
void addEmptyRecords(tSequenceList& list, int count) {
  QString text;
  text.reserve(qsizetype(count) * 2);
  for (int i = 0; i < count; ++i) text += QStringLiteral(">\n");
  list.PasteFASFromClipboard(text);
}

QColor pixel(const QImage& image, const QPoint& at) {
  const double ratio = image.devicePixelRatio();
  return image.pixelColor(QPoint(int(at.x() * ratio), int(at.y() * ratio)));
}

}  // namespace

class SequenceListBoxTest : public QObject {
  Q_OBJECT

 private:
  // A shown list box of a fixed size over the workspace.
  struct Shown {
    explicit Shown(const tSequenceList& list, QSize size = {300, 200}) {
      box.setFont(QFont(QStringLiteral("Courier New"), 10));
      box.resize(size);
      box.show();
      if (!QTest::qWaitForWindowExposed(&box)) qWarning("list box not exposed");
      box.showList(list);
    }
    SequenceListBox box;
  };

 private slots:
  // The model shows the workspace's names as they were at the refresh; rows the workspace no
  // longer has read as empty instead of reaching beyond it.
  void modelFollowsTheRefresh() {
    tSequenceList list;
    addNamed(list, {"alpha", "beta", "gamma"});
    SequenceListModel model;
    QCOMPARE(model.rowCount(), 0);
    model.refresh(&list);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.data(model.index(1, 0)).toString(), QStringLiteral("beta"));
    QCOMPARE(model.data(model.index(2, 0), Qt::ToolTipRole).toString(), QStringLiteral("gamma"));
    QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isValid());
    QCOMPARE(model.rowCount(model.index(0, 0)), 0);
    list.DeleteSequence(2);
    list.DeleteSequence(1);
    QCOMPARE(model.rowCount(), 3);
    QVERIFY(model.data(model.index(2, 0)).toString().isEmpty());
    model.refresh(&list);
    QCOMPARE(model.rowCount(), 1);
    model.refresh(nullptr);
    QCOMPARE(model.rowCount(), 0);
  }

  // Keys and clicks move the current row and extend the selection as in a list box with
  // multiple selection; the selection is read from its ranges.
  void keyboardAndMouseSelection() {
    tSequenceList list;
    QStringList names;
    for (int i = 0; i < 100; ++i) names << QStringLiteral("row %1").arg(i);
    addNamed(list, names);
    Shown shown(list);
    SequenceListBox& box = shown.box;
    box.setFocus();
    box.setCurrentRow(0, QItemSelectionModel::NoUpdate);
    QTest::keyClick(&box, Qt::Key_Down);
    QCOMPARE(box.currentRow(), 1);
    QCOMPARE(box.selectedRows(), QList<int>({1}));
    QTest::keyClick(&box, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(box.selectedRows(), QList<int>({1, 2, 3}));
    QTest::keyClick(&box, Qt::Key_End);
    QCOMPARE(box.currentRow(), 99);
    QCOMPARE(box.selectedRows(), QList<int>({99}));
    // The last row is scrolled into view, whole.
    QVERIFY(box.viewport()->rect().contains(box.rowRect(99)));
    QCOMPARE(box.topRow(), 100 - box.viewport()->height() / 16);
    QTest::keyClick(&box, Qt::Key_Home, Qt::ShiftModifier);
    QCOMPARE(box.selectedRows().size(), 100);
    QCOMPARE(box.topRow(), 0);
    QTest::keyClick(&box, Qt::Key_PageDown);
    const int page = box.viewport()->height() / 16 - 1;
    QCOMPARE(box.currentRow(), page);
    QTest::keyClick(&box, Qt::Key_PageUp);
    QCOMPARE(box.currentRow(), 0);
    QTest::keyClick(&box, Qt::Key_Up);
    QCOMPARE(box.currentRow(), 0);
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(box.selectedRows().size(), 100);
    QCOMPARE(box.selectionModel()->selection().size(), 1);

    // Clicks: a plain click selects the row alone, Shift extends, Ctrl toggles and keeps the
    // toggled row current.
    QTest::mouseClick(box.viewport(), Qt::LeftButton, {}, box.rowRect(2).center());
    QCOMPARE(box.selectedRows(), QList<int>({2}));
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ShiftModifier, box.rowRect(5).center());
    QCOMPARE(box.selectedRows(), QList<int>({2, 3, 4, 5}));
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::ControlModifier, box.rowRect(3).center());
    QCOMPARE(box.selectedRows(), QList<int>({2, 4, 5}));
    QCOMPARE(box.currentRow(), 3);
    QVERIFY(!box.isRowSelected(3));
    // Below the last row there is no row.
    box.scrollTo(box.model()->index(99, 0));
    QVERIFY(!box.indexAt(box.rowRect(99).center() + QPoint(0, 16)).isValid());
    QCOMPARE(box.indexAt(box.rowRect(99).center()).row(), 99);
    QVERIFY(!box.indexAt(QPoint(5, -1)).isValid());
  }

  // The horizontal scroll bar comes up whenever any name is wider than the list, wherever that
  // name lies, and goes when the list is made wide enough.
  void horizontalScrollBarForAnyWideName_data() {
    QTest::addColumn<int>("wideRow");
    QTest::addColumn<bool>("wide");
    QTest::newRow("no wide name") << 0 << false;
    QTest::newRow("the first name") << 0 << true;
    QTest::newRow("a name in the middle, out of sight") << 25 << true;
    QTest::newRow("the last name") << 49 << true;
  }
  void horizontalScrollBarForAnyWideName() {
    QFETCH(int, wideRow);
    QFETCH(bool, wide);
    tSequenceList list;
    QStringList names;
    for (int i = 0; i < 50; ++i) names << QStringLiteral("s%1").arg(i);
    const QString wideName = QStringLiteral("W") + QString(80, QLatin1Char('x')) + "END";
    if (wide) names[wideRow] = wideName;
    addNamed(list, names);
    Shown shown(list);
    SequenceListBox& box = shown.box;
    QScrollBar* bar = box.horizontalScrollBar();
    if (!wide) {
      QCOMPARE(bar->maximum(), 0);
      QVERIFY(!bar->isVisible());
      return;
    }
    // Measured as a text layout measures it, up to the rounding of the last pixel.
    const int width = box.widestNameWidth();
    QVERIFY2(std::abs(width - QFontMetrics(box.font()).horizontalAdvance(wideName)) <= 1,
             qPrintable(QString::number(width)));
    QTRY_VERIFY(bar->isVisible());
    QCOMPARE(bar->maximum(), width - box.viewport()->width());
    // Scrolled to the right end, the name's end is in view.
    bar->setValue(bar->maximum());
    QCOMPARE(box.rowRect(0).left(), -bar->maximum());
    box.resize(width + 100, box.height());
    QTRY_VERIFY(!bar->isVisible());
    QCOMPARE(box.rowRect(0).left(), 0);
  }

  // A row whose name the list does not show whole has the whole name as its tool tip; a very
  // long one is broken into lines and ends in an ellipsis after 40 lines.
  void toolTipWithTheWholeName() {
    tSequenceList list;
    const QString longName = QStringLiteral("HIV-1 ") + QString(94, QLatin1Char('n')) + "TAIL";
    const QString hugeName(5000, QLatin1Char('h'));
    addNamed(list, {"short", longName, hugeName});
    Shown shown(list);
    SequenceListBox& box = shown.box;
    QVERIFY(box.toolTipAt(box.rowRect(0).center()).isEmpty());
    QCOMPARE(box.toolTipAt(box.rowRect(1).center()),
             longName.left(100) + QLatin1Char('\n') + longName.mid(100));
    const QStringList lines = box.toolTipAt(box.rowRect(2).center()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 40);
    QCOMPARE(lines.first(), QString(100, QLatin1Char('h')));
    QCOMPARE(lines.last(), QString(100, QLatin1Char('h')) + QChar(0x2026));
    QVERIFY(box.toolTipAt(QPoint(5, 3 * 16 + 5)).isEmpty());  // below the last row
    // Scrolled sideways, a short name is no longer shown whole either.
    box.horizontalScrollBar()->setValue(10);
    QCOMPARE(box.toolTipAt(box.rowRect(0).center()), QStringLiteral("short"));
  }

  // Rows keep their colours when current: no style tint over the row, a selected current row
  // stays (8, 8, 255) inside its dotted frame; the frame's dots alternate with the row's colour
  // and show only while the list has the focus.
  void currentRowColoursAndFocusFrame_data() {
    QTest::addColumn<bool>("selected");
    QTest::newRow("selected current row") << true;
    QTest::newRow("unselected current row") << false;
  }
  void currentRowColoursAndFocusFrame() {
    QFETCH(bool, selected);
    tSequenceList list;
    addNamed(list, {"a", "b", "c"});
    Shown shown(list);
    SequenceListBox& box = shown.box;
    box.activateWindow();
    box.setFocus();
    QTRY_VERIFY(box.hasFocus());
    box.setCurrentRow(
        2, selected ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
    const QColor background = SequenceRowDelegate::background(2, selected);
    const QColor dots = SequenceRowDelegate::focusDots(selected);
    const QRect row = box.rowRect(2);
    QImage image = box.viewport()->grab().toImage();
    // Inside the frame, right of the name, the row has its own colour everywhere.
    for (int y = row.top() + 1; y < row.bottom(); ++y)
      for (int x = row.left() + 30; x < row.right(); x += 7)
        QCOMPARE(pixel(image, {x, y}), background);
    // The frame: dots of the contrasting colour every other pixel along the top edge.
    int dotPixels = 0;
    int rowPixels = 0;
    for (int x = row.left() + 30; x < row.right() - 1; ++x) {
      const QColor at = pixel(image, {x, row.top()});
      if (at == dots) {
        ++dotPixels;
      } else {
        QCOMPARE(at, background);
        ++rowPixels;
      }
    }
    QVERIFY2(dotPixels > 50 && std::abs(dotPixels - rowPixels) <= 1,
             qPrintable(QStringLiteral("%1 dots, %2 row pixels").arg(dotPixels).arg(rowPixels)));
    // Without the focus there is no frame.
    box.clearFocus();
    QTRY_VERIFY(!box.hasFocus());
    image = box.viewport()->grab().toImage();
    for (int x = row.left() + 30; x < row.right(); ++x)
      QCOMPARE(pixel(image, {x, row.top()}), background);
  }

  // Tens of millions of rows cost no memory per row beyond the workspace: two million empty
  // records are listed, scrolled to their end and painted within a cap that leaves 48 MB beyond
  // the loaded workspace (an item per row alone would take several times that). Runs in a child
  // process whose address space is capped (not under AddressSanitizer, which reserves far more).
  void millionsOfRowsInBoundedMemory() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address space cap does not work under AddressSanitizer");
#else
    constexpr int kRows = 2'000'000;
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      try {
        tSequenceList list;
        SequenceListBox box;
        box.resize(300, 200);
        box.show();
        box.showList(list);
        box.viewport()->grab();
        addEmptyRecords(list, kRows);
        QFile status(QStringLiteral("/proc/self/statm"));
        if (!status.open(QIODevice::ReadOnly)) _exit(10);
        const long pages = status.readAll().split(' ').value(0).toLong();
        rlimit cap{};
        getrlimit(RLIMIT_AS, &cap);
        cap.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(48) << 20);
        if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(11);
        box.showList(list);
        box.setCurrentRow(0, QItemSelectionModel::NoUpdate);
        box.setFocus();
        QTest::keyClick(&box, Qt::Key_End, Qt::ShiftModifier);
        box.viewport()->grab();
        const bool shown = box.count() == kRows && box.currentRow() == kRows - 1 &&
                           box.selectionModel()->selection().size() == 1 &&
                           box.viewport()->rect().contains(box.rowRect(kRows - 1));
        _exit(shown ? 0 : 12);
      } catch (...) {
        _exit(13);
      }
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status), "the child did not end normally (out of memory?)");
    QCOMPARE(WEXITSTATUS(status), 0);
#endif
  }
};

DUVANET_TEST(SequenceListBoxTest)

}  // namespace duvanet::gui

#include "tst_SequenceListBox.moc"

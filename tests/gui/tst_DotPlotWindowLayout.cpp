#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "FakePorts.h"
#include "FindControl.h"
#include "TestRegistry.h"
#include "gui/DotPlotWindow.h"
#include "gui/InformationLine.h"
#include "gui/SequenceStrip.h"

namespace duvanet::gui {

using namespace duvanet::testing;

namespace {

tSequence seq(const QString& name, const QString& data) { return tSequence{name, data, {}}; }

// Whether a label shows its whole text: the text, wrapped at the label's width, fits into it,
// and the label lies inside its window.
bool showsWhole(const QLabel& label) {
  const QRect inner = label.contentsRect();
  const QRect needed = QFontMetrics(label.font())
                           .boundingRect(QRect(0, 0, inner.width(), 1 << 20),
                                         Qt::AlignCenter | Qt::TextWordWrap, label.text());
  const QRect inWindow(label.mapTo(label.window(), QPoint(0, 0)), label.size());
  return needed.width() <= inner.width() && needed.height() <= inner.height() &&
         label.window()->rect().contains(inWindow);
}

}  // namespace

class TestDotPlotWindowLayout : public QObject {
  Q_OBJECT

 private slots:
  // The information line shows its text whole at the default and at the minimum size of the
  // window, with the longest positions of the plot; a plot's shorter texts do not change its
  // height (the chart above it does not move under the mouse).
  void informationLineShowsWhole_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<QSize>("size");
    QTest::newRow("five digits, default size") << 10119 << QSize(642, 616);
    QTest::newRow("five digits, minimum size") << 10119 << QSize(350, 350);
    QTest::newRow("six digits, default size") << 100000 << QSize(642, 616);
    QTest::newRow("six digits, minimum size") << 100000 << QSize(350, 350);
  }
  void informationLineShowsWhole() {
    QFETCH(int, length);
    QFETCH(QSize, size);
    QWidget owner;
    FakePrompts prompts;
    auto* window = new TfrmDotPlot(&owner, &prompts);
    QString data(length, QLatin1Char('A'));
    for (int i = 0; i < length; i += 7) data[i] = QLatin1Char('C');
    window->PrepareDotPlot(dptDNAHoriz, seq("h", data), seq("v", data.left(20)), false, 12,
                           meHighest);
    window->resize(size);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* line = control<InformationLine>(*window, "panInfoDot");
    window->DecideWhichSequenceDisplayToShow(0, 0);
    QApplication::processEvents();
    const int height = line->height();
    QVERIFY2(showsWhole(*line), qPrintable(line->text()));
    window->DecideWhichSequenceDisplayToShow(length - 12, 8);
    QApplication::processEvents();
    QVERIFY(line->text().contains(QStringLiteral("(%1/9)").arg(length - 11)));
    QVERIFY2(showsWhole(*line), qPrintable(line->text()));
    QCOMPARE(line->height(), height);
  }

  // The widest text decides the line's height: nine-digit positions wrap into more lines where
  // one does not hold them, and each line count holds the text whole.
  void informationLineFitsNineDigits_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 1200;
    QTest::newRow("default window") << 470;
    QTest::newRow("minimum window") << 185;
  }
  void informationLineFitsNineDigits() {
    QFETCH(int, width);
    const QString widest =
        stripInfoLine(0, 999999999, 999999999, 36, 36, 12);  // "Highest matches at ..."
    QVERIFY(widest.contains(QStringLiteral("(999999999/999999999)")));
    InformationLine line(QStringLiteral("panInfoDot"));
    line.setWidestText(widest);
    line.setText(widest);
    line.resize(width, line.heightForWidth(width));
    QVERIFY2(showsWhole(line), qPrintable(QString::number(line.height())));
    const int oneLine = QFontMetrics(line.font()).horizontalAdvance(widest) + 4;
    QCOMPARE(line.linesAt(width) == 1, oneLine <= width);
    if (line.linesAt(width) == 1) QCOMPARE(line.height(), 16);
  }

  // At the minimum size every control of the right panel can be scrolled into view; at the
  // default size the panel shows whole without a scroll bar and keeps its width.
  void controlPanelScrollsWhenLow() {
    QWidget owner;
    FakePrompts prompts;
    auto* window = new TfrmDotPlot(&owner, &prompts);
    window->PrepareDotPlot(dptIdentity, seq("h", "ACGTACGTAC"), seq("v", "ACGTACGTAC"), false, 2,
                           meHighest);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto* scroller = control<QScrollArea>(*window, "scrPanel1");
    QWidget* panel = control<QWidget>(*window, "Panel1");
    QCOMPARE(panel->width(), 159);
    QTRY_COMPARE(scroller->verticalScrollBar()->maximum(), 0);
    QCOMPARE(scroller->width(), 159);

    window->resize(window->minimumSize());
    QCOMPARE(window->size(), QSize(350, 350));
    QTRY_VERIFY(scroller->verticalScrollBar()->isVisible());
    QCOMPARE(panel->width(), 159);
    QCOMPARE(scroller->width(), 159 + scroller->verticalScrollBar()->width());
    const QList<QAbstractButton*> controls = panel->findChildren<QAbstractButton*>();
    QVERIFY(controls.size() >= 13);
    for (QAbstractButton* each : controls) {
      if (each->isHidden()) continue;
      scroller->ensureWidgetVisible(each, 0, 0);
      QApplication::processEvents();
      const QRect shown(each->mapTo(scroller->viewport(), QPoint(0, 0)), each->size());
      QVERIFY2(scroller->viewport()->rect().contains(shown), qPrintable(each->objectName()));
    }
    // Controls do not lie on top of each other (the hit buttons below the tracks box).
    QCheckBox* tracks = control<QCheckBox>(*window, "cbTracks");
    for (QAbstractButton* each : controls) {
      if (each == tracks) continue;
      QVERIFY2(!each->geometry().intersects(tracks->geometry()) ||
                   each->parentWidget() != tracks->parentWidget(),
               qPrintable(each->objectName()));
    }
  }
};

DUVANET_TEST(TestDotPlotWindowLayout)

}  // namespace duvanet::gui

#include "tst_DotPlotWindowLayout.moc"

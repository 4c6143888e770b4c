#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>

#include "TestRegistry.h"
#include "widgets/UpDownControl.h"

namespace duvanet::widgets {

class TestUpDownControl : public QObject {
  Q_OBJECT
 private slots:
  void editIsTheFieldThatShowsThePosition() {
    duvanet::widgets::UpDownControl upDown;
    upDown.setRange(1, 50);
    upDown.setValue(7);
    QVERIFY(upDown.edit() != nullptr);
    QCOMPARE(upDown.edit()->parent(), &upDown);
    QCOMPARE(upDown.edit()->text(), QStringLiteral("7"));
  }

  // Arrow keys step like the arrows; typing changes the value without a step report.
  void stepsAreReportedApartFromTyping_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("up") << int(Qt::Key_Up) << 6;
    QTest::newRow("down") << int(Qt::Key_Down) << 4;
    QTest::newRow("up at the top stays") << int(Qt::Key_PageUp) << 9;
  }
  void stepsAreReportedApartFromTyping() {
    QFETCH(int, key);
    QFETCH(int, expected);
    duvanet::widgets::UpDownControl upDown;
    upDown.setRange(0, 9);
    upDown.setValue(5);
    QSignalSpy steps(&upDown, &duvanet::widgets::UpDownControl::arrowClicked);
    QTest::keyClick(&upDown, Qt::Key(key));
    QCOMPARE(upDown.value(), expected);
    QCOMPARE(steps.count(), 1);

    upDown.edit()->selectAll();
    QTest::keyClicks(upDown.edit(), QStringLiteral("3"));
    QCOMPARE(upDown.value(), 3);
    QCOMPARE(steps.count(), 1);
  }

  void clickOnTheUpArrowSteps() {
    duvanet::widgets::UpDownControl upDown;
    upDown.setRange(0, 9);
    upDown.resize(60, 24);
    upDown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&upDown));
    QSignalSpy steps(&upDown, &duvanet::widgets::UpDownControl::arrowClicked);
    QStyleOptionSpinBox option;
    option.initFrom(&upDown);
    option.subControls = QStyle::SC_SpinBoxUp;
    option.buttonSymbols = upDown.buttonSymbols();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled;
    option.frame = upDown.hasFrame();
    const QRect up =
        upDown.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &upDown);
    QTest::mouseClick(&upDown, Qt::LeftButton, Qt::NoModifier, up.center());
    QCOMPARE(upDown.value(), 1);
    QCOMPARE(steps.count(), 1);
  }
};

DUVANET_TEST(TestUpDownControl)

}  // namespace duvanet::widgets

#include "tst_UpDownControl.moc"

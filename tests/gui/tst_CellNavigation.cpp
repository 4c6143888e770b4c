#include <QTest>

#include "TestRegistry.h"
#include "gui/CellNavigation.h"

using namespace duvanet::gui;

class CellNavigationTest : public QObject {
  Q_OBJECT

 private slots:
  // Arrow keys follow the screen: with the design orientation (vertical axis inverted) Down
  // grows y; inverting an axis turns its arrows round. The diagonal keys ignore the view.
  void steps_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("horizontalInverted");
    QTest::addColumn<bool>("verticalInverted");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<qint64>("dx");
    QTest::addColumn<qint64>("dy");
    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    QTest::newRow("right") << int(Qt::Key_Right) << none << false << true << true << 1LL << 0LL;
    QTest::newRow("left") << int(Qt::Key_Left) << none << false << true << true << -1LL << 0LL;
    QTest::newRow("down") << int(Qt::Key_Down) << none << false << true << true << 0LL << 1LL;
    QTest::newRow("up") << int(Qt::Key_Up) << none << false << true << true << 0LL << -1LL;
    QTest::newRow("shift right: ten")
        << int(Qt::Key_Right) << shift << false << true << true << 10LL << 0LL;
    QTest::newRow("keypad arrow") << int(Qt::Key_Up) << int(Qt::KeypadModifier) << false << true
                                  << true << 0LL << -1LL;
    QTest::newRow("right, horizontal axis inverted")
        << int(Qt::Key_Right) << none << true << true << true << -1LL << 0LL;
    QTest::newRow("down, vertical axis not inverted")
        << int(Qt::Key_Down) << none << false << false << true << 0LL << -1LL;
    QTest::newRow("diagonal forward")
        << int(Qt::Key_D) << none << true << false << true << 1LL << 1LL;
    QTest::newRow("diagonal back")
        << int(Qt::Key_D) << shift << false << true << true << -1LL << -1LL;
    QTest::newRow("anti-diagonal down")
        << int(Qt::Key_A) << none << false << true << true << -1LL << 1LL;
    QTest::newRow("anti-diagonal up")
        << int(Qt::Key_A) << shift << false << true << true << 1LL << -1LL;
    QTest::newRow("control arrow is no step")
        << int(Qt::Key_Right) << int(Qt::ControlModifier) << false << true << false << 0LL << 0LL;
    QTest::newRow("other letter") << int(Qt::Key_X) << none << false << true << false << 0LL << 0LL;
  }
  void steps() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, horizontalInverted);
    QFETCH(bool, verticalInverted);
    QFETCH(bool, moves);
    QFETCH(qint64, dx);
    QFETCH(qint64, dy);
    const auto step = cellStepForKey(key, Qt::KeyboardModifiers(modifiers),
                                     {horizontalInverted, verticalInverted});
    QCOMPARE(step.has_value(), moves);
    if (step) QCOMPARE(*step, (CellStep{dx, dy}));
  }

  void commands_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("command");
    QTest::newRow("N") << int(Qt::Key_N) << int(Qt::NoModifier) << int(ChartKeyCommand::NextHit);
    QTest::newRow("Shift+N") << int(Qt::Key_N) << int(Qt::ShiftModifier)
                             << int(ChartKeyCommand::PreviousHit);
    QTest::newRow("P") << int(Qt::Key_P) << int(Qt::NoModifier)
                       << int(ChartKeyCommand::PreviousHit);
    QTest::newRow("Ctrl+G") << int(Qt::Key_G) << int(Qt::ControlModifier)
                            << int(ChartKeyCommand::GoToPosition);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier)
                            << int(ChartKeyCommand::Copy);
    QTest::newRow("C alone") << int(Qt::Key_C) << int(Qt::NoModifier) << int(ChartKeyCommand::None);
    QTest::newRow("arrow") << int(Qt::Key_Left) << int(Qt::NoModifier)
                           << int(ChartKeyCommand::Move);
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier)
                            << int(ChartKeyCommand::None);
  }
  void commands() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, command);
    QCOMPARE(int(chartKeyCommand(key, Qt::KeyboardModifiers(modifiers))), command);
  }

  // Steps stop at the plot's edges.
  void stepsStayInsideThePlot_data() {
    QTest::addColumn<qint64>("x");
    QTest::addColumn<qint64>("y");
    QTest::addColumn<qint64>("dx");
    QTest::addColumn<qint64>("dy");
    QTest::addColumn<qint64>("wantX");
    QTest::addColumn<qint64>("wantY");
    QTest::newRow("inside") << 3LL << 4LL << 1LL << 1LL << 4LL << 5LL;
    QTest::newRow("left edge") << 0LL << 4LL << -1LL << 0LL << 0LL << 4LL;
    QTest::newRow("bottom-right corner") << 9LL << 6LL << 1LL << 1LL << 9LL << 6LL;
    QTest::newRow("ten beyond the top") << 2LL << 3LL << 0LL << -10LL << 2LL << 0LL;
    QTest::newRow("anti-diagonal at the left edge") << 0LL << 2LL << -1LL << 1LL << 0LL << 3LL;
  }
  void stepsStayInsideThePlot() {
    QFETCH(qint64, x);
    QFETCH(qint64, y);
    QFETCH(qint64, dx);
    QFETCH(qint64, dy);
    QFETCH(qint64, wantX);
    QFETCH(qint64, wantY);
    QCOMPARE(steppedCell({x, y}, {dx, dy}, 10, 7), (Cell{wantX, wantY}));
  }
};

DUVANET_TEST(CellNavigationTest)
#include "tst_CellNavigation.moc"

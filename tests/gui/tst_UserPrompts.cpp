// The real message boxes: each is centred on the window that asks, wherever that window is.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>

#include "TestRegistry.h"
#include "gui/UserPrompts.h"

class UserPromptsTest : public QObject {
  Q_OBJECT

 private:
  // Runs a prompt and returns where its box was shown, answering it with the given button.
  static QRect shownAt(const std::function<void()>& prompt, QMessageBox::StandardButton answer) {
    QRect geometry;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      geometry = box->frameGeometry();
      box->button(answer)->click();
    });
    prompt();
    return geometry;
  }

 private slots:
  void boxesCentreOnTheirWindow_data() {
    QTest::addColumn<int>("kind");  // 0 warning, 1 question, 2 error
    QTest::addColumn<QPoint>("windowAt");
    QTest::newRow("warning") << 0 << QPoint(700, 400);
    QTest::newRow("question") << 1 << QPoint(120, 500);
    QTest::newRow("error") << 2 << QPoint(900, 100);
  }
  void boxesCentreOnTheirWindow() {
    QFETCH(int, kind);
    QFETCH(QPoint, windowAt);
    QWidget window;
    window.setGeometry(QRect(windowAt, QSize(500, 400)));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    duvanet::gui::MessageBoxPrompts prompts;
    const QRect box = shownAt(
        [&] {
          if (kind == 0) prompts.warning(&window, QStringLiteral("A warning"));
          if (kind == 1)
            prompts.question(&window, duvanet::gui::UserPrompts::Kind::Warning,
                             QStringLiteral("Sure?"), true);
          if (kind == 2) prompts.error(&window, QStringLiteral("Cannot read file \"x\""));
        },
        kind == 1 ? QMessageBox::Yes : QMessageBox::Ok);
    QVERIFY(box.isValid());
    const QPoint offset = box.center() - window.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 4,
             qPrintable(QStringLiteral("box centred %1,%2 away").arg(offset.x()).arg(offset.y())));
  }
};

DUVANET_TEST(UserPromptsTest)
#include "tst_UserPrompts.moc"

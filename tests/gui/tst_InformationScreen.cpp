#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "DuvanetVersion.h"
#include "FakePorts.h"
#include "FindControl.h"
#include "TestRegistry.h"
#include "gui/ApplicationTitle.h"
#include "gui/InformationScreen.h"

namespace duvanet::gui {

using namespace duvanet::testing;

class InformationScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void versionString_data() {
    QTest::addColumn<quint32>("ms");
    QTest::addColumn<quint32>("ls");
    QTest::addColumn<QString>("text");
    QTest::newRow("1.2.0.7") << quint32((1u << 16) | 2u) << quint32(7u) << "1.2.0.7";
    QTest::newRow("zeros") << quint32(0) << quint32(0) << "0.0.0.0";
    QTest::newRow("halves") << quint32(0xFFFF0001u) << quint32(0x00030004u) << "65535.1.3.4";
  }
  void versionString() {
    QFETCH(quint32, ms);
    QFETCH(quint32, ls);
    QFETCH(QString, text);
    QCOMPARE(TfrmSplashScreen::VersionString(ms, ls), text);
  }

  void texts() {
    FakeBrowser browser;
    QPointer<TfrmSplashScreen> screen = new TfrmSplashScreen(nullptr, browser);
    const QString title = duvanet::gui::ApplicationTitle();
    QCOMPARE(screen->windowTitle(), title + QStringLiteral(" information"));
    QCOMPARE(control<QLabel>(screen, "Label1")->text(), title);
    QCOMPARE(control<QLabel>(screen, "lbAuthor")->text(),
             QStringLiteral("Author: the Duvanet developers"));
    QCOMPARE(control<QLabel>(screen, "lbVersion")->text(),
             QStringLiteral("Version: ") + QStringLiteral(DUVANET_VERSION_STRING));
    QCOMPARE(control<QLabel>(screen, "lbVersion")->text().count(QLatin1Char('.')), 3);
    QCOMPARE(control<QLabel>(screen, "Label5")->text(),
             QStringLiteral("This tool allows fast access on text and DNA or protein sequences "
                            "to create dot plots, translate DNA and investigate sequences "
                            "stochastically."));
    QCOMPARE(control<QLabel>(screen, "Label2")->text(),
             QStringLiteral("Students   Educational  Institutions   Commercial"));
    QCOMPARE(control<QLabel>(screen, "Label8")->text(), QString(64, QLatin1Char('_')));
    QCOMPARE(control<QLabel>(screen, "Label9")->text(),
             QString::fromUtf8("10 €        40 €         100 €          200 €"));
    QCOMPARE(control<QLabel>(screen, "Label7")->text(),
             QStringLiteral("When you use  this software for your scientific work, please "
                            "reference it as:"));
    QVERIFY(control<QLabel>(screen, "Label4")->text().isEmpty());
    QVERIFY(control<QLabel>(screen, "Label6")->text().isEmpty());
    QVERIFY(control<QLabel>(screen, "Label10")->text().contains(QStringLiteral(DUVANET_HOMEPAGE)));
    const QString citation = control<QLabel>(screen, "lbReference")->text();
    QVERIFY(citation.contains(QStringLiteral("(2008) Duvanet - A software for dot-plots. ")));
    QVERIFY(citation.endsWith(QStringLiteral(DUVANET_HOMEPAGE)));
    QVERIFY(!citation.contains(QLatin1Char('\n')));
    // Shown on one line, whole, within the window.
    const QLabel* reference = control<QLabel>(screen, "lbReference");
    QVERIFY(!reference->wordWrap());
    QVERIFY(reference->geometry().right() < 592);
    QVERIFY2(reference->fontMetrics().horizontalAdvance(citation) <= reference->width(),
             qPrintable(QString::number(reference->fontMetrics().horizontalAdvance(citation))));
    QVERIFY(reference->height() >= reference->fontMetrics().height());
    QVERIFY(reference->height() < 2 * reference->fontMetrics().lineSpacing());
    QVERIFY(reference->font().bold());
    QCOMPARE(control<QPushButton>(screen, "btRef2Clipboard")->text(),
             QStringLiteral("Copy reference to clipboard"));
    QCOMPARE(control<QPushButton>(screen, "Button1")->text(), QStringLiteral("OK"));
    QVERIFY(!control<QPushButton>(screen, "Button2")->text().isEmpty());
    QCOMPARE(screen->size(), QSize(592, 442));
    QCOMPARE(control<QLabel>(screen, "Label1")->palette().color(QPalette::WindowText),
             QColor(0, 255, 255));
    delete screen;
  }

  void copyCitationAndVisit() {
    FakeBrowser browser;
    auto* screen = new TfrmSplashScreen(nullptr, browser);
    QGuiApplication::clipboard()->setText(QStringLiteral("something else"));
    QTest::mouseClick(control<QPushButton>(screen, "btRef2Clipboard"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), control<QLabel>(screen, "lbReference")->text());
    QTest::mouseClick(control<QPushButton>(screen, "Button2"), Qt::LeftButton);
    QCOMPARE(browser.opened, QList<QUrl>({QUrl(QStringLiteral(DUVANET_HOMEPAGE))}));
    delete screen;
  }

  void closingDestroys_data() {
    QTest::addColumn<bool>("byOK");
    QTest::newRow("OK") << true;
    QTest::newRow("close box") << false;
  }
  void closingDestroys() {
    QFETCH(bool, byOK);
    FakeBrowser browser;
    for (int showing = 0; showing < 2; ++showing) {
      QPointer<TfrmSplashScreen> screen = new TfrmSplashScreen(nullptr, browser);
      QTimer::singleShot(0, screen, [screen, byOK]() {
        if (byOK)
          QTest::mouseClick(control<QPushButton>(screen, "Button1"), Qt::LeftButton);
        else
          screen->close();
      });
      screen->exec();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QVERIFY(screen.isNull());
    }
  }

  void backgroundIsDarkWithPattern() {
    const QImage image = TfrmSplashScreen::BackgroundPicture(QSize(592, 442));
    QCOMPARE(image.size(), QSize(592, 442));
    qint64 sum = 0;
    int brightest = 0;
    int darkest = 255;
    for (int y = 0; y < image.height(); y += 3) {
      for (int x = 0; x < image.width(); x += 3) {
        const int v = qGray(image.pixel(x, y));
        sum += v;
        brightest = std::max(brightest, v);
        darkest = std::min(darkest, v);
      }
    }
    const double mean = double(sum) / ((image.height() / 3 + 1) * (image.width() / 3 + 1));
    QVERIFY2(mean < 60, qPrintable(QString::number(mean)));  // white text must read
    QVERIFY(brightest - darkest > 40);                       // and there is a plot to see
    // The vertical sequence begins with a copy of the horizontal one from position 21: the
    // cells (21 + i, 1 + i) of that diagonal match in most windows and are the brightest.
    int bright = 0;
    for (int i = 0; i < 50; ++i) {
      if (qGray(image.pixel((20 + i) * 3 + 1, i * 3 + 1)) >= brightest - 10) ++bright;
    }
    QVERIFY2(bright > 25, qPrintable(QString::number(bright)));
    // Off the diagonal the cells are darker.
    int offBright = 0;
    for (int i = 0; i < 50; ++i) {
      if (qGray(image.pixel((60 + i) * 3 + 1, i * 3 + 1)) >= brightest - 10) ++offBright;
    }
    QVERIFY2(offBright < 10, qPrintable(QString::number(offBright)));
  }
};

DUVANET_TEST(InformationScreenTest)

}  // namespace duvanet::gui

#include "tst_InformationScreen.moc"

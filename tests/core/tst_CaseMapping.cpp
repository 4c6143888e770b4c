#include <QTest>

#include "TestRegistry.h"
#include "core/CaseMapping.h"

namespace duvanet::core {

class TestCaseMapping : public QObject {
  Q_OBJECT

 private slots:
  void mapping_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("DNA") << "acgtNRY-."
                         << "ACGTNRY-."
                         << "acgtnry-.";
    QTest::newRow("sharp s keeps its place")
        << QStringLiteral("stra\u00DFe x") << QStringLiteral("STRA\u00DFE X")
        << QStringLiteral("stra\u00DFe x");
    QTest::newRow("Latin-1 and Greek")
        << QStringLiteral("\u00E0\u00C9\u03A3\u03C3") << QStringLiteral("\u00C0\u00C9\u03A3\u03A3")
        << QStringLiteral("\u00E0\u00E9\u03C3\u03C3");
    QTest::newRow("ligature stays one unit")
        << QStringLiteral("\uFB00x") << QStringLiteral("\uFB00X") << QStringLiteral("\uFB00x");
    QTest::newRow("surrogate units unchanged")
        << QStringLiteral("a\U00010428b") << QStringLiteral("A\U00010428B")
        << QStringLiteral("a\U00010428b");
    QTest::newRow("breaks and digits") << "a1\r\nb"
                                       << "A1\r\nB"
                                       << "a1\r\nb";
  }

  void mapping() {
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(toUpperPerCodeUnit(text), upper);
    QCOMPARE(toLowerPerCodeUnit(text), lower);
    QString inPlace = text;
    makeUpperPerCodeUnit(inPlace);
    QCOMPARE(inPlace, upper);
    inPlace = text;
    makeLowerPerCodeUnit(inPlace);
    QCOMPARE(inPlace, lower);
  }
};

DUVANET_TEST(TestCaseMapping)

}  // namespace duvanet::core

#include "tst_CaseMapping.moc"

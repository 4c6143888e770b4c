#include <QFontMetrics>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <cmath>

#include "TestRegistry.h"
#include "widgets/DNAMemo.h"

namespace duvanet::widgets {

class DNAMemoTest : public QObject {
  Q_OBJECT

 private:
  // The lengths of the visible lines.
  static QList<int> lineLengths(const TDNAMemo& memo) {
    QList<int> lengths;
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
      lengths << block.text().size();
    return lengths;
  }

  static QStringList lines(const TDNAMemo& memo) {
    QStringList result;
    for (QTextBlock block = memo.document()->begin(); block.isValid(); block = block.next())
      result << block.text();
    return result;
  }

  static int charWidth(const TDNAMemo& memo) {
    return QFontMetrics(memo.font()).horizontalAdvance(QLatin1Char('A'));
  }

  // The pixels that `characters` characters take on one line.
  static int widthOf(const TDNAMemo& memo, int characters) {
    return int(std::ceil(
        QFontMetricsF(memo.font()).horizontalAdvance(QString(characters, QLatin1Char('A')))));
  }

  static int textAreaWidth(const TDNAMemo& memo) {
    return memo.viewport()->width() - 2 * int(memo.document()->documentMargin());
  }

  // Resizes the memo so that exactly `characters` characters fit into its text area.
  static void fitCharacters(TDNAMemo& memo, int characters) {
    memo.show();
    memo.resize(400, 200);
    const int wanted = widthOf(memo, characters);
    memo.resize(memo.width() + wanted - textAreaWidth(memo), 200);
    QCOMPARE(textAreaWidth(memo), wanted);
  }

 private slots:
  void construction() {
    TDNAMemo memo;
    QVERIFY(memo.isReadOnly());
    QCOMPARE(memo.lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo.font().family(), QStringLiteral("Courier New"));
    QVERIFY(memo.DNAText().isEmpty());
    QVERIFY(QFontInfo(memo.font()).fixedPitch());
  }

  void pieceLength_data() {
    QTest::addColumn<qint64>("length");
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<qreal>("textWidth");
    QTest::addColumn<int>("pieces");
    QTest::newRow("60 characters fit") << qint64(200) << 420 << qreal(1400) << 59;
    QTest::newRow("fraction dropped") << qint64(200) << 425 << qreal(1400) << 59;
    QTest::newRow("short text in wide control") << qint64(3) << 420 << qreal(21) << 3;
    QTest::newRow("two characters fit") << qint64(10) << 14 << qreal(70) << 1;
    QTest::newRow("narrower than two characters") << qint64(10) << 10 << qreal(70) << 1;
    QTest::newRow("no width at all") << qint64(10) << 0 << qreal(70) << 1;
    QTest::newRow("text without width") << qint64(10) << 420 << qreal(0) << 1;
    QTest::newRow("fractional advances") << qint64(200) << 432 << qreal(1440.0) << 59;
    QTest::newRow("whole text fits") << qint64(5) << 1000 << qreal(35) << 5;
  }
  void pieceLength() {
    QFETCH(qint64, length);
    QFETCH(int, clientWidth);
    QFETCH(qreal, textWidth);
    QFETCH(int, pieces);
    QCOMPARE(TDNAMemo::PieceLengthFor(length, clientWidth, textWidth), pieces);
  }

  void linesFillTheWidth() {
    TDNAMemo memo;
    fitCharacters(memo, 60);
    memo.SetDNAText(QString(200, QLatin1Char('G')));
    QCOMPARE(lineLengths(memo), QList<int>({59, 59, 59, 23}));
    QCOMPARE(memo.DNAText().size(), 200);
    // Wider: the same text re-cut into longer lines.
    fitCharacters(memo, 101);
    QCOMPARE(lineLengths(memo), QList<int>({100, 100}));
  }

  void cutKeepsOrder() {
    TDNAMemo memo;
    fitCharacters(memo, 5);
    memo.SetDNAText(QStringLiteral("ABCDEFGHIJ"));
    QCOMPARE(lines(memo), QStringList({"ABCD", "EFGH", "IJ"}));
  }

  void lineBreaksCountAsCharacters() {
    TDNAMemo memo;
    fitCharacters(memo, 5);
    // Pieces of four: "AC\r\n" and "GT"; the break still ends its line.
    memo.SetDNAText(QStringLiteral("AC\r\nGT"));
    QCOMPARE(lines(memo), QStringList({"AC", "", "GT"}));
  }

  void emptyTextKeepsOldLines() {
    TDNAMemo memo;
    fitCharacters(memo, 60);
    memo.SetDNAText(QStringLiteral("ACGT"));
    memo.SetDNAText(QString());
    QCOMPARE(memo.toPlainText(), QStringLiteral("ACGT"));
    memo.clear();
    QVERIFY(memo.toPlainText().isEmpty());
    // A resize with an empty stored text leaves the control as it is.
    memo.resize(memo.width() + 50, memo.height());
    QVERIFY(memo.toPlainText().isEmpty());
  }

  void narrowControlShowsOneCharacterPerLine() {
    TDNAMemo memo;
    memo.show();
    memo.resize(400, 200);
    memo.SetDNAText(QStringLiteral("ACGTA"));
    memo.resize(memo.width() - textAreaWidth(memo) + charWidth(memo) / 2, 200);
    QCOMPARE(memo.PieceLength(), 1);
    QCOMPARE(lines(memo), QStringList({"A", "C", "G", "T", "A"}));
  }

  void longSequenceMeasuredBySample() {
    TDNAMemo memo;
    fitCharacters(memo, 80);
    memo.SetDNAText(QString(100000, QLatin1Char('T')));
    QCOMPARE(memo.PieceLength(), 79);
    QCOMPARE(memo.document()->blockCount(), (100000 + 78) / 79);
  }
};

DUVANET_TEST(DNAMemoTest)

}  // namespace duvanet::widgets

#include "tst_DNAMemo.moc"

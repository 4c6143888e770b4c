#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QWheelEvent>
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

  // Sets the memo's height so that it shows the given number of lines.
  static void setVisibleLines(TDNAMemo& memo, int count) {
    const int spacing = QFontMetrics(memo.font()).lineSpacing();
    const int margins =
        memo.height() - memo.viewport()->height() + 2 * int(memo.document()->documentMargin());
    memo.resize(memo.width(), margins + count * spacing);
    QCOMPARE(memo.VisibleLineCount(), count);
  }

  // Every line of the layout of the whole text, cut into pieces of pieceLength characters.
  static QStringList wholeLayout(const QString& text, int pieceLength) {
    QString shown;
    for (qsizetype start = 0; start < text.size(); start += pieceLength) {
      if (start > 0) shown += QLatin1Char('\n');
      QString piece = text.mid(start, pieceLength);
      piece.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      piece.replace(QLatin1Char('\r'), QLatin1Char('\n'));
      shown += piece;
    }
    return shown.split(QLatin1Char('\n'));
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
    // The control's own scroll bar moves through the whole text; the document holds only the
    // lines in view, so the edit's scroll bar stays hidden.
    memo.show();
    QVERIFY(memo.SequenceScrollBar()->isVisible());
    QCOMPARE(memo.SequenceScrollBar()->orientation(), Qt::Vertical);
    QCOMPARE(memo.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
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
    QCOMPARE(memo.PieceCount(), (100000 + 78) / 79);
    // Only the lines in view are laid out.
    QCOMPARE(memo.document()->blockCount(), memo.VisibleLineCount());
  }

  // Moving through the text line by line, from the top to the end, passes every line of the
  // whole layout once and in order, pieces with line breaks (several lines each) included.
  void steppingVisitsEveryLine_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("height");  // lines in view
    QTest::newRow("no breaks") << QString(200, QLatin1Char('G')) << 3;
    QTest::newRow("CR LF lines") << QStringLiteral("ACGTACGT\r\n").repeated(30) << 4;
    QTest::newRow("short lines, piece of many lines")
        << QStringLiteral("A\nC\r\nG\r").repeated(40) << 2;
    QTest::newRow("CR LF cut between pieces")
        << QStringLiteral("ABC\r\nDEFGHIJ\r\n").repeated(9) << 3;
    QTest::newRow("only breaks") << QStringLiteral("\r\n").repeated(50) << 5;
    QTest::newRow("taller than the text") << QStringLiteral("AC\nGT") << 20;
  }
  void steppingVisitsEveryLine() {
    QFETCH(QString, text);
    QFETCH(int, height);
    TDNAMemo memo;
    fitCharacters(memo, 5);
    setVisibleLines(memo, height);
    memo.SetDNAText(text);
    const QStringList all = wholeLayout(text, memo.PieceLength());
    QStringList visited;
    for (int guard = 0; guard <= all.size(); ++guard) {
      visited << lines(memo).first();
      const qsizetype piece = memo.TopPiece();
      const int line = memo.TopLineOfPiece();
      memo.ScrollLines(1);
      if (memo.TopPiece() == piece && memo.TopLineOfPiece() == line) break;  // at the end
    }
    // At the end the control is full, so the lines of the last view follow the last top line.
    visited << lines(memo).mid(1);
    QCOMPARE(visited, all);
    QCOMPARE(lines(memo).size(), std::min<qsizetype>(all.size(), memo.VisibleLineCount()));
    // And back up, one line at a time, to the first line.
    for (qsizetype i = 0; i < all.size(); ++i) memo.ScrollLines(-1);
    QCOMPARE(lines(memo), all.mid(0, memo.VisibleLineCount()));
  }

  // The scroll bar, the keys and the wheel reach both ends and any piece between.
  void scrollingReachesEveryPosition() {
    TDNAMemo memo;
    fitCharacters(memo, 11);
    setVisibleLines(memo, 4);
    QString text;
    for (int i = 0; i < 1000; ++i) text += QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0'));
    memo.SetDNAText(text);
    QCOMPARE(memo.PieceLength(), 10);
    QCOMPARE(memo.PieceCount(), 1000);
    QScrollBar* bar = memo.SequenceScrollBar();
    QCOMPARE(bar->minimum(), 0);

    bar->setValue(bar->maximum());
    QCOMPARE(lines(memo), QStringList({"0000000996", "0000000997", "0000000998", "0000000999"}));
    bar->setValue(500);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000500"));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000501"));
    QCOMPARE(bar->value(), 501);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000497"));

    QTest::keyClick(&memo, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(lines(memo).last(), QStringLiteral("0000000999"));
    QCOMPARE(bar->value(), bar->maximum());
    QTest::keyClick(&memo, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000000"));
    QCOMPARE(bar->value(), 0);
    QTest::keyClick(&memo, Qt::Key_PageDown);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000004"));
    QTest::keyClick(&memo, Qt::Key_Down);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000005"));
    QTest::keyClick(&memo, Qt::Key_Up);
    QTest::keyClick(&memo, Qt::Key_Up);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000003"));

    QWheelEvent down(QPointF(5, 5), memo.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(memo.viewport(), &down);
    QCOMPARE(memo.TopPiece(), 3 + QApplication::wheelScrollLines());

    // Past the ends nothing moves.
    memo.ScrollToPiece(-5);
    QCOMPARE(lines(memo).first(), QStringLiteral("0000000000"));
    memo.ScrollLines(-1);
    QCOMPARE(memo.TopPiece(), 0);
    memo.ScrollToPiece(5000);
    QCOMPARE(lines(memo).last(), QStringLiteral("0000000999"));
    memo.ScrollLines(3);
    QCOMPARE(lines(memo).last(), QStringLiteral("0000000999"));
  }

  // A new width re-cuts the text and keeps the first character of the top line in view.
  void resizeKeepsThePlace() {
    TDNAMemo memo;
    fitCharacters(memo, 11);
    setVisibleLines(memo, 4);
    QString text;
    for (int i = 0; i < 1000; ++i) text += QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0'));
    memo.SetDNAText(text);
    memo.ScrollToPiece(600);
    fitCharacters(memo, 21);
    QCOMPARE(memo.PieceLength(), 20);
    QCOMPARE(lines(memo).first(), QStringLiteral("00000006000000000601"));
    // A new text starts at its top again.
    memo.SetDNAText(QStringLiteral("ACGT"));
    QCOMPARE(lines(memo), QStringList{"ACGT"});
    QCOMPARE(memo.SequenceScrollBar()->maximum(), 0);
  }

  // A sequence of 100 million characters is shown and scrolled to its end within a memory cap
  // that allows the text itself and little more: the layout never holds more than the lines in
  // view. Runs in a child process whose address space is capped (not under AddressSanitizer,
  // which reserves far more than the cap).
  void longSequenceInBoundedMemory() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address space cap does not work under AddressSanitizer");
#else
    constexpr qsizetype kLength = 100'000'000;
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
      QFile status(QStringLiteral("/proc/self/statm"));
      if (!status.open(QIODevice::ReadOnly)) _exit(10);
      const long pages = status.readAll().split(' ').value(0).toLong();
      rlimit cap{};
      getrlimit(RLIMIT_AS, &cap);
      // The text (2 bytes a character) and 96 MB of working memory.
      cap.rlim_cur =
          rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + rlim_t(2 * kLength) + (rlim_t(96) << 20);
      if (setrlimit(RLIMIT_AS, &cap) != 0) _exit(11);
      try {
        QString text(kLength, QLatin1Char('A'));
        text[kLength - 1] = QLatin1Char('Z');
        TDNAMemo memo;
        memo.resize(400, 200);
        memo.show();
        memo.SetDNAText(text);
        memo.SequenceScrollBar()->setValue(memo.SequenceScrollBar()->maximum());
        const QString last = memo.document()->lastBlock().text();
        const bool shown = !last.isEmpty() && last.endsWith(QLatin1Char('Z')) &&
                           memo.document()->blockCount() == memo.VisibleLineCount();
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

DUVANET_TEST(DNAMemoTest)

}  // namespace duvanet::widgets

#include "tst_DNAMemo.moc"

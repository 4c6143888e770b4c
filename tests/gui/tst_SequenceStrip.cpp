#include <QTest>
#include <set>

#include "TestRegistry.h"
#include "gui/SequenceStrip.h"

namespace duvanet::gui {

using duvanet::gui::computeSequenceStrip;
using duvanet::gui::SequenceStripInput;
using duvanet::gui::SequenceStripPicture;
using duvanet::gui::StripText;

namespace {

// 8-pixel columns, 17-pixel rows; 20 columns right of the 80-pixel margin.
constexpr int kCw = 8;
constexpr int kLh = 17;
constexpr int kWidth = 80 + 20 * kCw;
constexpr int kHeight = 10 * kLh + 4;

SequenceStripInput input(const QString& h, const QString& v, const QString& hRev,
                         const QString& vRev, int w, int type, int evaluation, int maxScore) {
  SequenceStripInput in;
  in.seqHoriz = h;
  in.seqVerti = v;
  in.seqHorizRev = hRev;
  in.seqVertiRev = vRev;
  in.windowSize = w;
  in.plotType = static_cast<tDotPlotType>(type);
  in.evaluation = static_cast<tMatchEvaluation>(evaluation);
  in.maxScore = maxScore;
  in.charWidth = kCw;
  in.lineHeight = kLh;
  in.width = kWidth;
  in.height = kHeight;
  return in;
}

int columnX(int column) { return 80 + column * kCw; }

// The symbol text written in a row at a column (empty when the column is blank).
QString symbol(const SequenceStripPicture& pic, int row, int column) {
  const StripText* t = pic.textAt(columnX(column), row * kLh);
  return t ? t->text : QStringLiteral("<none>");
}

QString rowText(const SequenceStripPicture& pic, int row) {
  QString out;
  for (int i = 1; i <= pic.columns; ++i) {
    const QString s = symbol(pic, row, i);
    out += s.isEmpty() ? QStringLiteral(".") : s;
  }
  return out;
}

const QColor kRed(255, 34, 34);
const QColor kGrey(197, 197, 197);

}  // namespace

class TestSequenceStrip : public QObject {
  Q_OBJECT

 private slots:
  void infoLineReadsAsWritten() {
    QCOMPARE(
        duvanet::gui::stripInfoLine(0, 12, 40, 7, 10, 10),
        QStringLiteral(
            "Highest matches at position (12/40) = 7 of 10 possible matches; Window size :10"));
    QCOMPARE(duvanet::gui::stripInfoLine(1, 1, 2, 0, 24, 12),
             QStringLiteral(
                 "Lowest matches at position (1/2) = 0 of 24 possible matches; Window size :12"));
    QCOMPARE(duvanet::gui::stripInfoLine(2, 3, 3, 6, 9, 3),
             QStringLiteral(
                 "Summed matches at position (3/3) = 6 of 9 possible matches; Window size :3"));
  }

  // ACGTA against TACGT, window 3, both opposite strands: the cell (2, 2) counts 0 forward,
  // 3 for the horizontal opposite and 3 for the vertical opposite.
  void bothStrandsCountAllThreePairs_data() {
    QTest::addColumn<int>("evaluation");
    QTest::addColumn<int>("combined");
    QTest::addColumn<QString>("word");
    QTest::newRow("highest") << 0 << 3 << "Highest";
    QTest::newRow("lowest") << 1 << 0 << "Lowest";
    QTest::newRow("summed") << 2 << 6 << "Summed";
  }
  void bothStrandsCountAllThreePairs() {
    QFETCH(int, evaluation);
    QFETCH(int, combined);
    QFETCH(QString, word);
    const int maxScore = evaluation == 2 ? 9 : 3;
    const auto pic = computeSequenceStrip(
        input("ACGTA", "TACGT", "TACGT", "ACGTA", 3, 3, evaluation, maxScore), 1, 1);
    QVERIFY(pic.drawn);
    QCOMPARE(pic.columns, 20);
    // e = ((160 div 2) - (24 div 2)) div 8 = 8: columns 8 to 10 hold the window.
    QCOMPARE(pic.windowStartColumn, 8);
    QCOMPARE(pic.countForward, 0);
    QCOMPARE(pic.countHorizRev, 3);
    QCOMPARE(pic.countVertiRev, 3);
    QCOMPARE(pic.combinedCount, combined);
    QCOMPARE(pic.infoLine, QStringLiteral("%1 matches at position (2/2) = %2 of %3 possible "
                                          "matches; Window size :3")
                               .arg(word)
                               .arg(combined)
                               .arg(maxScore));
    // Column e shows position p1 of Seq 1; the rows hold the strands as laid out.
    QCOMPARE(rowText(pic, 4), QStringLiteral("......ACGTA........."));  // Seq 1
    QCOMPARE(rowText(pic, 5), QStringLiteral("......TACGT........."));  // Seq 2
    QCOMPARE(rowText(pic, 7), QStringLiteral("......TACGT........."));  // Seq 2
    QCOMPARE(rowText(pic, 8), QStringLiteral("......TACGT........."));  // Seq 1 (rev)
    QCOMPARE(rowText(pic, 1), QStringLiteral("......ACGTA........."));  // Seq 2 (rev)
    QCOMPARE(rowText(pic, 2), QStringLiteral("......ACGTA........."));  // Seq 1
    // Matches inside the window: red on grey; differences black on white.
    for (int row : {7, 8, 1, 2}) {
      for (int column = 8; column <= 10; ++column) {
        const StripText* t = pic.textAt(columnX(column), row * kLh);
        QVERIFY(t);
        QCOMPARE(t->colour, kRed);
        QCOMPARE(t->background, kGrey);
      }
    }
    for (int column = 8; column <= 10; ++column) {
      const StripText* t = pic.textAt(columnX(column), 4 * kLh);
      QCOMPARE(t->colour, QColor(Qt::black));
      QCOMPARE(t->background, QColor(Qt::white));
    }
  }

  void matchesOutsideTheWindowAreRedOnWhiteAndNotCounted() {
    // Identical sequences: every column agrees, only the window's three are counted.
    const auto pic =
        computeSequenceStrip(input("GUMMIBAUM", "GUMMIBAUM", "", "", 3, 0, 0, 3), 3, 3);
    QVERIFY(pic.drawn);
    QCOMPARE(pic.countForward, 3);
    QCOMPARE(pic.combinedCount, 3);
    const StripText* outside = pic.textAt(columnX(7), 4 * kLh);  // position 3 of Seq 1
    QVERIFY(outside);
    QCOMPARE(outside->text, QStringLiteral("M"));
    QCOMPARE(outside->colour, kRed);
    QCOMPARE(outside->background, QColor(Qt::white));
    const StripText* inside = pic.textAt(columnX(8), 5 * kLh);
    QCOMPARE(inside->text, QStringLiteral("M"));
    QCOMPARE(inside->background, kGrey);
  }

  void cellOutsideThePlotDrawsNothing_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    QTest::newRow("left of the first column") << -1 << 0;
    QTest::newRow("above the first row") << 0 << -1;
    QTest::newRow("beyond the last column") << 4 << 0;  // Lh - W + 1
    QTest::newRow("beyond the last row") << 0 << 7;     // Lv - W + 1
    QTest::newRow("far away") << 1000 << 1000;
  }
  void cellOutsideThePlotDrawsNothing() {
    QFETCH(int, h);
    QFETCH(int, v);
    const auto pic = computeSequenceStrip(input("ACGTAC", "ACGTACGTA", "", "", 3, 0, 0, 3), h, v);
    QVERIFY(!pic.drawn);
    QVERIFY(pic.texts.empty());
    QVERIFY(pic.lines.empty());
    QVERIFY(pic.infoLine.isEmpty());
  }

  void sequenceShorterThanWindowNeverDraws() {
    QVERIFY(!computeSequenceStrip(input("AC", "ACGT", "", "", 3, 0, 0, 3), 0, 0).drawn);
    QVERIFY(!computeSequenceStrip(input("", "", "", "", 1, 0, 0, 1), 0, 0).drawn);
  }

  void lastColumnEndsAtTheSequenceEnd() {
    // h = Lh - W: the Seq 1 window ends at position Lh, right of it the columns are blank.
    const auto pic = computeSequenceStrip(input("ACGTAC", "ACGTAC", "", "", 3, 0, 0, 3), 3, 0);
    QVERIFY(pic.drawn);
    QCOMPARE(rowText(pic, 4), QStringLiteral("....ACGTAC.........."));
    QCOMPARE(symbol(pic, 4, 10), QStringLiteral("C"));
    QCOMPARE(symbol(pic, 4, 11), QString());
    QCOMPARE(pic.infoLine.left(30), QStringLiteral("Highest matches at position (4"));
  }

  void blankColumnsBeforeTheStartAreNeverMarked() {
    const auto pic = computeSequenceStrip(input("ACGT", "ACGT", "", "", 2, 0, 0, 2), 0, 0);
    QVERIFY(pic.drawn);
    // e = (80 - 8) div 8 = 9; columns 1 to 8 lie before position 1 and are blank in both rows.
    QCOMPARE(pic.windowStartColumn, 9);
    for (int column = 1; column < 9; ++column) {
      const StripText* t = pic.textAt(columnX(column), 4 * kLh);
      QVERIFY(t);
      QVERIFY(t->text.isEmpty());
      QCOMPARE(t->background, QColor(Qt::white));
    }
    QCOMPARE(pic.countForward, 2);
  }

  void windowWiderThanTheStripCountsVisibleColumnsOnly() {
    // 40 symbols, window 30: 30 x 8 = 240 pixels exceed the 160 pixels right of the margin.
    const QString s(40, QLatin1Char('A'));
    const auto pic = computeSequenceStrip(input(s, s, "", "", 30, 0, 0, 30), 0, 0);
    QVERIFY(pic.drawn);
    // e = (80 - 120) div 8 = -5: window columns -5 .. 24, of which 1 .. 20 are drawn.
    QCOMPARE(pic.windowStartColumn, -5);
    QCOMPARE(pic.countForward, 20);
    QCOMPARE(pic.infoLine,
             QStringLiteral("Highest matches at position (1/1) = 20 of 30 possible matches; "
                            "Window size :30"));
    // The window's edge lines lie outside the paint box.
    QCOMPARE(pic.lines.at(1).from.x(), 80 - 5 * kCw);
    QCOMPARE(pic.lines.at(2).from.x(), 80 + 25 * kCw);
  }

  void reverseStrandShorterThanItsSourceShowsBlanks() {
    // A missing symbol of the reverse strand is a blank that differs from the symbol beside it.
    const auto pic = computeSequenceStrip(input("AAAA", "AAAA", "A", "", 2, 1, 0, 2), 0, 0);
    QVERIFY(pic.drawn);
    QCOMPARE(pic.countHorizRev, 0);
    QCOMPARE(symbol(pic, 8, pic.windowStartColumn), QString());
  }

  void positionNumbersFrameTheWindow() {
    const auto pic = computeSequenceStrip(input(QString(120, 'A'), QString(150, 'C'),
                                                QString(120, 'T'), QString(150, 'G'), 3, 3, 0, 3),
                                          99, 9);
    QVERIFY(pic.drawn);
    const int e = pic.windowStartColumn;
    // Row 3: Seq 1 from 100 to 102; the first number ends at the window's left edge.
    const StripText* first = pic.textAt(80 + (e - 3) * kCw, 3 * kLh);
    QVERIFY(first);
    QCOMPARE(first->text, QStringLiteral("100"));
    QCOMPARE(first->colour, QColor(0, 0, 255));
    const StripText* last = pic.textAt(80 + (e + 3) * kCw + 1, 3 * kLh);
    QVERIFY(last);
    QCOMPARE(last->text, QStringLiteral("102"));
    // Row 6: Seq 2 from 10 to 12.
    QCOMPARE(pic.textAt(80 + (e - 2) * kCw, 6 * kLh)->text, QStringLiteral("10"));
    QCOMPARE(pic.textAt(80 + (e + 3) * kCw + 1, 6 * kLh)->text, QStringLiteral("12"));
    // Row 0: Seq 2 (rev) from Lv - p2 - W + 2 = 139 to Lv - p2 + 1 = 141.
    QCOMPARE(pic.textAt(80 + (e - 3) * kCw, 0)->text, QStringLiteral("139"));
    QCOMPARE(pic.textAt(80 + (e + 3) * kCw + 1, 0)->text, QStringLiteral("141"));
    // Row 9: Seq 1 (rev) from Lh - p1 - W + 2 = 19 to Lh - p1 + 1 = 21.
    QCOMPARE(pic.textAt(80 + (e - 2) * kCw, 9 * kLh)->text, QStringLiteral("19"));
    QCOMPARE(pic.textAt(80 + (e + 3) * kCw + 1, 9 * kLh)->text, QStringLiteral("21"));
  }

  void layoutsDrawTheirRowsLabelsAndLines_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("symbolRows");
    QTest::addColumn<QStringList>("labels");  // "row:text", blue ones with their leading blank
    QTest::addColumn<QList<int>>("lineRows");
    QTest::newRow("simple") << 0 << QList<int>{4, 5}
                            << QStringList{"3: Seq 1", "6: Seq 2", "4:Seq 1", "5:Seq 2"}
                            << QList<int>{4, 6};
    QTest::newRow("horizontal reverse")
        << 4 << QList<int>{4, 5, 7, 8}
        << QStringList{"3: Seq 1", "6: Seq 2", "9: Seq 1 (rev)", "4:Seq 1",
                       "5:Seq 2",  "7:Seq 2",  "8:Seq 1 (rev)"}
        << QList<int>{3, 4, 6, 7, 9};
    QTest::newRow("vertical reverse")
        << 2 << QList<int>{1, 2, 4, 5}
        << QStringList{"0: Seq 2 (rev)", "3: Seq 1", "6: Seq 2", "1:Seq 2 (rev)",
                       "2:Seq 1",        "4:Seq 1",  "5:Seq 2"}
        << QList<int>{1, 3, 4, 6};
    QTest::newRow("both reverse") << 6 << QList<int>{1, 2, 4, 5, 7, 8}
                                  << QStringList{"0: Seq 2 (rev)", "3: Seq 1",      "6: Seq 2",
                                                 "9: Seq 1 (rev)", "1:Seq 2 (rev)", "2:Seq 1",
                                                 "4:Seq 1",        "5:Seq 2",       "7:Seq 2",
                                                 "8:Seq 1 (rev)"}
                                  << QList<int>{1, 3, 4, 6, 7, 9};
  }
  void layoutsDrawTheirRowsLabelsAndLines() {
    QFETCH(int, type);
    QFETCH(QList<int>, symbolRows);
    QFETCH(QStringList, labels);
    QFETCH(QList<int>, lineRows);
    const auto pic = computeSequenceStrip(
        input("ACGTACGT", "ACGTACGT", "ACGTACGT", "ACGTACGT", 4, type, 0, 4), 2, 2);
    QVERIFY(pic.drawn);
    std::set<int> rowsWithSymbols;
    QStringList labelTexts;
    for (const StripText& t : pic.texts) {
      if (t.x == 0) {
        labelTexts << QStringLiteral("%1:%2").arg(t.y / kLh).arg(t.text);
        QCOMPARE(t.colour, t.text.startsWith(' ') ? QColor(0, 0, 255) : QColor(Qt::black));
      } else if (t.x >= 80 + kCw && t.text.size() == 1 && !t.text.at(0).isDigit()) {
        rowsWithSymbols.insert(t.y / kLh);
      }
    }
    QCOMPARE(QList<int>(rowsWithSymbols.begin(), rowsWithSymbols.end()), symbolRows);
    QCOMPARE(labelTexts, labels);
    // Three vertical lines (margin and window edges), then the horizontal lines.
    QCOMPARE(int(pic.lines.size()), 3 + lineRows.size());
    QCOMPARE(pic.lines.at(0).from, QPoint(80, 0));
    QCOMPARE(pic.lines.at(0).to, QPoint(80, kHeight));
    QCOMPARE(pic.lines.at(1).from.x(), 80 + pic.windowStartColumn * kCw);
    QCOMPARE(pic.lines.at(2).from.x(), 80 + (pic.windowStartColumn + 4) * kCw);
    for (int i = 0; i < lineRows.size(); ++i) {
      QCOMPARE(pic.lines.at(3 + i).from, QPoint(0, lineRows.at(i) * kLh + 1));
      QCOMPARE(pic.lines.at(3 + i).to, QPoint(kWidth, lineRows.at(i) * kLh + 1));
    }
    QCOMPARE(pic.background, QColor(255, 255, 229));
    QCOMPARE(pic.clearRect, QRect(QPoint(1, 1), QPoint(kWidth - 1, kHeight - 1)));
  }

  void simpleLayoutCountsForwardAloneWithTheEvaluationWord() {
    const auto pic = computeSequenceStrip(input("ACGT", "ACGA", "TGCA", "TCGT", 4, 0, 2, 4), 0, 0);
    QCOMPARE(pic.combinedCount, 3);
    QVERIFY(pic.infoLine.startsWith(QStringLiteral("Summed matches at position (1/1) = 3 of 4")));
  }

  void comparisonIsExactIncludingCase() {
    const auto pic = computeSequenceStrip(input("acgt", "ACGT", "", "", 4, 0, 0, 4), 0, 0);
    QCOMPARE(pic.countForward, 0);
  }
};

DUVANET_TEST(TestSequenceStrip)

}  // namespace duvanet::gui

#include "tst_SequenceStrip.moc"

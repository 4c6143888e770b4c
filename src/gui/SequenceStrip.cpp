#include "gui/SequenceStrip.h"

#include <algorithm>

namespace duvanet::gui {

namespace {

const QColor kBackground(255, 255, 229);
const QColor kMatchText(255, 34, 34);
const QColor kMatchInWindow(197, 197, 197);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

// One symbol of a strand at a 1-based position; empty outside the strand.
QString symbolAt(const QString& strand, qint64 position) {
  if (position < 1 || position > strand.size()) return QString();
  return QString(strand.at(static_cast<qsizetype>(position - 1)));
}

struct LayoutRows {
  bool horizRev = false;  // rows 7 to 9: Seq 1 (rev) against Seq 2
  bool vertiRev = false;  // rows 0 to 2: Seq 2 (rev) against Seq 1
};

LayoutRows rowsOf(tDotPlotType type) {
  return {engine::usesHorizRev(type), engine::usesVertiRev(type)};
}

}  // namespace

const StripText* SequenceStripPicture::textAt(int x, int y) const {
  for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
    if (it->x == x && it->y == y) return &*it;
  }
  return nullptr;
}

QString stripInfoLine(int evaluation, int p1, int p2, int combinedCount, int maxScore,
                      int windowSize) {
  const QString word = evaluation == 1   ? QStringLiteral("Lowest")
                       : evaluation == 2 ? QStringLiteral("Summed")
                                         : QStringLiteral("Highest");
  return word + QStringLiteral(" matches at ") + QStringLiteral("position (") +
         QString::number(p1) + QStringLiteral("/") + QString::number(p2) + QStringLiteral(") = ") +
         QString::number(combinedCount) + QStringLiteral(" of ") + QString::number(maxScore) +
         QStringLiteral(" possible matches") + QStringLiteral("; Window size :") +
         QString::number(windowSize);
}

SequenceStripPicture computeSequenceStrip(const SequenceStripInput& in, int h, int v) {
  SequenceStripPicture pic;
  const qint64 lh = in.seqHoriz.size();
  const qint64 lv = in.seqVerti.size();
  const int w = in.windowSize;
  if (h < 0 || h > lh - w || v < 0 || v > lv - w) return pic;
  const int cw = std::max(1, in.charWidth);
  const int lineHeight = in.lineHeight;
  const int margin = kStripLabelMargin;

  pic.drawn = true;
  const int p1 = h + 1;
  const int p2 = v + 1;
  pic.positionHoriz = p1;
  pic.positionVerti = p2;
  const int columns = (in.width - margin) / cw;
  const int e = ((in.width - margin) / 2 - (cw * w) / 2) / cw;
  pic.columns = columns;
  pic.windowStartColumn = e;
  pic.background = kBackground;
  pic.clearRect = QRect(QPoint(1, 1), QPoint(in.width - 1, in.height - 1));

  const LayoutRows rows = rowsOf(in.plotType);
  auto rowY = [lineHeight](int row) { return row * lineHeight; };
  auto put = [&pic](int x, int y, const QString& text, const QColor& colour,
                    const QColor& background) {
    pic.texts.push_back(StripText{x, y, text, colour, background});
  };
  // Writes a pair in its two rows and reports whether the symbols agree.
  auto pair = [&](int x, bool inWindow, const QString& first, int firstRow, const QString& second,
                  int secondRow) {
    const bool equal = first == second;
    const QColor colour = equal ? kMatchText : kBlack;
    const QColor background = equal && inWindow ? kMatchInWindow : kWhite;
    put(x, rowY(firstRow), first, colour, background);
    put(x, rowY(secondRow), second, colour, background);
    return equal && inWindow;
  };

  for (int i = 1; i <= columns; ++i) {
    const int d = i - e;
    const int x = margin + i * cw;
    const bool inWindow = i >= e && i < e + w;
    const QString s1 = symbolAt(in.seqHoriz, qint64{p1} + d);
    const QString s2 = symbolAt(in.seqVerti, qint64{p2} + d);
    if (pair(x, inWindow, s1, 4, s2, 5)) ++pic.countForward;
    if (rows.horizRev) {
      const QString r1 = symbolAt(in.seqHorizRev, lh - p1 - w + 2 + d);
      if (pair(x, inWindow, r1, 8, s2, 7)) ++pic.countHorizRev;
    }
    if (rows.vertiRev) {
      const QString r2 = symbolAt(in.seqVertiRev, lv - p2 - w + 2 + d);
      if (pair(x, inWindow, r2, 1, s1, 2)) ++pic.countVertiRev;
    }
  }

  // Position numbers: the first ends at the window's left edge, the last starts at its right edge.
  auto numbers = [&](int row, qint64 first, qint64 last) {
    const QString firstText = QString::number(first);
    put(margin + (e - static_cast<int>(firstText.size())) * cw, rowY(row), firstText, kBlue,
        kWhite);
    put(margin + (e + w) * cw + 1, rowY(row), QString::number(last), kBlue, kWhite);
  };
  if (rows.vertiRev) numbers(0, lv - p2 - w + 2, lv - p2 + 1);
  numbers(3, p1, qint64{p1} + w - 1);
  numbers(6, p2, qint64{p2} + w - 1);
  if (rows.horizRev) numbers(9, lh - p1 - w + 2, lh - p1 + 1);

  if (rows.vertiRev) put(0, rowY(0), QStringLiteral(" Seq 2 (rev)"), kBlue, kWhite);
  put(0, rowY(3), QStringLiteral(" Seq 1"), kBlue, kWhite);
  put(0, rowY(6), QStringLiteral(" Seq 2"), kBlue, kWhite);
  if (rows.horizRev) put(0, rowY(9), QStringLiteral(" Seq 1 (rev)"), kBlue, kWhite);

  if (rows.vertiRev) {
    put(0, rowY(1), QStringLiteral("Seq 2 (rev)"), kBlack, kWhite);
    put(0, rowY(2), QStringLiteral("Seq 1"), kBlack, kWhite);
  }
  put(0, rowY(4), QStringLiteral("Seq 1"), kBlack, kWhite);
  put(0, rowY(5), QStringLiteral("Seq 2"), kBlack, kWhite);
  if (rows.horizRev) {
    put(0, rowY(7), QStringLiteral("Seq 2"), kBlack, kWhite);
    put(0, rowY(8), QStringLiteral("Seq 1 (rev)"), kBlack, kWhite);
  }

  for (const int x : {margin, margin + e * cw, margin + (e + w) * cw}) {
    pic.lines.push_back({QPoint(x, 0), QPoint(x, in.height)});
  }
  std::vector<int> lineRows;
  if (rows.vertiRev) lineRows.push_back(1);
  if (rows.horizRev || rows.vertiRev) lineRows.push_back(3);
  lineRows.push_back(4);
  lineRows.push_back(6);
  if (rows.horizRev) {
    lineRows.push_back(7);
    lineRows.push_back(9);
  }
  for (const int row : lineRows) {
    pic.lines.push_back({QPoint(0, rowY(row) + 1), QPoint(in.width, rowY(row) + 1)});
  }

  const int c1 = pic.countForward;
  std::vector<int> counts{c1};
  if (rows.horizRev) counts.push_back(pic.countHorizRev);
  if (rows.vertiRev) counts.push_back(pic.countVertiRev);
  switch (in.evaluation) {
    case 1:
      pic.combinedCount = *std::min_element(counts.begin(), counts.end());
      break;
    case 2: {
      int sum = 0;
      for (const int c : counts) sum += c;
      pic.combinedCount = sum;
      break;
    }
    default:
      pic.combinedCount = *std::max_element(counts.begin(), counts.end());
      break;
  }
  if (engine::strandSetOf(in.plotType) == engine::StrandSet::Forward) pic.combinedCount = c1;
  pic.infoLine = stripInfoLine(in.evaluation, p1, p2, pic.combinedCount, in.maxScore, w);
  return pic;
}

}  // namespace duvanet::gui

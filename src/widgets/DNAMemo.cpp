#include "widgets/DNAMemo.h"

#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace {

// Measuring a whole long sequence on one line costs as much as laying it out; the width of a
// sample scaled to the full length gives the same average character width.
constexpr qsizetype kMeasuredSample = 4096;

// The text as a single display line: line breaks would not add width on one line.
QString asSingleLine(QString text) {
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

// A piece keeps its line breaks; they still break the displayed line where they fall.
QString displayPiece(const QString& piece) {
  QString shown = piece;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace

TDNAMemo::TDNAMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont f = font();
  f.setFamily(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  setFont(f);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setReadOnly(true);
}

void TDNAMemo::SetDNAText(const QString& text) {
  m_text = text;
  LayoutLines();
}

int TDNAMemo::PieceLengthFor(qsizetype length, int clientWidth, qreal textWidth) {
  if (!(textWidth > 0) || clientWidth <= 0) return 1;
  // A hair of tolerance so that summed fractional advances do not lose a whole character.
  const qreal fitting = static_cast<qreal>(length) * clientWidth / textWidth + 1e-6;
  if (fitting >= static_cast<qreal>(length) + 1)
    return static_cast<int>(std::max<qsizetype>(1, length));
  const qint64 pieces = static_cast<qint64>(std::floor(fitting)) - 1;
  return static_cast<int>(std::clamp<qint64>(pieces, 1, std::max<qint64>(1, length)));
}

int TDNAMemo::clientWidth() const {
  const int margin = static_cast<int>(document()->documentMargin());
  return viewport()->width() - 2 * margin;
}

qreal TDNAMemo::singleLineWidth() const {
  const QFontMetricsF metrics(font());
  if (m_text.size() <= kMeasuredSample) return metrics.horizontalAdvance(asSingleLine(m_text));
  const qreal sampleWidth = metrics.horizontalAdvance(asSingleLine(m_text.left(kMeasuredSample)));
  return sampleWidth * static_cast<qreal>(m_text.size()) / kMeasuredSample;
}

void TDNAMemo::LayoutLines() {
  if (m_text.isEmpty()) return;
  clear();
  const qsizetype length = m_text.size();
  m_pieceLength = PieceLengthFor(length, clientWidth(), singleLineWidth());
  QString shown;
  shown.reserve(length + length / m_pieceLength + 1);
  for (qsizetype start = 0; start < length; start += m_pieceLength) {
    if (start > 0) shown += QLatin1Char('\n');
    shown += displayPiece(m_text.mid(start, m_pieceLength));
  }
  setPlainText(shown);
}

void TDNAMemo::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  LayoutLines();
}

#include "widgets/DNAMemo.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

// Measuring a whole long sequence on one line costs as much as laying it out; the width of a
// sample scaled to the full length gives the same average character width.
constexpr qsizetype kMeasuredSample = 4096;

// The scroll bar counts in int; texts of more pieces than this share a step among several.
constexpr qsizetype kMaxScrollSteps = qsizetype(1) << 30;

// The text as a single display line: line breaks would not add width on one line.
QString asSingleLine(QString text) {
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

// A piece keeps its line breaks; they still break the displayed line where they fall.
QStringList displayLines(QStringView piece) {
  QString shown = piece.toString();
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown.split(QLatin1Char('\n'));
}

}  // namespace

TDNAMemo::TDNAMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  QFont f = font();
  f.setFamily(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  setFont(f);
  setReadOnly(true);
  // The document holds only the lines in view; this scroll bar moves through the whole text.
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_scrollBar = new QScrollBar(Qt::Vertical, this);
  m_scrollBar->setObjectName(QStringLiteral("sequenceScrollBar"));
  m_scrollBar->setRange(0, 0);
  connect(m_scrollBar, &QScrollBar::actionTriggered, this, &TDNAMemo::scrollBarActionTriggered);
  connect(m_scrollBar, &QScrollBar::valueChanged, this, &TDNAMemo::scrollBarValueChanged);
  placeScrollBar();
}

void TDNAMemo::SetDNAText(const QString& text) {
  m_text = text;
  m_top = Position();
  m_anchor = 0;
  if (m_text.isEmpty()) {
    m_pieceLength = 0;
    updateScrollBar();
  }
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

qsizetype TDNAMemo::PieceCount() const {
  if (m_text.isEmpty() || m_pieceLength <= 0) return 0;
  return (m_text.size() + m_pieceLength - 1) / m_pieceLength;
}

int TDNAMemo::clientWidth() const {
  const int margin = static_cast<int>(document()->documentMargin());
  return viewport()->width() - 2 * margin;
}

int TDNAMemo::VisibleLineCount() const {
  const int margin = static_cast<int>(document()->documentMargin());
  const int spacing = std::max(1, QFontMetrics(font()).lineSpacing());
  const int height = viewport()->height() - 2 * margin;
  // A line cut off at the bottom is shown too.
  return std::max(1, (height + spacing - 1) / spacing);
}

qreal TDNAMemo::singleLineWidth() const {
  const QFontMetricsF metrics(font());
  if (m_text.size() <= kMeasuredSample) return metrics.horizontalAdvance(asSingleLine(m_text));
  const qreal sampleWidth = metrics.horizontalAdvance(asSingleLine(m_text.left(kMeasuredSample)));
  return sampleWidth * static_cast<qreal>(m_text.size()) / kMeasuredSample;
}

QStringView TDNAMemo::pieceText(qsizetype piece) const {
  const qsizetype start = piece * m_pieceLength;
  return QStringView(m_text).sliced(start,
                                    std::min<qsizetype>(m_pieceLength, m_text.size() - start));
}

int TDNAMemo::lineCountOf(qsizetype piece) const {
  const QStringView text = pieceText(piece);
  int lines = 1;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))) ++lines;
  }
  return lines;
}

TDNAMemo::Position TDNAMemo::lastTop() const {
  // Walk back from the end until the lines fill the control.
  qsizetype piece = PieceCount() - 1;
  if (piece < 0) return {};
  int needed = VisibleLineCount();
  for (;; --piece) {
    const int lines = lineCountOf(piece);
    if (lines >= needed) return {piece, lines - needed};
    needed -= lines;
    if (piece == 0) return {};
  }
}

TDNAMemo::Position TDNAMemo::clamped(Position position) const {
  const Position last = lastTop();
  if (last < position) return last;
  if (position.piece < 0) return {};
  return position;
}

void TDNAMemo::LayoutLines() {
  if (m_text.isEmpty()) return;
  m_pieceLength = PieceLengthFor(m_text.size(), clientWidth(), singleLineWidth());
  const qsizetype piecesPerStep = (PieceCount() + kMaxScrollSteps - 1) / kMaxScrollSteps;
  m_piecesPerStep = std::max<qsizetype>(1, piecesPerStep);
  // The character the user scrolled to stays in the top line when the width changes; it is kept
  // apart from the top piece so that a series of resizes does not drift away from it.
  showFrom({m_anchor / m_pieceLength, 0}, false);
}

void TDNAMemo::showFrom(Position position, bool moveAnchor) {
  m_top = clamped(position);
  if (moveAnchor) m_anchor = m_top.piece * m_pieceLength;
  const int wanted = VisibleLineCount();
  QStringList shown;
  for (Position at = m_top; shown.size() < wanted && at.piece < PieceCount(); ++at.piece) {
    const QStringList lines = displayLines(pieceText(at.piece));
    for (qsizetype i = at.line; i < lines.size() && shown.size() < wanted; ++i)
      shown.append(lines[i]);
    at.line = 0;
  }
  setPlainText(shown.join(QLatin1Char('\n')));
  updateScrollBar();
}

int TDNAMemo::scrollValueOf(qsizetype piece) const { return int(piece / m_piecesPerStep); }

void TDNAMemo::updateScrollBar() {
  const QSignalBlocker blocker(m_scrollBar);
  if (m_text.isEmpty() || m_pieceLength <= 0) {
    m_scrollBar->setRange(0, 0);
    return;
  }
  const Position last = lastTop();
  const int maximum = scrollValueOf(last.piece) + (last.line > 0 ? 1 : 0);
  m_scrollBar->setRange(0, maximum);
  m_scrollBar->setPageStep(VisibleLineCount());
  m_scrollBar->setSingleStep(1);
  m_scrollBar->setValue(
      m_top.piece == last.piece && m_top.line == last.line ? maximum : scrollValueOf(m_top.piece));
}

void TDNAMemo::ScrollToPiece(qsizetype piece) {
  if (m_text.isEmpty()) return;
  showFrom({std::clamp<qsizetype>(piece, 0, std::max<qsizetype>(0, PieceCount() - 1)), 0});
}

void TDNAMemo::ScrollLines(qsizetype lines) {
  if (m_text.isEmpty() || m_pieceLength <= 0 || lines == 0) return;
  Position at = m_top;
  if (lines > 0) {
    const Position last = lastTop();
    for (; lines > 0 && at < last; --lines) {
      if (at.line + 1 < lineCountOf(at.piece))
        ++at.line;
      else
        at = {at.piece + 1, 0};
    }
  } else {
    for (; lines < 0 && (at.piece > 0 || at.line > 0); ++lines) {
      if (at.line > 0)
        --at.line;
      else
        at = {at.piece - 1, lineCountOf(at.piece - 1) - 1};
    }
  }
  showFrom(at);
}

void TDNAMemo::scrollBarActionTriggered(int action) {
  // Steps move by lines, so that a piece of several lines is passed line by line.
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      ScrollLines(1);
      break;
    case QAbstractSlider::SliderSingleStepSub:
      ScrollLines(-1);
      break;
    case QAbstractSlider::SliderPageStepAdd:
      ScrollLines(VisibleLineCount());
      break;
    case QAbstractSlider::SliderPageStepSub:
      ScrollLines(-VisibleLineCount());
      break;
    case QAbstractSlider::SliderToMinimum:
      showFrom({});
      break;
    case QAbstractSlider::SliderToMaximum:
      showFrom(lastTop());
      break;
    default:
      return;  // dragging: valueChanged follows
  }
  // The slider applies the position set here once this signal returns.
  m_scrollBar->setSliderPosition(m_scrollBar->value());
}

void TDNAMemo::scrollBarValueChanged(int value) {
  if (m_text.isEmpty()) return;
  if (value >= m_scrollBar->maximum()) {
    showFrom(lastTop());
  } else if (value != scrollValueOf(m_top.piece)) {
    showFrom({qsizetype(value) * m_piecesPerStep, 0});
  }
}

void TDNAMemo::placeScrollBar() {
  const int width = m_scrollBar->sizeHint().width();
  setViewportMargins(0, 0, width, 0);
  const QRect frame = contentsRect();
  m_scrollBar->setGeometry(frame.right() - width + 1, frame.top(), width, frame.height());
}

void TDNAMemo::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  placeScrollBar();
  LayoutLines();
}

void TDNAMemo::wheelEvent(QWheelEvent* event) {
  m_wheelRemainder += event->angleDelta().y();
  const int notches = m_wheelRemainder / 120;
  m_wheelRemainder -= notches * 120;
  if (notches != 0) ScrollLines(-qsizetype(notches) * QApplication::wheelScrollLines());
  event->accept();
}

void TDNAMemo::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Up:
      ScrollLines(-1);
      break;
    case Qt::Key_Down:
      ScrollLines(1);
      break;
    case Qt::Key_PageUp:
      ScrollLines(-VisibleLineCount());
      break;
    case Qt::Key_PageDown:
      ScrollLines(VisibleLineCount());
      break;
    case Qt::Key_Home:
      if (!control) return QPlainTextEdit::keyPressEvent(event);
      showFrom({});
      break;
    case Qt::Key_End:
      if (!control) return QPlainTextEdit::keyPressEvent(event);
      showFrom(lastTop());
      break;
    default:
      return QPlainTextEdit::keyPressEvent(event);
  }
  event->accept();
}

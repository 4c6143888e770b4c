#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

class QScrollBar;

/// A read-only text control that lays a sequence out in lines filling its width: the stored
/// text is cut into pieces of one character less than fit into a line, re-cut on every resize.
/// Only the lines in view are laid out, so time and memory follow the control's size, not the
/// sequence's length; the control's own scroll bar reaches every piece of the text.
class TDNAMemo : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TDNAMemo(QWidget* parent = nullptr);

  /// Stores text and lays it out; an empty text leaves the visible lines as they are.
  void SetDNAText(const QString& text);
  /// Rebuilds the visible lines from the stored text.
  void LayoutLines();

  /// The stored text, as last given to SetDNAText.
  const QString& DNAText() const { return m_text; }
  /// The length of the pieces the last layout cut (0 before the first layout).
  int PieceLength() const { return m_pieceLength; }
  /// The piece length for a text of length characters, textWidth pixels wide on one line (glyph
  /// advances summed without rounding), in
  /// a client width of clientWidth pixels: (length × clientWidth) div textWidth − 1, and at
  /// least 1, so that a narrow control or a text without width still shows one character a line.
  static int PieceLengthFor(qsizetype length, int clientWidth, qreal textWidth);

  /// The number of pieces the stored text is cut into (0 for an empty text).
  qsizetype PieceCount() const;
  /// The line at the top of the control: its piece, and which of the piece's lines it is (a
  /// piece holding line breaks shows as several lines).
  qsizetype TopPiece() const { return m_top.piece; }
  int TopLineOfPiece() const { return m_top.line; }
  /// Scrolls so that the given piece's first line is at the top, as far as the end allows.
  void ScrollToPiece(qsizetype piece);
  /// Scrolls by whole lines; negative values scroll up.
  void ScrollLines(qsizetype lines);
  /// The number of lines the control shows at once.
  int VisibleLineCount() const;
  /// The scroll bar that moves through the whole text.
  QScrollBar* SequenceScrollBar() const { return m_scrollBar; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Position {
    qsizetype piece = 0;
    int line = 0;
    friend bool operator<(const Position& a, const Position& b) {
      return a.piece < b.piece || (a.piece == b.piece && a.line < b.line);
    }
  };

  int clientWidth() const;
  qreal singleLineWidth() const;
  QStringView pieceText(qsizetype piece) const;
  int lineCountOf(qsizetype piece) const;
  Position lastTop() const;
  Position clamped(Position position) const;
  void showFrom(Position position, bool moveAnchor = true);
  void placeScrollBar();
  void updateScrollBar();
  int scrollValueOf(qsizetype piece) const;
  void scrollBarActionTriggered(int action);
  void scrollBarValueChanged(int value);

  QString m_text;
  int m_pieceLength = 0;
  Position m_top;
  qsizetype m_anchor = 0;  // the first character of the top piece the user last scrolled to
  QScrollBar* m_scrollBar = nullptr;
  qsizetype m_piecesPerStep = 1;  // pieces per scroll bar step, for texts of more than 2^30
  int m_wheelRemainder = 0;       // eighths of a degree not yet scrolled
};

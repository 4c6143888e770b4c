#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

/// A read-only text control that lays a sequence out in lines filling its width: the stored
/// text is cut into pieces of one character less than fit into a line, re-cut on every resize.
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

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int clientWidth() const;
  qreal singleLineWidth() const;

  QString m_text;
  int m_pieceLength = 0;
};

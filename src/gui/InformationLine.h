#pragma once

#include <QLabel>

namespace duvanet::gui {

/// The dot plot window's information line: a raised one-line panel that takes as many lines as
/// the longest text it has to show needs at its width, so that every text is shown whole. Its
/// height depends on that longest text alone, so the texts that follow the mouse never move the
/// chart above it.
class InformationLine : public QLabel {
  Q_OBJECT

 public:
  explicit InformationLine(const QString& text, QWidget* parent = nullptr);

  /// The longest text the line has to show whole; it sets the line's height.
  void setWidestText(const QString& text);
  const QString& widestText() const { return m_widestText; }
  /// The lines the widest text (or the text shown, when longer) takes at a width.
  int linesAt(int width) const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  int lineCountFor(const QString& text, int width) const;

  QString m_widestText;
};

}  // namespace duvanet::gui

#include "gui/InformationLine.h"

#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

namespace duvanet::gui {

namespace {

// One line of the panel, as the window has always drawn it.
constexpr int kLineHeight = 16;

}  // namespace

InformationLine::InformationLine(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setWordWrap(true);
  // Preferred, not Fixed: a fixed policy would cap the height at the one-line size hint.
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

void InformationLine::setWidestText(const QString& text) {
  m_widestText = text;
  updateGeometry();
}

int InformationLine::lineCountFor(const QString& text, int width) const {
  if (text.isEmpty()) return 1;
  const int inner = std::max(1, width - 2 * frameWidth() - 2 * margin());
  const QFontMetrics metrics(font());
  const QRect bounds =
      metrics.boundingRect(QRect(0, 0, inner, 1 << 20), Qt::AlignCenter | Qt::TextWordWrap, text);
  return std::max(1, (bounds.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing());
}

int InformationLine::linesAt(int width) const {
  return std::max(lineCountFor(m_widestText, width), lineCountFor(text(), width));
}

int InformationLine::heightForWidth(int width) const {
  const int lines = linesAt(width);
  if (lines == 1) return kLineHeight;
  return lines * QFontMetrics(font()).lineSpacing() + 2 * frameWidth() + 2 * margin();
}

QSize InformationLine::sizeHint() const {
  // Any width will do: the height follows it.
  return {QLabel::sizeHint().width(), kLineHeight};
}

QSize InformationLine::minimumSizeHint() const { return {1, kLineHeight}; }

void InformationLine::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange) updateGeometry();
}

}  // namespace duvanet::gui

#include "widgets/DoubleSlider.h"

#include <QEvent>
#include <QLabel>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

// Rounding to the nearest integer with halves to the even neighbour (the default FP mode).
int roundEven(double value) { return static_cast<int>(std::lrint(value)); }

// The conversions multiply in 32 bits; outside the control's domain the product wraps around
// (as two's complement arithmetic does) instead of overflowing.
std::int32_t product32(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(a) * b));
}

}  // namespace

/// One thumb: a 7 × 13 picture that hands its mouse events to the slider.
class duvanet::widgets::TDblSliderThumb : public QWidget {
 public:
  TDblSliderThumb(TDblSlider* slider, TLftRght which)
      : QWidget(slider),
        m_slider(slider),
        m_which(which),
        m_picture(TDblSlider::ThumbWidth, TDblSlider::ThumbHeight, QImage::Format_RGB32) {
    setFixedSize(TDblSlider::ThumbWidth, TDblSlider::ThumbHeight);
    setCursor(Qt::PointingHandCursor);
    setObjectName(which == dblLeft ? QStringLiteral("leftThumb") : QStringLiteral("rightThumb"));
  }
  TLftRght which() const { return m_which; }
  QImage& picture() { return m_picture; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
  }
  void mousePressEvent(QMouseEvent* event) override {
    m_slider->thumbPressed(this, event->globalPosition().toPoint());
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    m_slider->thumbMoved(this, event->globalPosition().toPoint());
  }
  void mouseReleaseEvent(QMouseEvent*) override { m_slider->thumbReleased(this); }

 private:
  TDblSlider* m_slider;
  TLftRght m_which;
  QImage m_picture;
};

TDblSlider::TDblSlider(QWidget* owner) : QFrame(owner) {
  setAutoFillBackground(false);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setLineWidth(1);
  setMinimumWidth(SliderMinWidth);
  resize(SliderMinWidth, BaseHeight);

  m_thumbLeft = new duvanet::widgets::TDblSliderThumb(this, dblLeft);
  m_thumbRight = new duvanet::widgets::TDblSliderThumb(this, dblRight);
  m_leftLabel = new QLabel(this);
  m_leftLabel->setObjectName(QStringLiteral("leftValueLabel"));
  m_rightLabel = new QLabel(this);
  m_rightLabel->setObjectName(QStringLiteral("rightValueLabel"));
  m_dragLabel = new QLabel(this);
  m_dragLabel->setObjectName(QStringLiteral("dragLabel"));
  m_dragLabel->hide();
  drawThumbPictures();
  drawThumbArrows();
  applyHeightRule();
  updateTrack();
  updateValueLabels();
  placeLabels();
  recalculate();
}

TDblSlider::~TDblSlider() = default;

QWidget* TDblSlider::leftThumb() const { return m_thumbLeft; }
QWidget* TDblSlider::rightThumb() const { return m_thumbRight; }

const QImage& TDblSlider::thumbPicture(TLftRght which) const {
  return which == dblLeft ? m_thumbLeft->picture() : m_thumbRight->picture();
}

int TDblSlider::ruleHeight() const {
  return BaseHeight + (m_scale ? ScaleHeight : 0) + (m_indicator != dblNone ? IndicatorHeight : 0);
}

int TDblSlider::thumbTop() const {
  return (height() - ThumbHeight - (m_indicator != dblNone ? IndicatorHeight : 0) +
          (m_scale ? ScaleHeight + 2 : 0)) /
             2 -
         1;
}

void TDblSlider::applyHeightRule() {
  if (height() != ruleHeight() || minimumHeight() != ruleHeight()) setFixedHeight(ruleHeight());
  placeLabels();
}

void TDblSlider::updateTrack() {
  m_trackLeft = TrackMargin + ThumbWidth - 1;
  m_trackRight = width() - m_trackLeft - 1;
}

void TDblSlider::setBevel(TBvl bevel) {
  if (bevel == m_bevel) return;
  m_bevel = bevel;
  switch (bevel) {
    case dblFlat:
      setFrameShape(QFrame::NoFrame);
      break;
    case dblLowered:
      setFrameShape(QFrame::Panel);
      setFrameShadow(QFrame::Sunken);
      break;
    case dblRaised:
      setFrameShape(QFrame::Panel);
      setFrameShadow(QFrame::Raised);
      break;
  }
  update();
}

void TDblSlider::setMin(int value) {
  m_min = value;
  clampPositions();
  if (m_maxAssigned && m_min >= m_max) m_max = m_min + 1;
  recalculate();
  update();
  if (m_maxAssigned) notifyPosChange();
}

void TDblSlider::setMax(int value) {
  m_max = value;
  if (m_min >= m_max) m_min = m_max - 1;
  updateTrack();
  recalculate();
  update();
  notifyPosChange();
  m_maxAssigned = true;
}

void TDblSlider::setPosition1(int value) {
  m_position1 = value;
  clampPositions();
  if (m_position2Assigned && m_position2 < m_position1) m_position1 = m_position2;
  updateValueLabels();
  snapThumb(dblLeft);
  if (m_position2Assigned) notifyPosChange();
}

void TDblSlider::setPosition2(int value) {
  m_position2 = value;
  clampPositions();
  if (m_position1 > m_position2) m_position2 = m_position1;
  updateValueLabels();
  snapThumb(dblRight);
  notifyPosChange();
  m_position2Assigned = true;
}

void TDblSlider::setFrequency(int value) {
  m_frequency = std::abs(value);
  computeTickSpacing();
  update();
}

void TDblSlider::setScale(bool value) {
  if (value == m_scale) return;
  m_scale = value;
  applyHeightRule();
  drawThumbArrows();
  placeThumbs();
  update();
}

void TDblSlider::setIndicator(TInd value) {
  if (value == m_indicator) return;
  m_positionDsp = value == dblPos1Pos2 ? false : m_savedPositionDsp;
  m_indicator = value;
  applyHeightRule();
  updateValueLabels();
  placeThumbs();
  update();
}

void TDblSlider::setPositionDsp(bool value) {
  if (value == m_positionDsp || m_indicator == dblPos1Pos2) return;
  m_positionDsp = value;
  m_savedPositionDsp = value;
}

void TDblSlider::clampPositions() {
  if (m_position1 < m_min) m_position1 = m_min;
  if (m_position1 > m_max) m_position1 = m_max;
  if (m_position2 < m_min) m_position2 = m_min;
  if (m_position2 > m_max) m_position2 = m_max;
}

void TDblSlider::updateValueLabels() {
  if (m_indicator == dblPos1Pos2) {
    m_leftLabel->setText(QString::number(m_position1));
    m_rightLabel->setText(QString::number(m_position2));
  } else {
    m_leftLabel->setText(QString::number(m_min));
    m_rightLabel->setText(QString::number(m_max));
  }
  m_leftLabel->adjustSize();
  m_rightLabel->adjustSize();
  alignRightLabel();
}

void TDblSlider::alignRightLabel() {
  m_rightLabel->move(width() - 1 - TrackMargin - m_rightLabel->width(), m_rightLabel->y());
}

void TDblSlider::placeLabels() {
  // The value labels sit under the track; without an indicator they are below the visible area.
  const int top = m_indicator != dblNone ? thumbTop() + 14 : height();
  m_leftLabel->move(TrackMargin + 1, top);
  m_rightLabel->move(m_rightLabel->x(), top);
  m_leftLabel->setVisible(m_indicator != dblNone);
  m_rightLabel->setVisible(m_indicator != dblNone);
  alignRightLabel();
}

void TDblSlider::notifyPosChange() {
  clampPositions();
  updateValueLabels();
  alignRightLabel();
  if (isSignalConnected(QMetaMethod::fromSignal(&TDblSlider::posChange))) {
    emit posChange(this, m_min, m_position1 - m_min, m_position1, m_position2 - m_position1,
                   m_position2, m_max - m_position2, m_max);
    m_firstNotifyPending = false;
  }
}

int TDblSlider::positionToPixel(TLftRght which, int position) const {
  const int edge = which == dblLeft ? TrackMargin : TrackMargin + ThumbWidth - 1;
  if (m_max <= m_min) return edge;  // an empty range (Min set to Max before Max was assigned)
  const double offset =
      static_cast<double>(product32(travel(), position - m_min)) / (m_max - m_min);
  return roundEven(offset + edge);
}

int TDblSlider::pixelToPosition(TLftRght which, int left) const {
  const int distance = which == dblLeft ? left - TrackMargin : left - TrackMargin - ThumbWidth + 1;
  return roundEven(static_cast<double>(product32(distance, m_max - m_min)) / travel() + m_min);
}

void TDblSlider::clampThumbLeft(TLftRght which, int left) {
  if (which == dblLeft) {
    if (left < TrackMargin) left = TrackMargin;
    if (left > m_thumbRight->x() - ThumbWidth + 1) left = m_thumbRight->x() - ThumbWidth + 1;
    m_thumbLeft->move(left, m_thumbLeft->y());
  } else {
    if (left < m_thumbLeft->x() + ThumbWidth - 1) left = m_thumbLeft->x() + ThumbWidth - 1;
    if (left > width() - TrackMargin - m_thumbRight->width())
      left = width() - TrackMargin - m_thumbRight->width();
    m_thumbRight->move(left, m_thumbRight->y());
  }
}

void TDblSlider::snapThumb(TLftRght which) {
  clampThumbLeft(which, positionToPixel(which, which == dblLeft ? m_position1 : m_position2));
}

void TDblSlider::placeThumbs() {
  const int top = thumbTop();
  m_thumbRight->move(positionToPixel(dblRight, m_position2), top);
  m_thumbLeft->move(positionToPixel(dblLeft, m_position1), top);
  placeLabels();
}

void TDblSlider::computeTickSpacing() {
  clampPositions();
  updateValueLabels();
  if (m_frequency == 0) {
    m_tickSpacing = 0;
    return;
  }
  const float steps = static_cast<float>(m_max - m_min) / static_cast<float>(m_frequency);
  m_tickSpacing = steps >= 1 ? static_cast<float>(travel()) / steps : 0.0f;
}

void TDblSlider::recalculate() {
  computeTickSpacing();
  placeThumbs();
}

void TDblSlider::drawThumbPictures() {
  for (duvanet::widgets::TDblSliderThumb* thumb : {m_thumbLeft, m_thumbRight}) {
    QImage& picture = thumb->picture();
    picture.fill(palette().color(QPalette::Window));
    QPainter painter(&picture);
    // Rectangle (0, 3)–(7, 13): outline and fill cover columns 0–6, rows 3–12.
    painter.fillRect(0, 3, 7, 10, QColor(128, 128, 128));
    painter.setPen(Qt::black);
    painter.drawRect(0, 3, 6, 9);
    painter.fillRect(1, 4, 5, 2, Qt::white);
    painter.fillRect(1, 7, 5, 5, QColor(64, 64, 64));
    for (const int x : {2, 4, 6}) painter.drawLine(x, 4, x, ThumbHeight - 1);
  }
}

void TDblSlider::drawThumbArrows() {
  const QColor control = palette().color(QPalette::Window);
  m_arrowsDrawnColor = control;
  m_arrowsDrawn = true;
  const QColor arrow = m_scale ? QColor(Qt::black) : control;
  struct Line {
    int x, fromRow, toRow;
  };
  const Line leftLines[] = {{4, 2, 2}, {5, 1, 2}, {6, 0, 2}};
  const Line rightLines[] = {{0, 0, 2}, {1, 1, 2}, {2, 2, 2}};
  for (duvanet::widgets::TDblSliderThumb* thumb : {m_thumbLeft, m_thumbRight}) {
    QImage& picture = thumb->picture();
    QPainter painter(&picture);
    painter.fillRect(0, 0, ThumbWidth, 3, control);
    painter.setPen(arrow);
    for (const Line& line : thumb == m_thumbLeft ? leftLines : rightLines)
      painter.drawLine(line.x, line.fromRow, line.x, line.toRow);
    thumb->update();
  }
}

void TDblSlider::showDragValue(TLftRght which) {
  const int value = which == dblLeft ? m_position1 : m_position2;
  m_dragLabel->setText(QStringLiteral("  %1  ").arg(value));
  m_dragLabel->adjustSize();
  const int top = m_scale ? 2 : (m_indicator != dblNone ? thumbTop() + 14 : height());
  m_dragLabel->move((width() - m_dragLabel->width()) / 2, top);
  m_dragLabel->show();
  m_dragLabel->raise();
}

void TDblSlider::paintEvent(QPaintEvent*) {
  const int top = thumbTop();
  if (m_thumbLeft->y() != top || m_thumbRight->y() != top) placeThumbs();
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  drawFrame(&painter);
  if (!m_arrowsDrawn || palette().color(QPalette::Window) != m_arrowsDrawnColor) {
    drawThumbArrows();
  }
  painter.setPen(Qt::black);
  if (m_scale) {
    painter.drawLine(m_trackLeft, 5, m_trackLeft, 12);
    painter.drawLine(m_trackRight, 5, m_trackRight, 12);
    if (m_tickSpacing > 0) {
      float x = static_cast<float>(m_trackLeft) + m_tickSpacing;
      while (x < static_cast<float>(m_trackRight)) {
        const int column = roundEven(x);
        painter.drawLine(column, 7, column, 12);
        x = x + m_tickSpacing;
      }
    }
  }
  // Track: outline from (TrackMargin − 1, T + 4) to (Width − TrackMargin + 1, T + 12).
  const int right = width() - TrackMargin + 1;
  painter.fillRect(QRect(QPoint(TrackMargin - 1, top + 4), QPoint(right - 1, top + 11)),
                   QColor(192, 192, 192));
  painter.drawRect(QRect(QPoint(TrackMargin - 1, top + 4), QPoint(right - 2, top + 10)));
  painter.fillRect(QRect(QPoint(TrackMargin, top + 5), QPoint(width() - TrackMargin - 1, top + 6)),
                   Qt::white);
  painter.fillRect(QRect(QPoint(TrackMargin, top + 9), QPoint(width() - TrackMargin - 1, top + 10)),
                   QColor(128, 128, 128));
}

void TDblSlider::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  if (width() < SliderMinWidth) resize(SliderMinWidth, height());
  if (height() != ruleHeight()) applyHeightRule();
  updateTrack();
  alignRightLabel();
  recalculate();
  update();
  if (m_firstNotifyPending) notifyPosChange();
}

bool TDblSlider::event(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) update();
  return QFrame::event(event);
}

void TDblSlider::thumbPressed(duvanet::widgets::TDblSliderThumb* thumb, QPoint globalPos) {
  m_dragOffsetX = globalPos.x() - thumb->x();
  m_dragActive = true;
  if (m_positionDsp) showDragValue(thumb->which());
  emit sldMouseDown(this, thumb->which(), m_position1, m_position2);
}

void TDblSlider::thumbMoved(duvanet::widgets::TDblSliderThumb* thumb, QPoint globalPos) {
  if (!m_dragActive) return;
  clampThumbLeft(thumb->which(), globalPos.x() - m_dragOffsetX);
  if (thumb->which() == dblLeft) {
    m_position1 = pixelToPosition(dblLeft, m_thumbLeft->x());
  } else {
    m_position2 = pixelToPosition(dblRight, m_thumbRight->x());
  }
  notifyPosChange();
  if (m_positionDsp) showDragValue(thumb->which());
}

void TDblSlider::thumbReleased(duvanet::widgets::TDblSliderThumb* thumb) {
  m_dragActive = false;
  m_dragLabel->hide();
  snapThumb(thumb->which());
  emit sldMouseUp(this, thumb->which(), m_position1, m_position2);
}

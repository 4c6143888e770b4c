#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>

class QLabel;

/// Outer bevel of the slider panel.
enum TBvl { dblFlat, dblLowered, dblRaised };
/// What the two value labels under the track show.
enum TInd { dblNone, dblMinMax, dblPos1Pos2 };
/// Which thumb an event concerns.
enum TLftRght { dblLeft, dblRight };

namespace duvanet::widgets {
class TDblSliderThumb;
}

/// A horizontal slider with two thumbs that select the band [Position1, Position2] inside the
/// integer range [Min, Max]. Only the thumbs react to the mouse; there is no keyboard handling.
class TDblSlider : public QFrame {
  Q_OBJECT
 public:
  static constexpr int TrackMargin = 8;
  static constexpr int ThumbWidth = 7;
  static constexpr int ThumbHeight = 13;
  static constexpr int SliderMinWidth = 129;
  static constexpr int BaseHeight = 29;
  static constexpr int ScaleHeight = 7;
  static constexpr int IndicatorHeight = 9;

  explicit TDblSlider(QWidget* owner = nullptr);
  ~TDblSlider() override;

  TBvl Bevel() const { return m_bevel; }
  void setBevel(TBvl bevel);
  int Max() const { return m_max; }
  void setMax(int value);
  int Min() const { return m_min; }
  void setMin(int value);
  int Frequency() const { return m_frequency; }
  void setFrequency(int value);
  TInd Indicator() const { return m_indicator; }
  void setIndicator(TInd value);
  bool Scale() const { return m_scale; }
  void setScale(bool value);
  bool PositionDsp() const { return m_positionDsp; }
  void setPositionDsp(bool value);
  int Position1() const { return m_position1; }
  void setPosition1(int value);
  int Position2() const { return m_position2; }
  void setPosition2(int value);

  // Derived layout, exposed for the window and for tests.
  int TrackLeft() const { return m_trackLeft; }
  int TrackRight() const { return m_trackRight; }
  float TickSpacing() const { return m_tickSpacing; }
  /// The height the control keeps for its Scale and Indicator settings.
  int ruleHeight() const;
  /// The top row of both thumbs.
  int thumbTop() const;
  QWidget* leftThumb() const;
  QWidget* rightThumb() const;
  QLabel* leftValueLabel() const { return m_leftLabel; }
  QLabel* rightValueLabel() const { return m_rightLabel; }
  /// The floating label with the dragged thumb's value; hidden when parked.
  QLabel* dragLabel() const { return m_dragLabel; }
  bool dragActive() const { return m_dragActive; }
  const QImage& thumbPicture(TLftRght which) const;

 signals:
  /// The band or the range may have changed (also fires when nothing changed).
  void posChange(TDblSlider* sender, int Min, int BandLinks, int Pos1, int BandMitte, int Pos2,
                 int BandRechts, int Max);
  void sldMouseDown(TDblSlider* sender, TLftRght Wich, int Pos1, int Pos2);
  void sldMouseUp(TDblSlider* sender, TLftRght Wich, int Pos1, int Pos2);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  friend class duvanet::widgets::TDblSliderThumb;
  void thumbPressed(duvanet::widgets::TDblSliderThumb* thumb, QPoint globalPos);
  void thumbMoved(duvanet::widgets::TDblSliderThumb* thumb, QPoint globalPos);
  void thumbReleased(duvanet::widgets::TDblSliderThumb* thumb);

  int travel() const { return m_trackRight - m_trackLeft; }
  void updateTrack();
  void applyHeightRule();
  void clampPositions();
  void updateValueLabels();
  void alignRightLabel();
  void notifyPosChange();
  int positionToPixel(TLftRght which, int position) const;
  int pixelToPosition(TLftRght which, int left) const;
  void clampThumbLeft(TLftRght which, int left);
  void snapThumb(TLftRght which);
  void placeThumbs();
  void computeTickSpacing();
  void recalculate();
  void drawThumbPictures();
  void drawThumbArrows();
  void showDragValue(TLftRght which);
  void placeLabels();

  TBvl m_bevel = dblRaised;
  int m_max = 100;
  int m_min = 0;
  int m_frequency = 5;
  TInd m_indicator = dblNone;
  bool m_scale = true;
  bool m_positionDsp = true;
  int m_position1 = 0;
  int m_position2 = 100;

  int m_trackLeft = TrackMargin + ThumbWidth - 1;
  int m_trackRight = 0;
  float m_tickSpacing = 5.0f;
  bool m_dragActive = false;
  int m_dragOffsetX = 0;
  bool m_firstNotifyPending = true;
  bool m_maxAssigned = false;
  bool m_position2Assigned = false;
  bool m_savedPositionDsp = true;
  QColor m_arrowsDrawnColor;
  bool m_arrowsDrawn = false;

  duvanet::widgets::TDblSliderThumb* m_thumbLeft = nullptr;
  duvanet::widgets::TDblSliderThumb* m_thumbRight = nullptr;
  QLabel* m_leftLabel = nullptr;
  QLabel* m_rightLabel = nullptr;
  QLabel* m_dragLabel = nullptr;
};

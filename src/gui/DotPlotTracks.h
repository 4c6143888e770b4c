#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "chart/ColourGridChart.h"
#include "core/SequenceFeature.h"

class QCheckBox;
class QLabel;

namespace duvanet::gui {

/// The feature tracks of a dot plot window: hands the features of both sequences to the chart,
/// shows a feature's type, name, start–end and strand in the information line when the mouse is
/// over it, and zooms on clicks: a feature of one track zooms that axis to it, a feature of the
/// other track next zooms to the rectangle where both meet. The "Tracks" check box shows and
/// hides both; it is hidden itself when neither sequence has features.
class DotPlotTracks : public QObject {
  Q_OBJECT
 public:
  DotPlotTracks(duvanet::chart::ColourGridChart* chart, QLabel* infoLine, QCheckBox* tracksBox,
                QObject* parent);

  void setFeatures(std::shared_ptr<const duvanet::core::FeatureTable> horizontal,
                   std::shared_ptr<const duvanet::core::FeatureTable> vertical);
  /// The information line's text for a feature: type, name, start–end (1-based), strand.
  static QString describe(const duvanet::core::SequenceFeature& feature);

 private:
  void mouseMoved(Qt::KeyboardModifiers, int x, int y);
  void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y);

  duvanet::chart::ColourGridChart* m_chart;
  QLabel* m_infoLine;
  QCheckBox* m_tracksBox;
  struct Picked {
    duvanet::chart::ChartAxis axis;
    double from;
    double to;
  };
  std::optional<Picked> m_picked;  // the feature clicked before, to zoom to both next
};

}  // namespace duvanet::gui

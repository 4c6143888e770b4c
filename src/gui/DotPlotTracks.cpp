#include "gui/DotPlotTracks.h"

#include <QCheckBox>
#include <QLabel>

namespace duvanet::gui {

using duvanet::chart::ChartAxis;
using duvanet::render::FeatureTrack;

DotPlotTracks::DotPlotTracks(duvanet::chart::ColourGridChart* chart, QLabel* infoLine,
                             QCheckBox* tracksBox, QObject* parent)
    : QObject(parent), m_chart(chart), m_infoLine(infoLine), m_tracksBox(tracksBox) {
  m_tracksBox->setChecked(true);
  m_tracksBox->setVisible(false);
  connect(m_tracksBox, &QCheckBox::toggled, m_chart,
          &duvanet::chart::ColourGridChart::setTracksVisible);
  connect(m_chart, &duvanet::chart::ColourGridChart::mouseMoved, this, &DotPlotTracks::mouseMoved);
  connect(m_chart, &duvanet::chart::ColourGridChart::mousePressed, this,
          &DotPlotTracks::mousePressed);
}

void DotPlotTracks::setFeatures(std::shared_ptr<const duvanet::core::FeatureTable> horizontal,
                                std::shared_ptr<const duvanet::core::FeatureTable> vertical) {
  const auto trackOf = [](std::shared_ptr<const duvanet::core::FeatureTable> features) {
    auto track = std::make_shared<const FeatureTrack>(std::move(features));
    return track->empty() ? nullptr : track;
  };
  m_chart->setFeatureTrack(ChartAxis::Top, trackOf(std::move(horizontal)));
  m_chart->setFeatureTrack(ChartAxis::Left, trackOf(std::move(vertical)));
  m_tracksBox->setVisible(m_chart->featureTrack(ChartAxis::Top) ||
                          m_chart->featureTrack(ChartAxis::Left));
  m_picked.reset();
}

QString DotPlotTracks::describe(const duvanet::core::SequenceFeature& feature) {
  const auto [start, end] = feature.extent();
  const duvanet::core::FeatureStrand strand = feature.strand();
  const QString strandText = strand == duvanet::core::FeatureStrand::Forward ? QStringLiteral("+")
                             : strand == duvanet::core::FeatureStrand::Reverse
                                 ? QStringLiteral("−")
                                 : QStringLiteral("none");
  QString text = QStringLiteral("%1 %2: %3–%4, strand %5")
                     .arg(feature.key, feature.displayName())
                     .arg(start)
                     .arg(end)
                     .arg(strandText);
  if (feature.parts.size() > 1) text += QStringLiteral(", %1 parts").arg(feature.parts.size());
  return text;
}

void DotPlotTracks::mouseMoved(Qt::KeyboardModifiers, int x, int y) {
  const auto hit = m_chart->featureAt(QPoint(x, y));
  if (!hit) return;
  m_infoLine->setText(describe(m_chart->featureTrack(hit->first)->features()[hit->second]));
}

void DotPlotTracks::mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button != Qt::LeftButton) return;
  const auto hit = m_chart->featureAt(QPoint(x, y));
  if (!hit) return;
  const auto [start, end] = m_chart->featureTrack(hit->first)->features()[hit->second].extent();
  // Position p covers the axis values [p, p + 1).
  const Picked picked{hit->first, double(start), double(end) + 1};
  const auto [xFrom, xTo] = m_chart->visibleRange(ChartAxis::Top);
  const auto [zFrom, zTo] = m_chart->visibleRange(ChartAxis::Left);
  if (m_picked && m_picked->axis != picked.axis) {
    const Picked& horizontal = picked.axis == ChartAxis::Top ? picked : *m_picked;
    const Picked& vertical = picked.axis == ChartAxis::Top ? *m_picked : picked;
    m_chart->zoomTo(horizontal.from, horizontal.to, vertical.from, vertical.to);
    m_picked.reset();
    return;
  }
  if (picked.axis == ChartAxis::Top)
    m_chart->zoomTo(picked.from, picked.to, zFrom, zTo);
  else
    m_chart->zoomTo(xFrom, xTo, picked.from, picked.to);
  m_picked = picked;
}

}  // namespace duvanet::gui

#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QStringView>
#include <memory>
#include <optional>
#include <vector>

#include "core/SequenceFeature.h"
#include "render/AxisMath.h"

namespace duvanet::render {

/// The colour groups of feature types.
enum class FeatureClass { Gene, Transcript, Cds, Exon, Rna, Repeat, Other };
FeatureClass featureClass(QStringView type);
QColor featureClassColour(FeatureClass group);

/// The features of one sequence as a track along an axis of the grid. The features are packed
/// into rows once, by their positions, so that overlapping ones lie in different rows; those
/// that find no row are counted as "+n". Drawing and hit testing take the grid's own axis
/// geometry, so position p covers the axis values [p, p + 1) exactly as the cells do, at every
/// zoom, scroll and inversion. Uses no widgets.
class FeatureTrack {
 public:
  static constexpr int kMaxRows = 4;
  static constexpr int kRowPixels = 13;
  /// Fewer pixels per feature in view than this, and the track shows their density instead.
  static constexpr double kMinPixelsPerFeature = 3;

  /// Features of the type "source" (a whole record) are left out.
  explicit FeatureTrack(std::shared_ptr<const core::FeatureTable> features);

  bool empty() const { return m_shown == 0; }
  const core::FeatureTable& features() const { return *m_features; }
  /// The rows in use (at most kMaxRows) and the pixels across they take.
  int rowCount() const { return int(m_rows.size()); }
  int thickness() const { return rowCount() * kRowPixels + 2; }
  /// The row a feature was packed into, -1 when it is one of the "+n".
  int rowOf(size_t feature) const;

  /// What falls into the visible range of the axis.
  struct InView {
    qint64 inRows = 0;
    qint64 hidden = 0;  // the "+n"
    bool density = false;
  };
  InView inView(const AxisGeometry& axis) const;

  /// The pixel span along the axis of positions first..last (1-based, inclusive), low to high.
  static std::pair<double, double> pixelSpan(const AxisGeometry& axis, qint64 first, qint64 last);

  /// The feature drawn at a pixel of the band (within two pixels along the axis), if any.
  std::optional<size_t> featureAt(const AxisGeometry& axis, const QRect& band, QPoint pixel) const;

  /// Draws the track into its band: beside the plot along a horizontal axis (rows grow upwards
  /// from the band's bottom) or a vertical one (rows grow leftwards from the band's right edge).
  void draw(QPainter& painter, const AxisGeometry& axis, const QRect& band) const;

 private:
  struct Item {
    qint64 start = 0;
    qint64 end = 0;
    quint32 feature = 0;
  };
  template <typename Visit>
  void forEachInView(const AxisGeometry& axis, Visit visit) const;
  void drawFeature(QPainter& painter, const AxisGeometry& axis, const QRect& band, int row,
                   const core::SequenceFeature& feature) const;
  void drawDensity(QPainter& painter, const AxisGeometry& axis, const QRect& band) const;

  std::shared_ptr<const core::FeatureTable> m_features;
  std::vector<std::vector<Item>> m_rows;  // each ordered by start, none overlapping
  std::vector<Item> m_hidden;             // ordered by start
  qint64 m_hiddenLongest = 0;
  std::vector<qint8> m_rowOf;
  qint64 m_shown = 0;
};

}  // namespace duvanet::render

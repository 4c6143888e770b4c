#include "render/FeatureTrack.h"

#include <QFontMetrics>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace duvanet::render {

FeatureClass featureClass(QStringView type) {
  if (type == u"gene" || type == u"pseudogene") return FeatureClass::Gene;
  if (type == u"mRNA" || type == u"transcript" || type == u"primary_transcript")
    return FeatureClass::Transcript;
  if (type == u"CDS") return FeatureClass::Cds;
  if (type == u"exon") return FeatureClass::Exon;
  if (type == u"rRNA" || type == u"tRNA") return FeatureClass::Rna;
  if (type == u"repeat_region" || type == u"mobile_element" || type == u"mobile_genetic_element")
    return FeatureClass::Repeat;
  return FeatureClass::Other;
}

QColor featureClassColour(FeatureClass group) {
  switch (group) {
    case FeatureClass::Gene:
      return QColor(46, 125, 50);
    case FeatureClass::Transcript:
      return QColor(30, 95, 200);
    case FeatureClass::Cds:
      return QColor(225, 115, 20);
    case FeatureClass::Exon:
      return QColor(0, 145, 150);
    case FeatureClass::Rna:
      return QColor(135, 55, 170);
    case FeatureClass::Repeat:
      return QColor(190, 35, 45);
    case FeatureClass::Other:
      break;
  }
  return QColor(115, 115, 115);
}

FeatureTrack::FeatureTrack(std::shared_ptr<const core::FeatureTable> features)
    : m_features(features ? std::move(features) : std::make_shared<const core::FeatureTable>()) {
  std::vector<Item> items;
  items.reserve(m_features->size());
  for (size_t i = 0; i < m_features->size(); ++i) {
    const core::SequenceFeature& feature = (*m_features)[i];
    if (feature.parts.empty() || feature.key == u"source") continue;
    const auto [start, end] = feature.extent();
    items.push_back({start, end, quint32(i)});
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const Item& a, const Item& b) { return a.start < b.start; });
  m_rowOf.assign(m_features->size(), -1);
  m_shown = qint64(items.size());
  // First fit: the first row whose last feature ends before this one starts.
  std::vector<qint64> rowEnds;
  for (const Item& item : items) {
    size_t row = 0;
    while (row < rowEnds.size() && rowEnds[row] >= item.start) ++row;
    if (row == rowEnds.size() && row < size_t(kMaxRows)) {
      rowEnds.push_back(0);
      m_rows.emplace_back();
    }
    if (row < rowEnds.size()) {
      rowEnds[row] = item.end;
      m_rows[row].push_back(item);
      m_rowOf[item.feature] = qint8(row);
    } else {
      m_hidden.push_back(item);
      m_hiddenLongest = std::max(m_hiddenLongest, item.end - item.start);
    }
  }
}

int FeatureTrack::rowOf(size_t feature) const {
  return feature < m_rowOf.size() ? m_rowOf[feature] : -1;
}

std::pair<double, double> FeatureTrack::pixelSpan(const AxisGeometry& axis, qint64 first,
                                                  qint64 last) {
  const double a = valueToPixel(axis, double(first));
  const double b = valueToPixel(axis, double(last) + 1);
  return {std::min(a, b), std::max(a, b)};
}

// Visits (row, item) for every item that reaches into the axis's visible values; row -1 for the
// hidden ones. Position p covers the values [p, p + 1).
template <typename Visit>
void FeatureTrack::forEachInView(const AxisGeometry& axis, Visit visit) const {
  const double low = std::min(axis.min, axis.max);
  const double high = std::max(axis.min, axis.max);
  for (size_t row = 0; row < m_rows.size(); ++row) {
    const std::vector<Item>& items = m_rows[row];
    // Within a row the ends grow with the starts.
    auto it = std::partition_point(items.begin(), items.end(),
                                   [&](const Item& item) { return double(item.end) + 1 <= low; });
    for (; it != items.end() && double(it->start) < high; ++it) visit(int(row), *it);
  }
  auto it = std::partition_point(m_hidden.begin(), m_hidden.end(), [&](const Item& item) {
    return double(item.start + m_hiddenLongest) + 1 <= low;
  });
  for (; it != m_hidden.end() && double(it->start) < high; ++it)
    if (double(it->end) + 1 > low) visit(-1, *it);
}

FeatureTrack::InView FeatureTrack::inView(const AxisGeometry& axis) const {
  InView result;
  forEachInView(axis, [&](int row, const Item&) { ++(row < 0 ? result.hidden : result.inRows); });
  const double pixels = std::abs(axis.end - axis.start);
  result.density = double(result.inRows + result.hidden) * kMinPixelsPerFeature > pixels;
  return result;
}

namespace {

// Turns track coordinates (along the axis, across the rows) into the band's pixels.
struct TrackFrame {
  bool vertical;
  QPointF point(double along, double across) const {
    return vertical ? QPointF(across, along) : QPointF(along, across);
  }
  QRectF rect(double along0, double along1, double across0, double across1) const {
    return QRectF(point(along0, across0), point(along1, across1)).normalized();
  }
};

// The rows lie from the plot side outwards: a row's extent across the band, low to high.
std::pair<double, double> rowAcross(const QRect& band, bool vertical, int row) {
  const double edge = vertical ? band.right() + 1 : band.bottom() + 1;
  const double outer = edge - (row + 1) * FeatureTrack::kRowPixels + 2;
  return {outer, outer + FeatureTrack::kRowPixels - 3};
}

}  // namespace

std::optional<size_t> FeatureTrack::featureAt(const AxisGeometry& axis, const QRect& band,
                                              QPoint pixel) const {
  if (!band.contains(pixel)) return std::nullopt;
  const bool vertical = axis.vertical;
  const double along = vertical ? pixel.y() : pixel.x();
  const double across = vertical ? pixel.x() : pixel.y();
  std::optional<size_t> best;
  double bestDistance = 3;
  forEachInView(axis, [&](int row, const Item& item) {
    if (row < 0) return;
    const auto [across0, across1] = rowAcross(band, vertical, row);
    if (across < across0 - 1 || across > across1 + 1) return;
    for (const core::FeatureLocationPart& part : (*m_features)[item.feature].parts) {
      const auto [p0, p1] = pixelSpan(axis, part.low(), part.high());
      const double distance = along < p0 ? p0 - along : along > p1 + 1 ? along - p1 - 1 : 0;
      if (distance < bestDistance) {
        bestDistance = distance;
        best = item.feature;
      }
    }
  });
  return best;
}

void FeatureTrack::draw(QPainter& painter, const AxisGeometry& axis, const QRect& band) const {
  if (empty() || band.isEmpty()) return;
  painter.save();
  painter.setClipRect(band);
  const InView view = inView(axis);
  if (view.density) {
    drawDensity(painter, axis, band);
  } else {
    QFont font = painter.font();
    font.setBold(false);
    font.setPixelSize(kRowPixels - 4);
    painter.setFont(font);
    forEachInView(axis, [&](int row, const Item& item) {
      if (row >= 0) drawFeature(painter, axis, band, row, (*m_features)[item.feature]);
    });
    if (view.hidden > 0) {
      const QString mark = QStringLiteral("+%1").arg(view.hidden);
      const QFontMetrics metrics(font);
      QRect box(0, 0, metrics.horizontalAdvance(mark) + 4, metrics.height());
      if (axis.vertical)
        box.moveBottomLeft(band.bottomLeft());
      else
        box.moveTopRight(band.topRight());
      painter.fillRect(box, Qt::white);
      painter.setPen(Qt::black);
      painter.drawText(box, Qt::AlignCenter, mark);
    }
  }
  painter.restore();
}

void FeatureTrack::drawFeature(QPainter& painter, const AxisGeometry& axis, const QRect& band,
                               int row, const core::SequenceFeature& feature) const {
  const TrackFrame frame{axis.vertical};
  const auto [across0, across1] = rowAcross(band, axis.vertical, row);
  const double middle = (across0 + across1) / 2;
  const QColor colour = featureClassColour(featureClass(feature.key));
  // Pixels grow with the positions unless the axis runs the other way.
  const bool growing = valueToPixel(axis, 2) > valueToPixel(axis, 1);
  const core::FeatureStrand strand = feature.strand();

  if (feature.parts.size() > 1) {
    const auto [first, last] = feature.extent();
    const auto [e0, e1] = pixelSpan(axis, first, last);
    painter.setPen(QPen(colour.darker(130), 1));
    painter.drawLine(frame.point(e0, middle), frame.point(e1, middle));
  }
  // The arrow head sits on the part at the feature's 3' end.
  const core::FeatureLocationPart* headPart = nullptr;
  for (const core::FeatureLocationPart& part : feature.parts) {
    if (strand == core::FeatureStrand::Forward && (!headPart || part.end > headPart->end))
      headPart = &part;
    if (strand == core::FeatureStrand::Reverse && (!headPart || part.start < headPart->start))
      headPart = &part;
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  double widest = -1;
  QRectF widestBox;
  for (const core::FeatureLocationPart& part : feature.parts) {
    auto [p0, p1] = pixelSpan(axis, part.low(), part.high());
    if (p1 - p0 < 1) p1 = p0 + 1;
    const double head = std::min(5.0, (p1 - p0) / 2);
    if (&part == headPart && head >= 2) {
      // Pointing to higher positions for the forward strand, lower ones for the reverse.
      const bool toHigh = (strand == core::FeatureStrand::Forward) == growing;
      QPolygonF shape;
      if (toHigh) {
        shape << frame.point(p0, across0) << frame.point(p1 - head, across0)
              << frame.point(p1, middle) << frame.point(p1 - head, across1)
              << frame.point(p0, across1);
      } else {
        shape << frame.point(p1, across0) << frame.point(p0 + head, across0)
              << frame.point(p0, middle) << frame.point(p0 + head, across1)
              << frame.point(p1, across1);
      }
      painter.drawPolygon(shape);
    } else {
      painter.drawRect(frame.rect(p0, p1, across0, across1 + 1));
    }
    if (p1 - p0 > widest) {
      widest = p1 - p0;
      widestBox = frame.rect(p0, p1, across0, across1 + 1);
    }
  }
  // The name inside the widest part, where it fits (within the band's visible part).
  const QRectF visible = widestBox.intersected(QRectF(band));
  const double room = axis.vertical ? visible.height() : visible.width();
  const QFontMetrics metrics(painter.font());
  if (room < 16) return;
  const QString name = feature.displayName();
  if (metrics.horizontalAdvance(name) + 8 > room) return;
  painter.setPen(colour.lightness() > 150 ? Qt::black : Qt::white);
  if (!axis.vertical) {
    painter.drawText(visible, Qt::AlignCenter, name);
    return;
  }
  painter.save();
  painter.translate(visible.center());
  painter.rotate(-90);
  painter.drawText(
      QRectF(-visible.height() / 2, -visible.width() / 2, visible.height(), visible.width()),
      Qt::AlignCenter, name);
  painter.restore();
}

void FeatureTrack::drawDensity(QPainter& painter, const AxisGeometry& axis,
                               const QRect& band) const {
  const int first = int(std::floor(std::min(axis.start, axis.end)));
  const int count = int(std::ceil(std::abs(axis.end - axis.start)));
  if (count <= 0) return;
  // Features per pixel, accumulated as differences: a feature costs two additions however long.
  std::vector<int> coverage(size_t(count) + 1, 0);
  forEachInView(axis, [&](int, const Item& item) {
    const auto [p0, p1] = pixelSpan(axis, item.start, item.end);
    const int from = std::clamp(int(std::floor(p0)) - first, 0, count - 1);
    const int to = std::clamp(int(std::ceil(p1)) - first, from + 1, count);
    ++coverage[size_t(from)];
    --coverage[size_t(to)];
  });
  int running = 0;
  int most = 0;
  for (int i = 0; i < count; ++i) {
    running += coverage[size_t(i)];
    coverage[size_t(i)] = running;
    most = std::max(most, running);
  }
  if (most == 0) return;
  const int thicknessAcross = axis.vertical ? band.width() : band.height();
  const QColor colour(55, 85, 140);
  for (int i = 0; i < count; ++i) {
    if (coverage[size_t(i)] == 0) continue;
    // A square root keeps lone features visible beside dense clusters.
    const int length = std::max(
        1, int(std::lround(std::sqrt(double(coverage[size_t(i)]) / most) * thicknessAcross)));
    if (axis.vertical)
      painter.fillRect(QRect(band.right() + 1 - length, first + i, length, 1), colour);
    else
      painter.fillRect(QRect(first + i, band.bottom() + 1 - length, 1, length), colour);
  }
}

}  // namespace duvanet::render

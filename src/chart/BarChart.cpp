#include "chart/BarChart.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "chart/AxisMath.h"

namespace duvanet::chart {

namespace {

// The automatic series colours, in the order series are created.
constexpr std::array<QRgb, 12> kSeriesColours = {
    qRgb(255, 0, 0),   qRgb(0, 128, 0),   qRgb(0, 0, 255),  qRgb(255, 128, 0),
    qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 64, 0), qRgb(255, 0, 255),
    qRgb(128, 128, 0), qRgb(0, 0, 128),   qRgb(128, 0, 0),  qRgb(0, 192, 0)};

constexpr double kMargin = 8;
constexpr double kTickLength = 4;
// The share of a category's width its bars take; the rest separates the groups.
constexpr double kGroupShare = 0.8;
// Value labels stand at least this many label heights apart.
constexpr double kValueLabelSpacing = 2.0;

QColor automaticColour(qsizetype series) {
  return QColor(kSeriesColours[size_t(series) % kSeriesColours.size()]);
}

QString valueText(double value) { return QString::number(value, 'f', 0); }

}  // namespace

// What the old point-by-point interface added, as a table.
class BarChart::PointTable : public BarTable {
 public:
  explicit PointTable(const std::vector<Series>& series) {
    std::map<double, QString> labels;
    for (const Series& s : series)
      for (const Point& point : s.points) {
        auto found = labels.find(point.x);
        if (found == labels.end())
          labels.emplace(point.x, point.label);
        else if (found->second.isEmpty())
          found->second = point.label;
      }
    std::map<double, qsizetype> column;
    for (const auto& [x, label] : labels) {
      column[x] = m_labels.size();
      m_labels << label;
    }
    for (const Series& s : series) {
      m_titles << s.title;
      std::vector<double> values(size_t(m_labels.size()), 0.0);
      for (const Point& point : s.points) values[size_t(column[point.x])] += point.y;
      for (const double v : values) m_highest = std::max(m_highest, v);
      m_values.push_back(std::move(values));
    }
  }
  qsizetype seriesCount() const override { return qsizetype(m_values.size()); }
  qsizetype categoryCount() const override { return m_labels.size(); }
  QString seriesTitle(qsizetype series) const override { return m_titles.value(series); }
  QString categoryLabel(qsizetype category) const override { return m_labels.value(category); }
  double value(qsizetype series, qsizetype category) const override {
    if (series < 0 || series >= seriesCount() || category < 0 || category >= categoryCount())
      return 0;
    return m_values[size_t(series)][size_t(category)];
  }
  void forEachValue(qsizetype series,
                    const std::function<void(qsizetype, double)>& visit) const override {
    if (series < 0 || series >= seriesCount()) return;
    const std::vector<double>& values = m_values[size_t(series)];
    for (size_t c = 0; c < values.size(); ++c)
      if (values[c] != 0) visit(qsizetype(c), values[c]);
  }
  double highest() const override { return m_highest; }

 private:
  QStringList m_titles;
  QStringList m_labels;
  std::vector<std::vector<double>> m_values;
  double m_highest = 0;
};

struct BarChart::Layout {
  QRectF target;
  QRectF plot;
  QRectF legend;
  qsizetype legendRows = 0;  // titles shown; a last row tells how many more there are
  double top = 1;
  double step = 1;
  qsizetype labelEvery = 1;
  double first = 0;
  double last = 1;
  double categoryWidth = 1;
};

// Where several series share a pixel column of a category's group, the highest of them.
struct BarChart::Buckets {
  const BarTable* table = nullptr;
  double groupWidth = 0;
  qsizetype firstCategory = 0;
  qsizetype lastCategory = 0;
  qsizetype columns = 0;
  // For category c and pixel column k: value and series at [(c - first) * columns + k].
  std::vector<double> values;
  std::vector<qsizetype> series;
};

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(false);
  m_labelFont = font();
  m_labelFont.setPixelSize(13);
  m_labelFont.setBold(true);
  m_textFont = font();
  m_textFont.setPixelSize(std::max(9, QFontInfo(font()).pixelSize()));
}

BarChart::~BarChart() = default;

void BarChart::changed() {
  m_pointTableStale = true;
  m_widestLabel = -1;
  m_buckets.reset();
  update();
}

const BarTable* BarChart::table() const {
  if (m_table) return m_table.get();
  if (m_series.empty()) return nullptr;
  if (m_pointTableStale) {
    m_pointTable = std::make_shared<PointTable>(m_series);
    m_pointTableStale = false;
  }
  return m_pointTable.get();
}

void BarChart::removeAllSeries() {
  m_series.clear();
  m_table.reset();
  m_pointTable.reset();
  m_zoomed = false;
  changed();
}

void BarChart::setTable(std::shared_ptr<const BarTable> table) {
  m_series.clear();
  m_pointTable.reset();
  m_table = std::move(table);
  m_zoomed = false;
  changed();
}

int BarChart::createBarSeries() {
  if (m_table) {
    m_table.reset();
    m_zoomed = false;
  }
  m_series.emplace_back();
  changed();
  return int(m_series.size()) - 1;
}

qsizetype BarChart::seriesCount() const {
  if (m_table) return m_table->seriesCount();
  return qsizetype(m_series.size());
}

void BarChart::setSeriesTitle(int series, const QString& title) {
  if (series < 0 || series >= int(m_series.size())) return;
  m_series[size_t(series)].title = title;
  changed();
}

QString BarChart::seriesTitle(qsizetype series) const {
  const BarTable* bars = table();
  return bars && series >= 0 && series < bars->seriesCount() ? bars->seriesTitle(series)
                                                             : QString();
}

void BarChart::setStackGroup(int series, int group) {
  if (series >= 0 && series < int(m_series.size())) m_series[size_t(series)].stackGroup = group;
}

int BarChart::stackGroup(int series) const {
  return series >= 0 && series < int(m_series.size()) ? m_series[size_t(series)].stackGroup : 0;
}

void BarChart::setMarksVisible(int series, bool visible) {
  if (series >= 0 && series < int(m_series.size())) m_series[size_t(series)].marks = visible;
}

bool BarChart::marksVisible(int series) const {
  if (m_table) return false;
  return series >= 0 && series < int(m_series.size()) && m_series[size_t(series)].marks;
}

void BarChart::addBarPoint(int series, double x, double y, const QString& label, QColor colour) {
  if (series < 0 || series >= int(m_series.size())) return;
  m_series[size_t(series)].points.push_back({x, y, label, colour});
  if (colour.isValid()) m_series[size_t(series)].colour = colour;
  changed();
}

QStringList BarChart::categories() const {
  QStringList labels;
  if (const BarTable* bars = table())
    for (qsizetype c = 0; c < bars->categoryCount(); ++c) labels << bars->categoryLabel(c);
  return labels;
}

double BarChart::value(qsizetype series, qsizetype category) const {
  const BarTable* bars = table();
  return bars ? bars->value(series, category) : 0;
}

QColor BarChart::seriesColour(qsizetype series) const {
  if (!m_table && series >= 0 && series < qsizetype(m_series.size()) &&
      m_series[size_t(series)].colour.isValid())
    return m_series[size_t(series)].colour;
  return automaticColour(series);
}

void BarChart::setLegendVisible(bool visible) {
  m_legendVisible = visible;
  update();
}

void BarChart::setLabelFont(const QFont& font) {
  m_labelFont = font;
  if (m_labelFont.pixelSize() <= 0) m_labelFont.setPixelSize(QFontInfo(font).pixelSize());
  m_widestLabel = -1;
  update();
}

double BarChart::widestLabel() const {
  if (m_widestLabel < 0) {
    m_widestLabel = 0;
    const QFontMetricsF metrics(m_labelFont);
    if (const BarTable* bars = table())
      for (qsizetype c = 0; c < bars->categoryCount(); ++c)
        m_widestLabel = std::max(m_widestLabel, metrics.horizontalAdvance(bars->categoryLabel(c)));
  }
  return m_widestLabel;
}

bool BarChart::isZoomed() const { return m_zoomed; }

void BarChart::setView(double first, double last) {
  const BarTable* bars = table();
  const double count = bars ? double(bars->categoryCount()) : 0;
  if (count <= 0) return;
  const double span = std::clamp(last - first, std::min(1.0, count), count);
  first = std::clamp(first, 0.0, count - span);
  m_viewFirst = first;
  m_viewLast = first + span;
  m_zoomed = first > 1e-9 || m_viewLast < count - 1e-9;
  m_buckets.reset();
  update();
}

BarChart::Layout BarChart::layoutFor(const QRectF& target) const {
  Layout layout;
  layout.target = target;
  const BarTable* bars = table();
  const QFontMetricsF labels(m_labelFont);
  const QFontMetricsF text(m_textFont);
  const double count = bars ? double(bars->categoryCount()) : 0;
  layout.first = m_zoomed ? m_viewFirst : 0;
  layout.last = m_zoomed ? m_viewLast : std::max(count, 1.0);

  // The legend at the right, as many titles as fit from the top.
  double right = target.right() - kMargin;
  const qsizetype series = bars ? bars->seriesCount() : 0;
  if (m_legendVisible && series > 0) {
    const double rowHeight = text.height() + 2;
    const double room = std::max(rowHeight, target.height() - 2 * kMargin);
    const auto fitting = qsizetype(std::floor((room - 6) / rowHeight));
    layout.legendRows = std::clamp<qsizetype>(series, 0, std::max<qsizetype>(fitting, 1));
    if (layout.legendRows < series) layout.legendRows = std::max<qsizetype>(0, fitting - 1);
    double widest = 0;
    for (qsizetype i = 0; i < layout.legendRows; ++i)
      widest = std::max(widest, text.horizontalAdvance(bars->seriesTitle(i)));
    if (layout.legendRows < series)
      widest = std::max(
          widest,
          text.horizontalAdvance(QStringLiteral("and %L1 more").arg(series - layout.legendRows)));
    const double width = std::min(widest + 28, target.width() / 3);
    const qsizetype rows = layout.legendRows + (layout.legendRows < series ? 1 : 0);
    layout.legend =
        QRectF(right - width, target.top() + kMargin, width, double(rows) * rowHeight + 6);
    right = layout.legend.left() - kMargin;
  }

  // The value axis: its step from its length, so that labels never crowd.
  const double highest = bars ? std::max(bars->highest(), 0.0) : 0;
  const double bottom = target.bottom() - kMargin - labels.height() - kTickLength - 2;
  const double topEdge = target.top() + kMargin + labels.height() / 2;
  const double height = std::max(1.0, bottom - topEdge);
  const double minPixels = labels.height() * kValueLabelSpacing;
  // An axis too short for two labels at that distance gets one step: 0 and the top.
  const double span = std::max(height, minPixels);
  double step = tickStep(std::max(highest, 1.0), span, minPixels, 1);
  double topValue = std::max(step, std::ceil(highest / step) * step);
  const double wider = tickStep(topValue, span, minPixels, 1);
  if (wider > step) {
    step = wider;
    topValue = std::max(step, std::ceil(highest / step) * step);
  }
  layout.top = topValue;
  layout.step = step;
  const double left =
      target.left() + kMargin + labels.horizontalAdvance(valueText(topValue)) + kTickLength + 4;
  layout.plot = QRectF(QPointF(left, topEdge), QPointF(std::max(left + 1, right), bottom));

  // The categories: every label where they fit, else every n-th.
  layout.categoryWidth = layout.plot.width() / std::max(1e-9, layout.last - layout.first);
  const double needed = widestLabel() + labels.horizontalAdvance(QLatin1Char(' ')) * 1.5;
  layout.labelEvery = std::max<qsizetype>(1, qsizetype(std::ceil(needed / layout.categoryWidth)));
  return layout;
}

BarChartAxes BarChart::axesAt(QSize size) const {
  const Layout layout = layoutFor(QRectF(QPointF(0, 0), QSizeF(size)));
  return BarChartAxes{layout.top, layout.step, layout.labelEvery, layout.plot};
}

const BarChart::Buckets& BarChart::bucketsFor(const Layout& layout) const {
  const BarTable* bars = table();
  const double groupWidth = layout.categoryWidth * kGroupShare;
  const auto firstCategory = qsizetype(std::floor(layout.first));
  const auto lastCategory =
      std::min(bars->categoryCount(), qsizetype(std::ceil(layout.last - 1e-9)));
  if (m_buckets && m_buckets->table == bars && m_buckets->groupWidth == groupWidth &&
      m_buckets->firstCategory == firstCategory && m_buckets->lastCategory == lastCategory)
    return *m_buckets;
  auto buckets = std::make_shared<Buckets>();
  buckets->table = bars;
  buckets->groupWidth = groupWidth;
  buckets->firstCategory = firstCategory;
  buckets->lastCategory = lastCategory;
  buckets->columns = std::max<qsizetype>(1, qsizetype(std::ceil(groupWidth)));
  const size_t cells =
      size_t(std::max<qsizetype>(0, lastCategory - firstCategory)) * size_t(buckets->columns);
  buckets->values.assign(cells, 0.0);
  buckets->series.assign(cells, -1);
  const qsizetype series = bars->seriesCount();
  const double perSeries = groupWidth / double(series);
  for (qsizetype s = 0; s < series; ++s) {
    const auto column =
        std::min(buckets->columns - 1, qsizetype(std::floor(double(s) * perSeries)));
    bars->forEachValue(s, [&](qsizetype category, double value) {
      if (category < firstCategory || category >= lastCategory) return;
      const size_t at =
          size_t(category - firstCategory) * size_t(buckets->columns) + size_t(column);
      if (value > buckets->values[at]) {
        buckets->values[at] = value;
        buckets->series[at] = s;
      }
    });
  }
  m_buckets = std::move(buckets);
  return *m_buckets;
}

void BarChart::renderChart(QPainter& painter, const QRect& target) const {
  painter.save();
  painter.fillRect(target, Qt::white);
  const Layout layout = layoutFor(QRectF(target));
  const QRectF& plot = layout.plot;
  const BarTable* bars = table();
  const QFontMetricsF labels(m_labelFont);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);

  // Grid lines and the value axis.
  painter.setFont(m_labelFont);
  for (const double v : tickValues(0, layout.top, layout.step)) {
    const double y = plot.bottom() - v / layout.top * plot.height();
    painter.setPen(QColor(220, 220, 220));
    if (v > 0) painter.drawLine(QLineF(plot.left(), y, plot.right(), y));
    painter.setPen(Qt::black);
    painter.drawLine(QLineF(plot.left() - kTickLength, y, plot.left(), y));
    const QString text = valueText(v);
    painter.drawText(QRectF(target.left(), y - labels.height() / 2,
                            plot.left() - kTickLength - 3 - target.left(), labels.height()),
                     Qt::AlignRight | Qt::AlignVCenter, text);
  }

  if (bars && bars->seriesCount() > 0 && bars->categoryCount() > 0) {
    const qsizetype seriesTotal = bars->seriesCount();
    const auto firstCategory = qsizetype(std::floor(layout.first));
    const auto lastCategory =
        std::min(bars->categoryCount(), qsizetype(std::ceil(layout.last - 1e-9)));
    const double groupWidth = layout.categoryWidth * kGroupShare;
    const double barWidth = groupWidth / double(seriesTotal);
    const auto heightOf = [&](double v) { return v / layout.top * plot.height(); };
    const auto categoryLeft = [&](qsizetype c) {
      return plot.left() + (double(c) - layout.first) * layout.categoryWidth;
    };

    painter.save();
    painter.setClipRect(plot);
    if (barWidth >= 1) {
      for (qsizetype c = firstCategory; c < lastCategory; ++c) {
        const double groupLeft = categoryLeft(c) + layout.categoryWidth * (1 - kGroupShare) / 2;
        for (qsizetype s = 0; s < seriesTotal; ++s) {
          const double x = groupLeft + double(s) * barWidth;
          if (x > plot.right() || x + barWidth < plot.left()) continue;
          const double v = bars->value(s, c);
          if (v <= 0) continue;
          const double h = heightOf(v);
          painter.fillRect(QRectF(x, plot.bottom() - h, barWidth, h), seriesColour(s));
        }
      }
    } else {
      const Buckets& buckets = bucketsFor(layout);
      for (qsizetype c = firstCategory; c < lastCategory; ++c) {
        const double groupLeft = categoryLeft(c) + layout.categoryWidth * (1 - kGroupShare) / 2;
        const size_t row = size_t(c - firstCategory) * size_t(buckets.columns);
        for (qsizetype k = 0; k < buckets.columns; ++k) {
          const qsizetype s = buckets.series[row + size_t(k)];
          if (s < 0) continue;
          const double h = heightOf(buckets.values[row + size_t(k)]);
          const double x = groupLeft + double(k);
          painter.fillRect(QRectF(x, plot.bottom() - h, std::min(1.0, groupWidth - double(k)), h),
                           seriesColour(s));
        }
      }
    }
    painter.restore();

    // The category axis: ticks between the categories where there is room, labels at every
    // labelEvery-th category.
    painter.setPen(Qt::black);
    for (qsizetype c = firstCategory; c < lastCategory; ++c) {
      const double left = categoryLeft(c);
      if (layout.categoryWidth >= 4 && left >= plot.left() - 0.5)
        painter.drawLine(QLineF(left, plot.bottom(), left, plot.bottom() + kTickLength));
      if (c % layout.labelEvery != 0) continue;
      const double centre = left + layout.categoryWidth / 2;
      if (centre < plot.left() - 0.5 || centre > plot.right() + 0.5) continue;
      const double width = layout.categoryWidth * double(layout.labelEvery);
      painter.drawText(
          QRectF(centre - width / 2, plot.bottom() + kTickLength + 1, width, labels.height()),
          Qt::AlignHCenter | Qt::AlignTop, bars->categoryLabel(c));
    }
  }

  painter.setPen(Qt::black);
  painter.drawLine(QLineF(plot.left(), plot.top(), plot.left(), plot.bottom()));
  painter.drawLine(QLineF(plot.left(), plot.bottom(), plot.right(), plot.bottom()));

  // The legend: a colour and the title of each series that fits.
  if (!layout.legend.isEmpty()) {
    painter.setFont(m_textFont);
    const QFontMetricsF text(m_textFont);
    const double rowHeight = text.height() + 2;
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(layout.legend);
    double y = layout.legend.top() + 3;
    for (qsizetype i = 0; i < layout.legendRows; ++i, y += rowHeight) {
      painter.fillRect(QRectF(layout.legend.left() + 5, y + rowHeight / 2 - 4, 10, 8),
                       seriesColour(i));
      const QRectF textRect(layout.legend.left() + 20, y, layout.legend.width() - 24, rowHeight);
      painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                       text.elidedText(bars->seriesTitle(i), Qt::ElideRight, textRect.width()));
    }
    if (layout.legendRows < bars->seriesCount()) {
      const QRectF textRect(layout.legend.left() + 20, y, layout.legend.width() - 24, rowHeight);
      painter.drawText(
          textRect, Qt::AlignLeft | Qt::AlignVCenter,
          text.elidedText(
              QStringLiteral("and %L1 more").arg(bars->seriesCount() - layout.legendRows),
              Qt::ElideRight, textRect.width()));
    }
  }
  painter.restore();
}

QString BarChart::toolTipAt(const QPointF& point) const {
  const BarTable* bars = table();
  if (!bars || bars->seriesCount() == 0 || bars->categoryCount() == 0) return {};
  const Layout layout = layoutFor(QRectF(rect()));
  if (!layout.plot.contains(point)) return {};
  const double at = layout.first + (point.x() - layout.plot.left()) / layout.categoryWidth;
  const auto category = qsizetype(std::floor(at));
  if (category < 0 || category >= bars->categoryCount()) return {};
  const double groupWidth = layout.categoryWidth * kGroupShare;
  const double offset =
      (at - double(category)) * layout.categoryWidth - layout.categoryWidth * (1 - kGroupShare) / 2;
  if (offset < 0 || offset >= groupWidth) return {};
  const qsizetype seriesTotal = bars->seriesCount();
  const double barWidth = groupWidth / double(seriesTotal);
  qsizetype series = -1;
  if (barWidth >= 1) {
    series = std::min(seriesTotal - 1, qsizetype(offset / barWidth));
  } else {
    const Buckets& buckets = bucketsFor(layout);
    const auto column = std::min(buckets.columns - 1, qsizetype(offset));
    series = buckets.series[size_t(category - buckets.firstCategory) * size_t(buckets.columns) +
                            size_t(column)];
  }
  if (series < 0) return {};
  return QStringLiteral("%1: %2 = %3")
      .arg(bars->seriesTitle(series), bars->categoryLabel(category),
           valueText(bars->value(series, category)));
}

bool BarChart::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty())
      QToolTip::showText(help->globalPos(), toolTip(), this);
    else
      QToolTip::showText(help->globalPos(), text, this);
    return true;
  }
  return QWidget::event(event);
}

void BarChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  renderChart(painter, rect());
}

void BarChart::wheelEvent(QWheelEvent* event) {
  const BarTable* bars = table();
  const int steps = event->angleDelta().y() / 120;
  if (!bars || steps == 0) return QWidget::wheelEvent(event);
  const Layout layout = layoutFor(QRectF(rect()));
  const double at =
      layout.first + (event->position().x() - layout.plot.left()) / layout.categoryWidth;
  const double factor = std::pow(0.8, steps);
  const double first = at - (at - layout.first) * factor;
  const double last = at + (layout.last - at) * factor;
  setView(first, last);
  if (!m_zoomed) zoomReset();
  event->accept();
}

void BarChart::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && m_zoomed) {
    m_dragStartX = event->position().x();
    m_dragStartFirst = m_viewFirst;
    setCursor(Qt::ClosedHandCursor);
  }
  QWidget::mousePressEvent(event);
}

void BarChart::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragStartX >= 0 && m_zoomed) {
    const Layout layout = layoutFor(QRectF(rect()));
    const double shift = (event->position().x() - m_dragStartX) / layout.categoryWidth;
    const double span = m_viewLast - m_viewFirst;
    setView(m_dragStartFirst - shift, m_dragStartFirst - shift + span);
  }
  QWidget::mouseMoveEvent(event);
}

void BarChart::mouseReleaseEvent(QMouseEvent* event) {
  m_dragStartX = -1;
  unsetCursor();
  QWidget::mouseReleaseEvent(event);
}

ChartRenderer BarChart::renderer() {
  return [this](QPainter& painter, const QRect& target, const PictureTarget&) {
    renderChart(painter, target);
  };
}

QImage BarChart::renderImage(QSize size) const {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderChart(painter, QRect(QPoint(0, 0), size));
  return image;
}

bool BarChart::exportToFile(const QString& path, ChartImageFormat format) {
  return exportChart(renderer(), size(), path, format);
}

bool BarChart::showExportDialog(QWidget* owner, FileDialogs& dialogs) {
  // The statistics chart is written at its size on screen.
  return showChartExportDialog(
      owner, renderer(), size(), dialogs, {},
      [](QWidget*, ChartImageFormat, const PictureSize& initial) { return initial; });
}

void BarChart::showPrintPreview(QWidget* owner, const QString& title) {
  showChartPrintPreview(owner, renderer(), size(), title);
}

void BarChart::copyToClipboard() { QGuiApplication::clipboard()->setImage(renderImage(size())); }

void BarChart::zoomIn() {
  const BarTable* bars = table();
  if (!bars || bars->categoryCount() == 0) return;
  const double first = m_zoomed ? m_viewFirst : 0;
  const double last = m_zoomed ? m_viewLast : double(bars->categoryCount());
  const double middle = (first + last) / 2;
  const double half = (last - first) / 4;
  setView(middle - half, middle + half);
}

void BarChart::zoomOut() {
  if (!m_zoomed) return;
  const double middle = (m_viewFirst + m_viewLast) / 2;
  const double span = m_viewLast - m_viewFirst;
  setView(middle - span, middle + span);
}

void BarChart::zoomReset() {
  m_zoomed = false;
  m_viewFirst = 0;
  m_viewLast = 0;
  m_buckets.reset();
  update();
}

ChartCommandBar::ChartCommandBar(BarChart* chart, QWidget* parent)
    : QToolBar(parent), m_chart(chart) {
  setObjectName(QStringLiteral("chartCommandBar"));
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  const auto make = [this](const char* name, const QString& text, QStyle::StandardPixmap icon) {
    QAction* action = addAction(style()->standardIcon(icon), text);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(text);
    return action;
  };
  m_zoomIn = make("acZoomIn", QStringLiteral("Zoom in"), QStyle::SP_ArrowUp);
  m_zoomOut = make("acZoomOut", QStringLiteral("Zoom out"), QStyle::SP_ArrowDown);
  m_reset = make("acZoomReset", QStringLiteral("Reset"), QStyle::SP_BrowserReload);
  addSeparator();
  m_save = make("acSave", QStringLiteral("Save"), QStyle::SP_DialogSaveButton);
  m_copy = make("acCopy", QStringLiteral("Copy"), QStyle::SP_FileDialogDetailedView);
  m_print = make("acPrint", QStringLiteral("Print"), QStyle::SP_FileIcon);
  connect(m_zoomIn, &QAction::triggered, chart, &BarChart::zoomIn);
  connect(m_zoomOut, &QAction::triggered, chart, &BarChart::zoomOut);
  connect(m_reset, &QAction::triggered, chart, &BarChart::zoomReset);
  connect(m_save, &QAction::triggered, this,
          [this] { m_chart->showExportDialog(window(), *m_dialogs); });
  connect(m_copy, &QAction::triggered, chart, &BarChart::copyToClipboard);
  connect(m_print, &QAction::triggered, this,
          [this] { m_chart->showPrintPreview(window(), m_printTitle); });
}

}  // namespace duvanet::chart

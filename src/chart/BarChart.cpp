#include "chart/BarChart.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QLegend>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <map>

namespace duvanet::chart {

BarChart::BarChart(QWidget* parent) : QWidget(parent) {
  m_chart = new QChart();
  m_chart->setBackgroundBrush(Qt::white);
  m_chart->setBackgroundRoundness(0);
  m_chart->legend()->setVisible(false);
  m_chart->legend()->setAlignment(Qt::AlignRight);
  m_view = new QChartView(m_chart, this);
  m_view->setRenderHint(QPainter::Antialiasing);
  m_view->setBackgroundBrush(Qt::white);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
}

BarChart::~BarChart() = default;

void BarChart::changed() {
  m_dirty = true;
  if (m_rebuildQueued) return;
  m_rebuildQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_rebuildQueued = false;
        rebuild();
      },
      Qt::QueuedConnection);
}

void BarChart::removeAllSeries() {
  m_series.clear();
  changed();
}

int BarChart::createBarSeries() {
  m_series.emplace_back();
  changed();
  return seriesCount() - 1;
}

void BarChart::setSeriesTitle(int series, const QString& title) {
  if (series < 0 || series >= seriesCount()) return;
  m_series[series].title = title;
  changed();
}

QString BarChart::seriesTitle(int series) const {
  return series >= 0 && series < seriesCount() ? m_series[series].title : QString();
}

void BarChart::setStackGroup(int series, int group) {
  if (series >= 0 && series < seriesCount()) m_series[series].stackGroup = group;
}

int BarChart::stackGroup(int series) const {
  return series >= 0 && series < seriesCount() ? m_series[series].stackGroup : 0;
}

void BarChart::setMarksVisible(int series, bool visible) {
  if (series < 0 || series >= seriesCount()) return;
  m_series[series].marks = visible;
  changed();
}

bool BarChart::marksVisible(int series) const {
  return series >= 0 && series < seriesCount() && m_series[series].marks;
}

void BarChart::addBarPoint(int series, double x, double y, const QString& label, QColor colour) {
  if (series < 0 || series >= seriesCount()) return;
  m_series[series].points.push_back({x, y, label, colour});
  changed();
}

void BarChart::setLegendVisible(bool visible) {
  m_legendVisible = visible;
  m_chart->legend()->setVisible(visible);
}

void BarChart::rebuild() {
  if (!m_dirty) return;
  m_dirty = false;
  m_chart->removeAllSeries();
  for (QAbstractAxis* axis : m_chart->axes()) {
    m_chart->removeAxis(axis);
    delete axis;
  }
  m_barSeries = nullptr;
  if (m_series.empty()) return;
  // One category per distinct x, labelled by the first label given there.
  std::map<double, QString> labels;
  for (const Series& series : m_series)
    for (const Point& point : series.points)
      if (labels.find(point.x) == labels.end() || labels[point.x].isEmpty())
        labels[point.x] = point.label;
  std::map<double, int> column;
  QStringList categories;
  for (const auto& [x, label] : labels) {
    column[x] = static_cast<int>(categories.size());
    categories << label;
  }
  m_barSeries = new QBarSeries();
  double highest = 0;
  bool marks = false;
  for (const Series& series : m_series) {
    auto* set = new QBarSet(series.title);
    QList<qreal> values(categories.size(), 0.0);
    for (const Point& point : series.points) {
      values[column[point.x]] += point.y;
      highest = std::max(highest, values[column[point.x]]);
      if (point.colour.isValid()) set->setColor(point.colour);
    }
    set->append(values);
    m_barSeries->append(set);
    marks = marks || series.marks;
  }
  m_barSeries->setLabelsVisible(marks);
  m_chart->addSeries(m_barSeries);
  auto* axisX = new QBarCategoryAxis();
  axisX->append(categories);
  m_chart->addAxis(axisX, Qt::AlignBottom);
  m_barSeries->attachAxis(axisX);
  auto* axisY = new QValueAxis();
  axisY->setRange(0, highest > 0 ? highest * 1.05 : 1);
  axisY->setLabelFormat(QStringLiteral("%g"));
  axisY->applyNiceNumbers();
  m_chart->addAxis(axisY, Qt::AlignLeft);
  m_barSeries->attachAxis(axisY);
  m_chart->legend()->setVisible(m_legendVisible);
}

QStringList BarChart::categories() {
  rebuild();
  for (QAbstractAxis* axis : m_chart->axes(Qt::Horizontal))
    if (auto* categoryAxis = qobject_cast<QBarCategoryAxis*>(axis))
      return categoryAxis->categories();
  return {};
}

QBarSeries* BarChart::barSeries() {
  rebuild();
  return m_barSeries;
}

void BarChart::renderChart(QPainter& painter, const QRect& target) {
  rebuild();
  painter.fillRect(target, Qt::white);
  m_view->render(&painter, QRectF(target), m_view->viewport()->rect());
}

ChartRenderer BarChart::renderer() {
  return [this](QPainter& painter, const QRect& target, const PictureTarget&) {
    renderChart(painter, target);
  };
}

QImage BarChart::renderImage(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderChart(painter, QRect(QPoint(0, 0), size));
  return image;
}

bool BarChart::exportToFile(const QString& path, ChartImageFormat format) {
  return exportChart(renderer(), m_view->viewport()->size(), path, format);
}

bool BarChart::showExportDialog(QWidget* owner, FileDialogs& dialogs) {
  // The statistics chart is written at its size on screen.
  return showChartExportDialog(
      owner, renderer(), m_view->viewport()->size(), dialogs, {},
      [](QWidget*, ChartImageFormat, const PictureSize& initial) { return initial; });
}

void BarChart::showPrintPreview(QWidget* owner, const QString& title) {
  showChartPrintPreview(owner, renderer(), m_view->viewport()->size(), title);
}

void BarChart::copyToClipboard() {
  QGuiApplication::clipboard()->setImage(renderImage(m_view->viewport()->size()));
}

void BarChart::zoomIn() {
  rebuild();
  m_chart->zoomIn();
}
void BarChart::zoomOut() {
  rebuild();
  m_chart->zoomOut();
}
void BarChart::zoomReset() {
  rebuild();
  m_chart->zoomReset();
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

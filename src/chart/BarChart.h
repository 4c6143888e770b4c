#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QWidget>
#include <vector>

#include "chart/ChartExport.h"

class QAction;
class QBarSeries;
class QChart;
class QChartView;

namespace duvanet::chart {

/// A bar chart on Qt Charts: one bar set per series, side by side at each x (not stacked), the
/// points' labels on the bottom axis, series titles in a legend that starts hidden.
class BarChart : public QWidget {
  Q_OBJECT
 public:
  explicit BarChart(QWidget* parent = nullptr);
  ~BarChart() override;

  QChart* chart() const { return m_chart; }
  QChartView* view() const { return m_view; }

  /// No series afterwards.
  void removeAllSeries();
  /// A new empty series with its own automatic colour; returns its index.
  int createBarSeries();
  int seriesCount() const { return static_cast<int>(m_series.size()); }
  void setSeriesTitle(int series, const QString& title);
  QString seriesTitle(int series) const;
  /// Stored only: the series always stand side by side.
  void setStackGroup(int series, int group);
  int stackGroup(int series) const;
  void setMarksVisible(int series, bool visible);
  bool marksVisible(int series) const;
  /// Adds a bar at x with height y; the bottom axis shows the label at x. An invalid colour is
  /// the series' automatic colour.
  void addBarPoint(int series, double x, double y, const QString& label, QColor colour = QColor());

  bool legendVisible() const { return m_legendVisible; }
  void setLegendVisible(bool visible);

  /// Applies pending changes to the Qt chart now (otherwise done from the event loop).
  void rebuild();
  /// The category labels of the bottom axis, in x order.
  QStringList categories();
  QBarSeries* barSeries();

  void renderChart(QPainter& painter, const QRect& target);
  ChartRenderer renderer();
  QImage renderImage(QSize size);
  bool exportToFile(const QString& path, ChartImageFormat format);
  bool showExportDialog(QWidget* owner, duvanet::chart::FileDialogs& dialogs);
  void showPrintPreview(QWidget* owner, const QString& title = QString());
  void copyToClipboard();
  void zoomIn();
  void zoomOut();
  void zoomReset();

 private:
  struct Point {
    double x;
    double y;
    QString label;
    QColor colour;
  };
  struct Series {
    QString title;
    int stackGroup = 0;
    bool marks = true;
    std::vector<Point> points;
  };
  void changed();

  QChart* m_chart = nullptr;
  QChartView* m_view = nullptr;
  QBarSeries* m_barSeries = nullptr;
  std::vector<Series> m_series;
  bool m_legendVisible = false;
  bool m_dirty = false;
  bool m_rebuildQueued = false;
};

/// The chart's command tool bar: zoom in, zoom out, reset, save, copy, print.
class ChartCommandBar : public QToolBar {
  Q_OBJECT
 public:
  ChartCommandBar(BarChart* chart, QWidget* parent = nullptr);
  /// The dialogs "Save" asks for the file with; not owned. The real ones until set.
  void setFileDialogs(duvanet::chart::FileDialogs* dialogs) {
    m_dialogs = dialogs ? dialogs : &m_ownDialogs;
  }
  /// The title of the print preview; empty keeps the dialog's own.
  void setPrintTitle(const QString& title) { m_printTitle = title; }

  QAction* zoomInAction() const { return m_zoomIn; }
  QAction* zoomOutAction() const { return m_zoomOut; }
  QAction* resetAction() const { return m_reset; }
  QAction* saveAction() const { return m_save; }
  QAction* copyAction() const { return m_copy; }
  QAction* printAction() const { return m_print; }

 private:
  BarChart* m_chart = nullptr;
  duvanet::chart::QtFileDialogs m_ownDialogs;
  duvanet::chart::FileDialogs* m_dialogs = &m_ownDialogs;
  QString m_printTitle;
  QAction* m_zoomIn = nullptr;
  QAction* m_zoomOut = nullptr;
  QAction* m_reset = nullptr;
  QAction* m_save = nullptr;
  QAction* m_copy = nullptr;
  QAction* m_print = nullptr;
};

}  // namespace duvanet::chart

#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "chart/ChartExport.h"

class QAction;

namespace duvanet::chart {

/// The values a bar chart draws: one value per series and category, read while drawing, so a
/// table of a million series costs the chart nothing per value.
class BarTable {
 public:
  virtual ~BarTable() = default;
  virtual qsizetype seriesCount() const = 0;
  virtual qsizetype categoryCount() const = 0;
  virtual QString seriesTitle(qsizetype series) const = 0;
  virtual QString categoryLabel(qsizetype category) const = 0;
  virtual double value(qsizetype series, qsizetype category) const = 0;
  /// Calls visit(category, value) for every value of the series that is not 0, in any order.
  virtual void forEachValue(qsizetype series,
                            const std::function<void(qsizetype, double)>& visit) const = 0;
  /// The highest value; 0 for an empty table.
  virtual double highest() const = 0;
};

/// How the axes are labelled at the chart's current size (for the axis tests).
struct BarChartAxes {
  /// The value axis runs from 0 to top, labelled every step.
  double top = 1;
  double step = 1;
  /// Every labelEvery-th category is labelled, the first visible one included.
  qsizetype labelEvery = 1;
  /// The plot area in the chart's pixels.
  QRectF plot;
};

/// A bar chart drawn by the widget itself: the series stand side by side at each category (not
/// stacked), the categories' labels below, the series titles in a legend that starts hidden.
/// Where the bars of several series fall on one pixel, the pixel shows the highest of them, so
/// any number of series can be drawn. The value axis chooses its step from its length; the
/// category labels thin out to every n-th where they do not all fit.
class BarChart : public QWidget {
  Q_OBJECT
 public:
  explicit BarChart(QWidget* parent = nullptr);
  ~BarChart() override;

  /// No series afterwards.
  void removeAllSeries();
  /// Draws the table (replacing every series); null draws nothing.
  void setTable(std::shared_ptr<const BarTable> table);

  /// A new empty series with its own automatic colour; returns its index.
  int createBarSeries();
  qsizetype seriesCount() const;
  void setSeriesTitle(int series, const QString& title);
  QString seriesTitle(qsizetype series) const;
  /// Stored only: the series always stand side by side.
  void setStackGroup(int series, int group);
  int stackGroup(int series) const;
  /// Value labels over the bars are not drawn; the setting is kept.
  void setMarksVisible(int series, bool visible);
  bool marksVisible(int series) const;
  /// Adds a bar at x with height y; the bottom axis shows the label at x (one category per
  /// distinct x, in x order; values at one x add up). An invalid colour is the series' own.
  void addBarPoint(int series, double x, double y, const QString& label, QColor colour = QColor());

  /// The category labels of the bottom axis, in x order.
  QStringList categories() const;
  /// The value series has at a category; 0 outside.
  double value(qsizetype series, qsizetype category) const;
  /// The colour series is drawn in.
  QColor seriesColour(qsizetype series) const;

  bool legendVisible() const { return m_legendVisible; }
  void setLegendVisible(bool visible);
  /// The font of the axis labels (set in pixels, so that every output keeps its proportions).
  void setLabelFont(const QFont& font);
  QFont labelFont() const { return m_labelFont; }

  /// How the axes are labelled when the chart is drawn at size.
  BarChartAxes axesAt(QSize size) const;
  /// The visible categories, first to last (fractional at the ends when zoomed).
  double viewFirst() const { return m_viewFirst; }
  double viewLast() const { return m_viewLast; }
  bool isZoomed() const;

  /// What the tool tip over a point of the chart says: the series, category and value of the bar
  /// there ("title: label = value"); where several series share the pixel, the highest of them.
  /// Empty away from the bars.
  QString toolTipAt(const QPointF& point) const;

  /// Kept for callers that expect a rebuild step; the chart reads its data while drawing.
  void rebuild() {}

  void renderChart(QPainter& painter, const QRect& target) const;
  ChartRenderer renderer();
  QImage renderImage(QSize size) const;
  bool exportToFile(const QString& path, ChartImageFormat format);
  bool showExportDialog(QWidget* owner, duvanet::chart::FileDialogs& dialogs);
  void showPrintPreview(QWidget* owner, const QString& title = QString());
  void copyToClipboard();
  /// Zoom in and out along the categories, about the middle of the view; reset shows them all.
  void zoomIn();
  void zoomOut();
  void zoomReset();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

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
    QColor colour;
    std::vector<Point> points;
  };
  struct Layout;
  class PointTable;

  void changed();
  const BarTable* table() const;
  Layout layoutFor(const QRectF& target) const;
  void setView(double first, double last);
  double widestLabel() const;
  struct Buckets;
  const Buckets& bucketsFor(const Layout& layout) const;

  std::vector<Series> m_series;
  std::shared_ptr<const BarTable> m_table;
  // The table built from m_series when that is what the chart draws; rebuilt when stale.
  mutable std::shared_ptr<const BarTable> m_pointTable;
  mutable bool m_pointTableStale = true;
  mutable double m_widestLabel = -1;
  mutable std::shared_ptr<Buckets> m_buckets;
  bool m_legendVisible = false;
  QFont m_labelFont;
  QFont m_textFont;
  double m_viewFirst = 0;
  double m_viewLast = 0;
  bool m_zoomed = false;
  double m_dragStartX = -1;
  double m_dragStartFirst = 0;
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

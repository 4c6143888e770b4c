#pragma once

#include <QAbstractTableModel>
#include <QObject>
#include <memory>

#include "chart/BarChart.h"
#include "core/SymbolStatistics.h"

class QTableView;

namespace duvanet::gui {

/// The symbol counts as a grid: a header row of the symbols' visible labels over an empty first
/// cell, then one row per sequence, its name first. Before anything is counted, an empty grid
/// of kEmptyColumns columns and kEmptyRows - 1 rows below the header.
class StatisticsTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int kEmptyColumns = 5;
  static constexpr int kEmptyRows = 5;

  explicit StatisticsTableModel(QObject* parent = nullptr);
  /// Shows these counts; null or empty statistics keep the empty grid.
  void setStatistics(std::shared_ptr<const tSymbolStatistics> statistics);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  bool hasCounts() const;
  std::shared_ptr<const tSymbolStatistics> m_statistics;
};

/// The symbol counts as the bar chart reads them: one series per sequence, one category per
/// symbol, labelled visibly.
class StatisticsBarTable : public chart::BarTable {
 public:
  explicit StatisticsBarTable(std::shared_ptr<const tSymbolStatistics> statistics);
  qsizetype seriesCount() const override;
  qsizetype categoryCount() const override;
  QString seriesTitle(qsizetype series) const override;
  QString categoryLabel(qsizetype category) const override;
  double value(qsizetype series, qsizetype category) const override;
  void forEachValue(qsizetype series,
                    const std::function<void(qsizetype, double)>& visit) const override;
  double highest() const override;

 private:
  std::shared_ptr<const tSymbolStatistics> m_statistics;
};

/// Lets the user resize the rows of a table by dragging the line below a row, anywhere along
/// it (the table has no row header to drag in).
class RowResizer : public QObject {
  Q_OBJECT
 public:
  /// Installs itself on the table's viewport; owned by the table.
  explicit RowResizer(QTableView* table);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// The row whose lower border lies within a few pixels of y, or -1.
  int rowBorderAt(int y) const;

  QTableView* m_table;
  QWidget* m_viewport;
  int m_row = -1;
  int m_startY = 0;
  int m_startHeight = 0;
};

/// The text a sequence name shows in a one-line cell: line breaks as blanks.
QString oneLineName(const QString& name);

}  // namespace duvanet::gui

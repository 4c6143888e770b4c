#pragma once

#include <QList>
#include <QWidget>

#include "chart/BarChart.h"
#include "chart/ChartExport.h"
#include "core/SequenceList.h"
#include "core/SymbolStatistics.h"

class QPushButton;
class QSplitter;
class QTableWidget;

/// A free-standing window with the symbol counts of the sequences selected when it was created:
/// a bar chart (one series per sequence, one position per symbol) and a table. It never updates
/// its counts afterwards; closing it empties the chart and hides it.
class TfrmStatistics : public QWidget {
  Q_OBJECT

 public:
  /// Counts the workspace sequences at `selectedRows` (rows of the main list, any order), owned by
  /// `owner` (a top-level window of its own).
  TfrmStatistics(const tSequenceList& sequences, const QList<int>& selectedRows,
                 QWidget* owner = nullptr);

  /// The counts this window shows.
  const tSymbolStatistics& Statistics() const { return m_statistics; }

  /// The table's cell at (column, row) as the grid numbers them: row 0 is the fixed header row.
  QString Cell(int column, int row) const;
  /// The grid's row count including the fixed header row, and its column count.
  int RowCount() const;
  int ColCount() const;

  /// The dialogs Save (the button and the tool bar's command) asks for the file with; not owned,
  /// tests answer without a dialog. The real file dialog until set.
  void setFileDialogs(duvanet::chart::FileDialogs* dialogs);

 public slots:
  void btStatSaveClick();
  void btStatPrintClick();
  void btStatLegendClick();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool CountSymbols(const QList<int>& selectedRows);
  void DisplayHistogramChart();
  void DisplayHistogramTable();
  void FormClose();
  void styleAxes();

  const tSequenceList& m_sequences;
  tSymbolStatistics m_statistics;
  duvanet::chart::QtFileDialogs m_ownFileDialogs;
  duvanet::chart::FileDialogs* m_fileDialogs = &m_ownFileDialogs;

  // The controls; the comments give the object names the tests find them by.
  duvanet::chart::ChartCommandBar* m_commandBar = nullptr;  // TeeCommander1
  QWidget* m_buttonPanel = nullptr;                         // Panel1
  QPushButton* m_saveButton = nullptr;                      // btStatSave
  QPushButton* m_printButton = nullptr;                     // btStatPrint
  QPushButton* m_legendButton = nullptr;                    // btStatLegend
  QWidget* m_chartPanel = nullptr;                          // Panel2
  duvanet::chart::BarChart* m_chart = nullptr;              // chartStatistic
  QSplitter* m_chartTableSplitter = nullptr;                // Splitter1
  QTableWidget* m_table = nullptr;                          // sgStatTable
};

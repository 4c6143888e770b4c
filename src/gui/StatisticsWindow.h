#pragma once

#include <QList>
#include <QWidget>
#include <memory>

#include "chart/BarChart.h"
#include "chart/ChartExport.h"
#include "core/DotPlotComputation.h"
#include "core/SequenceList.h"
#include "core/SymbolStatistics.h"
#include "gui/Ports.h"

class QPushButton;
class QSplitter;
class QTableView;

namespace duvanet::gui {
class StatisticsTableModel;
}

/// A free-standing window with the symbol counts of the sequences selected when it was created:
/// a bar chart (one series per sequence, one position per symbol) and a table. It never updates
/// its counts afterwards; closing it empties the chart and hides it.
class TfrmStatistics : public QWidget {
  Q_OBJECT

 public:
  /// How the count at creation ended.
  enum class CountOutcome { Counted, NothingCounted, Cancelled, Failed };
  /// A count that takes longer than this shows a progress dialog with Cancel.
  static constexpr int kProgressDelayMs = 333;

  /// Counts the workspace sequences at `selectedRows` (rows of the main list, any order), owned by
  /// `owner` (a top-level window of its own). A long count shows its progress; Cancel or a
  /// failure (reported in the error box) leave the window empty, see Outcome().
  TfrmStatistics(const tSequenceList& sequences, const QList<int>& selectedRows,
                 const duvanet::gui::UiPorts& ports, QWidget* owner = nullptr,
                 int progressDelayMs = kProgressDelayMs);
  ~TfrmStatistics() override;

  /// The counts this window shows.
  const tSymbolStatistics& Statistics() const { return *m_statistics; }
  CountOutcome Outcome() const { return m_outcome; }

  /// The table's cell at (column, row) as the grid numbers them: row 0 is the fixed header row.
  QString Cell(int column, int row) const;
  /// The grid's row count including the fixed header row, and its column count.
  int RowCount() const;
  int ColCount() const;

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

  const tSequenceList& m_sequences;
  std::shared_ptr<tSymbolStatistics> m_statistics = std::make_shared<tSymbolStatistics>();
  CountOutcome m_outcome = CountOutcome::NothingCounted;
  int m_progressDelayMs = kProgressDelayMs;
  duvanet::core::DotPlotComputation m_computation;
  duvanet::gui::MessageBoxPrompts m_ownPrompts;
  duvanet::gui::UserPrompts* m_prompts = &m_ownPrompts;
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
  QTableView* m_table = nullptr;                            // sgStatTable
  duvanet::gui::StatisticsTableModel* m_tableModel = nullptr;
};

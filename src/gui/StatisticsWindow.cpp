#include "gui/StatisticsWindow.h"

#include <QAbstractAxis>
#include <QBarCategoryAxis>
#include <QChart>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "chart/AxisMath.h"
#include "gui/SequenceListViews.h"
#include "gui/WindowDefaults.h"

namespace {

using duvanet::gui::named;

QPushButton* panelButton(const char* name, const QString& caption, const QString& hint,
                         QWidget* parent) {
  auto* button = named(new QPushButton(caption, parent), name);
  button->setFixedWidth(119);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  return button;
}

void setHint(QWidget* widget, const QString& hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

// The grid as it stands before anything is shown: 5 x 5 empty cells, the first row fixed.
constexpr int kInitialColumns = 5;
constexpr int kInitialRows = 5;
// The value axis is labelled at no more than this many steps.
constexpr double kMostValueSteps = 10;

}  // namespace

TfrmStatistics::TfrmStatistics(const tSequenceList& sequences, const QList<int>& selectedRows,
                               QWidget* owner)
    : QWidget(owner, Qt::Window), m_sequences(sequences) {
  setObjectName(QStringLiteral("frmStatistics"));
  setWindowTitle(QStringLiteral("frmStatistics"));
  resize(608, 476);
  duvanet::gui::setWindowFont(*this);

  m_chart = named(new duvanet::chart::BarChart, "chartStatistic");
  setHint(m_chart, QStringLiteral("Canvas for sequence statistics"));
  m_chart->setLegendVisible(false);
  m_commandBar = named(new duvanet::chart::ChartCommandBar(m_chart, this), "TeeCommander1");
  m_commandBar->setFixedHeight(33);

  m_buttonPanel = named(new QWidget(this), "Panel1");
  m_buttonPanel->setFixedWidth(124);
  m_saveButton = panelButton("btStatSave", QStringLiteral("Save"),
                             QStringLiteral("Save this chart"), m_buttonPanel);
  m_printButton = panelButton("btStatPrint", QStringLiteral("Print"),
                              QStringLiteral("Print this chart"), m_buttonPanel);
  m_legendButton =
      panelButton("btStatLegend", QStringLiteral("Legend"),
                  QStringLiteral("Show or hide the legend of sequence names"), m_buttonPanel);
  auto* buttons = new QVBoxLayout(m_buttonPanel);
  buttons->setContentsMargins(2, 4, 3, 4);
  buttons->addWidget(m_saveButton);
  buttons->addWidget(m_printButton);
  buttons->addWidget(m_legendButton);
  buttons->addStretch(1);

  m_chartPanel = named(new QWidget(this), "Panel2");
  m_chartTableSplitter = named(new QSplitter(Qt::Vertical, m_chartPanel), "Splitter1");
  m_chartTableSplitter->setHandleWidth(6);
  m_chartTableSplitter->setOpaqueResize(true);
  m_chartTableSplitter->setChildrenCollapsible(false);
  setHint(m_chartTableSplitter, QStringLiteral("This splitter allows to resize the chart/table"));

  m_table = named(new QTableWidget(kInitialRows - 1, kInitialColumns, this), "sgStatTable");
  setHint(m_table, QStringLiteral("Spreadsheet of sequence information"));
  // The grid's fixed first row is the table's header: it stays in view and drags resize columns.
  m_table->horizontalHeader()->setDefaultSectionSize(90);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  m_table->horizontalHeader()->setHighlightSections(false);
  m_table->verticalHeader()->setVisible(false);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
  m_table->setShowGrid(true);
  m_table->setWordWrap(false);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
  for (int column = 0; column < kInitialColumns; ++column)
    m_table->setHorizontalHeaderItem(column, new QTableWidgetItem);

  auto* panel2Layout = new QVBoxLayout(m_chartPanel);
  panel2Layout->setContentsMargins(0, 0, 0, 0);
  panel2Layout->addWidget(m_chartTableSplitter);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(m_chartPanel, 1);
  body->addWidget(m_buttonPanel);
  auto* windowLayout = new QVBoxLayout(this);
  windowLayout->setContentsMargins(0, 0, 0, 0);
  windowLayout->setSpacing(0);
  windowLayout->addWidget(m_commandBar);
  windowLayout->addLayout(body, 1);

  m_chartTableSplitter->addWidget(m_chart);
  m_chartTableSplitter->addWidget(m_table);
  m_chartTableSplitter->setStretchFactor(0, 1);
  m_chartTableSplitter->setStretchFactor(1, 0);
  m_chartTableSplitter->setSizes({476 - 33 - 159 - 6, 159});

  connect(m_saveButton, &QPushButton::clicked, this, &TfrmStatistics::btStatSaveClick);
  connect(m_printButton, &QPushButton::clicked, this, &TfrmStatistics::btStatPrintClick);
  connect(m_legendButton, &QPushButton::clicked, this, &TfrmStatistics::btStatLegendClick);

  // FormCreate: the counts are taken once, now.
  CountSymbols(selectedRows);
  DisplayHistogramChart();
  DisplayHistogramTable();
}

bool TfrmStatistics::CountSymbols(const QList<int>& selectedRows) {
  const QList<int> rows = duvanet::gui::normalisedRows(selectedRows);
  QList<tSequence> selected;
  selected.reserve(rows.size());
  for (const int row : rows) {
    tSequence sequence;
    if (m_sequences.GetSequence(row, sequence)) selected.append(sequence);
  }
  return ::CountSymbols(selected, m_statistics);
}

void TfrmStatistics::DisplayHistogramTable() {
  const auto& counts = m_statistics.Counts;
  if (counts.isEmpty() || counts.first().isEmpty()) return;
  const int symbols = m_statistics.Symbols.size();
  const int sequences = m_statistics.SequenceNames.size();
  m_table->clear();
  m_table->setColumnCount(symbols + 1);
  m_table->setRowCount(sequences);
  m_table->setHorizontalHeaderItem(0, new QTableWidgetItem);
  for (int j = 0; j < symbols; ++j)
    m_table->setHorizontalHeaderItem(j + 1, new QTableWidgetItem(m_statistics.Symbols[j]));
  for (int i = 0; i < sequences; ++i) {
    m_table->setItem(i, 0, new QTableWidgetItem(m_statistics.SequenceNames[i]));
    for (int j = 0; j < symbols; ++j)
      m_table->setItem(i, j + 1, new QTableWidgetItem(QString::number(counts[i][j])));
  }
}

QString TfrmStatistics::Cell(int column, int row) const {
  if (column < 0 || column >= ColCount() || row < 0 || row >= RowCount()) return {};
  const QTableWidgetItem* item =
      row == 0 ? m_table->horizontalHeaderItem(column) : m_table->item(row - 1, column);
  return item ? item->text() : QString();
}

int TfrmStatistics::RowCount() const { return m_table->rowCount() + 1; }

int TfrmStatistics::ColCount() const { return m_table->columnCount(); }

void TfrmStatistics::closeEvent(QCloseEvent* event) {
  FormClose();
  // Hidden, not destroyed: the owner releases it at the end of the run.
  QWidget::closeEvent(event);
}

void TfrmStatistics::DisplayHistogramChart() {
  m_chart->removeAllSeries();
  const int symbols = m_statistics.Symbols.size();
  for (int i = 0; i < m_statistics.Counts.size(); ++i) {
    const int series = m_chart->createBarSeries();
    m_chart->setSeriesTitle(series, m_statistics.SequenceNames.value(i));
    m_chart->setStackGroup(series, 0);
    m_chart->setMarksVisible(series, false);
    for (int j = 0; j < symbols; ++j)
      m_chart->addBarPoint(series, j, double(m_statistics.Counts[i].value(j)),
                           m_statistics.Symbols[j]);
  }
  m_chart->rebuild();
  styleAxes();
}

void TfrmStatistics::styleAxes() {
  QFont labelFont = font();
  labelFont.setBold(true);
  labelFont.setPixelSize(13);
  for (QAbstractAxis* axis : m_chart->chart()->axes()) {
    axis->setLabelsFont(labelFont);
    axis->setLabelsColor(Qt::black);
    axis->setLinePenColor(Qt::black);
    if (auto* values = qobject_cast<QValueAxis*>(axis)) {
      // Counts are whole numbers: steps of at least 1, at round values, at most ten of them.
      const double step =
          duvanet::chart::tickStep(values->max() - values->min(), kMostValueSteps, 1, 1);
      values->setTickType(QValueAxis::TicksDynamic);
      values->setTickAnchor(0);
      values->setTickInterval(step);
      values->setLabelFormat(QStringLiteral("%.0f"));
    }
  }
}

void TfrmStatistics::setFileDialogs(duvanet::chart::FileDialogs* dialogs) {
  m_fileDialogs = dialogs ? dialogs : &m_ownFileDialogs;
  m_commandBar->setFileDialogs(dialogs);
}

void TfrmStatistics::btStatSaveClick() { m_chart->showExportDialog(this, *m_fileDialogs); }

void TfrmStatistics::btStatPrintClick() { m_chart->showPrintPreview(this); }

void TfrmStatistics::btStatLegendClick() { m_chart->setLegendVisible(!m_chart->legendVisible()); }

void TfrmStatistics::FormClose() {
  m_chart->removeAllSeries();
  m_chart->rebuild();
}

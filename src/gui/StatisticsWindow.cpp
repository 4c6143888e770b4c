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

  chartStatistic = named(new duvanet::chart::BarChart, "chartStatistic");
  setHint(chartStatistic, QStringLiteral("Canvas for sequence statistics"));
  chartStatistic->setLegendVisible(false);
  TeeCommander1 = named(new duvanet::chart::ChartCommandBar(chartStatistic, this), "TeeCommander1");
  TeeCommander1->setFixedHeight(33);

  Panel1 = named(new QWidget(this), "Panel1");
  Panel1->setFixedWidth(124);
  btStatSave =
      panelButton("btStatSave", QStringLiteral("Save"), QStringLiteral("Save this chart"), Panel1);
  btStatPrint = panelButton("btStatPrint", QStringLiteral("Print"),
                            QStringLiteral("Print this chart"), Panel1);
  btStatLegend = panelButton("btStatLegend", QStringLiteral("Legend"),
                             QStringLiteral("Show or hide the legend of sequence names"), Panel1);
  auto* buttons = new QVBoxLayout(Panel1);
  buttons->setContentsMargins(2, 4, 3, 4);
  buttons->addWidget(btStatSave);
  buttons->addWidget(btStatPrint);
  buttons->addWidget(btStatLegend);
  buttons->addStretch(1);

  Panel2 = named(new QWidget(this), "Panel2");
  Splitter1 = named(new QSplitter(Qt::Vertical, Panel2), "Splitter1");
  Splitter1->setHandleWidth(6);
  Splitter1->setOpaqueResize(true);
  Splitter1->setChildrenCollapsible(false);
  setHint(Splitter1, QStringLiteral("This splitter allows to resize the chart/table"));

  sgStatTable = named(new QTableWidget(kInitialRows - 1, kInitialColumns, this), "sgStatTable");
  setHint(sgStatTable, QStringLiteral("Spreadsheet of sequence information"));
  // The grid's fixed first row is the table's header: it stays in view and drags resize columns.
  sgStatTable->horizontalHeader()->setDefaultSectionSize(90);
  sgStatTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  sgStatTable->horizontalHeader()->setHighlightSections(false);
  sgStatTable->verticalHeader()->setVisible(false);
  sgStatTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgStatTable->setSelectionMode(QAbstractItemView::ContiguousSelection);
  sgStatTable->setShowGrid(true);
  sgStatTable->setWordWrap(false);
  sgStatTable->verticalHeader()->setDefaultSectionSize(sgStatTable->fontMetrics().height() + 8);
  for (int column = 0; column < kInitialColumns; ++column)
    sgStatTable->setHorizontalHeaderItem(column, new QTableWidgetItem);

  auto* panel2Layout = new QVBoxLayout(Panel2);
  panel2Layout->setContentsMargins(0, 0, 0, 0);
  panel2Layout->addWidget(Splitter1);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(Panel2, 1);
  body->addWidget(Panel1);
  auto* windowLayout = new QVBoxLayout(this);
  windowLayout->setContentsMargins(0, 0, 0, 0);
  windowLayout->setSpacing(0);
  windowLayout->addWidget(TeeCommander1);
  windowLayout->addLayout(body, 1);

  Splitter1->addWidget(chartStatistic);
  Splitter1->addWidget(sgStatTable);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setSizes({476 - 33 - 159 - 6, 159});

  connect(btStatSave, &QPushButton::clicked, this, &TfrmStatistics::btStatSaveClick);
  connect(btStatPrint, &QPushButton::clicked, this, &TfrmStatistics::btStatPrintClick);
  connect(btStatLegend, &QPushButton::clicked, this, &TfrmStatistics::btStatLegendClick);

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
  sgStatTable->clear();
  sgStatTable->setColumnCount(symbols + 1);
  sgStatTable->setRowCount(sequences);
  sgStatTable->setHorizontalHeaderItem(0, new QTableWidgetItem);
  for (int j = 0; j < symbols; ++j)
    sgStatTable->setHorizontalHeaderItem(j + 1, new QTableWidgetItem(m_statistics.Symbols[j]));
  for (int i = 0; i < sequences; ++i) {
    sgStatTable->setItem(i, 0, new QTableWidgetItem(m_statistics.SequenceNames[i]));
    for (int j = 0; j < symbols; ++j)
      sgStatTable->setItem(i, j + 1, new QTableWidgetItem(QString::number(counts[i][j])));
  }
}

QString TfrmStatistics::Cell(int column, int row) const {
  if (column < 0 || column >= ColCount() || row < 0 || row >= RowCount()) return {};
  const QTableWidgetItem* item =
      row == 0 ? sgStatTable->horizontalHeaderItem(column) : sgStatTable->item(row - 1, column);
  return item ? item->text() : QString();
}

int TfrmStatistics::RowCount() const { return sgStatTable->rowCount() + 1; }

int TfrmStatistics::ColCount() const { return sgStatTable->columnCount(); }

void TfrmStatistics::closeEvent(QCloseEvent* event) {
  FormClose();
  // Hidden, not destroyed: the owner releases it at the end of the run.
  QWidget::closeEvent(event);
}

void TfrmStatistics::DisplayHistogramChart() {
  chartStatistic->removeAllSeries();
  const int symbols = m_statistics.Symbols.size();
  for (int i = 0; i < m_statistics.Counts.size(); ++i) {
    const int series = chartStatistic->createBarSeries();
    chartStatistic->setSeriesTitle(series, m_statistics.SequenceNames.value(i));
    chartStatistic->setStackGroup(series, 0);
    chartStatistic->setMarksVisible(series, false);
    for (int j = 0; j < symbols; ++j)
      chartStatistic->addBarPoint(series, j, double(m_statistics.Counts[i].value(j)),
                                  m_statistics.Symbols[j]);
  }
  chartStatistic->rebuild();
  styleAxes();
}

void TfrmStatistics::styleAxes() {
  QFont labelFont = font();
  labelFont.setBold(true);
  labelFont.setPixelSize(13);
  for (QAbstractAxis* axis : chartStatistic->chart()->axes()) {
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

void TfrmStatistics::setSaveFileAsker(duvanet::chart::SaveFileAsker asker) {
  m_saveFileAsker = asker;
  TeeCommander1->setSaveFileAsker(std::move(asker));
}

void TfrmStatistics::btStatSaveClick() { chartStatistic->showExportDialog(this, m_saveFileAsker); }

void TfrmStatistics::btStatPrintClick() { chartStatistic->showPrintPreview(this); }

void TfrmStatistics::btStatLegendClick() {
  chartStatistic->setLegendVisible(!chartStatistic->legendVisible());
}

void TfrmStatistics::FormClose() {
  chartStatistic->removeAllSeries();
  chartStatistic->rebuild();
}

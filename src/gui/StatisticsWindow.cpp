#include "gui/StatisticsWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/ApplicationTitle.h"
#include "gui/SequenceListViews.h"
#include "gui/StatisticsModels.h"
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

const char* const kOutOfMemory =
    "Not enough memory to count the symbols of the selected sequences.";

}  // namespace

TfrmStatistics::TfrmStatistics(const tSequenceList& sequences, const QList<int>& selectedRows,
                               const duvanet::gui::UiPorts& ports, QWidget* owner,
                               int progressDelayMs)
    : QWidget(owner, Qt::Window), m_sequences(sequences), m_progressDelayMs(progressDelayMs) {
  if (ports.prompts) m_prompts = ports.prompts;
  if (ports.fileDialogs) m_fileDialogs = ports.fileDialogs;
  setObjectName(QStringLiteral("frmStatistics"));
  setWindowTitle(QStringLiteral("frmStatistics"));
  resize(608, 476);
  duvanet::gui::setWindowFont(*this);

  m_chart = named(new duvanet::chart::BarChart, "chartStatistic");
  setHint(m_chart, QStringLiteral("Canvas for sequence statistics"));
  m_chart->setLegendVisible(false);
  QFont labelFont = font();
  labelFont.setBold(true);
  labelFont.setPixelSize(13);
  m_chart->setLabelFont(labelFont);
  m_commandBar = named(new duvanet::chart::ChartCommandBar(m_chart, this), "TeeCommander1");
  m_commandBar->setFixedHeight(33);
  m_commandBar->setFileDialogs(m_fileDialogs);

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

  m_tableModel = new duvanet::gui::StatisticsTableModel(this);
  m_table = named(new QTableView(this), "sgStatTable");
  m_table->setModel(m_tableModel);
  setHint(m_table, QStringLiteral("Spreadsheet of sequence information"));
  // The grid's fixed first row is the table's header: it stays in view and drags resize columns.
  // Rows have no header; their lower borders are dragged in the grid itself.
  m_table->horizontalHeader()->setDefaultSectionSize(90);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  m_table->horizontalHeader()->setHighlightSections(false);
  m_table->verticalHeader()->setVisible(false);
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  m_table->verticalHeader()->setMinimumSectionSize(4);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
  m_table->setShowGrid(true);
  m_table->setWordWrap(false);
  new duvanet::gui::RowResizer(m_table);

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

TfrmStatistics::~TfrmStatistics() = default;

bool TfrmStatistics::CountSymbols(const QList<int>& selectedRows) {
  using duvanet::core::ComputationControl;
  using duvanet::core::DotPlotComputation;
  const QList<int> rows = duvanet::gui::normalisedRows(selectedRows);
  if (rows.isEmpty()) return false;

  // The worker reads the workspace in place: until the count is over, user input waits (and
  // then the progress dialog is modal), so nothing changes the workspace meanwhile.
  auto counted = std::make_shared<tSymbolStatistics>();
  auto status = std::make_shared<SymbolCountStatus>(SymbolCountStatus::Cancelled);
  const tSequenceList* list = &m_sequences;
  enum class End { Running, Finished, Cancelled, Failed };
  End end = End::Running;
  QString failure;
  QEventLoop waiting;
  QProgressDialog* dialog = nullptr;
  const auto stop = [&](End how) {
    end = how;
    waiting.quit();
    if (dialog) dialog->done(QDialog::Accepted);
  };
  QObject listener;
  quint64 job = 0;
  connect(&m_computation, &DotPlotComputation::taskFinished, &listener,
          [&](quint64 id, const QVariant&) {
            if (id == job) stop(End::Finished);
          });
  connect(&m_computation, &DotPlotComputation::cancelled, &listener, [&](quint64 id) {
    if (id == job) stop(End::Cancelled);
  });
  connect(&m_computation, &DotPlotComputation::failed, &listener,
          [&](quint64 id, const QString& message, std::exception_ptr) {
            if (id != job) return;
            failure = message;
            stop(End::Failed);
          });
  job = m_computation.startTask([list, rows, counted, status](ComputationControl& control) {
    *status = ::CountSymbols(*list, rows, *counted, [&control](double fraction) {
      control.report(fraction);
      return control.keepGoing();
    });
    return QVariant();
  });

  if (m_progressDelayMs > 0) {
    QTimer::singleShot(m_progressDelayMs, &listener, [&] { waiting.quit(); });
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (end == End::Running) {
    QWidget* progressOwner = parentWidget() ? parentWidget()->window() : nullptr;
    QProgressDialog progress(QStringLiteral("Counting the symbols ..."), QStringLiteral("Cancel"),
                             0, 1000, progressOwner);
    progress.setObjectName(QStringLiteral("statisticsProgress"));
    progress.setWindowTitle(duvanet::gui::ApplicationTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    connect(&m_computation, &DotPlotComputation::progressed, &progress,
            [&](quint64 id, double fraction) {
              if (id == job) progress.setValue(static_cast<int>(fraction * 1000));
            });
    connect(&progress, &QProgressDialog::canceled, &listener, [&] { m_computation.cancel(); });
    dialog = &progress;
    if (end == End::Running) progress.exec();
    dialog = nullptr;
    if (progress.wasCanceled() || end == End::Running) {
      // The user's choice wins over a result that arrived meanwhile.
      m_computation.cancel();
      m_computation.waitUntilIdle();
      end = End::Cancelled;
    }
  }

  QWidget* boxOwner = parentWidget() ? parentWidget()->window() : this;
  if (end == End::Failed || (end == End::Finished && *status == SymbolCountStatus::OutOfMemory)) {
    m_outcome = CountOutcome::Failed;
    // Running out of memory is what can go wrong; any other failure is named as it came.
    const bool memory = end == End::Finished || failure == QStringLiteral("Not enough memory.");
    m_prompts->error(
        boxOwner,
        memory ? QString::fromLatin1(kOutOfMemory)
               : QStringLiteral("Cannot count the symbols of the selected sequences: ") + failure);
    return false;
  }
  if (end != End::Finished || *status == SymbolCountStatus::Cancelled) {
    m_outcome = CountOutcome::Cancelled;
    return false;
  }
  m_statistics = std::move(counted);
  m_outcome = m_statistics->IsEmpty() ? CountOutcome::NothingCounted : CountOutcome::Counted;
  return true;
}

void TfrmStatistics::DisplayHistogramTable() {
  if (m_statistics->IsEmpty() || m_statistics->SymbolCount() == 0) return;
  m_tableModel->setStatistics(m_statistics);
}

QString TfrmStatistics::Cell(int column, int row) const {
  if (column < 0 || column >= ColCount() || row < 0 || row >= RowCount()) return {};
  if (row == 0) return m_tableModel->headerData(column, Qt::Horizontal).toString();
  return m_tableModel->index(row - 1, column).data().toString();
}

int TfrmStatistics::RowCount() const { return m_tableModel->rowCount() + 1; }

int TfrmStatistics::ColCount() const { return m_tableModel->columnCount(); }

void TfrmStatistics::closeEvent(QCloseEvent* event) {
  FormClose();
  // Hidden, not destroyed: the owner releases it at the end of the run.
  QWidget::closeEvent(event);
}

void TfrmStatistics::DisplayHistogramChart() {
  m_chart->removeAllSeries();
  if (m_statistics->IsEmpty()) return;
  // One series per sequence, one category per symbol: the chart reads the counts in place.
  m_chart->setTable(std::make_shared<duvanet::gui::StatisticsBarTable>(m_statistics));
}

void TfrmStatistics::btStatSaveClick() { m_chart->showExportDialog(this, *m_fileDialogs); }

void TfrmStatistics::btStatPrintClick() { m_chart->showPrintPreview(this); }

void TfrmStatistics::btStatLegendClick() { m_chart->setLegendVisible(!m_chart->legendVisible()); }

void TfrmStatistics::FormClose() { m_chart->removeAllSeries(); }

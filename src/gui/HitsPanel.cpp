#include "gui/HitsPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace duvanet::gui {

using engine::HitSegment;

namespace {

constexpr int kColumns = 8;
const char* const kHeaders[kColumns] = {"pair",  "h_start", "h_end", "v_start",
                                        "v_end", "cells",   "best",  "matches"};

}  // namespace

void HitTableModel::setSegments(std::vector<HitSegment> segments) {
  beginResetModel();
  m_segments = std::move(segments);
  endResetModel();
}

int HitTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_segments.size());
}

int HitTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant HitTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const HitSegment& s = m_segments[static_cast<std::size_t>(index.row())];
  if (role == Qt::TextAlignmentRole) {
    return index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case 0:
      return QString::fromLatin1(engine::strandPairName(s.pair));
    case 1:
      return QVariant::fromValue<qlonglong>(s.hStart);
    case 2:
      return QVariant::fromValue<qlonglong>(s.hEnd);
    case 3:
      return QVariant::fromValue<qlonglong>(s.vStart);
    case 4:
      return QVariant::fromValue<qlonglong>(s.vEnd);
    case 5:
      return QVariant::fromValue<qlonglong>(s.cells);
    case 6:
      return s.best;
    case 7:
      return QVariant::fromValue<qlonglong>(s.matches);
    default:
      return {};
  }
}

QVariant HitTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= kColumns) return {};
  return QString::fromLatin1(kHeaders[section]);
}

HitsPanel::HitsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("hitsPanel"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  auto* header = new QHBoxLayout;
  auto* title = new QLabel(QStringLiteral("<b>Hits</b>"), this);
  auto* thresholdLabel = new QLabel(QStringLiteral("Threshold:"), this);
  m_threshold = new QSpinBox(this);
  m_threshold->setObjectName(QStringLiteral("hitThreshold"));
  m_threshold->setRange(1, 1);
  m_threshold->setToolTip(
      QStringLiteral("Cells whose count of one strand pair reaches this many matches are hits"));
  thresholdLabel->setBuddy(m_threshold);
  header->addWidget(title);
  header->addStretch(1);
  header->addWidget(thresholdLabel);
  header->addWidget(m_threshold);
  layout->addLayout(header);

  m_model = new HitTableModel(this);
  m_sorted = new QSortFilterProxyModel(this);
  m_sorted->setSourceModel(m_model);
  m_table = new QTableView(this);
  m_table->setObjectName(QStringLiteral("hitsTable"));
  m_table->setModel(m_sorted);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setAlternatingRowColors(true);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // The segments come in their file order; a click on a header sorts by that column.
  m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  m_table->setSortingEnabled(true);
  m_table->setToolTip(QStringLiteral(
      "Click a row to show its first cell; click a header to sort. N / P in the chart walk to "
      "the next / previous row."));
  layout->addWidget(m_table, 1);

  m_note = new QLabel(this);
  m_note->setObjectName(QStringLiteral("hitsNote"));
  m_note->setWordWrap(true);
  layout->addWidget(m_note);

  connect(m_threshold, &QSpinBox::valueChanged, this, [this](int value) {
    if (!m_settingThreshold) m_thresholdChosen = true;
    emit thresholdChanged(value);
  });
  connect(m_table, &QTableView::clicked, this,
          [this](const QModelIndex& index) { activateRow(index.row()); });
  connect(m_table, &QTableView::activated, this,
          [this](const QModelIndex& index) { activateRow(index.row()); });
}

void HitsPanel::setWindowSize(int windowSize) {
  m_settingThreshold = true;
  m_threshold->setRange(1, std::max(windowSize, 1));
  m_settingThreshold = false;
}

int HitsPanel::threshold() const { return m_threshold->value(); }

void HitsPanel::setThreshold(int threshold) {
  m_settingThreshold = true;
  m_threshold->setValue(threshold);
  m_settingThreshold = false;
}

void HitsPanel::showSearching() {
  m_model->setSegments({});
  m_note->setText(QStringLiteral("Finding hits…"));
}

void HitsPanel::showSegments(std::vector<HitSegment> segments, std::int64_t total,
                             std::int64_t cap) {
  const auto shown = static_cast<std::int64_t>(segments.size());
  m_model->setSegments(std::move(segments));
  if (total == 0) {
    m_note->setText(QStringLiteral("No segment in the region shown reaches the threshold."));
  } else if (total > shown) {
    m_note->setText(QStringLiteral("Showing the first %1 of %2 segments (at most %3 are listed); "
                                   "zoom in or raise the threshold to see the others.")
                        .arg(shown)
                        .arg(total)
                        .arg(cap));
  } else {
    m_note->setText(total == 1 ? QStringLiteral("1 segment in the region shown.")
                               : QStringLiteral("%1 segments in the region shown.").arg(total));
  }
}

void HitsPanel::showNote(const QString& note) {
  m_model->setSegments({});
  m_note->setText(note);
}

std::optional<HitSegment> HitsPanel::segmentAtRow(int row) const {
  if (row < 0 || row >= m_sorted->rowCount()) return std::nullopt;
  const QModelIndex source = m_sorted->mapToSource(m_sorted->index(row, 0));
  return m_model->segments()[static_cast<std::size_t>(source.row())];
}

int HitsPanel::rowCount() const { return m_sorted->rowCount(); }

bool HitsPanel::stepSegment(int direction) {
  const int rows = rowCount();
  if (rows == 0) return false;
  const int current = m_table->currentIndex().isValid() ? m_table->currentIndex().row() : -1;
  int row = 0;
  if (current < 0) {
    row = direction > 0 ? 0 : rows - 1;
  } else {
    row = std::clamp(current + (direction > 0 ? 1 : -1), 0, rows - 1);
  }
  activateRow(row);
  return true;
}

void HitsPanel::activateRow(int row) {
  const auto segment = segmentAtRow(row);
  if (!segment) return;
  m_table->setCurrentIndex(m_sorted->index(row, 0));
  m_table->scrollTo(m_sorted->index(row, 0));
  emit segmentActivated(*segment);
}

}  // namespace duvanet::gui

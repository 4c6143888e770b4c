#include "gui/StatisticsModels.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <algorithm>

namespace duvanet::gui {

namespace {

// How close to a row's lower border the pointer grabs it, in pixels.
constexpr int kGrab = 3;
constexpr int kSmallestRow = 4;

}  // namespace

QString oneLineName(const QString& name) {
  QString line = name;
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line;
}

StatisticsTableModel::StatisticsTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void StatisticsTableModel::setStatistics(std::shared_ptr<const tSymbolStatistics> statistics) {
  beginResetModel();
  m_statistics = std::move(statistics);
  endResetModel();
}

bool StatisticsTableModel::hasCounts() const {
  return m_statistics && !m_statistics->IsEmpty() && m_statistics->SymbolCount() > 0;
}

int StatisticsTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return hasCounts() ? int(m_statistics->SequenceCount()) : kEmptyRows - 1;
}

int StatisticsTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return hasCounts() ? int(m_statistics->SymbolCount()) + 1 : kEmptyColumns;
}

QVariant StatisticsTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !hasCounts()) return {};
  const int row = index.row();
  const int column = index.column();
  if (role == Qt::DisplayRole) {
    if (column == 0) return oneLineName(m_statistics->SequenceName(row));
    return QString::number(m_statistics->Count(row, column - 1));
  }
  if (role == Qt::ToolTipRole && column == 0) return m_statistics->SequenceName(row);
  if (role == Qt::TextAlignmentRole && column > 0)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
  return {};
}

QVariant StatisticsTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (!hasCounts() || section <= 0 || section > m_statistics->SymbolCount()) return QString();
  const QString symbol = m_statistics->Symbols().at(section - 1);
  if (role == Qt::ToolTipRole)
    return QStringLiteral("U+%1").arg(QString::number(symbol.at(0).unicode(), 16).toUpper(), 4,
                                      QLatin1Char('0'));
  return SymbolLabel(symbol.at(0));
}

StatisticsBarTable::StatisticsBarTable(std::shared_ptr<const tSymbolStatistics> statistics)
    : m_statistics(std::move(statistics)) {}

qsizetype StatisticsBarTable::seriesCount() const { return m_statistics->SequenceCount(); }

qsizetype StatisticsBarTable::categoryCount() const { return m_statistics->SymbolCount(); }

QString StatisticsBarTable::seriesTitle(qsizetype series) const {
  return oneLineName(m_statistics->SequenceName(series));
}

QString StatisticsBarTable::categoryLabel(qsizetype category) const {
  if (category < 0 || category >= categoryCount()) return {};
  return SymbolLabel(m_statistics->Symbols().at(category).at(0));
}

double StatisticsBarTable::value(qsizetype series, qsizetype category) const {
  return double(m_statistics->Count(series, category));
}

void StatisticsBarTable::forEachValue(qsizetype series,
                                      const std::function<void(qsizetype, double)>& visit) const {
  m_statistics->ForEachCount(series,
                             [&](qsizetype column, qint64 count) { visit(column, double(count)); });
}

double StatisticsBarTable::highest() const { return double(m_statistics->HighestCount()); }

RowResizer::RowResizer(QTableView* table)
    : QObject(table), m_table(table), m_viewport(table->viewport()) {
  m_viewport->setMouseTracking(true);
  m_viewport->installEventFilter(this);
}

int RowResizer::rowBorderAt(int y) const {
  // The row under the pointer, or the one above it when the pointer is just below a border.
  for (const int probe : {y, y - kGrab - 1}) {
    const int row = m_table->rowAt(probe);
    if (row < 0) continue;
    const int bottom = m_table->rowViewportPosition(row) + m_table->rowHeight(row);
    if (std::abs(y - bottom) <= kGrab) return row;
  }
  return -1;
}

bool RowResizer::eventFilter(QObject* watched, QEvent* event) {
  // The viewport's own pointer, not the table's: while the table is being destroyed its
  // viewport still receives events, and the table is no scroll area any more.
  if (watched != m_viewport) return false;
  switch (event->type()) {
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const int y = int(mouse->position().y());
      if (m_row >= 0) {
        m_table->verticalHeader()->resizeSection(
            m_row, std::max(kSmallestRow, m_startHeight + y - m_startY));
        return true;
      }
      if (mouse->buttons() == Qt::NoButton) {
        if (rowBorderAt(y) >= 0)
          m_viewport->setCursor(Qt::SplitVCursor);
        else
          m_viewport->unsetCursor();
      }
      return false;
    }
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) return false;
      const int y = int(mouse->position().y());
      const int row = rowBorderAt(y);
      if (row < 0) return false;
      m_row = row;
      m_startY = y;
      m_startHeight = m_table->rowHeight(row);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (m_row < 0) return false;
      m_row = -1;
      return true;
    case QEvent::Leave:
      if (m_row < 0) m_viewport->unsetCursor();
      return false;
    default:
      return false;
  }
}

}  // namespace duvanet::gui

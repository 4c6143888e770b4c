#include "gui/SequenceListModel.h"

#include "core/SequenceList.h"

namespace duvanet::gui {

SequenceListModel::SequenceListModel(QObject* parent) : QAbstractListModel(parent) {}

void SequenceListModel::refresh(const tSequenceList* list) {
  beginResetModel();
  m_list = list;
  m_rows = list ? list->Count() : 0;
  endResetModel();
}

int SequenceListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_rows;
}

QVariant SequenceListModel::data(const QModelIndex& index, int role) const {
  if (m_list == nullptr || !index.isValid() || index.row() >= m_rows) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  // Name() is empty for a row the workspace no longer has (it shrank since the last refresh).
  return m_list->Name(index.row());
}

}  // namespace duvanet::gui

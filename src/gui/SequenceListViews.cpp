#include "gui/SequenceListViews.h"

#include <QComboBox>
#include <QListWidget>
#include <algorithm>

#include "core/SequenceList.h"
#include "gui/SequenceListBox.h"

void FillListBox(const tSequenceList& list, duvanet::gui::SequenceListBox& listBox) {
  listBox.showList(list);
}

void FillComboBox(const tSequenceList& list, QComboBox& comboBox) {
  const int remembered = comboBox.currentIndex();
  comboBox.clear();
  comboBox.addItems(list.Names());
  const int count = comboBox.count();
  if (remembered > count) {
    comboBox.setCurrentIndex(-1);
  } else if (remembered < 0) {
    comboBox.setCurrentIndex(count > 0 ? 0 : -1);
  } else {
    // An index equal to the item count selects nothing.
    comboBox.setCurrentIndex(remembered < count ? remembered : -1);
  }
}

namespace duvanet::gui {

QList<int> normalisedRows(QList<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.removeIf([](int row) { return row < 0; });
  return rows;
}

QList<int> selectedRowsOf(const QListWidget& listBox) {
  QList<int> rows;
  for (const QModelIndex& index : listBox.selectionModel()->selectedIndexes()) rows << index.row();
  return normalisedRows(std::move(rows));
}

}  // namespace duvanet::gui

#pragma once

#include <QList>

class QComboBox;
class QListWidget;
class tSequenceList;
namespace duvanet::gui {
class SequenceListBox;
}

/// Makes the list box show the workspace names in workspace order; the selection is lost.
void FillListBox(const tSequenceList& list, duvanet::gui::SequenceListBox& listBox);

/// Replaces the combo box's items by the workspace names and restores a selection: none if the
/// old index is beyond the new item count, the first item if it was negative, else the old index.
void FillComboBox(const tSequenceList& list, QComboBox& comboBox);

namespace duvanet::gui {

/// Rows as the windows walk a selection: ascending, each row once, negative rows dropped.
QList<int> normalisedRows(QList<int> rows);

/// The selected rows of a list box, normalised.
QList<int> selectedRowsOf(const QListWidget& listBox);

}  // namespace duvanet::gui

#pragma once

#include <QAbstractListModel>

class tSequenceList;

namespace duvanet::gui {

/// The workspace as a list model: row i is workspace entry i, its name the row's text and tool
/// tip. Nothing is kept per row, so a list of tens of millions of entries costs no more than
/// the workspace itself. The row count is the one of the last refresh, so that the views stay in
/// step with what they were last told whatever the workspace did since.
class SequenceListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit SequenceListModel(QObject* parent = nullptr);

  /// Shows the list (not owned; null for none) as it stands now: a reset for every view.
  void refresh(const tSequenceList* list);
  const tSequenceList* list() const { return m_list; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  const tSequenceList* m_list = nullptr;
  int m_rows = 0;
};

}  // namespace duvanet::gui

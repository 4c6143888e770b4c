#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <optional>
#include <vector>

#include "engine/HitSegments.h"

class QLabel;
class QSortFilterProxyModel;
class QSpinBox;
class QTableView;

namespace duvanet::gui {

/// One hit segment per row, in the columns of the hits file: pair, h_start, h_end, v_start,
/// v_end, cells, best, matches. Numbers are kept as numbers so that sorting is numeric.
class HitTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void setSegments(std::vector<engine::HitSegment> segments);
  const std::vector<engine::HitSegment>& segments() const { return m_segments; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<engine::HitSegment> m_segments;
};

/// The "Hits" pane of the dot plot window: the threshold, the sortable table of the segments of
/// the region shown, and a note saying how many there are (and when the table holds only the
/// first of them). A click on a row reports its segment.
class HitsPanel : public QWidget {
  Q_OBJECT
 public:
  explicit HitsPanel(QWidget* parent = nullptr);

  /// Thresholds run from 1 to the window size.
  void setWindowSize(int windowSize);
  int threshold() const;
  /// Sets the threshold without it counting as the user's choice.
  void setThreshold(int threshold);
  /// True once the user has changed the threshold in the panel.
  bool thresholdChosen() const { return m_thresholdChosen; }

  /// The table is emptied and the note says the search runs.
  void showSearching();
  /// Shows the segments found; `total` counts also those left out beyond `cap`.
  void showSegments(std::vector<engine::HitSegment> segments, std::int64_t total, std::int64_t cap);
  /// Empties the table with a note (no plot, a failed search).
  void showNote(const QString& note);

  /// The segment shown in a row of the table (in its current sort order).
  std::optional<engine::HitSegment> segmentAtRow(int row) const;
  int rowCount() const;
  /// Makes the row after (+1) or before (−1) the current one current and reports its segment;
  /// without a current row, the first or the last. False when the table is empty.
  bool stepSegment(int direction);

  QTableView* table() const { return m_table; }
  QSpinBox* thresholdBox() const { return m_threshold; }
  QLabel* note() const { return m_note; }

 signals:
  void thresholdChanged(int threshold);
  void segmentActivated(const duvanet::engine::HitSegment& segment);

 private:
  void activateRow(int row);

  HitTableModel* m_model = nullptr;
  QSortFilterProxyModel* m_sorted = nullptr;
  QTableView* m_table = nullptr;
  QSpinBox* m_threshold = nullptr;
  QLabel* m_note = nullptr;
  bool m_thresholdChosen = false;
  bool m_settingThreshold = false;
};

}  // namespace duvanet::gui

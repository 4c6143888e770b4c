#pragma once

#include <QAbstractItemView>
#include <QList>
#include <QStringList>
#include <QStyledItemDelegate>

class tSequenceList;

namespace duvanet::gui {

class SequenceListModel;

/// Draws the workspace rows in alternating colours: white and RGB(242, 242, 255), selected
/// RGB(8, 8, 255) and RGB(0, 0, 245) with white text, each row 16 pixels high. The current row
/// of a focused list gets a dotted focus rectangle over these colours, never a style's tint.
class SequenceRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  static constexpr int kRowHeight = 16;
  /// The background of a row by its number and selection state.
  static QColor background(int row, bool selected);
  /// The colour of the focus rectangle's dots on a row of that selection state.
  static QColor focusDots(bool selected);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

/// The main window's list of workspace names: a view over the workspace that keeps nothing per
/// row, with multiple selection by Shift and Ctrl, a right click that leaves the selection
/// alone, a horizontal scroll bar whenever a name is wider than the list, the whole name as the
/// tool tip of a row that does not show it whole, and files dropped on it handed on by name.
/// Rows are 16 pixels high; the vertical scroll bar counts rows.
class SequenceListBox : public QAbstractItemView {
  Q_OBJECT

 public:
  explicit SequenceListBox(QWidget* parent = nullptr);

  /// Lists the workspace's names as it holds them now (the list is not owned and must outlive
  /// the rows shown); the selection and the current row are lost.
  void showList(const tSequenceList& list);

  int count() const;
  /// The current row, −1 for none.
  int currentRow() const;
  void setCurrentRow(
      int row, QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect);
  QString rowText(int row) const;
  bool isRowSelected(int row) const;
  void setRowSelected(int row, bool selected);
  /// The selected rows in ascending order, each once, read from the selection's ranges.
  QList<int> selectedRows() const;
  /// The row's rectangle in viewport coordinates; it lies outside the viewport when the row is
  /// scrolled out of sight.
  QRect rowRect(int row) const;
  /// The row shown at the top.
  int topRow() const;
  /// The width in pixels of the widest name in the list's font.
  int widestNameWidth() const { return m_widestName; }
  /// What the tool tip over a viewport point shows: the whole name of a row that does not show
  /// it whole, broken into lines; empty elsewhere.
  QString toolTipAt(const QPoint& point) const;

  QRect visualRect(const QModelIndex& index) const override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  QModelIndex indexAt(const QPoint& point) const override;

 signals:
  /// The left mouse button was pressed; the current row has already followed the click.
  void leftButtonPressed();
  /// The left mouse button was double-clicked anywhere in the list.
  void leftButtonDoubleClicked();
  /// Local files were dropped on the list.
  void filesDropped(const QStringList& fileNames);

 protected:
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  int horizontalOffset() const override;
  int verticalOffset() const override;
  bool isIndexHidden(const QModelIndex& index) const override;
  void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
  QRegion visualRegionForSelection(const QItemSelection& selection) const override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;
  bool viewportEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  static QStringList localFiles(const QMimeData* mimeData);
  /// Rows that fit wholly into the viewport, at least 1.
  int rowsPerPage() const;
  /// The row at a viewport height, which may lie outside the list.
  qint64 rowAtY(int y) const;
  void measureNames();

  SequenceListModel* m_model = nullptr;
  int m_widestName = 0;
};

}  // namespace duvanet::gui

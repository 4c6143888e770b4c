#pragma once

#include <QListWidget>
#include <QStringList>
#include <QStyledItemDelegate>

namespace duvanet::gui {

/// Draws the workspace rows in alternating colours: white and RGB(242, 242, 255), selected
/// RGB(8, 8, 255) and RGB(0, 0, 245) with white text, each row 16 pixels high.
class SequenceRowDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  static constexpr int kRowHeight = 16;
  /// The background of a row by its number and selection state.
  static QColor background(int row, bool selected);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

/// The main window's list of workspace names: multiple selection with Shift and Ctrl, a right
/// click that leaves the selection alone, and files dropped on it handed on by name.
class SequenceListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit SequenceListBox(QWidget* parent = nullptr);

 signals:
  /// The left mouse button was pressed; the current row has already followed the click.
  void leftButtonPressed();
  /// The left mouse button was double-clicked anywhere in the list.
  void leftButtonDoubleClicked();
  /// Local files were dropped on the list.
  void filesDropped(const QStringList& fileNames);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  static QStringList localFiles(const QMimeData* mimeData);
};

}  // namespace duvanet::gui

#include "gui/SequenceListBox.h"

#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace duvanet::gui {

QColor SequenceRowDelegate::background(int row, bool selected) {
  const bool even = row % 2 == 0;
  if (selected) return even ? QColor(8, 8, 255) : QColor(0, 0, 245);
  return even ? QColor(255, 255, 255) : QColor(242, 242, 255);
}

void SequenceRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->save();
  painter->fillRect(option.rect, background(index.row(), selected));
  painter->setFont(option.font);
  painter->setPen(selected ? Qt::white : Qt::black);
  // The name starts at the row's top-left corner, without a margin and never elided.
  const QRect textRect(option.rect.topLeft(), QSize(1 << 20, option.rect.height()));
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();
  if (option.state.testFlag(QStyle::State_HasFocus)) {
    QStyleOptionFocusRect focus;
    focus.initFrom(option.widget);
    focus.rect = option.rect;
    focus.state = option.state | QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    focus.backgroundColor = background(index.row(), selected);
    const QStyle* style = option.widget ? option.widget->style() : nullptr;
    if (style) style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
  }
}

QSize SequenceRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QSize natural = QStyledItemDelegate::sizeHint(option, index);
  return {natural.width(), kRowHeight};
}

SequenceListBox::SequenceListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);
  setItemDelegate(new SequenceRowDelegate(this));
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
  setDefaultDropAction(Qt::CopyAction);
}

void SequenceListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // A right click opens the context menu only; selection and current row stay.
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit leftButtonPressed();
}

void SequenceListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QListWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit leftButtonDoubleClicked();
}

QStringList SequenceListBox::localFiles(const QMimeData* mimeData) {
  QStringList files;
  if (mimeData == nullptr || !mimeData->hasUrls()) return files;
  for (const QUrl& url : mimeData->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

void SequenceListBox::dragEnterEvent(QDragEnterEvent* event) {
  if (localFiles(event->mimeData()).isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
}

void SequenceListBox::dragMoveEvent(QDragMoveEvent* event) {
  if (localFiles(event->mimeData()).isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
}

void SequenceListBox::dropEvent(QDropEvent* event) {
  const QStringList files = localFiles(event->mimeData());
  if (files.isEmpty()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  emit filesDropped(files);
}

}  // namespace duvanet::gui

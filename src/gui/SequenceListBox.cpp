#include "gui/SequenceListBox.h"

#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QUrl>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/SequenceList.h"
#include "gui/SequenceListModel.h"

namespace duvanet::gui {

namespace {

constexpr int kRowHeight = SequenceRowDelegate::kRowHeight;
// Tool tips break a long name into lines of this many characters, and show this many lines.
constexpr int kToolTipLineLength = 100;
constexpr int kToolTipLines = 40;

// Widths of names in one font. Names of Latin-1 characters (nearly every name) are summed from
// a table, so that measuring millions of names costs no text layout; others are laid out.
class NameWidths {
 public:
  explicit NameWidths(const QFont& font) : m_metrics(font) {
    for (int code = 0; code < int(m_latin1.size()); ++code)
      m_latin1[size_t(code)] = m_metrics.horizontalAdvance(QChar(code));
  }

  qint64 width(QStringView name) const {
    // Advances are fractions of a pixel; the sum is rounded up so the last glyph is never cut.
    qreal sum = 0;
    for (const QChar c : name) {
      if (c.unicode() >= m_latin1.size()) return laidOut(name);
      sum += m_latin1[c.unicode()];
    }
    return qint64(std::ceil(sum));
  }

 private:
  qint64 laidOut(QStringView name) const {
    // Laying out megabytes of text would stall the list; such a name is estimated.
    if (name.size() > 100000) return qint64(std::ceil(qreal(name.size()) * m_metrics.maxWidth()));
    return qint64(std::ceil(m_metrics.horizontalAdvance(name.toString())));
  }

  QFontMetricsF m_metrics;
  std::array<qreal, 256> m_latin1{};
};

int clampToInt(qint64 value, qint64 limit = qint64{1} << 30) {
  return int(std::clamp(value, -limit, limit));
}

qint64 floorDivide(qint64 value, qint64 divisor) {
  const qint64 quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

QColor SequenceRowDelegate::background(int row, bool selected) {
  const bool even = row % 2 == 0;
  if (selected) return even ? QColor(8, 8, 255) : QColor(0, 0, 245);
  return even ? QColor(255, 255, 255) : QColor(242, 242, 255);
}

QColor SequenceRowDelegate::focusDots(bool selected) {
  return selected ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

void SequenceRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->save();
  painter->fillRect(option.rect, background(index.row(), selected));
  painter->setFont(option.font);
  painter->setPen(selected ? Qt::white : Qt::black);
  // The name starts at the row's top-left corner, without a margin and never elided.
  const QRect textRect(option.rect.topLeft(), QSize(1 << 30, option.rect.height()));
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  if (option.state.testFlag(QStyle::State_HasFocus)) {
    // The dotted frame of a classic list box, drawn here: a style's focus frame tints the row
    // (Fusion fills it with a gradient), which would change the row's colours.
    QPen dots(focusDots(selected), 1);
    dots.setCosmetic(true);
    dots.setDashPattern({1.0, 1.0});
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(dots);
    painter->setBrush(Qt::NoBrush);
    // Only the visible part of a row wider than the list gets the frame, so it shows whole.
    QRect frame = option.rect;
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget))
      frame = frame.intersected(view->viewport()->rect());
    painter->drawRect(frame.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

QSize SequenceRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QSize natural = QStyledItemDelegate::sizeHint(option, index);
  return {natural.width(), kRowHeight};
}

SequenceListBox::SequenceListBox(QWidget* parent) : QAbstractItemView(parent) {
  m_model = new SequenceListModel(this);
  setModel(m_model);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new SequenceRowDelegate(this));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DropOnly);
  setDefaultDropAction(Qt::CopyAction);
}

void SequenceListBox::showList(const tSequenceList& list) {
  m_model->refresh(&list);
  measureNames();
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  updateGeometries();
  viewport()->update();
}

void SequenceListBox::measureNames() {
  qint64 widest = 0;
  const tSequenceList* list = m_model->list();
  if (list != nullptr) {
    const NameWidths widths(font());
    const int rows = m_model->rowCount();
    for (int row = 0; row < rows; ++row) {
      const QStringView name = list->NameView(row);
      if (!name.isEmpty()) widest = std::max(widest, widths.width(name));
    }
  }
  m_widestName = clampToInt(widest);
}

int SequenceListBox::count() const { return m_model->rowCount(); }

int SequenceListBox::currentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() : -1;
}

void SequenceListBox::setCurrentRow(int row, QItemSelectionModel::SelectionFlags command) {
  selectionModel()->setCurrentIndex(m_model->index(row, 0), command);
}

QString SequenceListBox::rowText(int row) const {
  return m_model->data(m_model->index(row, 0), Qt::DisplayRole).toString();
}

bool SequenceListBox::isRowSelected(int row) const {
  return selectionModel()->isSelected(m_model->index(row, 0));
}

void SequenceListBox::setRowSelected(int row, bool selected) {
  const QModelIndex index = m_model->index(row, 0);
  if (!index.isValid()) return;
  selectionModel()->select(index,
                           selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

QList<int> SequenceListBox::selectedRows() const {
  // The ranges, not selectedIndexes(): a selection of every row of a long list is one range,
  // and an index per row would cost far more than the row number.
  QList<int> rows;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.append(row);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

int SequenceListBox::topRow() const { return verticalScrollBar()->value(); }

int SequenceListBox::rowsPerPage() const { return std::max(1, viewport()->height() / kRowHeight); }

qint64 SequenceListBox::rowAtY(int y) const { return topRow() + floorDivide(y, kRowHeight); }

QRect SequenceListBox::rowRect(int row) const {
  const qint64 top = (qint64(row) - topRow()) * kRowHeight;
  const int width = std::max(m_widestName, viewport()->width());
  return {-horizontalOffset(), clampToInt(top), width, kRowHeight};
}

QRect SequenceListBox::visualRect(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != m_model) return {};
  return rowRect(index.row());
}

void SequenceListBox::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (!index.isValid()) return;
  const int row = index.row();
  const int page = rowsPerPage();
  int top = topRow();
  switch (hint) {
    case PositionAtTop:
      top = row;
      break;
    case PositionAtBottom:
      top = row - page + 1;
      break;
    case PositionAtCenter:
      top = row - page / 2;
      break;
    case EnsureVisible:
      if (row < top) {
        top = row;
      } else if (row >= top + page) {
        top = row - page + 1;
      }
      break;
  }
  verticalScrollBar()->setValue(top);
}

QModelIndex SequenceListBox::indexAt(const QPoint& point) const {
  if (point.y() < 0) return {};
  const qint64 row = rowAtY(point.y());
  if (row < 0 || row >= count()) return {};
  return m_model->index(int(row), 0);
}

QModelIndex SequenceListBox::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers) {
  const int rows = count();
  if (rows == 0) return {};
  const int current = currentRow();
  const int page = std::max(1, rowsPerPage() - 1);
  qint64 row = current;
  switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
      row = current < 0 ? 0 : qint64(current) - 1;
      break;
    case MoveDown:
    case MoveNext:
      row = current < 0 ? 0 : qint64(current) + 1;
      break;
    case MovePageUp:
      row = qint64(current) - page;
      break;
    case MovePageDown:
      row = qint64(current) + page;
      break;
    case MoveHome:
      row = 0;
      break;
    case MoveEnd:
      row = rows - 1;
      break;
    case MoveLeft:
    case MoveRight: {
      // As in a list box with a horizontal extent: the arrows scroll the names sideways.
      QScrollBar* bar = horizontalScrollBar();
      bar->setValue(bar->value() +
                    (cursorAction == MoveLeft ? -bar->singleStep() : bar->singleStep()));
      return currentIndex();
    }
  }
  return m_model->index(int(std::clamp<qint64>(row, 0, rows - 1)), 0);
}

int SequenceListBox::horizontalOffset() const { return horizontalScrollBar()->value(); }

int SequenceListBox::verticalOffset() const {
  return clampToInt(qint64(topRow()) * kRowHeight, std::numeric_limits<int>::max());
}

bool SequenceListBox::isIndexHidden(const QModelIndex&) const { return false; }

void SequenceListBox::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
  const QRect area = rect.normalized();
  const qint64 first = std::max<qint64>(0, rowAtY(area.top()));
  const qint64 last = std::min<qint64>(count() - 1, rowAtY(area.bottom()));
  QItemSelection selection;
  if (first <= last) selection.select(m_model->index(int(first), 0), m_model->index(int(last), 0));
  selectionModel()->select(selection, command);
}

QRegion SequenceListBox::visualRegionForSelection(const QItemSelection& selection) const {
  QRegion region;
  const qint64 firstShown = topRow();
  const qint64 lastShown = firstShown + rowsPerPage();
  for (const QItemSelectionRange& range : selection) {
    const qint64 top = std::max<qint64>(range.top(), firstShown);
    const qint64 bottom = std::min<qint64>(range.bottom(), lastShown);
    if (top > bottom) continue;
    const QRect first = rowRect(int(top));
    region += QRect(first.left(), first.top(), first.width(), int(bottom - top + 1) * kRowHeight);
  }
  return region;
}

void SequenceListBox::updateGeometries() {
  const int page = rowsPerPage();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setSingleStep(1);
  vertical->setPageStep(page);
  vertical->setRange(0, std::max(0, count() - page));
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
  horizontal->setPageStep(std::max(1, viewport()->width()));
  horizontal->setRange(0, std::max(0, m_widestName - viewport()->width()));
  QAbstractItemView::updateGeometries();
}

void SequenceListBox::scrollContentsBy(int, int) {
  // The vertical bar counts rows, not pixels: everything shown moves, so all is drawn anew.
  viewport()->update();
}

QString SequenceListBox::toolTipAt(const QPoint& point) const {
  const QModelIndex index = indexAt(point);
  if (!index.isValid()) return {};
  const QString name = rowText(index.row());
  const qint64 left = -horizontalOffset();
  const qint64 right = left + NameWidths(font()).width(name);
  if (left >= 0 && right <= viewport()->width()) return {};
  // Lines of a fixed length: a tool tip does not wrap a plain text by itself.
  QStringList lines;
  for (qsizetype at = 0; at < name.size() && lines.size() < kToolTipLines; at += kToolTipLineLength)
    lines << name.mid(at, kToolTipLineLength);
  if (name.size() > qsizetype(kToolTipLineLength) * kToolTipLines) lines.last() += QChar(0x2026);
  return lines.join(QLatin1Char('\n'));
}

bool SequenceListBox::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = toolTipAt(help->pos());
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      const QRect row = visualRect(indexAt(help->pos())).intersected(viewport()->rect());
      QToolTip::showText(help->globalPos(), text, viewport(), row);
    }
    return true;
  }
  return QAbstractItemView::viewportEvent(event);
}

void SequenceListBox::changeEvent(QEvent* event) {
  QAbstractItemView::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    measureNames();
    updateGeometries();
    viewport()->update();
  }
}

void SequenceListBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, palette().base());
  const int rows = count();
  if (rows == 0) return;
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  const QStyle::State baseState = option.state;
  const QModelIndex current = currentIndex();
  const bool focused = (hasFocus() || viewport()->hasFocus()) && current.isValid();
  const qint64 first = std::max<qint64>(0, rowAtY(area.top()));
  const qint64 last = std::min<qint64>(rows - 1, rowAtY(area.bottom()));
  for (qint64 row = first; row <= last; ++row) {
    const QModelIndex index = m_model->index(int(row), 0);
    option.rect = rowRect(int(row));
    option.state = baseState;
    option.state.setFlag(QStyle::State_Selected, selectionModel()->isSelected(index));
    option.state.setFlag(QStyle::State_HasFocus, focused && index == current);
    itemDelegate()->paint(&painter, option, index);
  }
}

void SequenceListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // A right click opens the context menu only; selection and current row stay.
    event->accept();
    return;
  }
  QAbstractItemView::mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit leftButtonPressed();
}

void SequenceListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QAbstractItemView::mouseDoubleClickEvent(event);
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

#include "gui/HitDialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "gui/ApplicationTitle.h"

namespace duvanet::gui {

namespace {

QSpinBox* positionBox(QWidget* parent, const char* name, qint64 last, qint64 value) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  const auto top = static_cast<int>(std::clamp<qint64>(last, 1, std::numeric_limits<int>::max()));
  box->setRange(1, top);
  box->setValue(static_cast<int>(std::clamp<qint64>(value, 1, top)));
  box->setSuffix(QStringLiteral(" of %1").arg(top));
  return box;
}

}  // namespace

GoToPositionDialog::GoToPositionDialog(QWidget* parent, qint64 plotWidth, qint64 plotHeight,
                                       qint64 x, qint64 y)
    : QDialog(parent) {
  setObjectName(QStringLiteral("dialGoToPosition"));
  setWindowTitle(duvanet::gui::ApplicationTitle() + QStringLiteral(" - Go to position"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_x = positionBox(this, "edGoToX", plotWidth, x);
  m_y = positionBox(this, "edGoToY", plotHeight, y);
  form->addRow(QStringLiteral("Horizontal position (x):"), m_x);
  form->addRow(QStringLiteral("Vertical position (y):"), m_y);
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  m_x->setFocus();
  m_x->selectAll();
}

qint64 GoToPositionDialog::x() const { return m_x->value(); }
qint64 GoToPositionDialog::y() const { return m_y->value(); }

HitExportDialog::HitExportDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dialExportHits"));
  setWindowTitle(duvanet::gui::ApplicationTitle() + QStringLiteral(" - Export hits"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Write the hit segments of"), this));
  m_whole = new QRadioButton(QStringLiteral("the whole plot"), this);
  m_whole->setObjectName(QStringLiteral("rbExportWholePlot"));
  m_region = new QRadioButton(QStringLiteral("the region shown"), this);
  m_region->setObjectName(QStringLiteral("rbExportRegionShown"));
  m_whole->setChecked(true);
  layout->addWidget(m_whole);
  layout->addWidget(m_region);
  layout->addWidget(new QLabel(
      QStringLiteral("at the threshold of the Hits panel, as TSV, PAF or BEDPE (by the file's "
                     "extension)."),
      this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

bool HitExportDialog::wholePlot() const { return m_whole->isChecked(); }

CellMarker::CellMarker(QWidget* chart) : QWidget(chart) {
  setObjectName(QStringLiteral("cellMarker"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void CellMarker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(QPen(QColor(255, 0, 0), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

}  // namespace duvanet::gui

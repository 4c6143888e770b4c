#include "chart/PictureSizeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace duvanet::chart {

PictureSizeDialog::PictureSizeDialog(QWidget* owner, ChartImageFormat format,
                                     const PictureSize& initial)
    : QDialog(owner) {
  setObjectName(QStringLiteral("dialPictureSize"));
  setWindowTitle(QStringLiteral("Picture size"));
  setModal(true);
  const QSize start = initial.pixels.isEmpty() ? QSize(640, 480) : initial.pixels;
  m_pixelWidth = std::clamp(start.width(), kMinPixels, kMaxPixels);
  m_pixelHeight = std::clamp(start.height(), kMinPixels, kMaxPixels);
  m_ratio = m_pixelHeight / m_pixelWidth;

  auto* formatLabel = new QLabel(chartExportFilter(format), this);
  formatLabel->setObjectName(QStringLiteral("lbFormat"));
  m_width = new QDoubleSpinBox(this);
  m_width->setObjectName(QStringLiteral("edWidth"));
  m_height = new QDoubleSpinBox(this);
  m_height->setObjectName(QStringLiteral("edHeight"));
  m_unit = new QComboBox(this);
  m_unit->setObjectName(QStringLiteral("cobUnit"));
  m_unit->addItems({QStringLiteral("pixels"), QStringLiteral("millimetres")});
  m_resolution = new QSpinBox(this);
  m_resolution->setObjectName(QStringLiteral("edResolution"));
  m_resolution->setRange(10, 2400);
  m_resolution->setSuffix(QStringLiteral(" dpi"));
  m_resolution->setValue(static_cast<int>(std::lround(initial.dpi > 0 ? initial.dpi : 96)));
  m_keepProportions = new QCheckBox(QStringLiteral("Keep proportions"), this);
  m_keepProportions->setObjectName(QStringLiteral("cbKeepProportions"));
  m_keepProportions->setChecked(true);
  m_summary = new QLabel(this);
  m_summary->setObjectName(QStringLiteral("lbPictureSize"));

  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(m_width);
  sizeRow->addWidget(new QLabel(QStringLiteral("×"), this));
  sizeRow->addWidget(m_height);
  sizeRow->addWidget(m_unit);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Format:"), formatLabel);
  form->addRow(QStringLiteral("Size:"), sizeRow);
  form->addRow(QStringLiteral("Resolution:"), m_resolution);
  form->addRow(m_keepProportions);
  form->addRow(QString(), m_summary);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);

  setUnit(Unit::Pixels);
  connect(m_width, &QDoubleSpinBox::valueChanged, this, [this] { widthEdited(); });
  connect(m_height, &QDoubleSpinBox::valueChanged, this, [this] { heightEdited(); });
  connect(m_unit, &QComboBox::currentIndexChanged, this,
          [this](int index) { setUnit(static_cast<Unit>(index)); });
  connect(m_resolution, &QSpinBox::valueChanged, this, [this] {
    // Millimetres stay what they were (the pixels follow); pixels stay pixels.
    if (m_unit->currentIndex() == int(Unit::Millimetres)) {
      m_pixelWidth = std::clamp(toPixels(m_width->value()), double(kMinPixels), double(kMaxPixels));
      m_pixelHeight =
          std::clamp(toPixels(m_height->value()), double(kMinPixels), double(kMaxPixels));
      showPixels(m_pixelWidth, m_pixelHeight);
    }
    updateSummary();
  });
}

double PictureSizeDialog::toPixels(double value) const {
  if (m_unit->currentIndex() == int(Unit::Pixels)) return value;
  return value / 25.4 * m_resolution->value();
}

double PictureSizeDialog::fromPixels(double pixels) const {
  if (m_unit->currentIndex() == int(Unit::Pixels)) return pixels;
  return pixels * 25.4 / m_resolution->value();
}

void PictureSizeDialog::setUnit(Unit unit) {
  m_updating = true;
  if (m_unit->currentIndex() != int(unit)) m_unit->setCurrentIndex(int(unit));
  const bool pixels = unit == Unit::Pixels;
  for (QDoubleSpinBox* box : {m_width, m_height}) {
    box->setDecimals(pixels ? 0 : 1);
    box->setSuffix(pixels ? QStringLiteral(" px") : QStringLiteral(" mm"));
    box->setRange(fromPixels(kMinPixels), fromPixels(kMaxPixels));
    box->setSingleStep(pixels ? 10 : 1);
  }
  m_updating = false;
  showPixels(m_pixelWidth, m_pixelHeight);
}

void PictureSizeDialog::showPixels(double width, double height) {
  m_updating = true;
  for (QDoubleSpinBox* box : {m_width, m_height})
    box->setRange(fromPixels(kMinPixels), fromPixels(kMaxPixels));
  m_width->setValue(fromPixels(width));
  m_height->setValue(fromPixels(height));
  m_updating = false;
  updateSummary();
}

void PictureSizeDialog::widthEdited() {
  if (m_updating) return;
  m_pixelWidth = std::clamp(toPixels(m_width->value()), double(kMinPixels), double(kMaxPixels));
  if (m_keepProportions->isChecked()) {
    m_pixelHeight = std::clamp(m_pixelWidth * m_ratio, double(kMinPixels), double(kMaxPixels));
    m_updating = true;
    m_height->setValue(fromPixels(m_pixelHeight));
    m_updating = false;
  } else {
    m_ratio = m_pixelHeight / m_pixelWidth;
  }
  updateSummary();
}

void PictureSizeDialog::heightEdited() {
  if (m_updating) return;
  m_pixelHeight = std::clamp(toPixels(m_height->value()), double(kMinPixels), double(kMaxPixels));
  if (m_keepProportions->isChecked()) {
    m_pixelWidth = std::clamp(m_pixelHeight / m_ratio, double(kMinPixels), double(kMaxPixels));
    m_updating = true;
    m_width->setValue(fromPixels(m_pixelWidth));
    m_updating = false;
  } else {
    m_ratio = m_pixelHeight / m_pixelWidth;
  }
  updateSummary();
}

PictureSize PictureSizeDialog::pictureSize() const {
  const auto round = [](double pixels) {
    return std::clamp(static_cast<int>(std::lround(pixels)), kMinPixels, kMaxPixels);
  };
  return PictureSize{QSize(round(m_pixelWidth), round(m_pixelHeight)),
                     double(m_resolution->value())};
}

void PictureSizeDialog::updateSummary() {
  const PictureSize size = pictureSize();
  m_summary->setText(QStringLiteral("%1 × %2 pixels, %3 × %4 mm")
                         .arg(size.pixels.width())
                         .arg(size.pixels.height())
                         .arg(size.pixels.width() * 25.4 / size.dpi, 0, 'f', 1)
                         .arg(size.pixels.height() * 25.4 / size.dpi, 0, 'f', 1));
}

std::optional<PictureSize> PictureSizeDialog::choose(QWidget* owner, ChartImageFormat format,
                                                     const PictureSize& initial) {
  PictureSizeDialog dialog(owner, format, initial);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.pictureSize();
}

}  // namespace duvanet::chart

#include "chart/ChartEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

namespace duvanet::chart {

namespace {

QDoubleSpinBox* valueBox(QWidget* parent, const char* name) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(-1e9, 1e9);
  box->setDecimals(3);
  return box;
}

// The font in the unit it is given in: pixels or points.
QString fontText(const QFont& font) {
  const QString size =
      font.pixelSize() > 0
          ? QStringLiteral("%1 px").arg(font.pixelSize())
          : QStringLiteral("%1 pt").arg(QString::number(font.pointSizeF(), 'g', 4));
  return QStringLiteral("%1, %2%3")
      .arg(font.family(), size, font.bold() ? QStringLiteral(", bold") : QString());
}

}  // namespace

ChartEditorDialog::ChartEditorDialog(ColourGridChart* chart, QWidget* owner, const QString& title,
                                     duvanet::chart::FontDialogs& fonts)
    : QDialog(owner), m_chart(chart), m_fonts(fonts) {
  setWindowTitle(title);
  setModal(true);
  m_pages = new QTabWidget(this);

  auto* axisPage = new QWidget(m_pages);
  axisPage->setObjectName(QStringLiteral("axisPage"));
  auto* axisForm = new QFormLayout(axisPage);
  m_axisChoice = new QComboBox(axisPage);
  m_axisChoice->setObjectName(QStringLiteral("cobAxis"));
  m_axisChoice->addItems({QStringLiteral("Top"), QStringLiteral("Left")});
  m_automatic = new QCheckBox(QStringLiteral("Automatic range"), axisPage);
  m_automatic->setObjectName(QStringLiteral("cbAutomatic"));
  m_minimum = valueBox(axisPage, "edMinimum");
  m_maximum = valueBox(axisPage, "edMaximum");
  m_increment = valueBox(axisPage, "edIncrement");
  m_increment->setMinimum(0);
  m_inverted = new QCheckBox(QStringLiteral("Inverted"), axisPage);
  m_inverted->setObjectName(QStringLiteral("cbInverted"));
  m_axisTitle = new QLineEdit(axisPage);
  m_axisTitle->setObjectName(QStringLiteral("edAxisTitle"));
  m_labelFont = new QPushButton(axisPage);
  m_labelFont->setObjectName(QStringLiteral("btLabelFont"));
  axisForm->addRow(QStringLiteral("Axis:"), m_axisChoice);
  axisForm->addRow(m_automatic);
  axisForm->addRow(QStringLiteral("Minimum:"), m_minimum);
  axisForm->addRow(QStringLiteral("Maximum:"), m_maximum);
  axisForm->addRow(QStringLiteral("Increment:"), m_increment);
  axisForm->addRow(m_inverted);
  axisForm->addRow(QStringLiteral("Title:"), m_axisTitle);
  axisForm->addRow(QStringLiteral("Label font:"), m_labelFont);
  m_pages->addTab(axisPage, QStringLiteral("Axis"));

  auto* titlesPage = new QWidget(m_pages);
  titlesPage->setObjectName(QStringLiteral("titlesPage"));
  auto* titlesForm = new QFormLayout(titlesPage);
  m_title = new QLineEdit(chart->title(), titlesPage);
  m_title->setObjectName(QStringLiteral("edTitle"));
  m_titleVisible = new QCheckBox(QStringLiteral("Visible"), titlesPage);
  m_titleVisible->setObjectName(QStringLiteral("cbTitleVisible"));
  m_titleVisible->setChecked(chart->titleVisible());
  titlesForm->addRow(QStringLiteral("Title:"), m_title);
  titlesForm->addRow(m_titleVisible);
  m_pages->addTab(titlesPage, QStringLiteral("Titles"));

  auto* legendPage = new QWidget(m_pages);
  legendPage->setObjectName(QStringLiteral("legendPage"));
  auto* legendForm = new QFormLayout(legendPage);
  m_legendVisible = new QCheckBox(QStringLiteral("Visible"), legendPage);
  m_legendVisible->setObjectName(QStringLiteral("cbLegendVisible"));
  m_legendVisible->setChecked(chart->legendVisible());
  m_legendPosition = new QComboBox(legendPage);
  m_legendPosition->setObjectName(QStringLiteral("cobLegendPosition"));
  m_legendPosition->addItems({QStringLiteral("Right"), QStringLiteral("Left"),
                              QStringLiteral("Top"), QStringLiteral("Bottom")});
  m_legendPosition->setCurrentIndex(static_cast<int>(chart->legendPosition()));
  legendForm->addRow(m_legendVisible);
  legendForm->addRow(QStringLiteral("Position:"), m_legendPosition);
  m_pages->addTab(legendPage, QStringLiteral("Legend"));

  auto* toolsPage = new QWidget(m_pages);
  toolsPage->setObjectName(QStringLiteral("toolsPage"));
  auto* toolsForm = new QFormLayout(toolsPage);
  m_zoom = new QCheckBox(QStringLiteral("Zoom by dragging a rectangle"), toolsPage);
  m_zoom->setObjectName(QStringLiteral("cbZoom"));
  m_zoom->setChecked(chart->zoomEnabled());
  m_scroll = new QCheckBox(QStringLiteral("Scroll with the right button and the wheel"), toolsPage);
  m_scroll->setObjectName(QStringLiteral("cbScroll"));
  m_scroll->setChecked(chart->scrollEnabled());
  m_crossHair = new QCheckBox(QStringLiteral("Cross-hair"), toolsPage);
  m_crossHair->setObjectName(QStringLiteral("cbCrossHair"));
  m_crossHair->setChecked(chart->crossHair());
  toolsForm->addRow(m_zoom);
  toolsForm->addRow(m_scroll);
  toolsForm->addRow(m_crossHair);
  m_pages->addTab(toolsPage, QStringLiteral("Tools"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(buttons);

  loadAxis();
  connect(m_axisChoice, &QComboBox::currentIndexChanged, this, [this] { loadAxis(); });
  for (QCheckBox* box : {m_automatic, m_inverted})
    connect(box, &QCheckBox::toggled, this, [this] { storeAxis(); });
  for (QDoubleSpinBox* box : {m_minimum, m_maximum, m_increment})
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { storeAxis(); });
  connect(m_axisTitle, &QLineEdit::textChanged, this, [this] { storeAxis(); });
  connect(m_labelFont, &QPushButton::clicked, this, [this] { chooseLabelFont(); });
  connect(m_title, &QLineEdit::textChanged, chart, &ColourGridChart::setTitle);
  connect(m_titleVisible, &QCheckBox::toggled, chart, &ColourGridChart::setTitleVisible);
  connect(m_legendVisible, &QCheckBox::toggled, chart, &ColourGridChart::setLegendVisible);
  connect(m_legendPosition, &QComboBox::currentIndexChanged, this,
          [this](int index) { m_chart->setLegendPosition(static_cast<LegendPosition>(index)); });
  connect(m_zoom, &QCheckBox::toggled, chart, &ColourGridChart::setZoomEnabled);
  connect(m_scroll, &QCheckBox::toggled, chart, &ColourGridChart::setScrollEnabled);
  connect(m_crossHair, &QCheckBox::toggled, chart, &ColourGridChart::setCrossHair);
}

ChartAxis ChartEditorDialog::currentAxis() const {
  return m_axisChoice->currentIndex() == 0 ? ChartAxis::Top : ChartAxis::Left;
}

void ChartEditorDialog::loadAxis() {
  m_loading = true;
  const AxisSettings& settings = m_chart->axis(currentAxis());
  const auto [min, max] = m_chart->visibleRange(currentAxis());
  m_automatic->setChecked(settings.automatic);
  m_minimum->setValue(settings.automatic ? min : settings.min);
  m_maximum->setValue(settings.automatic ? max : settings.max);
  m_minimum->setEnabled(!settings.automatic);
  m_maximum->setEnabled(!settings.automatic);
  m_increment->setValue(settings.increment);
  m_inverted->setChecked(settings.inverted);
  m_axisTitle->setText(settings.title);
  m_labelFont->setText(fontText(settings.labelFont));
  m_loading = false;
}

void ChartEditorDialog::storeAxis() {
  if (m_loading) return;
  AxisSettings settings = m_chart->axis(currentAxis());
  settings.automatic = m_automatic->isChecked();
  if (!settings.automatic && m_minimum->value() < m_maximum->value()) {
    settings.min = m_minimum->value();
    settings.max = m_maximum->value();
  }
  settings.increment = m_increment->value();
  settings.inverted = m_inverted->isChecked();
  settings.title = m_axisTitle->text();
  m_minimum->setEnabled(!settings.automatic);
  m_maximum->setEnabled(!settings.automatic);
  m_chart->setAxis(currentAxis(), settings);
}

void ChartEditorDialog::chooseLabelFont() {
  AxisSettings settings = m_chart->axis(currentAxis());
  const std::optional<QFont> chosen = m_fonts.chooseFont(this, settings.labelFont);
  if (!chosen) return;
  settings.labelFont = *chosen;
  m_chart->setAxis(currentAxis(), settings);
  m_labelFont->setText(fontText(settings.labelFont));
}

void ChartEditorDialog::edit(ColourGridChart* chart, QWidget* owner, const QString& title,
                             duvanet::chart::FontDialogs& fonts) {
  ChartEditorDialog dialog(chart, owner, title, fonts);
  dialog.exec();
}

}  // namespace duvanet::chart

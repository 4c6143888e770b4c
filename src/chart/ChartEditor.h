#pragma once

#include <QDialog>
#include <QFont>
#include <functional>
#include <optional>

#include "chart/ColourGridChart.h"
#include "chart/FontDialogs.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace duvanet::chart {

/// A modal editor that changes a colour-grid chart in place as the user edits, with pages for
/// the axes, the titles, the legend and the tools.
class ChartEditorDialog : public QDialog {
  Q_OBJECT
 public:
  /// fonts (not owned) picks the axis label fonts.
  ChartEditorDialog(ColourGridChart* chart, QWidget* owner, const QString& title,
                    duvanet::chart::FontDialogs& fonts);
  QTabWidget* pages() const { return m_pages; }

  /// Opens the editor modally for a chart.
  static void edit(ColourGridChart* chart, QWidget* owner, const QString& title,
                   duvanet::chart::FontDialogs& fonts);

 private:
  ChartAxis currentAxis() const;
  void loadAxis();
  void storeAxis();
  void chooseLabelFont();

  ColourGridChart* m_chart = nullptr;
  duvanet::chart::FontDialogs& m_fonts;
  QTabWidget* m_pages = nullptr;
  bool m_loading = false;
  // axes
  QComboBox* m_axisChoice = nullptr;
  QCheckBox* m_automatic = nullptr;
  QDoubleSpinBox* m_minimum = nullptr;
  QDoubleSpinBox* m_maximum = nullptr;
  QDoubleSpinBox* m_increment = nullptr;
  QCheckBox* m_inverted = nullptr;
  QLineEdit* m_axisTitle = nullptr;
  QPushButton* m_labelFont = nullptr;
  // titles
  QLineEdit* m_title = nullptr;
  QCheckBox* m_titleVisible = nullptr;
  // legend
  QCheckBox* m_legendVisible = nullptr;
  QComboBox* m_legendPosition = nullptr;
  // tools
  QCheckBox* m_zoom = nullptr;
  QCheckBox* m_scroll = nullptr;
  QCheckBox* m_crossHair = nullptr;
};

}  // namespace duvanet::chart

#pragma once

#include <QDialog>
#include <optional>

#include "chart/ChartExport.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace duvanet::chart {

/// Asks for the size of an exported picture: width × height in pixels, or in millimetres with
/// the resolution in dots per inch; the proportions are kept unless the user unticks that. The
/// resolution is noted in raster files and gives SVG and PDF their size on paper; text and
/// lines grow with it, so that a figure keeps its proportions at every resolution.
class PictureSizeDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMinPixels = 50;
  static constexpr int kMaxPixels = 16000;
  enum class Unit { Pixels = 0, Millimetres = 1 };

  PictureSizeDialog(QWidget* owner, ChartImageFormat format, const PictureSize& initial);
  /// The size the fields give now, in pixels within kMinPixels … kMaxPixels.
  PictureSize pictureSize() const;
  void setUnit(Unit unit);

  /// Shows the dialog modally; nothing when cancelled.
  static std::optional<PictureSize> choose(QWidget* owner, ChartImageFormat format,
                                           const PictureSize& initial);

 private:
  double toPixels(double value) const;
  double fromPixels(double pixels) const;
  void showPixels(double width, double height);
  void widthEdited();
  void heightEdited();
  void updateSummary();

  QDoubleSpinBox* m_width;
  QDoubleSpinBox* m_height;
  QComboBox* m_unit;
  QSpinBox* m_resolution;
  QCheckBox* m_keepProportions;
  QLabel* m_summary;
  double m_ratio;  // height over width
  double m_pixelWidth;
  double m_pixelHeight;
  bool m_updating = false;
};

}  // namespace duvanet::chart

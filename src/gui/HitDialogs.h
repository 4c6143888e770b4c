#pragma once

#include <QDialog>
#include <QWidget>

class QRadioButton;
class QSpinBox;

namespace duvanet::gui {

/// "Go to position…": the 1-based start positions x (horizontal) and y (vertical) of a cell.
class GoToPositionDialog : public QDialog {
  Q_OBJECT
 public:
  GoToPositionDialog(QWidget* parent, qint64 plotWidth, qint64 plotHeight, qint64 x, qint64 y);
  qint64 x() const;
  qint64 y() const;

 private:
  QSpinBox* m_x = nullptr;
  QSpinBox* m_y = nullptr;
};

/// "Export hits…": which segments to write, those of the whole plot or of the region shown.
class HitExportDialog : public QDialog {
  Q_OBJECT
 public:
  explicit HitExportDialog(QWidget* parent);
  bool wholePlot() const;

 private:
  QRadioButton* m_whole = nullptr;
  QRadioButton* m_region = nullptr;
};

/// The red frame that marks the shown cell on the chart; lets every mouse event through.
class CellMarker : public QWidget {
  Q_OBJECT
 public:
  explicit CellMarker(QWidget* chart);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace duvanet::gui

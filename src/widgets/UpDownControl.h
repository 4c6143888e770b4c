#pragma once

#include <QSpinBox>

class QLineEdit;

namespace duvanet::widgets {

/// An up-down control: an edit field with arrows whose position is the spin box's value. Steps
/// by the arrows or the arrow keys are reported apart from typing in the field.
class UpDownControl : public QSpinBox {
  Q_OBJECT

 public:
  using QSpinBox::QSpinBox;

  /// The edit field that shows the position.
  QLineEdit* edit() const { return lineEdit(); }
  void stepBy(int steps) override;

 signals:
  /// An arrow was clicked or an arrow key pressed; the value has already moved.
  void arrowClicked();
};

}  // namespace duvanet::widgets

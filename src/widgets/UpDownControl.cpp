#include "widgets/UpDownControl.h"

namespace duvanet::widgets {

void UpDownControl::stepBy(int steps) {
  QSpinBox::stepBy(steps);
  emit arrowClicked();
}

}  // namespace duvanet::widgets

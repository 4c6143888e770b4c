#include "widgets/UpDownControl.h"

void UpDownControl::stepBy(int steps) {
  QSpinBox::stepBy(steps);
  emit arrowClicked();
}

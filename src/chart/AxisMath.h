#pragma once

// The axis maths moved to the render library, which draws grids without widgets; the chart
// widgets keep reaching it under their own namespace.
#include "render/AxisMath.h"

namespace duvanet::chart {

using render::AxisGeometry;
using render::cellsBetween;
using render::CellSpan;
using render::pixelToValue;
using render::tickStep;
using render::tickValues;
using render::valueToPixel;

}  // namespace duvanet::chart

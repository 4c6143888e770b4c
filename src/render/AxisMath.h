#pragma once

#include <cstdint>
#include <vector>

namespace duvanet::render {

/// One axis of a chart: its pixel span from start to end (end > start) and its value range.
/// A horizontal axis grows to the right, a vertical one upwards, unless it is inverted.
struct AxisGeometry {
  double start = 0;
  double end = 0;
  double min = 0;
  double max = 1;
  bool inverted = false;
  bool vertical = false;
};

/// The axis value at a pixel coordinate; 0 when the pixel span is below 1.
double pixelToValue(const AxisGeometry& axis, double pixel);

/// The pixel coordinate of an axis value (the inverse of pixelToValue).
double valueToPixel(const AxisGeometry& axis, double value);

/// A readable distance between labelled ticks: the increment itself when its labels are at
/// least minPixels apart, else the smallest 1, 2, 5 × 10^k multiple of a power of ten above it
/// that is. Never below the increment; the increment 0 is taken as automatic.
double tickStep(double range, double pixelSpan, double minPixels, double increment);

/// The multiples of step inside [min, max] (both ends included, within rounding).
std::vector<double> tickValues(double min, double max, double step);

/// Cells [first, last) of unit width that intersect the value interval between a and b
/// (in either order); at least one cell.
struct CellSpan {
  std::int64_t first = 0;
  std::int64_t last = 0;
};
CellSpan cellsBetween(double a, double b);

}  // namespace duvanet::render

#include "render/AxisMath.h"

#include <algorithm>
#include <cmath>

namespace duvanet::render {

double pixelToValue(const AxisGeometry& axis, double pixel) {
  const double span = axis.end - axis.start;
  if (span < 1) return 0;
  const double range = axis.max - axis.min;
  const double offset =
      axis.inverted ? (axis.end - pixel) * range / span : (pixel - axis.start) * range / span;
  return axis.vertical ? axis.max - offset : axis.min + offset;
}

double valueToPixel(const AxisGeometry& axis, double value) {
  const double span = axis.end - axis.start;
  const double range = axis.max - axis.min;
  if (span < 1 || range == 0) return axis.start;
  const double offset = axis.vertical ? axis.max - value : value - axis.min;
  const double pixels = offset * span / range;
  return axis.inverted ? axis.end - pixels : axis.start + pixels;
}

double tickStep(double range, double pixelSpan, double minPixels, double increment) {
  range = std::abs(range);
  if (range <= 0 || pixelSpan <= 0) return increment > 0 ? increment : 1;
  const double wanted = range * minPixels / pixelSpan;  // the smallest step that fits
  double step = increment > 0 ? increment : 0;
  if (step >= wanted && step > 0) return step;
  const double floorStep = std::max(step, wanted);
  double power = std::pow(10.0, std::floor(std::log10(floorStep)));
  for (;;) {
    for (const double factor : {1.0, 2.0, 5.0}) {
      const double candidate = factor * power;
      if (candidate >= floorStep * (1 - 1e-12) && candidate >= step) return candidate;
    }
    power *= 10;
  }
}

std::vector<double> tickValues(double min, double max, double step) {
  std::vector<double> ticks;
  if (step <= 0) return ticks;
  if (min > max) std::swap(min, max);
  const double eps = step * 1e-9;
  for (double k = std::ceil((min - eps) / step);; k += 1) {
    const double value = k * step;
    if (value > max + eps) break;
    ticks.push_back(value);
    if (ticks.size() > 100000) break;
  }
  return ticks;
}

CellSpan cellsBetween(double a, double b) {
  if (a > b) std::swap(a, b);
  const auto first = static_cast<std::int64_t>(std::floor(a));
  auto last = static_cast<std::int64_t>(std::ceil(b));
  if (last <= first) last = first + 1;
  return {first, last};
}

}  // namespace duvanet::render

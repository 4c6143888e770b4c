#include "engine/Palette.h"

namespace duvanet::engine {

Rgb fullColour(ColourFamily family) {
  switch (family) {
    case ColourFamily::Red:
      return {255, 0, 0};
    case ColourFamily::Green:
      return {0, 255, 0};
    case ColourFamily::Blue:
      return {0, 0, 255};
    case ColourFamily::Grey:
      break;
  }
  return {255, 255, 255};
}

std::vector<Rgb> smoothGreyScale(int lo, int hi, int maxScore, ColourFamily family) {
  std::vector<Rgb> palette;
  if (maxScore < 0) return palette;
  palette.reserve(static_cast<std::size_t>(maxScore) + 1);
  const Rgb full = fullColour(family);
  // The step is only used strictly between the thumbs, where hi − lo + 1 is at least 3.
  const int step = hi > lo ? 256 / (hi - lo + 1) : 0;
  for (int i = 0; i <= maxScore; ++i) {
    if (i >= hi) {
      palette.push_back(full);
    } else if (i <= lo) {
      palette.push_back({0, 0, 0});
    } else {
      const auto level = static_cast<std::uint8_t>(step * (i - lo + 1));
      switch (family) {
        case ColourFamily::Grey:
          palette.push_back({level, level, level});
          break;
        case ColourFamily::Red:
          palette.push_back({level, 0, 0});
          break;
        case ColourFamily::Green:
          palette.push_back({0, level, 0});
          break;
        case ColourFamily::Blue:
          palette.push_back({0, 0, level});
          break;
      }
    }
  }
  return palette;
}

}  // namespace duvanet::engine

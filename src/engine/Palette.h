#pragma once

#include <cstdint>
#include <vector>

namespace duvanet::engine {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Rgb&) const = default;
};

enum class ColourFamily { Grey, Red, Green, Blue };

/// The full colour of a family: white, red, green or blue.
Rgb fullColour(ColourFamily family);

/// The dot plot palette: entry i (0 to maxScore) for count i. Black up to the lower thumb, a ramp
/// of step 256 / (hi − lo + 1) between the thumbs, the family's full colour from the upper thumb.
std::vector<Rgb> smoothGreyScale(int lo, int hi, int maxScore, ColourFamily family);

}  // namespace duvanet::engine

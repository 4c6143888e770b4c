// The dot plot kernels against the plain loops on tiny inputs: every plot type and evaluation,
// window sizes 1 to 9, exact and binned grids, regions (also outside the plot), 1 to 3 threads,
// and opposite strands either built from their sources or arbitrary.

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "PlainDotPlot.h"
#include "engine/DotPlotEngine.h"

using namespace duvanet::engine;

namespace duvanet::fuzz {

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const int window = 1 + input.byte() % 9;
  const std::uint8_t kind = input.byte();
  const auto type = static_cast<tDotPlotType>(kind % 7);
  const auto evaluation = static_cast<tMatchEvaluation>((kind / 7) % 3);
  const std::uint8_t options = input.byte();
  const std::size_t horizLength = input.byte() % 48;
  const std::uint8_t alphabetSize = 1 + input.byte() % 8;

  // A region, read before the symbols: small values mostly, any 64-bit value now and then.
  CellRect region;
  for (std::int64_t* value : {&region.x, &region.y, &region.width, &region.height}) {
    const std::uint8_t b = input.byte();
    *value = (b & 0x80) ? static_cast<std::int64_t>(input.u64()) : (b & 0x3F) - (b & 0x40);
  }

  // Symbols from a small alphabet (a few code units beyond Latin-1 among them).
  static const char16_t kAlphabet[] = {u'A', u'C', u'G', u'T', u'N', u'a', 0x4E00, 0xFFFF};
  auto symbol = [&](std::uint8_t b) { return kAlphabet[b % alphabetSize]; };
  std::u16string h, v;
  while (input.remaining() > 0 && h.size() < horizLength) h.push_back(symbol(input.byte()));
  while (input.remaining() > 0 && v.size() < 48) v.push_back(symbol(input.byte()));

  std::u16string hr = duvanet::testing::opposite(h, options & 1);
  std::u16string vr = duvanet::testing::opposite(v, options & 1);
  if (options & 2) std::rotate(hr.begin(), hr.begin() + static_cast<long>(hr.size() / 3), hr.end());
  if (options & 4) std::rotate(vr.begin(), vr.begin() + static_cast<long>(vr.size() / 2), vr.end());

  DotPlotComputeRequest request;
  request.strands = {h, v, hr, vr};
  request.windowSize = window;
  request.type = type;
  request.evaluation = evaluation;
  request.threads = 1 + (options >> 3) % 3;
  if (options & 0x20) {
    request.exactBudgetCells = static_cast<std::int64_t>(options >> 6) * 7;  // mostly binned
    request.maxBinsPerSide = 1 + (options >> 3) % 6;
  }
  if (options & 0x40) request.region = region;

  const DotPlotComputeResult result = computeDotPlot(request);
  const long nH = static_cast<long>(h.size()) - window + 1;
  const long nV = static_cast<long>(v.size()) - window + 1;
  if (nH <= 0 || nV <= 0) {
    FUZZ_CHECK(result.status == DotPlotStatus::TooShort,
               "no cell when a sequence is shorter than the window");
    return 0;
  }
  FUZZ_CHECK(result.isFilled(), "filled");
  FUZZ_CHECK(result.plotWidth == nH && result.plotHeight == nV, "plot size");

  const DotPlotGrid& grid = result.grid;
  const CellRect& cells = grid.cells();
  FUZZ_CHECK(
      cells.x >= 0 && cells.y >= 0 && cells.x + cells.width <= nH && cells.y + cells.height <= nV,
      "region inside the plot");
  if (!request.region) FUZZ_CHECK(cells == (CellRect{0, 0, nH, nV}), "whole plot");
  if (grid.isEmpty()) return 0;
  FUZZ_CHECK(grid.binsX() <= cells.width && grid.binsY() <= cells.height, "bins");

  const std::vector<int> counts =
      duvanet::testing::referencePlot(h, v, hr, vr, window, strandSetOf(type), evaluation).counts;
  for (int by = 0; by < grid.binsY(); ++by) {
    for (int bx = 0; bx < grid.binsX(); ++bx) {
      int highest = -1;
      for (std::int64_t y = grid.binCellY0(by); y < grid.binCellY0(by + 1); ++y)
        for (std::int64_t x = grid.binCellX0(bx); x < grid.binCellX0(bx + 1); ++x)
          highest = std::max(highest, counts[static_cast<std::size_t>(y * nH + x)]);
      FUZZ_CHECK(highest >= 0, "every bin covers a cell");
      FUZZ_CHECK(grid.at(bx, by) == highest, "count of a cell or bin");
    }
  }
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

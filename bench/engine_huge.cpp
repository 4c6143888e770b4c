// A dot plot far too large for an exact grid: 200000 × 200000 random DNA, window 12, through
// computeDotPlot with the default request (the budget decides: binned to 4096 × 4096). Prints the
// time, the grid and the peak memory of the process, and checks a few bins against the plain
// loops over the cells they cover.
//
// bench_engine_huge [length] [threads]   (defaults: 200000, every core)

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "BenchSupport.h"
#include "engine/DotPlotEngine.h"

using namespace duvanet::engine;
using duvanet::bench::peakMemoryMiB;
using duvanet::bench::randomDna;
using duvanet::bench::reverseComplement;

namespace {

// The count of one cell of the summed both-strand plot (0-based cell), position by position.
int plainBothSummed(const std::u16string& h, const std::u16string& v, const std::u16string& hr,
                    const std::u16string& vr, int w, long x0, long y0) {
  const long lh = static_cast<long>(h.size());
  const long lv = static_cast<long>(v.size());
  const long x = x0 + 1;
  const long y = y0 + 1;
  int c = 0;
  for (long k = 1; k <= w; ++k) {
    if (v[y + k - 2] == h[x + k - 2]) ++c;
    if (hr[lh - w - x + k] == v[y + k - 2]) ++c;
    if (vr[lv - w - y + k] == h[x + k - 2]) ++c;
  }
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t length = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
  const int threads = argc > 2 ? std::atoi(argv[2]) : 0;
  const int window = 12;
  std::mt19937 rng(20260101);
  const std::u16string h = randomDna(rng, length);
  const std::u16string v = randomDna(rng, length);
  const std::u16string hr = reverseComplement(h);
  const std::u16string vr = reverseComplement(v);
  std::printf("sequences: %zu x %zu, window %d, threads %s\n", length, length, window,
              threads > 0 ? std::to_string(threads).c_str() : "all cores");

  bool allRight = true;
  for (const auto& [type, evaluation, name] :
       {std::tuple{dptIdentity, meHighest, "identity"},
        std::tuple{dptDNABoth, meSummed, "both strands, summed"}}) {
    DotPlotComputeRequest request;
    request.strands = {h, v, hr, vr};
    request.windowSize = window;
    request.type = type;
    request.evaluation = evaluation;
    request.threads = threads;
    const auto start = std::chrono::steady_clock::now();
    const DotPlotComputeResult result = computeDotPlot(request);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const DotPlotGrid& grid = result.grid;
    std::printf("%-22s %lld x %lld cells -> %s grid %d x %d, %.1f s, %.2f Gcells/s, peak %ld MiB\n",
                name, static_cast<long long>(result.plotWidth),
                static_cast<long long>(result.plotHeight), grid.isExact() ? "exact" : "binned",
                grid.binsX(), grid.binsY(), seconds,
                static_cast<double>(result.plotWidth) * static_cast<double>(result.plotHeight) /
                    seconds / 1e9,
                peakMemoryMiB());
    if (!result.isFilled()) {
      std::printf("  not filled\n");
      allRight = false;
      continue;
    }
    if (type != dptDNABoth) continue;
    // Spot checks: a few bins hold the highest count of their cells.
    for (const auto& [bx, by] : {std::pair{0, 0}, std::pair{grid.binsX() / 2, grid.binsY() / 3},
                                 std::pair{grid.binsX() - 1, grid.binsY() - 1}}) {
      int highest = 0;
      for (std::int64_t y = grid.binCellY0(by); y < grid.binCellY0(by + 1); ++y)
        for (std::int64_t x = grid.binCellX0(bx); x < grid.binCellX0(bx + 1); ++x)
          highest = std::max(highest, plainBothSummed(h, v, hr, vr, window, static_cast<long>(x),
                                                      static_cast<long>(y)));
      if (grid.at(bx, by) != highest) {
        std::printf("  bin %d,%d: %d, expected %d\n", bx, by, grid.at(bx, by), highest);
        allRight = false;
      }
    }
  }
  std::printf("peak memory of the process: %ld MiB\n", peakMemoryMiB());
  return allRight && peakMemoryMiB() < 1024 ? 0 : 1;
}

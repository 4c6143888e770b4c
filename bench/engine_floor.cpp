// Dot plots with a floor on random DNA with planted repeats and inversions (300 copies of 1 to
// 5 kb, a third of them diverged by 5 %, two in five reverse complemented), both strands,
// Highest, binned to 4096 × 4096 by the default budget. Each case runs the request as the program
// sends it (the cost estimate picks the path) and prints the time, the path and the peak memory,
// beside the full sweep's time for the same request; a region of each plot is computed by both
// paths and compared.
//
// bench_engine_floor [case] [--sweep | --sweep-rows N]
//   case: pair12 (1 Mbp x 1 Mbp, W 12, F 11), pair50 (W 50, F 45), self50 (5 Mbp against
//   itself, W 50, F 45), unpaid (requests the seeded path does not pay for: floor 0, a low floor,
//   low-complexity sequence), or all (default).
//   --sweep runs the full sweep of the whole plot too; --sweep-rows N times it over N rows and
//   scales the time to the whole plot (for plots whose sweep takes half an hour).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "BenchSupport.h"
#include "engine/DotPlotEngine.h"

using namespace duvanet::engine;
using duvanet::bench::peakMemoryMiB;
using duvanet::bench::randomDna;
using duvanet::bench::reverseComplement;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Copies stretches of 1 to 5 kb of the source into the targets.
void plantRepeats(std::mt19937& rng, const std::u16string& source, std::u16string& into,
                  std::u16string* alsoInto, int copies) {
  std::uniform_int_distribution<std::size_t> length(1000, 5000);
  std::uniform_int_distribution<int> percent(0, 99);
  static const char16_t kBases[] = u"ACGT";
  for (int n = 0; n < copies; ++n) {
    std::u16string& target = alsoInto && percent(rng) < 30 ? *alsoInto : into;
    const std::size_t len = length(rng);
    const std::size_t from =
        std::uniform_int_distribution<std::size_t>(0, source.size() - len)(rng);
    const std::size_t to = std::uniform_int_distribution<std::size_t>(0, target.size() - len)(rng);
    std::u16string piece = source.substr(from, len);
    if (percent(rng) < 40) piece = reverseComplement(piece);
    if (percent(rng) < 33) {
      for (auto& c : piece) {
        if (percent(rng) < 5) c = kBases[percent(rng) % 4];
      }
    }
    target.replace(to, len, piece);
  }
}

struct Strands {
  std::u16string h, v, hr, vr;
  DotPlotStrands view() const { return {h, v, hr, vr}; }
};

Strands pairOf(std::size_t length, unsigned seed) {
  std::mt19937 rng(seed);
  Strands s;
  s.h = randomDna(rng, length);
  s.v = randomDna(rng, length);
  plantRepeats(rng, s.h, s.v, &s.h, 300);
  s.hr = reverseComplement(s.h);
  s.vr = reverseComplement(s.v);
  return s;
}

Strands selfOf(std::size_t length, unsigned seed) {
  std::mt19937 rng(seed);
  Strands s;
  s.h = randomDna(rng, length);
  const std::u16string source = s.h;
  plantRepeats(rng, source, s.h, nullptr, 300);
  s.v = s.h;
  s.hr = reverseComplement(s.h);
  s.vr = s.hr;
  return s;
}

// Mostly A and T in runs and short tandem repeats: seeds everywhere.
Strands lowComplexityOf(std::size_t length, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> percent(0, 99);
  auto make = [&] {
    std::u16string s;
    s.reserve(length);
    while (s.size() < length) {
      const std::u16string unit = percent(rng) < 50 ? u"A" : percent(rng) < 50 ? u"AT" : u"AAT";
      for (int i = 0; i < 40 && s.size() < length; ++i) s += unit;
    }
    s.resize(length);
    for (auto& c : s) {
      if (percent(rng) < 10) c = u"ACGT"[percent(rng) % 4];
    }
    return s;
  };
  Strands s;
  s.h = make();
  s.v = make();
  s.hr = reverseComplement(s.h);
  s.vr = reverseComplement(s.v);
  return s;
}

DotPlotComputeRequest requestOf(const Strands& s, int window, int floor, FloorPath path) {
  DotPlotComputeRequest request;
  request.strands = s.view();
  request.windowSize = window;
  request.type = dptDNABoth;
  request.evaluation = meHighest;
  request.floor = floor;
  request.floorPath = path;
  return request;
}

struct Timed {
  DotPlotComputeResult result;
  double seconds = 0;
};

Timed timed(const DotPlotComputeRequest& request) {
  const auto start = std::chrono::steady_clock::now();
  Timed t{computeDotPlot(request), 0};
  t.seconds = secondsSince(start);
  return t;
}

int highestCount(const DotPlotGrid& grid) {
  const auto& c = grid.counts();
  return c.empty() ? 0 : *std::max_element(c.begin(), c.end());
}

// A region of the plot by both paths, exact: they must agree cell by cell.
bool regionsAgree(const Strands& s, int window, int floor, CellRect region) {
  DotPlotComputeRequest request = requestOf(s, window, floor, FloorPath::Seeded);
  request.region = region;
  const DotPlotComputeResult seeded = computeDotPlot(request);
  request.floorPath = FloorPath::FullSweep;
  const DotPlotComputeResult sweep = computeDotPlot(request);
  const bool same = seeded.grid.counts() == sweep.grid.counts() && seeded.grid.isExact();
  std::printf("  region %lld,%lld %lldx%lld by both paths: %s (highest %d)\n",
              static_cast<long long>(region.x), static_cast<long long>(region.y),
              static_cast<long long>(region.width), static_cast<long long>(region.height),
              same ? "identical" : "DIFFERENT", highestCount(seeded.grid));
  return same;
}

struct Options {
  bool sweep = false;
  long sweepRows = 0;
};

// The full sweep's time for a request: measured, measured over a band of rows and scaled, or
// only estimated.
void printSweep(const DotPlotComputeRequest& automatic, const Timed& run, const Options& o) {
  const double estimate = estimatedSweepSeconds(
      static_cast<double>(run.result.plotWidth) * static_cast<double>(run.result.plotHeight),
      strandSetOf(automatic.type), automatic.threads);
  if (o.sweep) {
    DotPlotComputeRequest request = automatic;
    request.floorPath = FloorPath::FullSweep;
    const Timed sweep = timed(request);
    std::printf("  full sweep: %.1f s (estimated %.1f s); %s grids\n", sweep.seconds, estimate,
                sweep.result.grid.counts() == run.result.grid.counts() ? "identical" : "DIFFERENT");
  } else if (o.sweepRows > 0) {
    DotPlotComputeRequest request = automatic;
    request.floorPath = FloorPath::FullSweep;
    request.region = CellRect{0, 0, run.result.plotWidth, o.sweepRows};
    const Timed band = timed(request);
    std::printf("  full sweep: %.1f s, scaled from %ld rows in %.1f s (estimated %.1f s)\n",
                band.seconds * static_cast<double>(run.result.plotHeight) /
                    static_cast<double>(o.sweepRows),
                o.sweepRows, band.seconds, estimate);
  } else {
    std::printf("  full sweep: estimated %.1f s (run with --sweep to measure)\n", estimate);
  }
}

bool runCase(const char* name, const Strands& s, int window, int floor, const Options& o) {
  const DotPlotComputeRequest request = requestOf(s, window, floor, FloorPath::Automatic);
  const Timed run = timed(request);
  const DotPlotGrid& grid = run.result.grid;
  std::printf("%s: %zu x %zu, W %d, F %d, both strands, Highest -> %s grid %d x %d\n", name,
              s.h.size(), s.v.size(), window, floor, grid.isExact() ? "exact" : "binned",
              grid.binsX(), grid.binsY());
  std::printf("  automatic: %.2f s by the %s, peak %ld MiB\n", run.seconds,
              run.result.path == FloorPath::Seeded ? "seeded path" : "full sweep", peakMemoryMiB());
  const auto& counts = grid.counts();
  const auto shown = std::count_if(counts.begin(), counts.end(), [](auto c) { return c > 0; });
  std::printf("  bins above the floor: %ld of %zu\n", static_cast<long>(shown), counts.size());
  bool right = run.result.isFilled();
  right = regionsAgree(s, window, floor, CellRect{0, 0, 3000, 3000}) && right;
  // A region around the last bin that shows something.
  for (int by = grid.binsY() - 1, done = 0; by >= 0 && !done; --by) {
    for (int bx = grid.binsX() - 1; bx >= 0; --bx) {
      if (grid.at(bx, by) == 0) continue;
      const CellRect around{std::max<std::int64_t>(grid.binCellX0(bx) - 1000, 0),
                            std::max<std::int64_t>(grid.binCellY0(by) - 1000, 0), 2500, 2500};
      right = regionsAgree(s, window, floor, around) && right;
      done = 1;
      break;
    }
  }
  printSweep(request, run, o);
  return right;
}

bool runUnpaid(const Options& o) {
  (void)o;
  bool right = true;
  const Strands dna = pairOf(200000, 7);
  const Strands low = lowComplexityOf(200000, 8);
  struct Case {
    const char* name;
    const Strands* strands;
    int window;
    int floor;
  };
  for (const Case& c :
       {Case{"random DNA, floor 0", &dna, 50, 0}, Case{"random DNA, floor 20", &dna, 50, 20},
        Case{"low complexity, floor 30", &low, 50, 30},
        Case{"low complexity, floor 40", &low, 50, 40}}) {
    const Timed automatic = timed(requestOf(*c.strands, c.window, c.floor, FloorPath::Automatic));
    const Timed sweep = timed(requestOf(*c.strands, c.window, c.floor, FloorPath::FullSweep));
    const Timed today = timed(requestOf(*c.strands, c.window, 0, FloorPath::FullSweep));
    std::printf(
        "%s (200000 x 200000, W %d): automatic %.2f s by the %s; forced full sweep "
        "%.2f s; unfloored sweep %.2f s; automatic / unfloored %.3f\n",
        c.name, c.window, automatic.seconds,
        automatic.result.path == FloorPath::Seeded ? "seeded path" : "full sweep", sweep.seconds,
        today.seconds, automatic.seconds / today.seconds);
    right = right && automatic.result.grid.counts() == sweep.result.grid.counts();
  }
  return right;
}

}  // namespace

int main(int argc, char** argv) {
  std::string which = "all";
  Options o;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sweep") == 0) {
      o.sweep = true;
    } else if (std::strcmp(argv[i], "--sweep-rows") == 0 && i + 1 < argc) {
      o.sweepRows = std::atol(argv[++i]);
    } else {
      which = argv[i];
    }
  }
  std::printf("cores: %d\n", effectiveThreads(0));
  bool right = true;
  if (which == "all" || which == "pair12" || which == "pair50") {
    const Strands pair = pairOf(1000000, 1);
    if (which != "pair50") right = runCase("pair, W 12, F 11", pair, 12, 11, o) && right;
    if (which != "pair12") right = runCase("pair, W 50, F 45", pair, 50, 45, o) && right;
  }
  if (which == "all" || which == "self50") {
    const Strands self = selfOf(5000000, 2);
    right = runCase("self, W 50, F 45", self, 50, 45, o) && right;
  }
  if (which == "all" || which == "unpaid") right = runUnpaid(o) && right;
  std::printf("peak memory of the process: %ld MiB\n", peakMemoryMiB());
  return right ? 0 : 1;
}

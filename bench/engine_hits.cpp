// Speed of the hit segment search on random DNA with window 12: both opposite strands on
// 20000 × 20000 at threshold 12 (the target: at most 0.3 s on two cores), the same at lower
// thresholds where segments abound, the forward pair alone, and 100000 × 100000 streamed.
// A planted repeat and a planted reverse complement must be among the segments found.
//
// bench_engine_hits [threads]   (default: every core)

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "BenchSupport.h"
#include "engine/HitSegments.h"

using namespace duvanet::engine;
using duvanet::bench::peakMemoryMiB;
using duvanet::bench::randomDna;
using duvanet::bench::reverseComplement;

namespace {

struct Pair {
  std::u16string h, v, hr, vr;
  DotPlotStrands strands() const { return {h, v, hr, vr}; }
};

double cpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

HitSegmentResult timed(const char* name, const HitSegmentRequest& request, int repeats) {
  double best = 1e300;
  double bestCpu = 0;
  HitSegmentResult result;
  for (int r = 0; r < repeats; ++r) {
    const double cpuStart = cpuMs();
    const auto start = std::chrono::steady_clock::now();
    result = findHitSegments(request);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (!result.filled) {
      std::fprintf(stderr, "%s: search not filled\n", name);
      std::exit(1);
    }
    if (ms < best) {
      best = ms;
      bestCpu = cpuMs() - cpuStart;
    }
  }
  const double cells =
      static_cast<double>(result.plotWidth) * static_cast<double>(result.plotHeight);
  std::printf("%-44s %9.1f ms %7.3f ns/cell  cpu %8.1f ms  segments %10lld  peak %ld MiB\n", name,
              best, best * 1e6 / cells, bestCpu, static_cast<long long>(result.total),
              peakMemoryMiB());
  std::fflush(stdout);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const int threads =
      argc > 1 ? std::atoi(argv[1]) : static_cast<int>(std::thread::hardware_concurrency());
  std::printf("threads %d\n", threads);
  std::mt19937 rng(2024);
  Pair p;
  p.h = randomDna(rng, 20000);
  p.v = randomDna(rng, 20000);
  // A 300-symbol repeat and a 300-symbol reverse complement planted in V.
  p.v.replace(5000, 300, p.h.substr(1000, 300));
  p.v.replace(12000, 300, reverseComplement(p.h.substr(8000, 300)));
  p.hr = reverseComplement(p.h);
  p.vr = reverseComplement(p.v);

  HitSegmentRequest request;
  request.strands = p.strands();
  request.windowSize = 12;
  request.type = dptDNABoth;
  request.minCount = 12;
  request.threads = threads;
  const HitSegmentResult target = timed("DNA both strands 20000 x 20000, N 12", request, 5);
  const bool repeat = std::any_of(target.segments.begin(), target.segments.end(), [](auto& s) {
    return s.pair == StrandPair::Forward && s.hStart - s.vStart == 1000 - 5000 && s.cells >= 289;
  });
  const bool inverted = std::any_of(target.segments.begin(), target.segments.end(), [](auto& s) {
    return s.pair == StrandPair::HorizontalOpposite && s.hStart <= 8001 && s.hEnd >= 8300 &&
           s.vStart <= 12001 && s.vEnd >= 12300;
  });
  if (!repeat || !inverted) {
    std::fprintf(stderr, "planted segments not found\n");
    return 1;
  }
  request.minCount = 9;
  timed("DNA both strands 20000 x 20000, N 9", request, 3);
  request.minCount = 6;
  timed("DNA both strands 20000 x 20000, N 6", request, 1);
  request.minCount = 12;
  request.type = dptIdentity;
  timed("DNA forward 20000 x 20000, N 12", request, 3);

  Pair huge;
  huge.h = randomDna(rng, 100000);
  huge.v = randomDna(rng, 100000);
  huge.hr = reverseComplement(huge.h);
  huge.vr = reverseComplement(huge.v);
  request.strands = huge.strands();
  request.type = dptDNABoth;
  timed("DNA both strands 100000 x 100000, N 12", request, 1);
  return 0;
}

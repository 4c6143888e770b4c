#include "engine/SeededDotPlot.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/KmerIndex.h"

// The seeded path: counting only the windows that can pass the floor.
//
// Strand pairs. Each compared strand pair is a forward comparison of two texts A (horizontal)
// and B (vertical) in its own cell coordinates (x, y), c(x, y) = Σ_m [A[x + m] = B[y + m]] over
// m = 0 … W − 1:
//   forward              A = H,  B = V,  plot cell (x, y)
//   horizontal opposite  A = Hr, B = V,  plot cell (nH − 1 − x, y)
//   vertical opposite    A = H,  B = Vr, plot cell (x, nV − 1 − y)
// (Hr's window starting at nH − 1 − x is the image of H's window starting at x.) So one search
// of forward diagonals serves every pair.
//
// Why the seeds find every window. A window whose count exceeds the pair floor f has at most
// W − f − 1 mismatches; they cut its W positions into at most W − f runs of matches holding f + 1
// matches or more between them, so one run holds at least k = ⌈(f + 1) / (W − f)⌉ consecutive
// matches: an exact k-mer match of A and B on the window's diagonal. That run lies inside one
// maximal run of equal symbols on the diagonal (clipped to the stretches of A and B the region
// reads), which starts at some (i, j) with A[i − 1] ≠ B[j − 1] or at the stretch's edge, and
// whose first k symbols are a k-mer match. Indexing A's k-mers and streaming B's finds that
// start; the windows that hold k symbols of a run of length L starting at i are those starting
// at x ∈ [i + k − W, i + L − k]. Seeds that are not the start of their run (A[i − 1] = B[j − 1])
// are skipped: their run's start is found as well. A hash that only looks alike gives a run
// shorter than k and is dropped. A candidate interval whose positions hold fewer than f + 1
// matches in all cannot hold a window above f and is dropped too. The remaining intervals are
// sorted by diagonal, merged where they touch, and every window in them is counted exactly by
// sliding along the diagonal.
//
// Combining the pairs. Highest: a cell's combined count exceeds F exactly when one pair's count
// does, and that pair then finds the cell with the pair floor F; each pair writes its own counts
// above F and the grid keeps the highest. Lowest: every pair must exceed F, so the windows of one
// pair (the one with the fewest seeds) are the candidates and the others are counted there.
// Summed: a sum above F over P pairs has a term of at least ⌈(F + 1) / P⌉, so each pair searches
// with the pair floor ⌈(F + 1) / P⌉ − 1 and the whole sum is counted at its candidates. Cells
// never found stay 0, which is what the floor reports for them. A cell found twice is written
// with the same value twice; a bin keeps the highest value written into it, which is the highest
// count above the floor among its cells.
//
// Cost. The sweep costs about cells × pairs; the seeded path about the lengths (index, stream)
// plus the seeds (each a memory read and a short comparison) plus the windows around them.
// Random sequence gives about nH · nV · p^k seeds, p the chance that two symbols match; repeats
// and low-complexity sequence give far more. The estimate first rules out what the symbol
// composition alone makes hopeless, then counts the seeds exactly enough from the index's
// buckets, and takes the full sweep unless the seeded path costs well below it.

namespace duvanet::engine {

namespace {

/// One strand pair as a forward comparison, with its rectangle of cells in its own coordinates.
struct StrandPair {
  const char16_t* a = nullptr;
  const char16_t* b = nullptr;
  std::int64_t lengthA = 0;  // the stretch of A the rectangle reads: [x0, x1 − 1 + W)
  bool flipX = false;
  bool flipY = false;
  std::int64_t x0 = 0, x1 = 0;  // window starts of A
  std::int64_t y0 = 0, y1 = 0;  // window starts of B
};

int countWindow(const char16_t* a, const char16_t* b, int window) {
  int c = 0;
  for (int m = 0; m < window; ++m) c += a[m] == b[m];
  return c;
}

struct PlotGeometry {
  std::int64_t nH = 0;
  std::int64_t nV = 0;
  CellRect cells;
};

std::vector<StrandPair> strandPairs(const DotPlotStrands& s, StrandSet set, int window,
                                    const PlotGeometry& g) {
  const CellRect& c = g.cells;
  auto make = [&](std::u16string_view a, std::u16string_view b, bool flipX, bool flipY) {
    StrandPair p;
    p.a = a.data();
    p.b = b.data();
    p.flipX = flipX;
    p.flipY = flipY;
    p.x0 = flipX ? g.nH - (c.x + c.width) : c.x;
    p.x1 = p.x0 + c.width;
    p.y0 = flipY ? g.nV - (c.y + c.height) : c.y;
    p.y1 = p.y0 + c.height;
    p.lengthA = p.x1 - 1 + window;
    return p;
  };
  std::vector<StrandPair> pairs{make(s.horiz, s.verti, false, false)};
  if (set == StrandSet::HorizRev || set == StrandSet::BothRev) {
    pairs.push_back(make(s.horizRev, s.verti, true, false));
  }
  if (set == StrandSet::VertiRev || set == StrandSet::BothRev) {
    pairs.push_back(make(s.horiz, s.vertiRev, false, true));
  }
  return pairs;
}

/// Window starts [xBegin, xEnd) on the diagonal x − y = diagonal of one pair.
struct DiagonalRun {
  std::int64_t diagonal = 0;
  std::int64_t xBegin = 0;
  std::int64_t xEnd = 0;
};

/// Writes combined counts into the grid, keeping the highest value of a cell or bin; workers
/// share it.
class GridOutput {
 public:
  explicit GridOutput(DotPlotGrid& grid) : m_grid(grid), m_exact(grid.isExact()) {}
  struct Writer {
    GridOutput& output;
    void store(std::int64_t x, std::int64_t y, int value) { output.store(x, y, value); }
  };
  Writer writer() { return Writer{*this}; }
  void store(std::int64_t x, std::int64_t y, int value) {
    const CellRect& c = m_grid.cells();
    const int bx = m_exact ? static_cast<int>(x - c.x) : m_grid.binOfCellX(x);
    const int by = m_exact ? static_cast<int>(y - c.y) : m_grid.binOfCellY(y);
    std::atomic_ref<std::uint16_t> slot(m_grid.row(by)[bx]);
    const auto v = static_cast<std::uint16_t>(value);
    std::uint16_t current = slot.load(std::memory_order_relaxed);
    while (current < v && !slot.compare_exchange_weak(current, v, std::memory_order_relaxed)) {
    }
  }

 private:
  DotPlotGrid& m_grid;
  bool m_exact;
};

/// Collects the cells; each worker gathers its own and hands them over when it is done.
class ListOutput {
 public:
  class Writer {
   public:
    explicit Writer(ListOutput& output) : m_output(output) {}
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;
    ~Writer() {
      const std::lock_guard lock(m_output.m_mutex);
      m_output.m_cells.insert(m_output.m_cells.end(), m_cells.begin(), m_cells.end());
    }
    void store(std::int64_t x, std::int64_t y, int value) { m_cells.push_back({x, y, value}); }

   private:
    ListOutput& m_output;
    std::vector<FlooredCell> m_cells;
  };
  Writer writer() { return Writer(*this); }
  /// The cells row by row, each once with the highest value it was given.
  std::vector<FlooredCell> take() {
    std::sort(m_cells.begin(), m_cells.end(), [](const FlooredCell& l, const FlooredCell& r) {
      return l.y != r.y ? l.y < r.y : l.x != r.x ? l.x < r.x : l.count > r.count;
    });
    const auto end = std::unique(
        m_cells.begin(), m_cells.end(),
        [](const FlooredCell& l, const FlooredCell& r) { return l.x == r.x && l.y == r.y; });
    m_cells.erase(end, m_cells.end());
    return std::move(m_cells);
  }

 private:
  std::mutex m_mutex;
  std::vector<FlooredCell> m_cells;
};

/// Turns a pair's count above its floor into the cell's combined count.
class Combiner {
 public:
  Combiner(const std::vector<StrandPair>& pairs, const SeededRequest& r, const PlotGeometry& g)
      : m_pairs(pairs),
        m_window(r.window),
        m_floor(r.floor),
        m_evaluation(pairs.size() == 1 ? meHighest : r.evaluation),
        m_geometry(g) {}

  template <typename Writer>
  void emit(std::size_t p, std::int64_t x, std::int64_t y, int count, Writer& out) const {
    const StrandPair& pair = m_pairs[p];
    const std::int64_t px = pair.flipX ? m_geometry.nH - 1 - x : x;
    const std::int64_t py = pair.flipY ? m_geometry.nV - 1 - y : y;
    if (m_evaluation == meHighest) {
      out.store(px, py, count);
      return;
    }
    int combined = count;
    for (std::size_t q = 0; q < m_pairs.size(); ++q) {
      if (q == p) continue;
      const int other = countAt(q, px, py);
      if (m_evaluation == meSummed) {
        combined += other;
      } else {
        if (other <= m_floor) return;
        combined = std::min(combined, other);
      }
    }
    if (combined > m_floor) out.store(px, py, combined);
  }

 private:
  int countAt(std::size_t q, std::int64_t px, std::int64_t py) const {
    const StrandPair& pair = m_pairs[q];
    const std::int64_t x = pair.flipX ? m_geometry.nH - 1 - px : px;
    const std::int64_t y = pair.flipY ? m_geometry.nV - 1 - py : py;
    return countWindow(pair.a + x, pair.b + y, m_window);
  }

  const std::vector<StrandPair>& m_pairs;
  int m_window;
  int m_floor;
  tMatchEvaluation m_evaluation;
  PlotGeometry m_geometry;
};

/// Runs work(worker) on a number of threads while the calling thread reports progress about
/// every 20 ms; a worker's exception stops the others and is rethrown here.
template <typename Work, typename Poll>
void runWorkers(int threads, std::atomic<bool>& stop, Poll&& poll, Work&& work) {
  std::mutex mutex;
  std::condition_variable finished;
  int running = threads;
  std::exception_ptr failure;
  std::vector<std::thread> workers;
  workers.reserve(static_cast<std::size_t>(threads));
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      std::exception_ptr error;
      try {
        work(t);
      } catch (...) {
        error = std::current_exception();
        stop.store(true);
      }
      const std::lock_guard lock(mutex);
      if (error && !failure) failure = error;
      if (--running == 0) finished.notify_all();
    });
  }
  {
    std::unique_lock lock(mutex);
    while (running > 0) {
      finished.wait_for(lock, std::chrono::milliseconds(20));
      if (running > 0 && !stop.load()) {
        lock.unlock();
        if (!poll()) stop.store(true);
        lock.lock();
      }
    }
  }
  for (auto& worker : workers) worker.join();
  if (failure) std::rethrow_exception(failure);
}

constexpr std::int64_t kStreamChunk = std::int64_t{1} << 15;
constexpr std::int64_t kRunPiece = std::int64_t{1} << 15;

/// The k-mer seeds of one pair and the candidate intervals around them, merged by diagonal.
std::vector<DiagonalRun> candidateRuns(const StrandPair& pair, const KmerIndex& index, int window,
                                       int pairFloor, int threads, std::atomic<bool>& stop,
                                       std::atomic<std::int64_t>& streamed) {
  const int k = index.k();
  const std::int64_t aEnd = pair.x1 - 1 + window;
  const std::int64_t bEnd = pair.y1 - 1 + window;
  const std::int64_t jEnd = bEnd - k + 1;
  const char16_t* a = pair.a;
  const char16_t* b = pair.b;
  std::vector<std::vector<DiagonalRun>> found(static_cast<std::size_t>(threads));
  std::atomic<std::int64_t> nextChunk{pair.y0};
  // Each batch of B's positions goes in passes, so that the memory reads of many positions are
  // under way at once: the keys (fetching their buckets), the buckets (fetching their entries),
  // the entries (keeping the starts of runs, fetching their symbols of A), the starts.
  constexpr std::int64_t kBatch = 1024;
  struct Start {
    std::int64_t i;
    std::int64_t j;
  };
  auto work = [&](int t) {
    std::vector<DiagonalRun>& runs = found[static_cast<std::size_t>(t)];
    const RollingHash& rolling = index.hash();
    std::vector<std::uint64_t> keys(kBatch);
    std::vector<std::pair<const KmerIndex::Entry*, const KmerIndex::Entry*>> buckets(kBatch);
    std::vector<Start> starts;
    auto process = [&](std::int64_t i, std::int64_t j) {
      const std::int64_t most = std::min(aEnd - i, bEnd - j);
      std::int64_t length = 0;
      while (length < most && a[i + length] == b[j + length]) ++length;
      if (length < k) return;  // the hashes only looked alike
      const std::int64_t d = i - j;
      const std::int64_t xb = std::max({i + k - window, pair.x0, pair.y0 + d});
      const std::int64_t xe = std::min({i + length - k, pair.x1 - 1, pair.y1 - 1 + d}) + 1;
      if (xb >= xe) return;
      if (length <= pairFloor) {
        // Every window starting in [xb, xe) lies within these positions.
        int matches = 0;
        const std::int64_t end = xe - 1 + window;
        for (std::int64_t x = xb; x < end; ++x) matches += a[x] == b[x - d];
        if (matches <= pairFloor) return;
      }
      runs.push_back({d, xb, xe});
    };
    for (;;) {
      const std::int64_t jb = nextChunk.fetch_add(kStreamChunk);
      if (jb >= jEnd || stop.load(std::memory_order_relaxed)) return;
      const std::int64_t je = std::min(jb + kStreamChunk, jEnd);
      std::uint64_t hash = rolling.first(b + jb);
      for (std::int64_t bs = jb; bs < je; bs += kBatch) {
        if (stop.load(std::memory_order_relaxed)) return;
        const std::int64_t n = std::min(kBatch, je - bs);
        for (std::int64_t u = 0; u < n; ++u) {
          const std::int64_t j = bs + u;
          keys[static_cast<std::size_t>(u)] = RollingHash::mix(hash);
          index.prefetch(keys[static_cast<std::size_t>(u)]);
          if (j + 1 < je) hash = rolling.roll(hash, b[j], b[j + k]);
        }
        for (std::int64_t u = 0; u < n; ++u) {
          const auto range = index.bucketOf(keys[static_cast<std::size_t>(u)]);
          buckets[static_cast<std::size_t>(u)] = range;
#if defined(__GNUC__)
          __builtin_prefetch(range.first);
#endif
        }
        starts.clear();
        for (std::int64_t u = 0; u < n; ++u) {
          const std::int64_t j = bs + u;
          const std::uint16_t check = KmerIndex::checkOf(keys[static_cast<std::size_t>(u)]);
          const auto [first, last] = buckets[static_cast<std::size_t>(u)];
          for (const KmerIndex::Entry* e = first; e != last; ++e) {
            if (e->check != check) continue;
            const std::int64_t i = index.firstPosition() + e->position;
            // Only the start of a maximal run of equal symbols.
            if (i > pair.x0 && j > pair.y0 && e->before == b[j - 1]) continue;
            starts.push_back({i, j});
#if defined(__GNUC__)
            __builtin_prefetch(a + i);
            __builtin_prefetch(a + std::max<std::int64_t>(i + k - window, 0));
#endif
          }
        }
        for (const Start& s : starts) process(s.i, s.j);
      }
      streamed.fetch_add(je - jb, std::memory_order_relaxed);
    }
  };
  if (threads == 1) {
    work(0);
  } else {
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) helpers.emplace_back(work, t);
    std::exception_ptr failure;
    try {
      work(0);
    } catch (...) {
      failure = std::current_exception();
      stop.store(true);
    }
    for (auto& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);
  }

  std::vector<DiagonalRun> runs;
  std::size_t total = 0;
  for (const auto& f : found) total += f.size();
  runs.reserve(total);
  for (auto& f : found) {
    runs.insert(runs.end(), f.begin(), f.end());
    f = {};
  }
  std::sort(runs.begin(), runs.end(), [](const DiagonalRun& l, const DiagonalRun& r) {
    return l.diagonal != r.diagonal ? l.diagonal < r.diagonal : l.xBegin < r.xBegin;
  });
  // Merge the intervals that overlap or touch on a diagonal, then cut long ones into pieces the
  // workers share.
  std::vector<DiagonalRun> merged;
  for (const DiagonalRun& run : runs) {
    if (!merged.empty() && merged.back().diagonal == run.diagonal &&
        run.xBegin <= merged.back().xEnd) {
      merged.back().xEnd = std::max(merged.back().xEnd, run.xEnd);
    } else {
      merged.push_back(run);
    }
  }
  runs.clear();
  for (const DiagonalRun& run : merged) {
    for (std::int64_t x = run.xBegin; x < run.xEnd; x += kRunPiece) {
      runs.push_back({run.diagonal, x, std::min(x + kRunPiece, run.xEnd)});
    }
  }
  return runs;
}

/// Counts every window of the runs exactly, sliding along each diagonal, and hands those above
/// the pair floor to the combiner.
template <typename Output>
void countRuns(const std::vector<DiagonalRun>& runs, const StrandPair& pair, std::size_t p,
               int window, int pairFloor, const Combiner& combiner, Output& output, int threads,
               std::atomic<bool>& stop, std::atomic<std::int64_t>& counted) {
  std::atomic<std::size_t> next{0};
  constexpr std::size_t kBatch = 64;
  auto work = [&] {
    auto out = output.writer();
    for (;;) {
      const std::size_t first = next.fetch_add(kBatch);
      if (first >= runs.size() || stop.load(std::memory_order_relaxed)) return;
      const std::size_t last = std::min(first + kBatch, runs.size());
      std::int64_t cells = 0;
      for (std::size_t r = first; r < last; ++r) {
        const DiagonalRun& run = runs[r];
        const std::int64_t d = run.diagonal;
        const char16_t* a = pair.a;
        const char16_t* b = pair.b;
        int c = countWindow(a + run.xBegin, b + (run.xBegin - d), window);
        for (std::int64_t x = run.xBegin;; ++x) {
          if (c > pairFloor) combiner.emit(p, x, x - d, c, out);
          if (x + 1 == run.xEnd) break;
          c += (a[x + window] == b[x + window - d]) - (a[x] == b[x - d]);
        }
        cells += run.xEnd - run.xBegin;
      }
      counted.fetch_add(cells, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) helpers.emplace_back(work);
  std::exception_ptr failure;
  try {
    work();
  } catch (...) {
    failure = std::current_exception();
    stop.store(true);
  }
  for (auto& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

// Costs of the seeded path's steps on one core, in seconds, measured on this engine.
constexpr double kIndexPerPosition = 12e-9;
constexpr double kStreamPerPosition = 6e-9;
constexpr double kPerCandidate = 6e-9;
constexpr double kPerRunCell = 1.5e-9;
constexpr double kPerComparedSymbol = 0.15e-9;
// The seeded path is taken only when it is estimated well below the sweep.
constexpr double kSeededShare = 0.5;
// The indexes are built for the estimate only when they cost little against the sweep.
constexpr double kIndexShare = 0.03;

/// The chance that two symbols of the pair's stretches match, from their composition.
double matchChance(const StrandPair& pair, int window) {
  std::vector<std::uint32_t> counts(0x10000, 0);
  const std::int64_t la = pair.x1 - pair.x0 - 1 + window;
  const std::int64_t lb = pair.y1 - pair.y0 - 1 + window;
  for (std::int64_t i = 0; i < la; ++i) ++counts[pair.a[pair.x0 + i]];
  double same = 0;
  for (std::int64_t j = 0; j < lb; ++j) same += counts[pair.b[pair.y0 + j]];
  return same / (static_cast<double>(la) * static_cast<double>(lb));
}

/// The chance that a random seed's neighbourhood reaches the floor: at least floor + 1 − k
/// matches among the 2 (W − k) positions around the run.
double survivalChance(int window, int k, int pairFloor, double p) {
  const int n = 2 * (window - k);
  const int need = pairFloor + 1 - k;
  if (need <= 0) return 1;
  if (need > n) return 0;
  // Binomial tail by the recurrence of the terms.
  double term = std::pow(1 - p, n);
  double tail = need == 0 ? term : 0;
  for (int i = 1; i <= n; ++i) {
    term *= static_cast<double>(n - i + 1) / i * (p / std::max(1 - p, 1e-12));
    if (i >= need) tail += term;
  }
  return std::clamp(tail, 0.0, 1.0);
}

struct Plan {
  std::vector<StrandPair> pairs;
  std::vector<std::size_t> seeded;                        // the pairs searched
  std::vector<std::shared_ptr<const KmerIndex>> indexes;  // by pair
  int pairFloor = 0;
  int k = 1;
  FloorCostEstimate estimate;
};

std::shared_ptr<const KmerIndex> indexFor(const Plan& plan, std::size_t p, int window) {
  const StrandPair& pair = plan.pairs[p];
  for (std::size_t q = 0; q < p; ++q) {
    const StrandPair& other = plan.pairs[q];
    if (plan.indexes[q] && other.a == pair.a && other.x0 == pair.x0 && other.x1 == pair.x1) {
      return plan.indexes[q];
    }
  }
  const std::u16string_view text(pair.a, static_cast<std::size_t>(pair.lengthA));
  return std::make_shared<const KmerIndex>(text, pair.x0, pair.x1 + window - plan.k, plan.k);
}

/// The bucket sizes of B's k-mers: about the seeds the pair gives.
double seedCount(const StrandPair& pair, const KmerIndex& index, int window) {
  const int k = index.k();
  const std::int64_t jEnd = pair.y1 + window - k;
  const RollingHash& rolling = index.hash();
  std::uint64_t hash = rolling.first(pair.b + pair.y0);
  double seeds = 0;
  for (std::int64_t j = pair.y0;; ++j) {
    seeds += index.bucketSize(RollingHash::mix(hash));
    if (j + 1 == jEnd) break;
    hash = rolling.roll(hash, pair.b[j], pair.b[j + k]);
  }
  return seeds;
}

Plan makePlan(const SeededRequest& r, const PlotGeometry& g, bool decide) {
  Plan plan;
  plan.pairs = strandPairs(r.strands, r.set, r.window, g);
  plan.pairFloor = pairFloor(r.set, r.evaluation, r.floor);
  plan.k = seedLength(r.window, plan.pairFloor);
  plan.indexes.resize(plan.pairs.size());
  const int threads = effectiveThreads(r.threads);
  const double cells = static_cast<double>(g.cells.width) * static_cast<double>(g.cells.height);
  FloorCostEstimate& estimate = plan.estimate;
  estimate.sweepSeconds = estimatedSweepSeconds(cells, r.set, r.threads);
  estimate.seededSeconds = std::numeric_limits<double>::infinity();
  const bool lowest = r.evaluation == meLowest && plan.pairs.size() > 1;
  const double stretchA = static_cast<double>(g.cells.width + r.window - 1);
  const double stretchB = static_cast<double>(g.cells.height + r.window - 1);
  const double kmersA = static_cast<double>(g.cells.width + r.window - plan.k);
  const double kmersB = static_cast<double>(g.cells.height + r.window - plan.k);
  const double extraPairs = r.evaluation == meHighest ? 0.0 : double(plan.pairs.size() - 1);

  // The cost of the seeds once their number is known.
  auto seedsCost = [&](double seeds, double p) {
    const double survive = survivalChance(r.window, plan.k, plan.pairFloor, p);
    const double windows = survive * (2.0 * r.window);
    return seeds *
           (kPerCandidate + windows * (kPerRunCell + extraPairs * r.window * kPerComparedSymbol));
  };
  const double indexSeconds = (stretchA * kIndexPerPosition + stretchB * kStreamPerPosition) *
                              static_cast<double>(plan.pairs.size()) / threads;

  std::vector<double> chance(plan.pairs.size());
  if (decide) {
    // Small plots sweep faster than the indexes are built.
    if (indexSeconds > kIndexShare * estimate.sweepSeconds) return plan;
    // Then the composition alone: random sequence of these symbols.
    double expected = 0;
    double fewest = std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < plan.pairs.size(); ++p) {
      chance[p] = matchChance(plan.pairs[p], r.window);
      const double seeds = kmersA * kmersB * std::pow(chance[p], plan.k);
      const double cost = seedsCost(seeds, chance[p]);
      expected += cost;
      fewest = std::min(fewest, cost);
    }
    const double lower = indexSeconds + (lowest ? fewest : expected) / threads;
    if (lower > kSeededShare * estimate.sweepSeconds) return plan;
  } else {
    for (std::size_t p = 0; p < plan.pairs.size(); ++p) {
      chance[p] = matchChance(plan.pairs[p], r.window);
    }
  }

  // Then the seeds as the index counts them.
  std::vector<double> costs(plan.pairs.size());
  for (std::size_t p = 0; p < plan.pairs.size(); ++p) {
    plan.indexes[p] = indexFor(plan, p, r.window);
    costs[p] = seedsCost(seedCount(plan.pairs[p], *plan.indexes[p], r.window), chance[p]);
  }
  double seconds = indexSeconds;
  if (lowest) {
    const auto best = std::min_element(costs.begin(), costs.end()) - costs.begin();
    plan.seeded = {static_cast<std::size_t>(best)};
    seconds += costs[static_cast<std::size_t>(best)] / threads;
  } else {
    for (std::size_t p = 0; p < plan.pairs.size(); ++p) {
      plan.seeded.push_back(p);
      seconds += costs[p] / threads;
    }
  }
  estimate.seededSeconds = seconds;
  estimate.seeded = seconds <= kSeededShare * estimate.sweepSeconds;
  return plan;
}

PlotGeometry geometryOf(const SeededRequest& r, const CellRect& cells) {
  PlotGeometry g;
  g.nH = static_cast<std::int64_t>(r.strands.horiz.size()) - r.window + 1;
  g.nV = static_cast<std::int64_t>(r.strands.verti.size()) - r.window + 1;
  g.cells = cells;
  return g;
}

bool fitsTheIndex(const CellRect& cells, int window) {
  return cells.width + window <= KmerIndex::kMaxPositions &&
         cells.height + window <= KmerIndex::kMaxPositions;
}

}  // namespace

FloorCostEstimate estimateFloorCost(const SeededRequest& request, const CellRect& cells) {
  if (cells.width <= 0 || cells.height <= 0 || !fitsTheIndex(cells, request.window)) return {};
  return makePlan(request, geometryOf(request, cells), true).estimate;
}

namespace {

/// The seeded path over a plan into an output (the caller has ruled out what it cannot do).
template <typename Output>
SeededOutcome runSeeded(const SeededRequest& request, const PlotGeometry& geometry,
                        const Plan& plan, bool decide, Output& output,
                        const ProgressCallback& progress) {
  SeededOutcome outcome;
  outcome.estimate = plan.estimate;
  const auto started = std::chrono::steady_clock::now();
  const Combiner combiner(plan.pairs, request, geometry);
  const int threads = effectiveThreads(request.threads);
  std::atomic<bool> stop{false};
  const double pairs = static_cast<double>(plan.seeded.size());
  for (std::size_t s = 0; s < plan.seeded.size(); ++s) {
    const std::size_t p = plan.seeded[s];
    const StrandPair& pair = plan.pairs[p];
    std::atomic<std::int64_t> streamed{0};
    std::atomic<std::int64_t> counted{0};
    const double streamTotal = static_cast<double>(pair.y1 - pair.y0 + request.window - plan.k);
    double countTotal = 1;
    bool counting = false;
    auto poll = [&] {
      if (!progress) return true;
      const double phase = counting ? 0.8 + 0.2 * static_cast<double>(counted.load()) / countTotal
                                    : 0.8 * static_cast<double>(streamed.load()) / streamTotal;
      return progress((static_cast<double>(s) + std::min(phase, 1.0)) / pairs);
    };
    std::vector<DiagonalRun> runs;
    runWorkers(1, stop, poll, [&](int) {
      runs = candidateRuns(pair, *plan.indexes[p], request.window, plan.pairFloor, threads, stop,
                           streamed);
    });
    if (stop.load()) {
      outcome.cancelled = true;
      return outcome;
    }
    std::int64_t runCells = 0;
    for (const DiagonalRun& run : runs) runCells += run.xEnd - run.xBegin;
    countTotal = std::max<double>(static_cast<double>(runCells), 1);
    if (decide) {
      // The windows to count are known now: when they would take the seeded path past the
      // sweep after all, the sweep runs instead.
      const double elapsed =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
      const double extra =
          request.evaluation == meHighest ? 0.0 : static_cast<double>(plan.pairs.size() - 1);
      const double countSeconds =
          countTotal * (kPerRunCell + extra * request.window * kPerComparedSymbol) / threads;
      if (elapsed + countSeconds > plan.estimate.sweepSeconds * (1 - kSeededShare)) return outcome;
    }
    counting = true;
    runWorkers(1, stop, poll, [&](int) {
      countRuns(runs, pair, p, request.window, plan.pairFloor, combiner, output, threads, stop,
                counted);
    });
    if (stop.load()) {
      outcome.cancelled = true;
      return outcome;
    }
  }
  outcome.computed = true;
  return outcome;
}

}  // namespace

SeededOutcome computeSeeded(const SeededRequest& request, DotPlotGrid& grid,
                            const ProgressCallback& progress) {
  const CellRect& cells = grid.cells();
  if (request.path == FloorPath::FullSweep || grid.isEmpty() ||
      !fitsTheIndex(cells, request.window)) {
    return {};
  }
  const PlotGeometry geometry = geometryOf(request, cells);
  const bool decide = request.path == FloorPath::Automatic;
  const Plan plan = makePlan(request, geometry, decide);
  if (decide && !plan.estimate.seeded) return SeededOutcome{false, false, plan.estimate};
  std::fill(grid.row(0), grid.row(0) + grid.counts().size(), std::uint16_t{0});
  GridOutput output(grid);
  return runSeeded(request, geometry, plan, decide, output, progress);
}

SeededCells seededCells(const SeededRequest& request, const CellRect& cells,
                        const ProgressCallback& progress) {
  SeededCells result;
  if (request.path == FloorPath::FullSweep || cells.width <= 0 || cells.height <= 0 ||
      !fitsTheIndex(cells, request.window)) {
    return result;
  }
  const PlotGeometry geometry = geometryOf(request, cells);
  const bool decide = request.path == FloorPath::Automatic;
  const Plan plan = makePlan(request, geometry, decide);
  result.outcome.estimate = plan.estimate;
  if (decide && !plan.estimate.seeded) return result;
  ListOutput output;
  result.outcome = runSeeded(request, geometry, plan, decide, output, progress);
  if (result.outcome.computed) result.cells = output.take();
  return result;
}

void applyFloor(DotPlotGrid& grid, int floor) {
  if (floor <= 0 || grid.isEmpty()) return;
  const auto f = static_cast<std::uint16_t>(std::min(floor, 0xFFFF));
  std::uint16_t* c = grid.row(0);
  const std::size_t n = grid.counts().size();
  for (std::size_t i = 0; i < n; ++i) c[i] = c[i] > f ? c[i] : std::uint16_t{0};
}

}  // namespace duvanet::engine

#include "engine/DotPlotKernels.h"

#include <algorithm>
#include <type_traits>
#include <vector>

// How the counts are computed. With 0-based cells (x, y), W the window, H and V the strands,
// G the horizontal opposite strand read backwards (G[i] = Hr[Lh − 1 − i]) and K the vertical one
// read backwards (K[i] = Vr[Lv − 1 − i]), the three counts of a cell are
//   f(x, y) = Σ_m [H[x + m] = V[y + m]]
//   h(x, y) = Σ_m [G[x + m] = V[y + W − 1 − m]]
//   v(x, y) = Σ_m [K[y + m] = H[x + W − 1 − m]]          (m = 0 … W − 1)
// which is what comparing H's window with V's, Hr's mirrored window with V's, and Vr's mirrored
// window with H's amounts to. Each count follows from a neighbour in the previous row:
//   f(x, y) = f(x − 1, y − 1) + [H[x + W − 1] = V[y + W − 1]] − [H[x − 1] = V[y − 1]]
//   h(x, y) = h(x + 1, y − 1) + [G[x] = V[y + W − 1]] − [G[x + W] = V[y − 1]]
//   v(x, y) = v(x + 1, y − 1) + [H[x] = K[y + W − 1]] − [H[x + W] = K[y − 1]]
// so f lives in an array indexed by the diagonal x − y and h, v in arrays indexed by the
// anti-diagonal x + y. A row is then a few passes over contiguous arrays that compare a strand
// with one symbol of the other, which the compiler turns into vector code. Only the one cell of
// each row whose neighbour lies outside the computed columns is counted afresh, and so is the
// first row of every block of rows.
//
// When the strands use at most 256 distinct code units they are recoded to bytes, and when no
// count can exceed 255 the counts are bytes too: twice the cells per vector instruction. Byte
// arithmetic wraps, but every count it ends with lies in 0 … MaxScore, so the result is exact.

namespace duvanet::engine {

namespace {

enum class Eval { Highest, Lowest, Summed };

template <typename Sym>
struct KernelInput {
  const Sym* h = nullptr;  // horizontal strand
  const Sym* v = nullptr;  // vertical strand
  const Sym* g = nullptr;  // horizontal opposite strand, backwards
  const Sym* k = nullptr;  // vertical opposite strand, backwards
  int window = 0;
  std::int64_t x0 = 0;     // first computed column
  std::int64_t width = 0;  // computed columns
};

/// The sliding arrays of one block of rows [ya, yb).
template <typename Count>
struct RowState {
  std::vector<Count> diag;   // f by diagonal
  std::vector<Count> antiH;  // h by anti-diagonal
  std::vector<Count> antiV;  // v by anti-diagonal
  std::int64_t ya = 0;
  std::int64_t yb = 0;

  void begin(StrandSet set, std::int64_t width, std::int64_t firstRow, std::int64_t endRow) {
    ya = firstRow;
    yb = endRow;
    const auto size = static_cast<std::size_t>(width + (endRow - firstRow) - 1);
    diag.assign(size, 0);
    if (usesHorizRev(set)) antiH.assign(size, 0);
    if (usesVertiRev(set)) antiV.assign(size, 0);
  }
  // Pointers such that p[i] is the count of column x0 + i in row y.
  Count* diagRow(std::int64_t y) { return diag.data() + (yb - 1 - y); }
  Count* antiHRow(std::int64_t y) { return antiH.data() + (y - ya); }
  Count* antiVRow(std::int64_t y) { return antiV.data() + (y - ya); }
};

template <typename Count, typename Sym>
inline Count countForward(const KernelInput<Sym>& in, std::int64_t x, std::int64_t y) {
  int c = 0;
  for (int m = 0; m < in.window; ++m) c += in.h[x + m] == in.v[y + m];
  return static_cast<Count>(c);
}

template <typename Count, typename Sym>
inline Count countHoriz(const KernelInput<Sym>& in, std::int64_t x, std::int64_t y) {
  int c = 0;
  for (int m = 0; m < in.window; ++m) c += in.g[x + m] == in.v[y + in.window - 1 - m];
  return static_cast<Count>(c);
}

template <typename Count, typename Sym>
inline Count countVerti(const KernelInput<Sym>& in, std::int64_t x, std::int64_t y) {
  int c = 0;
  for (int m = 0; m < in.window; ++m) c += in.k[y + m] == in.h[x + in.window - 1 - m];
  return static_cast<Count>(c);
}

template <StrandSet S, Eval E, typename Count>
inline Count combine(Count f, Count h, Count v) {
  if constexpr (S == StrandSet::Forward) {
    (void)h;
    (void)v;
    return f;
  } else if constexpr (S == StrandSet::HorizRev || S == StrandSet::VertiRev) {
    const Count o = S == StrandSet::HorizRev ? h : v;
    if constexpr (E == Eval::Highest) return std::max(f, o);
    if constexpr (E == Eval::Lowest) return std::min(f, o);
    return static_cast<Count>(f + o);
  } else {
    if constexpr (E == Eval::Highest) return std::max(std::max(f, h), v);
    if constexpr (E == Eval::Lowest) return std::min(std::min(f, h), v);
    return static_cast<Count>(f + h + v);
  }
}

template <bool MaxInto, typename Out, typename Count>
inline void emit(Out* out, Count c) {
  const auto value = static_cast<Out>(c);
  if constexpr (MaxInto) {
    *out = std::max(*out, value);
  } else {
    *out = value;
  }
}

// Wider vector units pay for the row passes: the hot loops get AVX2 and AVX-512 versions beside
// the portable one, picked once at load time.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define DUVANET_VECTOR_CLONES __attribute__((target_clones("default", "avx2", "arch=x86-64-v4")))
#else
#define DUVANET_VECTOR_CLONES
#endif

/// acc[i] += [s[i] = c] for i < n.
template <typename Count, typename Sym>
DUVANET_VECTOR_CLONES void addMatches(Count* __restrict acc, const Sym* __restrict s, Sym c,
                                      std::int64_t n) {
  for (std::int64_t i = 0; i < n; ++i) acc[i] = static_cast<Count>(acc[i] + (s[i] == c));
}

/// out[i] = (or max=) the combined count, for i < n.
template <StrandSet S, Eval E, bool MaxInto, typename Count, typename Out>
DUVANET_VECTOR_CLONES void combineSpan(std::int64_t n, const Count* __restrict f,
                                       const Count* __restrict a, const Count* __restrict b,
                                       Out* __restrict out) {
  for (std::int64_t i = 0; i < n; ++i) {
    Count c;
    if constexpr (S == StrandSet::Forward) {
      c = f[i];
    } else if constexpr (S == StrandSet::HorizRev) {
      c = combine<S, E>(f[i], a[i], Count{0});
    } else if constexpr (S == StrandSet::VertiRev) {
      c = combine<S, E>(f[i], Count{0}, b[i]);
    } else {
      c = combine<S, E>(f[i], a[i], b[i]);
    }
    emit<MaxInto>(out + i, c);
  }
}

/// The sliding pass over n columns: hLow[i] = H[x], hPrev[i] = H[x − 1], hIn[i] = H[x + W − 1],
/// hHigh[i] = H[x + W], gLow[i] = G[x], gHigh[i] = G[x + W].
template <StrandSet S, Eval E, bool MaxInto, typename Count, typename Out, typename Sym>
DUVANET_VECTOR_CLONES void slideSpanLoop(std::int64_t n, Count* __restrict f, Count* __restrict a,
                                         Count* __restrict b, Out* __restrict out,
                                         const Sym* __restrict hLow, const Sym* __restrict hPrev,
                                         const Sym* __restrict hIn, const Sym* __restrict hHigh,
                                         const Sym* __restrict gLow, const Sym* __restrict gHigh,
                                         Sym vIn, Sym vOut, Sym kIn, Sym kOut) {
  for (std::int64_t i = 0; i < n; ++i) {
    const Count fc = static_cast<Count>(f[i] + (hIn[i] == vIn) - (hPrev[i] == vOut));
    f[i] = fc;
    Count ac = 0;
    Count bc = 0;
    if constexpr (usesHorizRev(S)) {
      ac = static_cast<Count>(a[i] + (gLow[i] == vIn) - (gHigh[i] == vOut));
      a[i] = ac;
    }
    if constexpr (usesVertiRev(S)) {
      bc = static_cast<Count>(b[i] + (hLow[i] == kIn) - (hHigh[i] == kOut));
      b[i] = bc;
    }
    emit<MaxInto>(out + i, combine<S, E>(fc, ac, bc));
  }
}

/// Counts every column of the block's first row from scratch.
template <StrandSet S, Eval E, bool MaxInto, typename Sym, typename Count, typename Out>
void directRow(const KernelInput<Sym>& in, RowState<Count>& st, std::int64_t y, Out* out) {
  const std::int64_t w = in.width;
  const int win = in.window;
  Count* f = st.diagRow(y);
  std::fill(f, f + w, Count{0});
  for (int m = 0; m < win; ++m) addMatches(f, in.h + in.x0 + m, in.v[y + m], w);
  Count* a = nullptr;
  Count* b = nullptr;
  if constexpr (usesHorizRev(S)) {
    a = st.antiHRow(y);
    std::fill(a, a + w, Count{0});
    for (int m = 0; m < win; ++m) addMatches(a, in.g + in.x0 + m, in.v[y + win - 1 - m], w);
  }
  if constexpr (usesVertiRev(S)) {
    b = st.antiVRow(y);
    std::fill(b, b + w, Count{0});
    for (int m = 0; m < win; ++m) addMatches(b, in.h + in.x0 + win - 1 - m, in.k[y + m], w);
  }
  combineSpan<S, E, MaxInto>(w, f, a, b, out);
}

/// Derives row y from row y − 1 of the same block.
template <StrandSet S, Eval E, bool MaxInto, typename Sym, typename Count, typename Out>
void slideRow(const KernelInput<Sym>& in, RowState<Count>& st, std::int64_t y, Out* out) {
  const std::int64_t w = in.width;
  const std::int64_t x0 = in.x0;
  const int win = in.window;
  const Sym vIn = in.v[y + win - 1];
  const Sym vOut = in.v[y - 1];
  Count* f = st.diagRow(y);
  Count* a = nullptr;
  Count* b = nullptr;
  Sym kIn = 0;
  Sym kOut = 0;
  if constexpr (usesHorizRev(S)) a = st.antiHRow(y);
  if constexpr (usesVertiRev(S)) {
    b = st.antiVRow(y);
    kIn = in.k[y + win - 1];
    kOut = in.k[y - 1];
  }

  // Columns 1 … w − 2 slide for every strand pair; column 0 starts a new diagonal and column
  // w − 1 a new anti-diagonal.
  // hLow[i] is H[x], hIn[i] is H[x + W − 1] and hHigh[i] is H[x + W] for column x = x0 + i; the
  // forward count drops H[x − 1], which is hLow[i − 1].
  const Sym* hLow = in.h + x0;
  const Sym* hIn = in.h + x0 + win - 1;
  const Sym* hHigh = in.h + x0 + win;
  const Sym* gLow = usesHorizRev(S) ? in.g + x0 : nullptr;
  const Sym* gHigh = usesHorizRev(S) ? in.g + x0 + win : nullptr;
  if (w > 2) {
    slideSpanLoop<S, E, MaxInto>(w - 2, f + 1, a ? a + 1 : nullptr, b ? b + 1 : nullptr, out + 1,
                                 hLow + 1, hLow, hIn + 1, hHigh + 1, gLow ? gLow + 1 : nullptr,
                                 gHigh ? gHigh + 1 : nullptr, vIn, vOut, kIn, kOut);
  }

  // Column 0.
  f[0] = countForward<Count>(in, x0, y);
  if constexpr (usesHorizRev(S)) {
    a[0] = w > 1 ? static_cast<Count>(a[0] + (gLow[0] == vIn) - (gHigh[0] == vOut))
                 : countHoriz<Count>(in, x0, y);
  }
  if constexpr (usesVertiRev(S)) {
    b[0] = w > 1 ? static_cast<Count>(b[0] + (hLow[0] == kIn) - (hHigh[0] == kOut))
                 : countVerti<Count>(in, x0, y);
  }
  emit<MaxInto>(out, combine<S, E>(f[0], a ? a[0] : Count{0}, b ? b[0] : Count{0}));
  // Column w − 1.
  if (w > 1) {
    const std::int64_t i = w - 1;
    f[i] = static_cast<Count>(f[i] + (hIn[i] == vIn) - (hLow[i - 1] == vOut));
    if constexpr (usesHorizRev(S)) a[i] = countHoriz<Count>(in, x0 + i, y);
    if constexpr (usesVertiRev(S)) b[i] = countVerti<Count>(in, x0 + i, y);
    emit<MaxInto>(out + i, combine<S, E>(f[i], a ? a[i] : Count{0}, b ? b[i] : Count{0}));
  }
}

template <typename Sym, typename Count, typename Out>
struct RowFunctions {
  using Function = void (*)(const KernelInput<Sym>&, RowState<Count>&, std::int64_t, Out*);
  Function direct = nullptr;
  Function slide = nullptr;
};

template <bool MaxInto, typename Count>
using OutOf = std::conditional_t<MaxInto, Count, std::uint16_t>;

template <StrandSet S, Eval E, bool MaxInto, typename Sym, typename Count>
RowFunctions<Sym, Count, OutOf<MaxInto, Count>> rowFunctions() {
  return {&directRow<S, E, MaxInto, Sym, Count, OutOf<MaxInto, Count>>,
          &slideRow<S, E, MaxInto, Sym, Count, OutOf<MaxInto, Count>>};
}

template <StrandSet S, bool MaxInto, typename Sym, typename Count>
RowFunctions<Sym, Count, OutOf<MaxInto, Count>> rowFunctionsFor(Eval e) {
  switch (e) {
    case Eval::Highest:
      return rowFunctions<S, Eval::Highest, MaxInto, Sym, Count>();
    case Eval::Lowest:
      return rowFunctions<S, Eval::Lowest, MaxInto, Sym, Count>();
    case Eval::Summed:
      break;
  }
  return rowFunctions<S, Eval::Summed, MaxInto, Sym, Count>();
}

template <bool MaxInto, typename Sym, typename Count>
RowFunctions<Sym, Count, OutOf<MaxInto, Count>> rowFunctionsFor(StrandSet s, Eval e) {
  switch (s) {
    case StrandSet::Forward:
      return rowFunctions<StrandSet::Forward, Eval::Highest, MaxInto, Sym, Count>();
    case StrandSet::HorizRev:
      return rowFunctionsFor<StrandSet::HorizRev, MaxInto, Sym, Count>(e);
    case StrandSet::VertiRev:
      return rowFunctionsFor<StrandSet::VertiRev, MaxInto, Sym, Count>(e);
    case StrandSet::BothRev:
      break;
  }
  return rowFunctionsFor<StrandSet::BothRev, MaxInto, Sym, Count>(e);
}

Eval evalOf(tMatchEvaluation e) {
  switch (e) {
    case meLowest:
      return Eval::Lowest;
    case meSummed:
      return Eval::Summed;
    case meHighest:
      break;
  }
  return Eval::Highest;
}

template <typename Sym, typename Count>
struct Job {
  StrandSet set = StrandSet::Forward;
  DotPlotGrid* grid = nullptr;
  KernelInput<Sym> input;
  RowFunctions<Sym, Count, std::uint16_t> exactRows;
  RowFunctions<Sym, Count, Count> binnedRows;
};

// Columns are computed in strips narrow enough for the sliding arrays, the strands' stretches
// and the output of a row to stay in the first-level caches; each strip starts with one row
// counted afresh and its edge cells are counted afresh on every row, so a strip is kept wide
// against the window.
// The sliding pass covers all columns of a strip but its two edges; a multiple of 64 there
// leaves no scalar remainder for the widest vectors.
std::int64_t stripWidth(int window) {
  const std::int64_t inner = std::max<std::int64_t>(2048, std::int64_t{32} * window);
  return (inner + 63) / 64 * 64 + 2;
}

template <typename Sym, typename Count>
void runExact(const Job<Sym, Count>& job, WorkerShared& shared, std::int64_t rowBegin,
              std::int64_t rowEnd) {
  if (rowBegin >= rowEnd) return;
  DotPlotGrid& grid = *job.grid;
  const CellRect& cells = grid.cells();
  const std::int64_t strip = stripWidth(job.input.window);
  RowState<Count> state;
  ProgressTally tally(shared);
  for (std::int64_t sx0 = 0; sx0 < cells.width; sx0 += strip) {
    KernelInput<Sym> in = job.input;
    in.x0 = cells.x + sx0;
    in.width = std::min(strip, cells.width - sx0);
    state.begin(job.set, in.width, cells.y + rowBegin, cells.y + rowEnd);
    for (std::int64_t r = rowBegin; r < rowEnd; ++r) {
      if (shared.stopRequested()) return;
      const auto fn = r == rowBegin ? job.exactRows.direct : job.exactRows.slide;
      fn(in, state, cells.y + r, grid.row(static_cast<int>(r)) + sx0);
      tally.add(in.width);
    }
  }
}

template <typename Sym, typename Count>
void runBinned(const Job<Sym, Count>& job, WorkerShared& shared, int binRowBegin, int binRowEnd) {
  if (binRowBegin >= binRowEnd) return;
  DotPlotGrid& grid = *job.grid;
  const CellRect& cells = grid.cells();
  const std::int64_t firstRow = grid.binCellY0(binRowBegin);
  const std::int64_t endRow = grid.binCellY0(binRowEnd);
  for (int by = binRowBegin; by < binRowEnd; ++by) {
    std::fill(grid.row(by), grid.row(by) + grid.binsX(), std::uint16_t{0});
  }
  std::vector<std::int64_t> binStart(static_cast<std::size_t>(grid.binsX()) + 1);
  for (int bx = 0; bx <= grid.binsX(); ++bx) {
    binStart[static_cast<std::size_t>(bx)] = grid.binCellX0(bx) - cells.x;
  }
  const std::int64_t strip = stripWidth(job.input.window);
  std::vector<Count> highest(static_cast<std::size_t>(std::min(strip, cells.width)));
  RowState<Count> state;
  ProgressTally tally(shared);
  for (std::int64_t sx0 = 0; sx0 < cells.width; sx0 += strip) {
    KernelInput<Sym> in = job.input;
    in.x0 = cells.x + sx0;
    in.width = std::min(strip, cells.width - sx0);
    const std::int64_t sx1 = sx0 + in.width;
    const int firstBin = grid.binOfCellX(cells.x + sx0);
    const int lastBin = grid.binOfCellX(cells.x + sx1 - 1);
    state.begin(job.set, in.width, firstRow, endRow);
    for (int by = binRowBegin; by < binRowEnd; ++by) {
      std::fill(highest.begin(), highest.end(), Count{0});
      const std::int64_t y1 = grid.binCellY0(by + 1);
      for (std::int64_t y = grid.binCellY0(by); y < y1; ++y) {
        if (shared.stopRequested()) return;
        const auto fn = y == firstRow ? job.binnedRows.direct : job.binnedRows.slide;
        fn(in, state, y, highest.data());
        tally.add(in.width);
      }
      // The bins this strip reaches; a bin shared with the next strip is completed there.
      std::uint16_t* binRow = grid.row(by);
      for (int bx = firstBin; bx <= lastBin; ++bx) {
        const std::int64_t c0 = std::max(binStart[static_cast<std::size_t>(bx)], sx0) - sx0;
        const std::int64_t c1 = std::min(binStart[static_cast<std::size_t>(bx) + 1], sx1) - sx0;
        Count m = 0;
        for (std::int64_t c = c0; c < c1; ++c) {
          m = std::max(m, highest[static_cast<std::size_t>(c)]);
        }
        binRow[bx] = std::max<std::uint16_t>(binRow[bx], m);
      }
    }
  }
}

/// The four strands as the kernels read them: the opposite strands backwards, all of them
/// recoded to bytes when at most 256 distinct code units occur.
struct KernelStrands {
  bool bytes = false;
  std::vector<std::uint8_t> h8, v8, g8, k8;
  std::vector<char16_t> g16, k16;

  KernelStrands(const DotPlotStrands& s, StrandSet set) {
    const bool horiz = usesHorizRev(set);
    const bool verti = usesVertiRev(set);
    std::vector<std::int16_t> code(0x10000, -1);
    int distinct = 0;
    auto see = [&](std::u16string_view text) {
      for (const char16_t c : text) {
        if (code[c] < 0) {
          if (distinct == 256) return false;
          code[c] = static_cast<std::int16_t>(distinct++);
        }
      }
      return true;
    };
    bytes =
        see(s.horiz) && see(s.verti) && (!horiz || see(s.horizRev)) && (!verti || see(s.vertiRev));
    if (bytes) {
      auto recode = [&](auto begin, auto end, std::vector<std::uint8_t>& out) {
        out.reserve(static_cast<std::size_t>(end - begin));
        for (auto it = begin; it != end; ++it) out.push_back(static_cast<std::uint8_t>(code[*it]));
      };
      recode(s.horiz.begin(), s.horiz.end(), h8);
      recode(s.verti.begin(), s.verti.end(), v8);
      if (horiz) recode(s.horizRev.rbegin(), s.horizRev.rend(), g8);
      if (verti) recode(s.vertiRev.rbegin(), s.vertiRev.rend(), k8);
    } else {
      if (horiz) g16.assign(s.horizRev.rbegin(), s.horizRev.rend());
      if (verti) k16.assign(s.vertiRev.rbegin(), s.vertiRev.rend());
    }
  }
};

/// Runs the workers over the grid.
template <typename Sym, typename Count>
bool runWorkers(const KernelRequest& request, KernelInput<Sym> input) {
  const Eval e = evalOf(request.evaluation);
  const Job<Sym, Count> job{request.set, request.grid, input,
                            rowFunctionsFor<false, Sym, Count>(request.set, e),
                            rowFunctionsFor<true, Sym, Count>(request.set, e)};
  const DotPlotGrid& grid = *request.grid;
  const bool exact = grid.isExact();
  const std::int64_t slices = exact ? grid.cells().height : grid.binsY();
  const double total =
      static_cast<double>(grid.cells().width) * static_cast<double>(grid.cells().height);
  return runOnWorkers(slices, request.threads, total, request.progress,
                      [&job, exact](std::int64_t begin, std::int64_t end, WorkerShared& shared) {
                        if (exact) {
                          runExact(job, shared, begin, end);
                        } else {
                          runBinned(job, shared, static_cast<int>(begin), static_cast<int>(end));
                        }
                      });
}

}  // namespace

bool fillGrid(const KernelRequest& request) {
  const DotPlotStrands& strands = request.strands;
  const DotPlotGrid& grid = *request.grid;
  const CellRect& cells = grid.cells();
  const int window = request.windowSize;
  const KernelStrands prepared(strands, request.set);
  if (prepared.bytes) {
    const KernelInput<std::uint8_t> input{prepared.h8.data(),
                                          prepared.v8.data(),
                                          prepared.g8.data(),
                                          prepared.k8.data(),
                                          window,
                                          cells.x,
                                          cells.width};
    if (request.highestCount <= 0xFF) return runWorkers<std::uint8_t, std::uint8_t>(request, input);
    return runWorkers<std::uint8_t, std::uint16_t>(request, input);
  }
  const KernelInput<char16_t> input{strands.horiz.data(),
                                    strands.verti.data(),
                                    prepared.g16.data(),
                                    prepared.k16.data(),
                                    window,
                                    cells.x,
                                    cells.width};
  return runWorkers<char16_t, std::uint16_t>(request, input);
}

}  // namespace duvanet::engine

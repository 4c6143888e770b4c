#include "engine/HitSegments.h"

#include <algorithm>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "engine/WorkerPool.h"

// How the segments are found. Each strand pair's count is slid from cell to cell along its
// run direction, as the dot plot kernels do (0-based cells, W the window, G and K the opposite
// strands read backwards):
//   f(x, y) = f(x − 1, y − 1) + [H[x + W − 1] = V[y + W − 1]] − [H[x − 1] = V[y − 1]]
//   h(x, y) = h(x + 1, y − 1) + [G[x] = V[y + W − 1]] − [G[x + W] = V[y − 1]]
//   v(x, y) = v(x + 1, y − 1) + [H[x] = K[y + W − 1]] − [H[x + W] = K[y − 1]]
// The counts live in arrays indexed by diagonal (f) and anti-diagonal (h, v), so that the slot a
// cell is written to held, just before, the count of the cell before it on its run. A run starts
// where a count reaches the threshold and its slot's old count did not, and ends where it falls
// below again: the row pass only has to find those changes, which it does on whole vectors of
// cells, and only the rare stretches with a change are looked at cell by cell.
//
// Rows are split into one block per worker. A run crossing into the next block is found there as
// a piece starting on the block's first row; the pieces are joined afterwards by their diagonal.
// The best count and the matches of a segment are counted along its aligned block at the end.

namespace duvanet::engine {

const char* strandPairName(StrandPair pair) {
  switch (pair) {
    case StrandPair::HorizontalOpposite:
      return "horizontal-opposite";
    case StrandPair::VerticalOpposite:
      return "vertical-opposite";
    case StrandPair::Forward:
      break;
  }
  return "forward";
}

CellPosition firstCellOf(const HitSegment& segment, int windowSize) {
  switch (segment.pair) {
    case StrandPair::HorizontalOpposite:
      return {segment.hEnd - windowSize + 1, segment.vStart};
    case StrandPair::VerticalOpposite:
      return {segment.hStart, segment.vEnd - windowSize + 1};
    case StrandPair::Forward:
      break;
  }
  return {segment.hStart, segment.vStart};
}

std::vector<StrandPair> strandPairsOf(tDotPlotType type) {
  std::vector<StrandPair> pairs{StrandPair::Forward};
  const StrandSet set = strandSetOf(type);
  if (set == StrandSet::HorizRev || set == StrandSet::BothRev) {
    pairs.push_back(StrandPair::HorizontalOpposite);
  }
  if (set == StrandSet::VertiRev || set == StrandSet::BothRev) {
    pairs.push_back(StrandPair::VerticalOpposite);
  }
  return pairs;
}

namespace {

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define DUVANET_HIT_CLONES __attribute__((target_clones("default", "avx2", "arch=x86-64-v4")))
#else
#define DUVANET_HIT_CLONES
#endif

constexpr std::int64_t kChunk = 64;

/// A run of hit cells inside one block: rows y0 … y1 on diagonal key (x − y forward, x + y on
/// the anti-diagonals).
struct Piece {
  std::int64_t key = 0;
  std::int64_t y0 = 0;
  std::int64_t y1 = 0;
};

/// The smallest x of a piece: at its first row on a diagonal, at its last on an anti-diagonal.
std::int64_t smallestX(const Piece& p, StrandPair pair) {
  return pair == StrandPair::Forward ? p.key + p.y0 : p.key - p.y1;
}

/// The order of the segments of one pair: by first row, then smallest x, then diagonal.
struct PieceOrder {
  StrandPair pair;
  bool operator()(const Piece& a, const Piece& b) const {
    if (a.y0 != b.y0) return a.y0 < b.y0;
    const std::int64_t xa = smallestX(a, pair);
    const std::int64_t xb = smallestX(b, pair);
    if (xa != xb) return xa < xb;
    return a.key < b.key;
  }
};

/// Keeps the pieces of one pair and block; with a limit, only the first `limit` in order.
class PieceCollector {
 public:
  PieceCollector(StrandPair pair, std::int64_t limit) : m_order{pair}, m_limit(limit) {}
  void add(const Piece& p) {
    ++m_count;
    m_pieces.push_back(p);
    if (m_limit >= 0 && m_pieces.size() > static_cast<std::size_t>(2 * m_limit + 4096)) trim();
  }
  void trim() {
    if (m_limit < 0 || m_pieces.size() <= static_cast<std::size_t>(m_limit)) return;
    const auto nth = m_pieces.begin() + m_limit;
    std::nth_element(m_pieces.begin(), nth, m_pieces.end(), m_order);
    m_pieces.erase(nth, m_pieces.end());
  }
  std::vector<Piece>& pieces() { return m_pieces; }
  std::int64_t count() const { return m_count; }

 private:
  PieceOrder m_order;
  std::int64_t m_limit;
  std::int64_t m_count = 0;
  std::vector<Piece> m_pieces;
};

/// What a block found for one pair: pieces inside it, and pieces on its first or last row that
/// may join a piece of the neighbouring block.
struct BlockPieces {
  explicit BlockPieces(StrandPair pair, std::int64_t limit) : inner(pair, limit) {}
  PieceCollector inner;
  std::vector<Piece> edge;
};

template <typename Sym>
struct Strands {
  const Sym* h = nullptr;
  const Sym* v = nullptr;
  const Sym* g = nullptr;  // horizontal opposite, backwards
  const Sym* k = nullptr;  // vertical opposite, backwards
  int window = 0;
};

/// acc[i] += [s[i] = c] for i < n.
template <typename Count, typename Sym>
DUVANET_HIT_CLONES void addMatches(Count* __restrict acc, const Sym* __restrict s, Sym c,
                                   std::int64_t n) {
  for (std::int64_t i = 0; i < n; ++i) acc[i] = static_cast<Count>(acc[i] + (s[i] == c));
}

/// c[i] += [in[i] = inC] − [out[i] = outC] for i < n, and lists the chunks of kChunk cells in
/// which some count crossed the threshold (either way). Returns how many chunks it listed.
template <typename Count, typename Sym>
DUVANET_HIT_CLONES std::int64_t slideRow(Count* __restrict c, const Sym* __restrict in, Sym inC,
                                         const Sym* __restrict out, Sym outC, Count threshold,
                                         std::int64_t n, std::int64_t* __restrict flagged) {
  std::int64_t listed = 0;
  std::int64_t i = 0;
  for (; i + kChunk <= n; i += kChunk) {
    unsigned crossed = 0;
    for (std::int64_t j = i; j < i + kChunk; ++j) {
      const Count before = c[j];
      const Count after = static_cast<Count>(before + (in[j] == inC) - (out[j] == outC));
      c[j] = after;
      crossed |= static_cast<unsigned>((before >= threshold) != (after >= threshold));
    }
    if (crossed) flagged[listed++] = i;
  }
  if (i < n) {
    unsigned crossed = 0;
    for (std::int64_t j = i; j < n; ++j) {
      const Count before = c[j];
      const Count after = static_cast<Count>(before + (in[j] == inC) - (out[j] == outC));
      c[j] = after;
      crossed |= static_cast<unsigned>((before >= threshold) != (after >= threshold));
    }
    if (crossed) flagged[listed++] = i;
  }
  return listed;
}

enum class Kind { Forward, AntiH, AntiV };

/// The sliding state of one strand pair over one block of rows [ya, yb) and the columns
/// [x0, x0 + width).
template <typename Sym, typename Count>
class PairScanner {
 public:
  PairScanner(Kind kind, const Strands<Sym>& s, std::int64_t x0, std::int64_t width,
              std::int64_t ya, std::int64_t yb, int threshold, bool cutAbove, bool cutBelow,
              BlockPieces& out)
      : m_kind(kind),
        m_s(s),
        m_x0(x0),
        m_width(width),
        m_ya(ya),
        m_yb(yb),
        m_threshold(threshold),
        m_cutAbove(cutAbove),
        m_cutBelow(cutBelow),
        m_out(out) {
    const auto size = static_cast<std::size_t>(width + (yb - ya) - 1);
    m_counts.assign(size, Count{0});
    m_runStart.assign(size, 0);
    m_flagged.resize(static_cast<std::size_t>(width / kChunk + 2));
  }

  void row(std::int64_t y) {
    if (y == m_ya) {
      directRow(y);
    } else {
      slide(y);
    }
  }

  /// Closes the runs still open on the block's last row.
  void finish() {
    const std::int64_t y = m_yb - 1;
    Count* c = rowCounts(y);
    for (std::int64_t i = 0; i < m_width; ++i) {
      if (c[i] >= m_threshold) end(i, y, y);
    }
  }

 private:
  Count* rowCounts(std::int64_t y) {
    return m_counts.data() + (m_kind == Kind::Forward ? (m_yb - 1 - y) : (y - m_ya));
  }
  std::int64_t* rowStarts(std::int64_t y) {
    return m_runStart.data() + (m_kind == Kind::Forward ? (m_yb - 1 - y) : (y - m_ya));
  }
  std::int64_t key(std::int64_t i, std::int64_t y) const {
    return m_kind == Kind::Forward ? m_x0 + i - y : m_x0 + i + y;
  }

  int directCount(std::int64_t x, std::int64_t y) const {
    const int w = m_s.window;
    int c = 0;
    switch (m_kind) {
      case Kind::Forward:
        for (int m = 0; m < w; ++m) c += m_s.h[x + m] == m_s.v[y + m];
        break;
      case Kind::AntiH:
        for (int m = 0; m < w; ++m) c += m_s.g[x + m] == m_s.v[y + w - 1 - m];
        break;
      case Kind::AntiV:
        for (int m = 0; m < w; ++m) c += m_s.k[y + m] == m_s.h[x + w - 1 - m];
        break;
    }
    return c;
  }

  // Column i of row y became a hit: a run starts. The run on the slot of column i, row y ends
  // on lastRow: the row before (the cell stopped being a hit) or y itself (the block ends).
  void start(std::int64_t i, std::int64_t y) { rowStarts(y)[i] = y; }
  void end(std::int64_t i, std::int64_t y, std::int64_t lastRow) {
    Piece p{key(i, y), rowStarts(y)[i], lastRow};
    const bool top = m_cutAbove && p.y0 == m_ya;
    const bool bottom = m_cutBelow && p.y1 == m_yb - 1;
    if (top || bottom) {
      m_out.edge.push_back(p);
    } else {
      m_out.inner.add(p);
    }
  }

  void directRow(std::int64_t y) {
    Count* c = rowCounts(y);
    const std::int64_t w = m_width;
    const int win = m_s.window;
    std::fill(c, c + w, Count{0});
    for (int m = 0; m < win; ++m) {
      switch (m_kind) {
        case Kind::Forward:
          addMatches(c, m_s.h + m_x0 + m, m_s.v[y + m], w);
          break;
        case Kind::AntiH:
          addMatches(c, m_s.g + m_x0 + m, m_s.v[y + win - 1 - m], w);
          break;
        case Kind::AntiV:
          addMatches(c, m_s.h + m_x0 + win - 1 - m, m_s.k[y + m], w);
          break;
      }
    }
    for (std::int64_t i = 0; i < w; ++i) {
      if (c[i] >= m_threshold) start(i, y);
    }
  }

  void slide(std::int64_t y) {
    const int win = m_s.window;
    const std::int64_t w = m_width;
    Count* c = rowCounts(y);
    const auto threshold = static_cast<Count>(m_threshold);
    // The span that slides, and the column counted afresh: column 0 starts a diagonal, the
    // last column an anti-diagonal.
    std::int64_t first = 0;
    std::int64_t fresh = w - 1;
    const Sym* in = nullptr;
    const Sym* out = nullptr;
    Sym inC{};
    Sym outC{};
    switch (m_kind) {
      case Kind::Forward:
        first = 1;
        fresh = 0;
        in = m_s.h + m_x0 + win - 1;
        out = m_s.h + m_x0 - 1;
        inC = m_s.v[y + win - 1];
        outC = m_s.v[y - 1];
        break;
      case Kind::AntiH:
        in = m_s.g + m_x0;
        out = m_s.g + m_x0 + win;
        inC = m_s.v[y + win - 1];
        outC = m_s.v[y - 1];
        break;
      case Kind::AntiV:
        in = m_s.h + m_x0;
        out = m_s.h + m_x0 + win;
        inC = m_s.k[y + win - 1];
        outC = m_s.k[y - 1];
        break;
    }
    // A run whose next cell lies beyond the columns ends on the row before: the last column's
    // diagonal and the first column's anti-diagonal leave the block's columns here, and their
    // slots still hold the counts of row y − 1.
    const std::int64_t leaving = m_kind == Kind::Forward ? w : -1;
    if (c[leaving] >= m_threshold) end(leaving, y, y - 1);
    const std::int64_t n = w - 1;
    if (n > 0) {
      const std::int64_t listed =
          slideRow(c + first, in + first, inC, out + first, outC, threshold, n, m_flagged.data());
      for (std::int64_t f = 0; f < listed; ++f) {
        const std::int64_t j0 = m_flagged[static_cast<std::size_t>(f)];
        const std::int64_t j1 = std::min(j0 + kChunk, n);
        for (std::int64_t j = j0; j < j1; ++j) {
          const std::int64_t i = j + first;
          const int after = c[i];
          const int before = after - (in[i] == inC) + (out[i] == outC);
          const bool hit = after >= m_threshold;
          if ((before >= m_threshold) == hit) continue;
          if (hit) {
            start(i, y);
          } else {
            end(i, y, y - 1);
          }
        }
      }
    }
    // The fresh column's slot was never written before, so no run reaches it from above.
    const int count = directCount(m_x0 + fresh, y);
    c[fresh] = static_cast<Count>(count);
    if (count >= m_threshold) start(fresh, y);
  }

  Kind m_kind;
  Strands<Sym> m_s;
  std::int64_t m_x0;
  std::int64_t m_width;
  std::int64_t m_ya;
  std::int64_t m_yb;
  int m_threshold;
  bool m_cutAbove;
  bool m_cutBelow;
  BlockPieces& m_out;
  std::vector<Count> m_counts;
  std::vector<std::int64_t> m_runStart;
  std::vector<std::int64_t> m_flagged;
};

Kind kindOf(StrandPair pair) {
  switch (pair) {
    case StrandPair::HorizontalOpposite:
      return Kind::AntiH;
    case StrandPair::VerticalOpposite:
      return Kind::AntiV;
    case StrandPair::Forward:
      break;
  }
  return Kind::Forward;
}

/// The strands as the scanners read them: the opposite strands backwards, all of them recoded
/// to bytes when at most 256 distinct code units occur.
struct ScanStrands {
  bool bytes = false;
  std::vector<std::uint8_t> h8, v8, g8, k8;
  std::vector<char16_t> g16, k16;

  ScanStrands(const DotPlotStrands& s, bool horiz, bool verti) {
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
    auto recode = [&](auto begin, auto end, std::vector<std::uint8_t>& out) {
      out.reserve(static_cast<std::size_t>(end - begin));
      for (auto it = begin; it != end; ++it) out.push_back(static_cast<std::uint8_t>(code[*it]));
    };
    if (bytes) {
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

struct Geometry {
  std::int64_t x0 = 0;
  std::int64_t width = 0;
  std::int64_t y0 = 0;
  std::int64_t height = 0;
};

/// Scans the rows [ya, yb) for every pair.
template <typename Sym, typename Count>
void scanBlock(const Strands<Sym>& s, const Geometry& g, const std::vector<StrandPair>& pairs,
               int threshold, std::int64_t ya, std::int64_t yb, std::vector<BlockPieces>& out,
               WorkerShared& shared) {
  std::vector<PairScanner<Sym, Count>> scanners;
  scanners.reserve(pairs.size());
  const bool cutAbove = ya > g.y0;
  const bool cutBelow = yb < g.y0 + g.height;
  for (std::size_t p = 0; p < pairs.size(); ++p) {
    scanners.emplace_back(kindOf(pairs[p]), s, g.x0, g.width, ya, yb, threshold, cutAbove, cutBelow,
                          out[p]);
  }
  ProgressTally tally(shared);
  for (std::int64_t y = ya; y < yb; ++y) {
    if (shared.stopRequested()) return;
    for (auto& scanner : scanners) scanner.row(y);
    tally.add(g.width);
  }
  for (auto& scanner : scanners) scanner.finish();
}

// The end of the span [start, start + length) clipped to [0, limit], for any 64-bit values.
std::int64_t clippedEnd(std::int64_t start, std::int64_t length, std::int64_t limit) {
  if (length <= 0) return std::clamp<std::int64_t>(start, 0, limit);
  if (start >= limit) return limit;
  if (start < 0) return std::clamp<std::int64_t>(start + length, 0, limit);
  return length >= limit - start ? limit : start + length;
}

/// The segment of a whole run, its best count and matches counted along its aligned block.
HitSegment segmentOf(const Piece& p, StrandPair pair, const DotPlotStrands& s, int w) {
  const auto lh = static_cast<std::int64_t>(s.horiz.size());
  const auto lv = static_cast<std::int64_t>(s.verti.size());
  const std::int64_t len = p.y1 - p.y0 + 1;
  HitSegment seg;
  seg.pair = pair;
  seg.cells = len;
  seg.vStart = p.y0 + 1;
  seg.vEnd = p.y1 + w;
  const std::int64_t xLow = smallestX(p, pair);
  const std::int64_t xHigh = xLow + len - 1;
  seg.hStart = xLow + 1;
  seg.hEnd = xHigh + w;
  // The symbol pairs of the block, k = 0 … len + W − 2.
  auto equal = [&](std::int64_t k) -> bool {
    const auto at = [](std::u16string_view t, std::int64_t i) {
      return t[static_cast<std::size_t>(i)];
    };
    switch (pair) {
      case StrandPair::HorizontalOpposite:
        return at(s.horizRev, lh - seg.hEnd + k) == at(s.verti, p.y0 + k);
      case StrandPair::VerticalOpposite:
        return at(s.vertiRev, lv - seg.vEnd + k) == at(s.horiz, xLow + k);
      case StrandPair::Forward:
        break;
    }
    return at(s.horiz, xLow + k) == at(s.verti, p.y0 + k);
  };
  const std::int64_t span = len + w - 1;
  std::int64_t matches = 0;
  int window = 0;
  int best = 0;
  for (std::int64_t k = 0; k < span; ++k) {
    const int e = equal(k) ? 1 : 0;
    matches += e;
    window += e;
    if (k >= w) window -= equal(k - w) ? 1 : 0;
    if (k >= w - 1) best = std::max(best, window);
  }
  seg.best = best;
  seg.matches = matches;
  return seg;
}

}  // namespace

HitSegmentResult findHitSegments(const HitSegmentRequest& request) {
  HitSegmentResult result;
  const DotPlotStrands& s = request.strands;
  const int w = request.windowSize;
  if (w < 1 || request.minCount < 1 || request.minCount > w) return result;
  const std::vector<StrandPair> pairs = strandPairsOf(request.type);
  const bool horiz =
      std::find(pairs.begin(), pairs.end(), StrandPair::HorizontalOpposite) != pairs.end();
  const bool verti =
      std::find(pairs.begin(), pairs.end(), StrandPair::VerticalOpposite) != pairs.end();
  if (horiz && s.horizRev.size() != s.horiz.size()) return result;
  if (verti && s.vertiRev.size() != s.verti.size()) return result;
  const auto lh = static_cast<std::int64_t>(s.horiz.size());
  const auto lv = static_cast<std::int64_t>(s.verti.size());
  const std::int64_t nH = lh - w + 1;
  const std::int64_t nV = lv - w + 1;
  if (nH <= 0 || nV <= 0) return result;
  result.plotWidth = nH;
  result.plotHeight = nV;
  result.filled = true;

  Geometry g{0, nH, 0, nV};
  if (request.region) {
    const CellRect& r = *request.region;
    const std::int64_t x0 = std::clamp<std::int64_t>(r.x, 0, nH);
    const std::int64_t y0 = std::clamp<std::int64_t>(r.y, 0, nV);
    const std::int64_t x1 = clippedEnd(r.x, r.width, nH);
    const std::int64_t y1 = clippedEnd(r.y, r.height, nV);
    g = {x0, std::max<std::int64_t>(x1 - x0, 0), y0, std::max<std::int64_t>(y1 - y0, 0)};
  }
  if (g.width == 0 || g.height == 0) return result;

  const int threadsWanted = workerThreads(request.threads);
  // Each block counts its first row afresh: by default blocks of a few rows are not worth a
  // thread, while an explicit thread count is taken as it stands.
  const std::int64_t rowsPerThread = request.threads > 0 ? 1 : 64;
  const int blocks = static_cast<int>(
      std::clamp<std::int64_t>(g.height / rowsPerThread, 1, std::max(threadsWanted, 1)));
  std::vector<std::int64_t> rowStart(static_cast<std::size_t>(blocks) + 1);
  for (int b = 0; b <= blocks; ++b)
    rowStart[static_cast<std::size_t>(b)] = g.y0 + g.height * b / blocks;

  const std::int64_t limit = request.maxSegments;
  std::vector<std::vector<BlockPieces>> found(static_cast<std::size_t>(blocks));
  for (auto& block : found) {
    block.reserve(pairs.size());
    for (const StrandPair pair : pairs) block.emplace_back(pair, limit);
  }

  const ScanStrands prepared(s, horiz, verti);
  // One slice per block, one block per worker.
  bool finished = true;
  auto scan = [&](auto strands, auto countTag) {
    using Sym = std::remove_cv_t<std::remove_pointer_t<decltype(strands.h)>>;
    using Count = decltype(countTag);
    const double cells = static_cast<double>(g.width) * static_cast<double>(g.height);
    finished =
        runOnWorkers(blocks, blocks, cells, request.progress,
                     [&](std::int64_t begin, std::int64_t end, WorkerShared& shared) {
                       for (std::int64_t b = begin; b < end; ++b) {
                         const auto block = static_cast<std::size_t>(b);
                         scanBlock<Sym, Count>(strands, g, pairs, request.minCount, rowStart[block],
                                               rowStart[block + 1], found[block], shared);
                       }
                     });
  };
  if (prepared.bytes) {
    const Strands<std::uint8_t> strands{prepared.h8.data(), prepared.v8.data(), prepared.g8.data(),
                                        prepared.k8.data(), w};
    if (w <= 0xFF) {
      scan(strands, std::uint8_t{});
    } else {
      scan(strands, std::uint16_t{});
    }
  } else {
    const Strands<char16_t> strands{s.horiz.data(), s.verti.data(), prepared.g16.data(),
                                    prepared.k16.data(), w};
    scan(strands, std::uint16_t{});
  }
  if (!finished) {
    result.filled = false;
    result.cancelled = true;
    return result;
  }

  // Join the pieces that run on across block edges, then order each pair's segments.
  std::int64_t remaining = limit;
  for (std::size_t p = 0; p < pairs.size(); ++p) {
    const StrandPair pair = pairs[p];
    std::vector<Piece> whole;
    std::int64_t count = 0;
    std::unordered_map<std::int64_t, Piece> open;
    for (int b = 0; b < blocks; ++b) {
      BlockPieces& block = found[static_cast<std::size_t>(b)][p];
      block.inner.trim();
      count += block.inner.count();
      whole.insert(whole.end(), block.inner.pieces().begin(), block.inner.pieces().end());
      const std::int64_t ya = rowStart[static_cast<std::size_t>(b)];
      const std::int64_t yb = rowStart[static_cast<std::size_t>(b) + 1];
      std::unordered_map<std::int64_t, Piece> next;
      for (Piece piece : block.edge) {
        if (piece.y0 == ya && b > 0) {
          const auto it = open.find(piece.key);
          if (it != open.end()) {
            piece.y0 = it->second.y0;
            open.erase(it);
          } else {
            ++count;
          }
        } else {
          ++count;
        }
        if (piece.y1 == yb - 1 && b + 1 < blocks) {
          next.emplace(piece.key, piece);
        } else {
          whole.push_back(piece);
        }
      }
      for (const auto& [key, piece] : open) whole.push_back(piece);
      open = std::move(next);
    }
    for (const auto& [key, piece] : open) whole.push_back(piece);
    result.total += count;

    std::sort(whole.begin(), whole.end(), PieceOrder{pair});
    std::size_t take = whole.size();
    if (remaining >= 0)
      take = static_cast<std::size_t>(
          std::min<std::int64_t>(remaining, static_cast<std::int64_t>(take)));
    for (std::size_t i = 0; i < take; ++i) {
      result.segments.push_back(segmentOf(whole[i], pair, s, w));
    }
    if (remaining >= 0) remaining -= static_cast<std::int64_t>(take);
  }
  return result;
}

}  // namespace duvanet::engine

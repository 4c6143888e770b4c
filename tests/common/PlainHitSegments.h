#pragma once

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "engine/HitSegments.h"

// The oracle of the hit segment tests: every count taken afresh, 1-based as the definitions are
// written, runs walked cell by cell, the fields counted from the sequences.
namespace duvanet::testing {

using duvanet::engine::HitSegment;
using duvanet::engine::StrandPair;

inline std::vector<HitSegment> plainHitSegments(const std::u16string& h, const std::u16string& v,
                                                const std::u16string& hr, const std::u16string& vr,
                                                int w, tDotPlotType type, int n, long rx0 = 1,
                                                long ry0 = 1, long rx1 = -1, long ry1 = -1) {
  std::vector<HitSegment> out;
  const long lh = static_cast<long>(h.size());
  const long lv = static_cast<long>(v.size());
  const long nH = lh - w + 1;
  const long nV = lv - w + 1;
  if (nH <= 0 || nV <= 0) return out;
  // The searched cells, 1-based and inclusive.
  if (rx1 < 0) rx1 = nH;
  if (ry1 < 0) ry1 = nV;
  auto H = [&](long i) { return h[static_cast<std::size_t>(i - 1)]; };
  auto V = [&](long i) { return v[static_cast<std::size_t>(i - 1)]; };
  auto Hr = [&](long i) { return hr[static_cast<std::size_t>(i - 1)]; };
  auto Vr = [&](long i) { return vr[static_cast<std::size_t>(i - 1)]; };
  auto count = [&](StrandPair pair, long x, long y) {
    int c = 0;
    for (long k = 1; k <= w; ++k) {
      switch (pair) {
        case StrandPair::Forward:
          c += H(x + k - 1) == V(y + k - 1);
          break;
        case StrandPair::HorizontalOpposite:
          c += Hr(lh - w - x + k + 1) == V(y + k - 1);
          break;
        case StrandPair::VerticalOpposite:
          c += Vr(lv - w - y + k + 1) == H(x + k - 1);
          break;
      }
    }
    return c;
  };
  auto inside = [&](long x, long y) { return x >= rx0 && x <= rx1 && y >= ry0 && y <= ry1; };
  auto hit = [&](StrandPair pair, long x, long y) {
    return inside(x, y) && count(pair, x, y) >= n;
  };
  for (const StrandPair pair : duvanet::engine::strandPairsOf(type)) {
    std::vector<HitSegment> found;
    // The step along a run: down-right for forward, down-left for the opposite pairs (the
    // vertical-opposite run (x + i, y − i) read from its other end).
    const long dx = pair == StrandPair::Forward ? 1 : -1;
    for (long y = 1; y <= nV; ++y) {
      for (long x = 1; x <= nH; ++x) {
        if (!hit(pair, x, y) || hit(pair, x - dx, y - 1)) continue;
        long len = 0;
        int best = 0;
        while (hit(pair, x + dx * len, y + len)) {
          best = std::max(best, count(pair, x + dx * len, y + len));
          ++len;
        }
        HitSegment s;
        s.pair = pair;
        s.cells = len;
        s.best = best;
        const long xa = std::min(x, x + dx * (len - 1));
        const long xb = std::max(x, x + dx * (len - 1));
        s.hStart = xa;
        s.hEnd = xb + w - 1;
        s.vStart = y;
        s.vEnd = y + len - 1 + w - 1;
        long matches = 0;
        for (long k = 0; k <= len + w - 2; ++k) {
          switch (pair) {
            case StrandPair::Forward:
              matches += H(s.hStart + k) == V(s.vStart + k);
              break;
            case StrandPair::HorizontalOpposite:
              matches += Hr(lh - s.hEnd + 1 + k) == V(s.vStart + k);
              break;
            case StrandPair::VerticalOpposite:
              matches += Vr(lv - s.vEnd + 1 + k) == H(s.hStart + k);
              break;
          }
        }
        s.matches = matches;
        found.push_back(s);
      }
    }
    std::stable_sort(found.begin(), found.end(), [](const HitSegment& a, const HitSegment& b) {
      return std::tie(a.vStart, a.hStart, a.hEnd) < std::tie(b.vStart, b.hStart, b.hEnd);
    });
    out.insert(out.end(), found.begin(), found.end());
  }
  return out;
}

}  // namespace duvanet::testing

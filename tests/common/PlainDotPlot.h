#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/DotPlotTypes.h"

// The oracle of the dot plot tests and the kernel fuzz target.
namespace duvanet::testing {

using duvanet::engine::StrandSet;

// The plain loops of the computation routines, position by position, 1-based as written:
// x from nH down to 1, y from nV down to 1, k from W down to 1. Returns nH × nV counts row by
// row (cell x, y at index (y − 1) · nH + x − 1), or nothing when a sequence is too short.
struct Reference {
  bool filled = false;
  long nH = 0;
  long nV = 0;
  std::vector<int> counts;
  int at(long x0, long y0) const { return counts[static_cast<std::size_t>(y0 * nH + x0)]; }
};

inline Reference referencePlot(const std::u16string& h, const std::u16string& v,
                               const std::u16string& hr, const std::u16string& vr, int w,
                               StrandSet set, tMatchEvaluation e) {
  Reference ref;
  const long lh = static_cast<long>(h.size());
  const long lv = static_cast<long>(v.size());
  const long nH = lh - w + 1;
  const long nV = lv - w + 1;
  if (nH <= 0 || nV <= 0) return ref;
  ref.filled = true;
  ref.nH = nH;
  ref.nV = nV;
  ref.counts.assign(static_cast<std::size_t>(nH * nV), -1);
  auto H = [&](long i) { return h[static_cast<std::size_t>(i - 1)]; };
  auto V = [&](long i) { return v[static_cast<std::size_t>(i - 1)]; };
  auto Hr = [&](long i) { return hr[static_cast<std::size_t>(i - 1)]; };
  auto Vr = [&](long i) { return vr[static_cast<std::size_t>(i - 1)]; };
  const bool countH = set == StrandSet::HorizRev || set == StrandSet::BothRev;
  const bool countV = set == StrandSet::VertiRev || set == StrandSet::BothRev;
  for (long x = nH; x >= 1; --x) {
    for (long y = nV; y >= 1; --y) {
      int f = 0;
      int hc = 0;
      int vc = 0;
      int summed = 0;
      for (long k = w; k >= 1; --k) {
        if (V(y + k - 1) == H(x + k - 1)) {
          ++f;
          ++summed;
        }
        if (countH && Hr(lh - w - x + k + 1) == V(y + k - 1)) {
          ++hc;
          ++summed;
        }
        if (countV && Vr(lv - w - y + k + 1) == H(x + k - 1)) {
          ++vc;
          ++summed;
        }
      }
      int c = f;
      if (set != StrandSet::Forward) {
        if (e == meSummed) {
          c = summed;
        } else if (e == meHighest) {
          if (countH && hc > c) c = hc;
          if (countV && vc > c) c = vc;
        } else {
          if (countH && hc < c) c = hc;
          if (countV && vc < c) c = vc;
        }
      }
      ref.counts[static_cast<std::size_t>((y - 1) * nH + (x - 1))] = c;
    }
  }
  return ref;
}

// The complement of the four plain bases; every other code unit stands for itself.
inline char16_t complementOf(char16_t c) {
  switch (c) {
    case u'A':
      return u'T';
    case u'T':
      return u'A';
    case u'C':
      return u'G';
    case u'G':
      return u'C';
    default:
      return c;
  }
}

// The opposite strand of the tests: reverted, and complemented for the DNA plot types.
inline std::u16string opposite(const std::u16string& s, bool complement) {
  std::u16string r(s.rbegin(), s.rend());
  if (complement) std::transform(r.begin(), r.end(), r.begin(), complementOf);
  return r;
}

}  // namespace duvanet::testing

#include "engine/KmerIndex.h"

#include <algorithm>
#include <bit>

namespace duvanet::engine {

RollingHash::RollingHash(int k) : m_k(std::max(k, 1)) {
  for (int i = 1; i < m_k; ++i) m_topPower *= kBase;
}

std::uint64_t RollingHash::first(const char16_t* s) const {
  std::uint64_t hash = 0;
  for (int i = 0; i < m_k; ++i) hash = hash * kBase + (std::uint64_t{s[i]} + 1);
  return hash;
}

// A counting sort by bucket: one pass counts, a second one places, rolling the hash twice
// rather than keeping a hash per position.
KmerIndex::KmerIndex(std::u16string_view text, std::int64_t begin, std::int64_t end, int k)
    : m_hash(k), m_begin(begin) {
  const std::int64_t count = std::max<std::int64_t>(end - begin, 0);
  // About one position per bucket.
  const int bits =
      std::clamp(static_cast<int>(std::bit_width(static_cast<std::uint64_t>(count))), 4, 31);
  m_shift = 64 - bits;
  m_offsets.assign((std::size_t{1} << bits) + 1, 0);
  m_entries.resize(static_cast<std::size_t>(count));
  if (count == 0) return;
  const char16_t* s = text.data();
  const auto forEachKey = [&](auto&& use) {
    std::uint64_t hash = m_hash.first(s + begin);
    for (std::int64_t i = begin;; ++i) {
      use(i, RollingHash::mix(hash));
      if (i + 1 == end) break;
      hash = m_hash.roll(hash, s[i], s[i + m_hash.k()]);
    }
  };
  forEachKey([&](std::int64_t, std::uint64_t key) { ++m_offsets[(key >> m_shift) + 1]; });
  for (std::size_t b = 1; b < m_offsets.size(); ++b) m_offsets[b] += m_offsets[b - 1];
  std::vector<std::uint32_t> next(m_offsets.begin(), m_offsets.end() - 1);
  forEachKey([&](std::int64_t i, std::uint64_t key) {
    m_entries[next[key >> m_shift]++] = {static_cast<std::uint32_t>(i - begin), checkOf(key),
                                         i > 0 ? s[i - 1] : char16_t{0}};
  });
}

}  // namespace duvanet::engine

#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace duvanet::engine {

/// Polynomial hash of k consecutive code units, rolled one position at a time (arithmetic
/// modulo 2^64). Equal stretches always hash alike; unequal ones rarely do.
class RollingHash {
 public:
  explicit RollingHash(int k);
  int k() const { return m_k; }
  /// The hash of s[0 … k).
  std::uint64_t first(const char16_t* s) const;
  /// The hash of s[1 … k] from the hash of s[0 … k), given out = s[0] and in = s[k].
  std::uint64_t roll(std::uint64_t hash, char16_t out, char16_t in) const {
    return (hash - (std::uint64_t{out} + 1) * m_topPower) * kBase + (std::uint64_t{in} + 1);
  }
  /// Spreads the bits of a hash so that its top bits pick a bucket and its low bits check it.
  static std::uint64_t mix(std::uint64_t hash) {
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ULL;
    hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EBULL;
    return hash ^ (hash >> 31);
  }

 private:
  static constexpr std::uint64_t kBase = 0x9E3779B97F4A7C15ULL;
  int m_k = 1;
  std::uint64_t m_topPower = 1;  // kBase^(k − 1)
};

/// The positions of the k-mers starting in [begin, end) of a text, bucketed by their mixed hash.
/// A lookup yields every position whose k-mer equals the key's and, rarely, a few whose k-mer
/// only hashes alike: the caller compares the symbols.
class KmerIndex {
 public:
  /// Indexes the k-mers text[i … i + k) for begin ≤ i < end (end + k − 1 ≤ text.size()).
  KmerIndex(std::u16string_view text, std::int64_t begin, std::int64_t end, int k);

  int k() const { return m_hash.k(); }
  const RollingHash& hash() const { return m_hash; }
  std::int64_t size() const { return static_cast<std::int64_t>(m_entries.size()); }

  struct Entry {
    std::uint32_t position;  // relative to the first indexed position
    std::uint16_t check;     // low bits of the mixed hash
    char16_t before;         // the code unit before the k-mer (0 at the text's start)
  };

  static std::uint16_t checkOf(std::uint64_t key) { return static_cast<std::uint16_t>(key); }
  std::int64_t firstPosition() const { return m_begin; }

  /// Asks the processor to fetch key's bucket bounds ahead of bucketOf.
  void prefetch(std::uint64_t key) const {
#if defined(__GNUC__)
    __builtin_prefetch(m_offsets.data() + (key >> m_shift));
#else
    (void)key;
#endif
  }
  /// The entries sharing key's bucket: [first, second).
  std::pair<const Entry*, const Entry*> bucketOf(std::uint64_t key) const {
    const std::size_t bucket = key >> m_shift;
    return {m_entries.data() + m_offsets[bucket], m_entries.data() + m_offsets[bucket + 1]};
  }

  /// Calls found(i) for the indexed positions i whose k-mer may equal the one of mixed hash key.
  template <typename Found>
  void forEachCandidate(std::uint64_t key, Found&& found) const {
    const auto [first, last] = bucketOf(key);
    for (const Entry* e = first; e != last; ++e) {
      if (e->check == checkOf(key)) found(m_begin + e->position);
    }
  }
  /// The number of positions sharing the bucket of key: an upper bound of forEachCandidate's
  /// calls, at the price of one memory read.
  std::uint32_t bucketSize(std::uint64_t key) const {
    const std::size_t bucket = key >> m_shift;
    return m_offsets[bucket + 1] - m_offsets[bucket];
  }

  /// The largest number of positions one index holds (positions are kept in 32 bits).
  static constexpr std::int64_t kMaxPositions = std::int64_t{0xFFFFFFFE};

 private:
  RollingHash m_hash;
  std::int64_t m_begin = 0;
  int m_shift = 64;
  std::vector<std::uint32_t> m_offsets;
  std::vector<Entry> m_entries;
};

}  // namespace duvanet::engine

#pragma once

#include <sys/resource.h>

#include <random>
#include <string>

// Inputs and measures shared by the engine benchmarks.
namespace duvanet::bench {

/// Uniformly random A, C, G, T.
inline std::u16string randomDna(std::mt19937& rng, std::size_t length) {
  static const char16_t kBases[] = u"ACGT";
  std::uniform_int_distribution<int> pick(0, 3);
  std::u16string s(length, u'A');
  for (auto& c : s) c = kBases[pick(rng)];
  return s;
}

/// The reverse complement of a plain A/C/G/T strand.
inline std::u16string reverseComplement(const std::u16string& s) {
  std::u16string r(s.rbegin(), s.rend());
  for (auto& c : r) c = c == u'A' ? u'T' : c == u'T' ? u'A' : c == u'C' ? u'G' : u'C';
  return r;
}

/// The process's peak resident memory so far.
inline long peakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

}  // namespace duvanet::bench

// Feature locations: any text parses or is refused, never more; blanks anywhere between the
// tokens change nothing; a parsed location's parts keep start <= end except for a site between
// the last and the first base ("70^1"), and complement() of it gives the same parts reversed.

#include "FuzzSupport.h"
#include "core/SequenceFeature.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

namespace {

bool sameLocation(const std::optional<FeatureLocation>& a,
                  const std::optional<FeatureLocation>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->kind == b->kind && a->parts == b->parts);
}

}  // namespace

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const unsigned seed = input.byte();
  const QString text = QString::fromLatin1(input.rest());
  const std::optional<FeatureLocation> parsed = parseFeatureLocation(text);

  // The same text with blanks between every token boundary a seed picks.
  QString spaced;
  unsigned step = seed;
  for (const QChar c : text) {
    step = step * 1103515245u + 12345u;
    if ((step >> 16) % 3 == 0 && c != u' ') {
      const bool digit = c.isDigit();
      const bool previousDigit = !spaced.isEmpty() && spaced.back().isDigit();
      // Blanks inside a number would join or split it in ways a writer never does.
      if (!(digit && previousDigit)) spaced += u' ';
    }
    spaced += c;
  }
  FUZZ_CHECK(sameLocation(parsed, parseFeatureLocation(spaced)), "blanks are ignored");

  if (!parsed) return 0;
  for (const FeatureLocationPart& part : parsed->parts) {
    FUZZ_CHECK(part.start >= 0 && part.end >= 0, "positions are not negative");
    FUZZ_CHECK(part.low() <= part.high(), "low <= high");
    FUZZ_CHECK(part.phase == -1, "locations carry no phase");
  }
  const std::optional<FeatureLocation> complemented =
      parseFeatureLocation(QStringLiteral("complement(") + text + u')');
  FUZZ_CHECK(complemented.has_value(), "the complement of a location parses");
  FUZZ_CHECK(complemented->parts.size() == parsed->parts.size(), "complement keeps the parts");
  for (std::size_t i = 0; i < parsed->parts.size(); ++i) {
    FeatureLocationPart flipped = parsed->parts[parsed->parts.size() - 1 - i];
    flipped.reverse = !flipped.reverse;
    FUZZ_CHECK(complemented->parts[i] == flipped, "complement reverses the order and strand");
  }
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

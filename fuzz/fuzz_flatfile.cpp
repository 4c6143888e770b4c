// The GenBank and EMBL readers: any text gives records or a FileError naming the file and a
// line, the same whether the text comes whole or in pieces; every record read holds features
// whose parts have positions, and writing nothing odd (no line breaks) into names or data.

#include <vector>

#include "FuzzSupport.h"
#include "core/EmblReader.h"
#include "core/FileError.h"
#include "core/GenBankReader.h"
#include "core/TextFile.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

namespace {

struct Outcome {
  std::vector<AnnotatedRecord> records;
  QString error;
};

bool sameRecords(const Outcome& a, const Outcome& b) {
  if (a.error != b.error || a.records.size() != b.records.size()) return false;
  for (std::size_t i = 0; i < a.records.size(); ++i) {
    const AnnotatedRecord& x = a.records[i];
    const AnnotatedRecord& y = b.records[i];
    if (x.name != y.name || x.data != y.data || x.features.size() != y.features.size())
      return false;
    for (std::size_t f = 0; f < x.features.size(); ++f) {
      const SequenceFeature& p = x.features[f];
      const SequenceFeature& q = y.features[f];
      if (p.key != q.key || p.location != q.location || p.parts != q.parts ||
          p.qualifiers != q.qualifiers)
        return false;
    }
  }
  return true;
}

template <typename Reader>
Outcome read(QStringView text, unsigned seed, bool whole) {
  Outcome outcome;
  const QString name = QStringLiteral("fuzz.flat");
  try {
    Reader reader(name, [&](AnnotatedRecord&& r) { outcome.records.push_back(std::move(r)); });
    LineSplitter splitter(reader);
    qsizetype pos = 0;
    unsigned step = seed;
    while (pos < text.size()) {
      step = step * 1103515245u + 12345u;
      const qsizetype piece =
          whole ? text.size() : std::min<qsizetype>(text.size() - pos, 1 + (step >> 16) % 7);
      splitter.feed(text.sliced(pos, piece));
      pos += piece;
    }
    splitter.finish();
    reader.finish();
  } catch (const FileError& error) {
    FUZZ_CHECK(error.fileName() == name, "the error names the file");
    FUZZ_CHECK(error.reason().contains(QStringLiteral("line")), qPrintable(error.message()));
    outcome.error = error.message();
  }
  for (const AnnotatedRecord& record : outcome.records) {
    FUZZ_CHECK(!record.name.contains(u'\n') && !record.name.contains(u'\r'), "one-line name");
    FUZZ_CHECK(!record.data.contains(u'\n') && !record.data.contains(u'\r'), "one-line data");
    for (const SequenceFeature& feature : record.features) {
      FUZZ_CHECK(!feature.key.isEmpty(), "every feature has a key");
      for (const FeatureLocationPart& part : feature.parts)
        FUZZ_CHECK(part.start >= 0 && part.end >= 0, "positions are not negative");
    }
  }
  return outcome;
}

}  // namespace

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t mode = input.byte();
  const QString text = decodeText(input.rest());
  if (mode & 1) {
    const Outcome whole = read<EmblReader>(text, mode, true);
    FUZZ_CHECK(sameRecords(whole, read<EmblReader>(text, mode, false)), "EMBL in pieces");
  } else {
    const Outcome whole = read<GenBankReader>(text, mode, true);
    FUZZ_CHECK(sameRecords(whole, read<GenBankReader>(text, mode, false)), "GenBank in pieces");
  }
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

// The FASTA reader: records read from text whole and in pieces against a plain reading of the
// lines (">" starts a record, empty and ";" lines skipped inside it, lines before the first
// header ignored).

#include <vector>

#include "FuzzSupport.h"
#include "core/Fasta.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

namespace {

std::vector<tSequence> referenceRecords(QStringView text) {
  std::vector<tSequence> records;
  for (const QString& line : referenceLines(text)) {
    if (line.startsWith(u'>')) {
      records.push_back({line.sliced(1), QString(), {}});
    } else if (!records.empty() && !line.isEmpty() && !line.startsWith(u';')) {
      records.back().Data.append(line);
    }
  }
  return records;
}

bool sameRecords(const std::vector<tSequence>& a, const std::vector<tSequence>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].Name != b[i].Name || a[i].Data != b[i].Data) return false;
  return true;
}

}  // namespace

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t pieceSeed = input.byte();
  const QString text = decodeText(input.rest());
  const std::vector<tSequence> expected = referenceRecords(text);

  std::vector<tSequence> whole;
  parseFasta(text, [&](tSequence&& record) { whole.push_back(std::move(record)); });
  FUZZ_CHECK(sameRecords(whole, expected), "records of the whole text");

  std::vector<tSequence> pieces;
  FastaReader reader([&](tSequence&& record) { pieces.push_back(std::move(record)); });
  LineSplitter splitter(reader);
  qsizetype pos = 0;
  unsigned step = pieceSeed;
  while (pos < text.size()) {
    step = step * 1103515245u + 12345u;
    const qsizetype piece = std::min<qsizetype>(text.size() - pos, 1 + (step >> 16) % 5);
    splitter.feed(QStringView(text).sliced(pos, piece));
    pos += piece;
  }
  splitter.finish();
  reader.finish();
  FUZZ_CHECK(sameRecords(pieces, expected), "records of the text in pieces");
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

// The GFF3, GTF and BED readers: any text gives features or a FileError naming the file and the
// line; every feature read has a type and parts with 1-based positions, start <= end.

#include "FuzzSupport.h"
#include "core/AnnotationFile.h"
#include "core/FileError.h"
#include "core/TextFile.h"

using namespace duvanet::core;

namespace duvanet::fuzz {

int runOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const AnnotationFormat formats[] = {AnnotationFormat::Gff3, AnnotationFormat::Gtf,
                                      AnnotationFormat::Bed};
  const AnnotationFormat format = formats[input.byte() % 3];
  const QString text = decodeText(input.rest());
  const QString name = QStringLiteral("fuzz.annotations");
  try {
    const AnnotationFileContent content = parseAnnotations(text, format, name);
    for (const SequenceFeature& feature : content.features) {
      FUZZ_CHECK(!feature.key.isEmpty(), "every feature has a type");
      FUZZ_CHECK(!feature.parts.empty(), "every feature has a part");
      for (const FeatureLocationPart& part : feature.parts) {
        FUZZ_CHECK(part.start >= 1, "positions are 1-based");
        FUZZ_CHECK(part.start <= part.end, "start <= end");
        FUZZ_CHECK(part.phase >= -1 && part.phase <= 2, "phase 0 to 2 or unknown");
      }
    }
    for (const tSequence& sequence : content.sequences)
      FUZZ_CHECK(!sequence.Name.contains(u'\n'), "one-line sequence names");
  } catch (const FileError& error) {
    FUZZ_CHECK(error.fileName() == name, "the error names the file");
    FUZZ_CHECK(error.reason().contains(QStringLiteral("line")), qPrintable(error.message()));
  }
  return 0;
}

}  // namespace duvanet::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return duvanet::fuzz::runOneInput(data, size);
}

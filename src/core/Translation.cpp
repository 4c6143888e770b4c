#include "core/Translation.h"

#include "core/GeneticCodes.h"

using duvanet::core::CodonReading;

namespace {

tSequence translated(const tSequence& source, QStringView text, int offset, int codeTable,
                     CodonReading reading) {
  const int reduced = offset % 3;
  tSequence result;
  const bool iupac = reading == CodonReading::Iupac;
  if (text.size() < reduced + 4) {
    result.Name =
        source.Name + (iupac ? QStringLiteral("(Translation: not enough DNA nucleo bases)")
                             : QStringLiteral("(conversion: not enough DNA nucleo bases)"));
    result.Data = text.toString();
    return result;
  }
  int codons = 0;
  result.Data = duvanet::core::translateFrame(text, reduced, codeTable, reading, codons);
  result.Name = source.Name +
                (iupac ? QStringLiteral(" (DNA->AS (IUPAC), offset: %1, triplets: %2)")
                       : QStringLiteral(" (DNA->AS, reverse complement, offset: %1, triplets: %2)"))
                    .arg(reduced)
                    .arg(codons);
  return result;
}

}  // namespace

tSequence tSequenceList::DNA2AminoAcidIUPAC(int index, int offset, int codeTable) const {
  tSequence source;
  // An unknown table is refused like a bad index rather than read outside the tables.
  if (offset < 0 || codeTable < 0 || codeTable >= duvanet::core::kGeneticCodeCount ||
      !GetSequence(index, source)) {
    tSequence error;
    error.Name = QStringLiteral("An error occured during IUPAC conformity DNA to AS translation");
    return error;
  }
  return translated(source, source.Data, offset, codeTable, CodonReading::Iupac);
}

tSequence tSequenceList::DNA2AminoAcidRevComplement(int index, int offset, int codeTable) const {
  tSequence source;
  if (offset < 0 || codeTable < 0 || codeTable >= duvanet::core::kGeneticCodeCount ||
      !GetSequence(index, source)) {
    tSequence error;
    error.Name =
        QStringLiteral("An error occured during reverse complement DNA to AS translation!");
    return error;
  }
  QString complement;
  ReverseComplementDNA(source.Data, complement);
  return translated(source, complement, offset, codeTable, CodonReading::PlainBases);
}

namespace duvanet::core {

namespace {

constexpr TranslationFrame kForward[3] = {TranslationFrame::Forward0, TranslationFrame::Forward1,
                                          TranslationFrame::Forward2};
constexpr TranslationFrame kReverse[3] = {TranslationFrame::Reverse0, TranslationFrame::Reverse1,
                                          TranslationFrame::Reverse2};
constexpr TranslationFrames kAnyReverse = TranslationFrames(TranslationFrame::Reverse0) |
                                          TranslationFrame::Reverse1 | TranslationFrame::Reverse2;

}  // namespace

TranslationFrames translationFrames(TranslationStrands strands, std::optional<int> offset) {
  if (offset && (*offset < 0 || *offset > 2)) return {};
  const bool forward = strands != TranslationStrands::ReverseComplement;
  const bool reverse = strands != TranslationStrands::Forward;
  TranslationFrames frames;
  for (int frame = 0; frame < 3; ++frame) {
    if (offset && *offset != frame) continue;
    if (forward) frames |= kForward[frame];
    if (reverse) frames |= kReverse[frame];
  }
  return frames;
}

void translateRecords(const tSequenceList& list, const QList<int>& rows, TranslationFrames frames,
                      int codeTable, const std::function<void(tSequence&&)>& sink) {
  const bool tableKnown = codeTable >= 0 && codeTable < kGeneticCodeCount;
  for (const int row : rows) {
    tSequence source;
    if (!tableKnown || !list.GetSequence(row, source)) {
      // The single-frame translations say what is wrong, frame by frame.
      for (int offset = 0; offset < 3; ++offset)
        if (frames.testFlag(kForward[offset]))
          sink(list.DNA2AminoAcidIUPAC(row, offset, codeTable));
      for (int offset = 0; offset < 3; ++offset)
        if (frames.testFlag(kReverse[offset]))
          sink(list.DNA2AminoAcidRevComplement(row, offset, codeTable));
      continue;
    }
    // As DNA2AminoAcidIUPAC and DNA2AminoAcidRevComplement translate, but reading the record
    // and building its reverse complement once for all frames.
    for (int offset = 0; offset < 3; ++offset)
      if (frames.testFlag(kForward[offset]))
        sink(translated(source, source.Data, offset, codeTable, CodonReading::Iupac));
    if (!(frames & kAnyReverse)) continue;
    QString complement;
    tSequenceList::ReverseComplementDNA(source.Data, complement);
    for (int offset = 0; offset < 3; ++offset)
      if (frames.testFlag(kReverse[offset]))
        sink(translated(source, complement, offset, codeTable, CodonReading::PlainBases));
  }
}

}  // namespace duvanet::core

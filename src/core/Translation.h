#pragma once

#include <QFlags>
#include <QList>
#include <functional>
#include <optional>

#include "core/SequenceList.h"

// tSequenceList::DNA2AminoAcidIUPAC and tSequenceList::DNA2AminoAcidRevComplement are defined in
// Translation.cpp beside the translation of several records.

namespace duvanet::core {

/// One reading frame: a strand (the stored one or its reverse complement) and an offset.
enum class TranslationFrame : unsigned {
  Forward0 = 1u << 0,
  Forward1 = 1u << 1,
  Forward2 = 1u << 2,
  Reverse0 = 1u << 3,
  Reverse1 = 1u << 4,
  Reverse2 = 1u << 5,
};
Q_DECLARE_FLAGS(TranslationFrames, TranslationFrame)
Q_DECLARE_OPERATORS_FOR_FLAGS(TranslationFrames)

/// The strands a translation reads.
enum class TranslationStrands { Forward, ReverseComplement, Both };

/// The frames of the strands at one offset (0, 1 or 2), or at all three when no offset is
/// given. An offset outside 0..2 gives no frames.
TranslationFrames translationFrames(TranslationStrands strands, std::optional<int> offset);

/// Translates the rows of the list in the frames with genetic code table codeTable: row by row
/// in the order given, each row's stored strand before its reverse complement, offsets
/// ascending (DNA2AminoAcidIUPAC and DNA2AminoAcidRevComplement, errors included). Each result
/// goes to sink as soon as it is made; the sink may append to the list, since the rows to read
/// are fixed beforehand.
void translateRecords(const tSequenceList& list, const QList<int>& rows, TranslationFrames frames,
                      int codeTable, const std::function<void(tSequence&&)>& sink);

}  // namespace duvanet::core

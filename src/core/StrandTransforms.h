#pragma once

#include <QString>

#include "core/SequenceList.h"

// tSequenceList::ReverseComplementDNA and tSequenceList::RevertSequence are defined in
// StrandTransforms.cpp beside the records built from them.

namespace duvanet::core {

/// Appended to a record's name by reverseComplementRecord.
inline const QString kReverseComplementSuffix = QStringLiteral(" (reverse complement)");

/// The IUPAC reverse complement of a record (ReverseComplementDNA: characters outside the table
/// stay at their mirrored place), named after its source with " (reverse complement)" appended.
tSequence reverseComplementRecord(const tSequence& source);

}  // namespace duvanet::core

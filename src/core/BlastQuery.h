#pragma once

#include <QString>

namespace duvanet::core {

/// The search options of an NCBI BLAST web query.
struct BlastQueryOptions {
  int alignments = 50;
  QString alignmentView = QStringLiteral("Tabular");
  QString database = QStringLiteral("nr");
  QString page = QStringLiteral("MegaBlast");
};

/// The NCBI BLAST web service's base address (scheme and host).
inline constexpr const char* kBlastBaseAddress = "https://blast.ncbi.nlm.nih.gov";

/// Percent-encodes a query value: ASCII letters, digits and "-", "." , "_", "~", "*" stay, every
/// other character is written as the %XX escapes of its UTF-8 bytes.
QString percentEncodeQueryValue(const QString& value);

/// The query URL for one sequence: the 23 keys in their fixed order, the sequence data as QUERY.
QString blastQueryUrl(const BlastQueryOptions& options, const QString& sequenceData);

}  // namespace duvanet::core

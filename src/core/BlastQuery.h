#pragma once

#include <QList>
#include <QString>

namespace duvanet::core {

/// The search options of an NCBI BLAST web query.
struct BlastQueryOptions {
  int alignments = 50;
  QString alignmentView = QStringLiteral("Tabular");
  QString database = QStringLiteral("nr");
  QString page = QStringLiteral("MegaBlast");
};

/// One key of the query with its value as plain text (not escaped).
struct BlastQueryField {
  QString key;
  QString value;
};

/// The NCBI BLAST web service's base address (scheme and host).
inline constexpr const char* kBlastBaseAddress = "https://blast.ncbi.nlm.nih.gov";

/// The longest query URL, in characters, that is opened as one address. Browsers and the service
/// refuse much longer addresses, so longer queries are posted as a form (blastFormPage).
inline constexpr qsizetype kBlastLongestUrl = 8000;

/// The address queries go to: the base address followed by "/BLAST/Blast.cgi".
QString blastServiceAddress();

/// Percent-encodes a query value: ASCII letters, digits and "-", "." , "_", "~", "*" stay, every
/// other character is written as the %XX escapes of its UTF-8 bytes.
QString percentEncodeQueryValue(const QString& value);

/// The 23 keys of the query for one sequence in their fixed order, the sequence data as QUERY.
QList<BlastQueryField> blastQueryFields(const BlastQueryOptions& options,
                                        const QString& sequenceData);

/// The query URL for one sequence: the 23 keys in their fixed order, the sequence data as QUERY.
QString blastQueryUrl(const BlastQueryOptions& options, const QString& sequenceData);

/// A UTF-8 HTML page that posts the same 23 keys to the service as soon as a browser shows it
/// (with a button for browsers that run no scripts), for queries too long for one address.
QByteArray blastFormPage(const BlastQueryOptions& options, const QString& sequenceData);

}  // namespace duvanet::core

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace duvanet::core {

/// How a sequence file is read.
enum class SequenceFileFormat { Fasta, GenBank, Embl, Text };

/// The format a file name asks for: its extension, compared without regard to case, after one
/// final ".gz" is taken off (a ".gz" file is decompressed while it is read, whatever its format).
/// FASTA: .fas .fasta .fa .fna .ffn .faa .frn .fsa .mpfa; GenBank and GenPept: .gb .gbk .gbff
/// .genbank .gp .gpff; EMBL: .embl .emb; every other name, and a name without an extension: Text.
SequenceFileFormat sequenceFileFormat(const QString& fileName);

/// A group of file names for an open dialog: its title and the extensions (".fa") it covers.
struct SequenceFileGroup {
  QString title;
  QStringList extensions;
};

/// The groups "FASTA", "GenBank", "EMBL" and "Text" (.txt), the extensions without ".gz".
std::vector<SequenceFileGroup> sequenceFileGroups();

}  // namespace duvanet::core

#pragma once

#include <QString>
#include <QStringView>

namespace duvanet::core {

/// The number of genetic code tables the program offers.
inline constexpr int kGeneticCodeCount = 17;

}  // namespace duvanet::core

/// Display names of the tables, in the order the translation wizard lists them.
extern const char* const GeneticCodeNames[duvanet::core::kGeneticCodeCount];

/// For each table 64 one-letter amino-acid codes ("*" for a stop) in TCAG codon order: letter k
/// (0-based) belongs to the codon with k = 16 * first + 4 * second + third, T = 0, C = 1, A = 2,
/// G = 3.
extern const char* const GeneticCodeTables[duvanet::core::kGeneticCodeCount];

namespace duvanet::core {

/// The transl_table number of the NCBI genetic code standard for each table index.
extern const int kGeneticCodeStandardIds[kGeneticCodeCount];

/// The table index of a transl_table number, or -1 when the program has no such table.
int geneticCodeIndexOfStandardId(int standardId);

/// How a codon's three symbols are read.
enum class CodonReading {
  /// IUPAC ambiguity codes resolve when every base combination gives the same amino acid.
  Iupac,
  /// Only A, C, G and T; any other symbol makes the codon unreadable.
  PlainBases,
};

/// The residue of one codon: an amino-acid letter, "*" for a stop or "?" when the codon cannot
/// be read; lower case when any symbol is lower case ("?" and "*" stay as they are).
QChar translateCodon(QChar first, QChar second, QChar third, int table, CodonReading reading);

/// Translates text from the frame offset (0, 1 or 2): a dash per skipped symbol, one residue per
/// complete codon, a dash per left-over symbol. codons receives the number of codons read.
/// The table index must be in 0..kGeneticCodeCount-1.
QString translateFrame(QStringView text, int offset, int table, CodonReading reading, int& codons);

}  // namespace duvanet::core

#include "core/GeneticCodes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

const char* const GeneticCodeNames[duvanet::core::kGeneticCodeCount] = {
    "Standard genetic code",
    "Vertebrate mitochondrial code",
    "Yeast mitochondrial code",
    "Mold, Protozoan, Coelenterate mitochondrial and Myco-, Spiroplasma code",
    "Invertebrate mitochondrial code",
    "Ciliate, Dasycladacean, Hexamita nuclear code",
    "Echinoderm, Flatworm mitochondrial code",
    "Euplotid nuclear code",
    "Bacterial and Plant plastid code",
    "Alternative Yeast nuclear code",
    "Ascidian mitochondrial code",
    "Alternative Flatworm mitochondrial code",
    "Blepharisma nuclear code",
    "Chlorophycean mitochondrial code",
    "Trematode mitochondrial code",
    "Scenedesmus obliquus mitochondrial code",
    "Thraustochytrium mitochondrial code",
};

// Amino-acid lines of the NCBI genetic code standard; the comment gives the transl_table id.
const char* const GeneticCodeTables[duvanet::core::kGeneticCodeCount] = {
    "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 1
    "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSS**VVVVAAAADDEEGGGG",  // 2
    "FFLLSSSSYY**CCWWTTTTPPPPHHQQRRRRIIMMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 3
    "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 4
    "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSSSSVVVVAAAADDEEGGGG",  // 5
    "FFLLSSSSYYQQCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 6
    "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNNKSSSSVVVVAAAADDEEGGGG",  // 9
    "FFLLSSSSYY**CCCWLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 10
    "FFLLSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 11
    "FFLLSSSSYY**CC*WLLLSPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 12
    "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNKKSSGGVVVVAAAADDEEGGGG",  // 13
    "FFLLSSSSYYY*CCWWLLLLPPPPHHQQRRRRIIIMTTTTNNNKSSSSVVVVAAAADDEEGGGG",  // 14
    "FFLLSSSSYY*QCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 15
    "FFLLSSSSYY*LCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 16
    "FFLLSSSSYY**CCWWLLLLPPPPHHQQRRRRIIMMTTTTNNNKSSSSVVVVAAAADDEEGGGG",  // 21
    "FFLLSS*SYY*LCC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 22
    "FF*LSSSSYY**CC*WLLLLPPPPHHQQRRRRIIIMTTTTNNKKSSRRVVVVAAAADDEEGGGG",  // 23
};

namespace duvanet::core {

const int kGeneticCodeStandardIds[kGeneticCodeCount] = {1,  2,  3,  4,  5,  6,  9,  10, 11,
                                                        12, 13, 14, 15, 16, 21, 22, 23};

namespace {

// Base sets as four bits: bit 0 = T, bit 1 = C, bit 2 = A, bit 3 = G; 0 for symbols without one.
struct SymbolTables {
  std::array<uint8_t, 128> iupacBases{};
  std::array<uint8_t, 128> plainBases{};
  std::array<bool, 128> lowerCase{};
};

const SymbolTables& symbolTables() {
  static const SymbolTables tables = [] {
    SymbolTables t;
    const struct {
      char symbol;
      uint8_t bases;
    } codes[] = {{'A', 4}, {'C', 2}, {'G', 8},  {'T', 1},  {'R', 12}, {'Y', 3}, {'S', 10}, {'W', 5},
                 {'K', 9}, {'M', 6}, {'B', 11}, {'V', 14}, {'D', 13}, {'H', 7}, {'N', 15}};
    for (const auto& code : codes) {
      const int lower = code.symbol - 'A' + 'a';
      t.iupacBases[code.symbol] = code.bases;
      t.iupacBases[lower] = code.bases;
      t.lowerCase[lower] = true;
      if (code.symbol == 'A' || code.symbol == 'C' || code.symbol == 'G' || code.symbol == 'T') {
        t.plainBases[code.symbol] = code.bases;
        t.plainBases[lower] = code.bases;
      }
    }
    return t;
  }();
  return tables;
}

// For every table, the residue of each 12-bit mask of three base sets (first base in bits 8..11):
// the common letter of all codons the sets allow, "?" when they differ or a set is empty.
using ResidueTable = std::array<char, 4096>;

const std::array<ResidueTable, kGeneticCodeCount>& residueTables() {
  static const auto tables = [] {
    std::array<ResidueTable, kGeneticCodeCount> all{};
    for (int t = 0; t < kGeneticCodeCount; ++t) {
      for (int mask = 0; mask < 4096; ++mask) {
        const int sets[3] = {(mask >> 8) & 15, (mask >> 4) & 15, mask & 15};
        char residue = 0;
        // Enumerate G, A, C, T (bit 3 down to bit 0) for each position; stop at a difference.
        for (int b1 = 3; b1 >= 0 && residue != '?'; --b1) {
          if (!(sets[0] >> b1 & 1)) continue;
          for (int b2 = 3; b2 >= 0 && residue != '?'; --b2) {
            if (!(sets[1] >> b2 & 1)) continue;
            for (int b3 = 3; b3 >= 0 && residue != '?'; --b3) {
              if (!(sets[2] >> b3 & 1)) continue;
              const char letter = GeneticCodeTables[t][16 * b1 + 4 * b2 + b3];
              residue = residue == 0 || residue == letter ? letter : '?';
            }
          }
        }
        all[t][mask] = residue == 0 ? '?' : residue;
      }
    }
    return all;
  }();
  return tables;
}

inline char residueOf(char16_t a, char16_t b, char16_t c, const ResidueTable& residues,
                      const std::array<uint8_t, 128>& bases, const SymbolTables& symbols) {
  if (a >= 128 || b >= 128 || c >= 128) return '?';
  const int s1 = bases[a], s2 = bases[b], s3 = bases[c];
  if (s1 == 0 || s2 == 0 || s3 == 0) return '?';
  const char residue = residues[s1 << 8 | s2 << 4 | s3];
  if (residue >= 'A' && residue <= 'Z' &&
      (symbols.lowerCase[a] || symbols.lowerCase[b] || symbols.lowerCase[c]))
    return char(residue - 'A' + 'a');
  return residue;
}

// Whole-sequence translation looks each codon up at once: every character below 128 that has a
// base set falls in one of 31 classes (a code letter and its case, 0 for none), and one table per
// genetic code and reading holds the residue of each triple of classes, as residueOf gives it.
constexpr int kClassBits = 5;
constexpr int kCodonClasses = 1 << (3 * kClassBits);

struct SymbolClasses {
  std::array<uint8_t, 128> classOf{};
  std::array<char16_t, 1 << kClassBits> symbolOf{};
};

const SymbolClasses& symbolClasses() {
  static const SymbolClasses classes = [] {
    SymbolClasses c;
    int next = 1;
    for (char16_t symbol = 0; symbol < 128; ++symbol) {
      if (symbolTables().iupacBases[symbol] == 0) continue;
      c.classOf[symbol] = uint8_t(next);
      c.symbolOf[next++] = symbol;
    }
    return c;
  }();
  return classes;
}

using CodonTable = std::array<char, kCodonClasses>;

const CodonTable& codonTable(int table, CodonReading reading) {
  constexpr int kTables = 2 * kGeneticCodeCount;
  static std::array<std::once_flag, kTables> built;
  static std::array<std::unique_ptr<CodonTable>, kTables> tables;
  const int slot = 2 * table + (reading == CodonReading::Iupac ? 1 : 0);
  std::call_once(built[slot], [&] {
    const SymbolTables& symbols = symbolTables();
    const auto& bases = reading == CodonReading::Iupac ? symbols.iupacBases : symbols.plainBases;
    const SymbolClasses& classes = symbolClasses();
    auto codons = std::make_unique<CodonTable>();
    for (int i = 0; i < kCodonClasses; ++i) {
      const int a = i >> (2 * kClassBits);
      const int b = (i >> kClassBits) & ((1 << kClassBits) - 1);
      const int c = i & ((1 << kClassBits) - 1);
      (*codons)[i] = a == 0 || b == 0 || c == 0
                         ? '?'
                         : residueOf(classes.symbolOf[a], classes.symbolOf[b], classes.symbolOf[c],
                                     residueTables()[table], bases, symbols);
    }
    tables[slot] = std::move(codons);
  });
  return *tables[slot];
}

}  // namespace

int geneticCodeIndexOfStandardId(int standardId) {
  for (int i = 0; i < kGeneticCodeCount; ++i)
    if (kGeneticCodeStandardIds[i] == standardId) return i;
  return -1;
}

QChar translateCodon(QChar first, QChar second, QChar third, int table, CodonReading reading) {
  const SymbolTables& symbols = symbolTables();
  const auto& bases = reading == CodonReading::Iupac ? symbols.iupacBases : symbols.plainBases;
  return QChar(residueOf(first.unicode(), second.unicode(), third.unicode(), residueTables()[table],
                         bases, symbols));
}

QString translateFrame(QStringView text, int offset, int table, CodonReading reading, int& codons) {
  const CodonTable& lookup = codonTable(table, reading);
  const auto& classOf = symbolClasses().classOf;
  const qsizetype length = text.size();
  const qsizetype start = std::min<qsizetype>(offset, length);
  const qsizetype codonCount = (length - start) / 3;
  const qsizetype leftOver = (length - start) % 3;

  QString result(start + codonCount + leftOver, Qt::Uninitialized);
  QChar* out = result.data();
  for (qsizetype i = 0; i < start; ++i) *out++ = u'-';
  const char16_t* in = text.utf16() + start;
  auto classOfSymbol = [&classOf](char16_t c) { return c < 128 ? int(classOf[c]) : 0; };
  for (qsizetype k = 0; k < codonCount; ++k, in += 3) {
    const int index = classOfSymbol(in[0]) << (2 * kClassBits) |
                      classOfSymbol(in[1]) << kClassBits | classOfSymbol(in[2]);
    *out++ = QChar(lookup[static_cast<std::size_t>(index)]);
  }
  for (qsizetype i = 0; i < leftOver; ++i) *out++ = u'-';
  codons = int(codonCount);
  return result;
}

}  // namespace duvanet::core

#include "core/SequenceList.h"

#include <QCollator>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <array>
#include <limits>
#include <new>

#include "core/Fasta.h"
#include "core/FileError.h"
#include "core/GeneticCodes.h"
#include "core/TextFile.h"

using duvanet::core::CodonReading;

struct tSequenceList::Entry {
  // Set for an entry that owns its record; null for one packed into a text block, where the
  // name and then the data lie at offset.
  std::unique_ptr<tSequence> owned;
  quint32 block = 0;
  quint32 offset = 0;
  quint32 nameLength = 0;
  quint32 dataLength = 0;
};

namespace {

// Records up to this many code units (name and data) are packed; larger ones keep their own
// strings, which copies of them share without copying.
constexpr qsizetype kPackLimit = 512;
constexpr qsizetype kBlockSize = qsizetype(1) << 20;

// The names a new entry gets by default: "Sequence " and its 1-based position.
QString defaultName(int count) { return QStringLiteral("Sequence %1").arg(count + 1); }

// Appends the extension when the file name's own extension differs from it (case ignored).
QString withExtension(const QString& fileName, const QString& extension) {
  return duvanet::core::hasExtension(fileName, {extension}) ? fileName : fileName + extension;
}

// Asks before replacing an existing file, then writes it through TextFileWriter (all or nothing).
// Returns false when the question was answered No (or could not be asked): nothing is written.
template <typename WriteLines>
bool saveFile(const QString& fileName, const OverwriteQuestion& overwrite, WriteLines writeLines) {
  if (QFileInfo::exists(fileName) && !(overwrite && overwrite(fileName))) return false;
  duvanet::core::TextFileWriter writer(fileName);
  writeLines(writer);
  writer.commit();
  return true;
}

void writeFastaRecord(duvanet::core::TextFileWriter& writer, QStringView name, QStringView data) {
  writer.writeLine(duvanet::core::fastaHeaderLine(name));
  writer.writeLine(data);
}

// Writes Data cut into lines at CR LF, CR or LF, each line followed by CR LF.
class LineWriterSink : public duvanet::core::TextLineSink {
 public:
  explicit LineWriterSink(duvanet::core::TextFileWriter& writer) : m_writer(writer) {}
  void linePart(QStringView part) override { m_writer.write(part); }
  void lineEnd() override { m_writer.writeLine(QStringView()); }

 private:
  duvanet::core::TextFileWriter& m_writer;
};

}  // namespace

tSequenceList::tSequenceList() = default;

tSequenceList::~tSequenceList() {
  while (!m_entries.empty()) m_entries.pop_back();  // the last entry first
}

QStringView tSequenceList::nameOf(const Entry& entry) const {
  if (entry.owned) return entry.owned->Name;
  return QStringView(m_blocks[entry.block].get() + entry.offset, entry.nameLength);
}

QStringView tSequenceList::dataOf(const Entry& entry) const {
  if (entry.owned) return entry.owned->Data;
  return QStringView(m_blocks[entry.block].get() + entry.offset + entry.nameLength,
                     entry.dataLength);
}

void tSequenceList::appendRecord(QString&& name, QString&& data, bool pack) {
  Entry entry;
  const qsizetype size = name.size() + data.size();
  if (!pack || size > kPackLimit) {
    entry.owned = std::make_unique<tSequence>();
    entry.owned->Name = std::move(name);
    entry.owned->Data = std::move(data);
    m_entries.push_back(std::move(entry));
    return;
  }
  if (m_blocks.empty() || m_blockUsed + size > kBlockSize) {
    m_blocks.push_back(std::make_unique_for_overwrite<char16_t[]>(size_t(kBlockSize)));
    m_blockUsed = 0;
  }
  char16_t* const at = m_blocks.back().get() + m_blockUsed;
  std::copy_n(name.utf16(), name.size(), at);
  std::copy_n(data.utf16(), data.size(), at + name.size());
  entry.block = quint32(m_blocks.size() - 1);
  entry.offset = quint32(m_blockUsed);
  entry.nameLength = quint32(name.size());
  entry.dataLength = quint32(data.size());
  m_entries.push_back(std::move(entry));
  m_blockUsed += size;
}

void tSequenceList::releaseBlocksIfEmpty() {
  if (!m_entries.empty()) return;
  m_blocks.clear();
  m_blockUsed = 0;
}

int tSequenceList::Count() const { return int(m_entries.size()); }

QStringList tSequenceList::Names() const {
  QStringList names;
  names.reserve(Count());
  for (const Entry& entry : m_entries)
    names.append(entry.owned ? entry.owned->Name : nameOf(entry).toString());
  return names;
}

int tSequenceList::AddSequence() {
  try {
    const int index = Count();
    // Owned: a default entry is about to be replaced by SetSequence.
    appendRecord(defaultName(index), QString(), false);
    return index;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

bool tSequenceList::SortAscendingByName() { return sortByName(true); }

bool tSequenceList::SortDescendingByName() { return sortByName(false); }

bool tSequenceList::sortByName(bool ascending) {
  try {
    QCollator collator(QLocale::system());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(m_entries.begin(), m_entries.end(), [&](const Entry& a, const Entry& b) {
      return ascending ? collator.compare(nameOf(a), nameOf(b)) < 0
                       : collator.compare(nameOf(b), nameOf(a)) < 0;
    });
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool tSequenceList::GetSequence(int index, tSequence& sequence) const {
  if (index < 0 || index >= Count()) return false;
  const Entry& entry = m_entries[size_t(index)];
  if (entry.owned) {
    sequence.Name = entry.owned->Name;
    sequence.Data = entry.owned->Data;
  } else {
    sequence.Name = nameOf(entry).toString();
    sequence.Data = dataOf(entry).toString();
  }
  return true;
}

bool tSequenceList::SetSequence(int index, const tSequence& sequence) {
  if (index < 0 || index >= Count()) return false;
  try {
    auto record = std::make_unique<tSequence>();
    record->Name = sequence.Name;
    record->Data = sequence.Data;
    Entry entry;
    entry.owned = std::move(record);
    m_entries[size_t(index)] = std::move(entry);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool tSequenceList::DuplicateSequence(int index) {
  // An invalid index appends nothing, rather than leaving a default entry behind.
  tSequence copy;
  if (!GetSequence(index, copy)) return false;
  const int newIndex = AddSequence();
  if (newIndex < 0) return false;
  copy.Name = QStringLiteral("Copy of ") + copy.Name;
  return SetSequence(newIndex, copy);
}

bool tSequenceList::DeleteSequence(int index) {
  if (index < 0 || index >= Count()) return false;
  m_entries.erase(m_entries.begin() + index);
  releaseBlocksIfEmpty();
  return true;
}

bool tSequenceList::DeleteAllSequences() {
  if (m_entries.empty()) return false;
  while (!m_entries.empty()) m_entries.pop_back();
  releaseBlocksIfEmpty();
  return true;
}

bool tSequenceList::LoadSequenceFiles(const QStringList& fileNames) {
  bool allRead = true;
  for (const QString& fileName : fileNames)
    if (LoadSequenceFile(fileName) < 0) allRead = false;
  return allRead;
}

int tSequenceList::LoadSequenceFile(const QString& fileName) {
  try {
    return duvanet::core::isFastaFileName(fileName) ? LoadFASFile(fileName) : LoadTXTFile(fileName);
  } catch (const std::bad_alloc&) {
    // A file larger than the memory left is a read failure like any other: the readers have
    // taken back what they appended, and the caller shows the file's name and the reason.
    throw FileError(FileError::Operation::Read, fileName,
                    QStringLiteral("not enough memory to hold its sequences"));
  }
}

int tSequenceList::LoadFASFile(const QString& fileName) {
  // Records are appended as they are read; a read error takes back this file's entries.
  const size_t before = m_entries.size();
  const size_t blocksBefore = m_blocks.size();
  const qsizetype blockUsedBefore = m_blockUsed;
  try {
    duvanet::core::readFastaFile(fileName, [this](tSequence&& record) {
      appendRecord(std::move(record.Name), std::move(record.Data));
    });
  } catch (...) {
    m_entries.resize(before);
    m_blocks.resize(blocksBefore);
    m_blockUsed = blockUsedBefore;
    releaseBlocksIfEmpty();
    throw;
  }
  return int(m_entries.size() - before);
}

int tSequenceList::LoadTXTFile(const QString& fileName) {
  tSequence sequence = duvanet::core::readTxtFile(fileName);
  const int index = Count();
  appendRecord(std::move(sequence.Name), std::move(sequence.Data));
  return index;
}

int tSequenceList::PasteFASFromClipboard(const std::optional<QString>& clipboardText) {
  if (!clipboardText) return -1;
  const size_t before = m_entries.size();
  duvanet::core::parseFasta(*clipboardText, [this](tSequence&& record) {
    appendRecord(std::move(record.Name), std::move(record.Data));
  });
  return int(m_entries.size() - before);
}

int tSequenceList::PasteTXTFromClipboard(const std::optional<QString>& clipboardText) {
  if (!clipboardText) return -1;
  try {
    const int index = Count();
    appendRecord(QString(defaultName(index) + QStringLiteral(": Copy from clipboard")),
                 QString(*clipboardText), false);
    return index;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

bool tSequenceList::SaveWorkspace(const QString& fileName, const OverwriteQuestion& overwrite) {
  if (m_entries.empty() || fileName.isEmpty()) return false;
  return saveFile(withExtension(fileName, QStringLiteral(".fas")), overwrite,
                  [this](duvanet::core::TextFileWriter& writer) {
                    for (const Entry& entry : m_entries)
                      writeFastaRecord(writer, nameOf(entry), dataOf(entry));
                  });
}

bool tSequenceList::SaveSequenceAsFASFile(const QString& fileName, int index,
                                          const OverwriteQuestion& overwrite) {
  // An index outside the list writes nothing (and asks nothing) instead of failing later.
  if (m_entries.empty() || fileName.isEmpty() || index < 0 || index >= Count()) return false;
  const Entry& entry = m_entries[size_t(index)];
  return saveFile(withExtension(fileName, QStringLiteral(".fas")), overwrite,
                  [&](duvanet::core::TextFileWriter& writer) {
                    writeFastaRecord(writer, nameOf(entry), dataOf(entry));
                  });
}

bool tSequenceList::SaveSequenceAsTXTFile(const QString& fileName, int index,
                                          const OverwriteQuestion& overwrite) {
  if (m_entries.empty() || fileName.isEmpty() || index < 0 || index >= Count()) return false;
  const Entry& entry = m_entries[size_t(index)];
  return saveFile(withExtension(fileName, QStringLiteral(".txt")), overwrite,
                  [&](duvanet::core::TextFileWriter& writer) {
                    LineWriterSink sink(writer);
                    duvanet::core::LineSplitter splitter(sink);
                    splitter.feed(dataOf(entry));
                    splitter.finish();
                  });
}

namespace {

// Complements of the IUPAC nucleotide codes, case kept; "-", "." and "?" map to themselves.
// 0 marks a code unit outside the table.
const std::array<char16_t, 128>& complementTable() {
  static const std::array<char16_t, 128> table = [] {
    std::array<char16_t, 128> t{};
    const char* const pairs[] = {"AT", "CG", "GC", "TA", "RY", "YR", "SS", "WW",
                                 "KM", "MK", "BV", "VB", "DH", "HD", "NN"};
    for (const char* pair : pairs) {
      t[size_t(pair[0])] = char16_t(pair[1]);
      t[size_t(pair[0] - 'A' + 'a')] = char16_t(pair[1] - 'A' + 'a');
    }
    for (char symbol : {'-', '.', '?'}) t[size_t(symbol)] = char16_t(symbol);
    return t;
  }();
  return table;
}

}  // namespace

int tSequenceList::ReverseComplementDNA(const QString& source, QString& dest) {
  // Work from a reference taken before dest changes: source and dest may be one variable.
  const QString text = source;
  dest.clear();
  if (text.isEmpty()) return -1;
  const auto& table = complementTable();
  QString result(text.size(), Qt::Uninitialized);
  const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
  char16_t* out = reinterpret_cast<char16_t*>(result.data());
  const qsizetype length = text.size();
  qsizetype firstUnknown = 0;
  for (qsizetype i = length - 1; i >= 0; --i) {
    const char16_t c = in[i];
    const char16_t image = c < 128 ? table[c] : 0;
    if (image != 0) {
      *out++ = image;
    } else {
      *out++ = c;
      firstUnknown = i + 1;
    }
  }
  dest = std::move(result);
  return int(std::min<qsizetype>(firstUnknown, std::numeric_limits<int>::max()));
}

bool tSequenceList::RevertSequence(const QString& source, QString& dest) {
  const QString text = source;
  dest.clear();
  if (text.isEmpty()) return false;
  QString result(text.size(), Qt::Uninitialized);
  std::reverse_copy(text.cbegin(), text.cend(), result.begin());
  dest = std::move(result);
  return true;
}

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
  if (offset < 0 || codeTable < 0 || codeTable >= GeneticCodeCount || !GetSequence(index, source)) {
    tSequence error;
    error.Name = QStringLiteral("An error occured during IUPAC conformity DNA to AS translation");
    return error;
  }
  return translated(source, source.Data, offset, codeTable, CodonReading::Iupac);
}

tSequence tSequenceList::DNA2AminoAcidRevComplement(int index, int offset, int codeTable) const {
  tSequence source;
  if (offset < 0 || codeTable < 0 || codeTable >= GeneticCodeCount || !GetSequence(index, source)) {
    tSequence error;
    error.Name =
        QStringLiteral("An error occured during reverse complement DNA to AS translation!");
    return error;
  }
  QString complement;
  ReverseComplementDNA(source.Data, complement);
  return translated(source, complement, offset, codeTable, CodonReading::PlainBases);
}

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/SequenceFeature.h"

/// A named sequence: the value in which sequences travel between windows.
struct tSequence {
  QString Name;
  QString Data;
  QVector<double> Values;  // never filled or read; not copied by GetSequence / SetSequence
};

/// Answers the question "File exists! Overwrite?" for a file name: true for Yes.
using OverwriteQuestion = std::function<bool(const QString& fileName)>;

/// The ordered workspace of sequences. Indexes are 0-based; new entries are always appended.
/// Callers receive and hand in copies only. File operations throw FileError.
class tSequenceList {
 public:
  tSequenceList();
  virtual ~tSequenceList();
  tSequenceList(const tSequenceList&) = delete;
  tSequenceList& operator=(const tSequenceList&) = delete;

  int Count() const;
  /// The names in list order.
  QStringList Names() const;

  int AddSequence();
  bool SortAscendingByName();
  bool SortDescendingByName();
  bool GetSequence(int index, tSequence& sequence) const;
  bool SetSequence(int index, const tSequence& sequence);
  bool DuplicateSequence(int index);
  bool DeleteSequence(int index);
  bool DeleteAllSequences();

  // Feature tables belong to their entry: they move with it when the list is sorted, are
  // copied by DuplicateSequence, kept by SetSequence and released with the entry.
  /// The entry's features (shared, never changed in place); empty for an entry without any and
  /// for an index outside the list.
  std::shared_ptr<const duvanet::core::FeatureTable> Features(int index) const;
  /// Replaces the entry's features; false for an index outside the list.
  bool SetFeatures(int index, duvanet::core::FeatureTable features);

  // Files and clipboard. The clipboard's text is passed in; no text gives −1.
  bool LoadSequenceFiles(const QStringList& fileNames);
  int LoadSequenceFile(const QString& fileName);
  int LoadFASFile(const QString& fileName);
  int LoadTXTFile(const QString& fileName);
  /// Read GenBank / EMBL flat files, one entry per record with its feature table, and return
  /// the number of entries appended. On an error nothing of the file is appended.
  int LoadGenBankFile(const QString& fileName);
  int LoadEMBLFile(const QString& fileName);
  int PasteFASFromClipboard(const std::optional<QString>& clipboardText);
  int PasteTXTFromClipboard(const std::optional<QString>& clipboardText);
  bool SaveWorkspace(const QString& fileName, const OverwriteQuestion& overwrite);
  bool SaveSequenceAsFASFile(const QString& fileName, int index,
                             const OverwriteQuestion& overwrite);
  bool SaveSequenceAsTXTFile(const QString& fileName, int index,
                             const OverwriteQuestion& overwrite);

  // Strand transforms: Source and Dest may be the same variable.
  static int ReverseComplementDNA(const QString& source, QString& dest);
  static bool RevertSequence(const QString& source, QString& dest);

  // Translations of the entry at index; errors are reported in the result's Name.
  tSequence DNA2AminoAcidIUPAC(int index, int offset, int codeTable) const;
  tSequence DNA2AminoAcidRevComplement(int index, int offset, int codeTable) const;

 private:
  // An entry owns its record, or, for small records read from files and the clipboard, points
  // into a shared text block (a million short records would otherwise cost several allocations
  // each). Defined in SequenceList.cpp.
  struct Entry;
  QStringView nameOf(const Entry& entry) const;
  QStringView dataOf(const Entry& entry) const;
  void appendRecord(QString&& name, QString&& data, bool pack = true);
  void releaseBlocksIfEmpty();
  // What loading a file has appended so far, to be taken back when it fails.
  struct Checkpoint {
    size_t entries;
    size_t blocks;
    qsizetype blockUsed;
  };
  Checkpoint checkpoint() const;
  void rollBack(const Checkpoint& point);
  template <typename ReadRecords>
  int appendAnnotated(const ReadRecords& read);
  bool sortByName(bool ascending);

  std::vector<Entry> m_entries;
  std::vector<std::unique_ptr<char16_t[]>> m_blocks;
  qsizetype m_blockUsed = 0;  // code units used in the last block
};

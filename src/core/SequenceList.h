#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <functional>
#include <optional>

#include "core/PackedRecordStore.h"

/// A named sequence: the value in which sequences travel between windows.
struct tSequence {
  QString Name;
  QString Data;
  QVector<double> Values;  // never filled or read; not copied by GetSequence / SetSequence
};

namespace duvanet::core {

/// Answers the question "File exists! Overwrite?" for a file name: true for Yes.
using OverwriteQuestion = std::function<bool(const QString& fileName)>;

}  // namespace duvanet::core

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
  bool SaveWorkspace(const QString& fileName, const duvanet::core::OverwriteQuestion& overwrite);
  bool SaveSequenceAsFASFile(const QString& fileName, int index,
                             const duvanet::core::OverwriteQuestion& overwrite);
  bool SaveSequenceAsTXTFile(const QString& fileName, int index,
                             const duvanet::core::OverwriteQuestion& overwrite);

  // Strand transforms (StrandTransforms.cpp): Source and Dest may be the same variable.
  static int ReverseComplementDNA(const QString& source, QString& dest);
  static bool RevertSequence(const QString& source, QString& dest);

  // Translations of the entry at index (Translation.cpp); errors are reported in the result's
  // Name.
  tSequence DNA2AminoAcidIUPAC(int index, int offset, int codeTable) const;
  tSequence DNA2AminoAcidRevComplement(int index, int offset, int codeTable) const;

 private:
  bool sortByName(bool ascending);
  template <typename ReadRecords>
  int appendAnnotated(const ReadRecords& read);

  // Records read from files and the clipboard are packed; the others own their strings.
  duvanet::core::PackedRecordStore m_records;
};

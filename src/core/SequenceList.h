#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>
#include <functional>
#include <optional>
#include <vector>

#include "core/ByteSource.h"
#include "core/PackedRecordStore.h"

/// A named sequence: the value in which sequences travel between windows.
struct tSequence {
  QString Name;
  QString Data;
  QVector<double> Values;  // never filled or read; not copied by GetSequence / SetSequence
};

namespace duvanet::core {

/// What attaching the features of annotation files did.
struct FeatureAttachment {
  /// The seqids that name no entry, each once, in the order read.
  QStringList unmatchedSeqids;
  /// Features attached to one entry or more.
  qint64 attached = 0;
  /// Features that reached past the end of their entry and were cut there (or left out, when
  /// they began past it).
  qint64 clipped = 0;
};

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
  /// The name of one entry (shared, not copied, for an entry that owns its strings); empty for
  /// an index outside the list.
  QString Name(int index) const;
  /// The name of one entry as a view into the workspace, valid until the list changes; empty for
  /// an index outside the list.
  QStringView NameView(int index) const;

  int AddSequence();
  bool SortAscendingByName();
  bool SortDescendingByName();
  bool GetSequence(int index, tSequence& sequence) const;
  /// The entry's data without a copy, valid until the list changes; empty for an index outside
  /// the list. For readers of many entries (statistics of a whole selection).
  QStringView DataView(int index) const;
  bool SetSequence(int index, const tSequence& sequence);
  bool DuplicateSequence(int index);
  bool DeleteSequence(int index);
  bool DeleteAllSequences();
  /// Moves every entry of other (with its features) to the end of this list, in order, without
  /// copying its text; other is left empty. Throws std::bad_alloc and then changes neither list.
  void AppendAll(tSequenceList& other);
  /// Appends the sequences in order, as read from a file (their Values are not kept).
  void AppendAll(std::vector<tSequence>&& sequences);

  // Feature tables belong to their entry: they move with it when the list is sorted, are
  // copied by DuplicateSequence, kept by SetSequence and released with the entry.
  /// The entry's features (shared, never changed in place); empty for an entry without any and
  /// for an index outside the list.
  std::shared_ptr<const duvanet::core::FeatureTable> Features(int index) const;
  /// Replaces the entry's features; false for an index outside the list.
  bool SetFeatures(int index, duvanet::core::FeatureTable features);
  /// Attaches each feature to every entry whose name's first word is its seqid, after the
  /// entry's own features; parts past the entry's end are cut at its end.
  duvanet::core::FeatureAttachment AttachFeatures(const duvanet::core::FeatureTable& features);
  /// Writes the entry's features as GFF3 (".gff3" added unless the name ends in .gff or .gff3);
  /// false for an index outside the list or an answer No.
  bool SaveAnnotationsAsGFF3File(const QString& fileName, int index,
                                 const duvanet::core::OverwriteQuestion& overwrite);

  // Files and clipboard. The clipboard's text is passed in; no text gives −1.
  // Files are read forwards once, so pipes, FIFOs and devices read like files; the monitor,
  // when given, follows the reading and may stop it (ReadCancelled, nothing of that file kept).
  /// Reads sequence files in the order given, then annotation files (by their extension, see
  /// core/AnnotationFile.h), whose features are attached to the entries; what the attaching did
  /// is added to attachment when given. See core/SequenceFileLoad.h for a load that reads apart
  /// from the list.
  bool LoadSequenceFiles(const QStringList& fileNames,
                         duvanet::core::FeatureAttachment* attachment = nullptr);
  /// Reads an annotation file: the sequences of its FASTA section are appended, then its features
  /// attached. On an error nothing of the file is appended or attached.
  duvanet::core::FeatureAttachment LoadAnnotationFile(const QString& fileName);
  int LoadSequenceFile(const QString& fileName, duvanet::core::ReadMonitor* monitor = nullptr);
  int LoadFASFile(const QString& fileName, duvanet::core::ReadMonitor* monitor = nullptr);
  int LoadTXTFile(const QString& fileName, duvanet::core::ReadMonitor* monitor = nullptr);
  /// Read GenBank / EMBL flat files, one entry per record with its feature table, and return
  /// the number of entries appended. On an error nothing of the file is appended.
  int LoadGenBankFile(const QString& fileName, duvanet::core::ReadMonitor* monitor = nullptr);
  int LoadEMBLFile(const QString& fileName, duvanet::core::ReadMonitor* monitor = nullptr);
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

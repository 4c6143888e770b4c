#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <algorithm>
#include <memory>
#include <vector>

#include "core/SequenceFeature.h"

namespace duvanet::core {

/// The ordered records of a workspace list. A record owns its strings, or, when it is small and
/// added packed, lies in a shared text block: a million short records read from a file would
/// otherwise cost several allocations each. Indexes are 0-based and must be valid.
class PackedRecordStore {
 public:
  /// What was stored at one moment, for rollBack.
  struct Mark {
    size_t entries = 0;
    size_t blocks = 0;
    qsizetype blockUsed = 0;
  };

  PackedRecordStore() = default;
  ~PackedRecordStore() { clear(); }
  PackedRecordStore(const PackedRecordStore&) = delete;
  PackedRecordStore& operator=(const PackedRecordStore&) = delete;

  qsizetype size() const { return qsizetype(m_entries.size()); }
  bool empty() const { return m_entries.empty(); }

  QStringView name(qsizetype index) const { return nameOf(m_entries[size_t(index)]); }
  QStringView data(qsizetype index) const { return dataOf(m_entries[size_t(index)]); }
  /// The name as a string; an owned record's string is shared, not copied.
  QString nameString(qsizetype index) const;
  /// Copies the record's strings; an owned record's strings are shared, not copied.
  void get(qsizetype index, QString& name, QString& data) const;

  /// Appends a record. Packs it when asked and it is small; a record that is about to be
  /// replaced is better added unpacked. Throws std::bad_alloc and then holds no new record.
  void append(QString&& name, QString&& data, bool pack = true);
  /// Replaces a record's strings by owned (shared) ones; its features stay.
  void replace(qsizetype index, const QString& name, const QString& data);

  /// A record's feature table, null when it has none; it moves with its record.
  const std::shared_ptr<const FeatureTable>& features(qsizetype index) const {
    return m_entries[size_t(index)].features;
  }
  void setFeatures(qsizetype index, std::shared_ptr<const FeatureTable> features) {
    m_entries[size_t(index)].features = std::move(features);
  }
  void erase(qsizetype index);
  /// Moves every record of other (with its features) to the end, in order, without copying
  /// their text; other is left empty. Throws std::bad_alloc and then changes neither store.
  void appendAll(PackedRecordStore& other);
  /// Removes every record, the last first, and frees the blocks.
  void clear();

  Mark mark() const { return {m_entries.size(), m_blocks.size(), m_blockUsed}; }
  /// Removes everything appended since the mark.
  void rollBack(const Mark& mark);

  /// Orders the records by name with less(QStringView, QStringView).
  template <typename Less>
  void sortByName(Less less) {
    std::sort(m_entries.begin(), m_entries.end(),
              [&](const Entry& a, const Entry& b) { return less(nameOf(a), nameOf(b)); });
  }

 private:
  struct OwnedRecord {
    QString name;
    QString data;
  };
  struct Entry {
    // Set for a record that owns its strings; null for one packed into a text block, where the
    // name and then the data lie at offset.
    std::unique_ptr<OwnedRecord> owned;
    quint32 block = 0;
    quint32 offset = 0;
    quint32 nameLength = 0;
    quint32 dataLength = 0;
    std::shared_ptr<const FeatureTable> features;
  };

  QStringView nameOf(const Entry& entry) const {
    if (entry.owned) return entry.owned->name;
    return QStringView(m_blocks[entry.block].get() + entry.offset, entry.nameLength);
  }
  QStringView dataOf(const Entry& entry) const {
    if (entry.owned) return entry.owned->data;
    return QStringView(m_blocks[entry.block].get() + entry.offset + entry.nameLength,
                       entry.dataLength);
  }
  void releaseBlocksIfEmpty();

  std::vector<Entry> m_entries;
  std::vector<std::unique_ptr<char16_t[]>> m_blocks;
  qsizetype m_blockUsed = 0;  // code units used in the last block
};

}  // namespace duvanet::core

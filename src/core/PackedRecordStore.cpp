#include "core/PackedRecordStore.h"

namespace duvanet::core {

namespace {

// Records up to this many code units (name and data) are packed; larger ones keep their own
// strings, which copies of them share without copying.
constexpr qsizetype kPackLimit = 512;
constexpr qsizetype kBlockSize = qsizetype(1) << 20;

}  // namespace

QString PackedRecordStore::nameString(qsizetype index) const {
  const Entry& entry = m_entries[size_t(index)];
  return entry.owned ? entry.owned->name : nameOf(entry).toString();
}

void PackedRecordStore::get(qsizetype index, QString& name, QString& data) const {
  const Entry& entry = m_entries[size_t(index)];
  if (entry.owned) {
    name = entry.owned->name;
    data = entry.owned->data;
  } else {
    name = nameOf(entry).toString();
    data = dataOf(entry).toString();
  }
}

void PackedRecordStore::append(QString&& name, QString&& data, bool pack) {
  Entry entry;
  const qsizetype size = name.size() + data.size();
  if (!pack || size > kPackLimit) {
    entry.owned = std::make_unique<OwnedRecord>(OwnedRecord{std::move(name), std::move(data)});
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

void PackedRecordStore::replace(qsizetype index, const QString& name, const QString& data) {
  auto record = std::make_unique<OwnedRecord>(OwnedRecord{name, data});
  Entry entry;
  entry.owned = std::move(record);
  entry.features = std::move(m_entries[size_t(index)].features);
  m_entries[size_t(index)] = std::move(entry);
}

void PackedRecordStore::erase(qsizetype index) {
  m_entries.erase(m_entries.begin() + index);
  releaseBlocksIfEmpty();
}

void PackedRecordStore::appendAll(PackedRecordStore& other) {
  if (other.m_entries.empty()) return;
  if (m_entries.empty()) {
    // Nothing here to keep: take the other store as it is, its last block still being filled.
    clear();
    std::swap(m_entries, other.m_entries);
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_blockUsed, other.m_blockUsed);
    return;
  }
  // Room first, so that a failure leaves both stores as they were.
  m_entries.reserve(m_entries.size() + other.m_entries.size());
  m_blocks.reserve(m_blocks.size() + other.m_blocks.size());
  const auto shift = quint32(m_blocks.size());
  for (Entry& entry : other.m_entries) {
    if (!entry.owned) entry.block += shift;
    m_entries.push_back(std::move(entry));
  }
  // The other store's last block becomes the one that is filled on; what is left in this
  // store's last block stays unused.
  if (!other.m_blocks.empty()) m_blockUsed = other.m_blockUsed;
  for (auto& block : other.m_blocks) m_blocks.push_back(std::move(block));
  other.m_entries.clear();
  other.m_blocks.clear();
  other.m_blockUsed = 0;
}

void PackedRecordStore::clear() {
  while (!m_entries.empty()) m_entries.pop_back();
  releaseBlocksIfEmpty();
}

void PackedRecordStore::rollBack(const Mark& mark) {
  m_entries.resize(mark.entries);
  m_blocks.resize(mark.blocks);
  m_blockUsed = mark.blockUsed;
  releaseBlocksIfEmpty();
}

void PackedRecordStore::releaseBlocksIfEmpty() {
  if (!m_entries.empty()) return;
  m_blocks.clear();
  m_blockUsed = 0;
}

}  // namespace duvanet::core

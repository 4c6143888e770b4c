#include "core/SequenceList.h"

#include <QCollator>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <new>

#include "core/AnnotationFile.h"
#include "core/EmblReader.h"
#include "core/Fasta.h"
#include "core/FileError.h"
#include "core/GenBankReader.h"
#include "core/Gff3Writer.h"
#include "core/SequenceFileFormat.h"
#include "core/SequenceFileLoad.h"
#include "core/TextFile.h"

namespace {

// The names a new entry gets by default: "Sequence " and its 1-based position.
QString defaultName(int count) { return QStringLiteral("Sequence %1").arg(count + 1); }

// Appends the extension when the file name's own extension differs from it (case ignored).
QString withExtension(const QString& fileName, const QString& extension) {
  return duvanet::core::hasExtension(fileName, {extension}) ? fileName : fileName + extension;
}

// Asks before replacing an existing file, then writes it through TextFileWriter (all or nothing).
// Returns false when the question was answered No (or could not be asked): nothing is written.
template <typename WriteLines>
bool saveFile(const QString& fileName, const duvanet::core::OverwriteQuestion& overwrite,
              WriteLines writeLines) {
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

tSequenceList::~tSequenceList() = default;

int tSequenceList::Count() const { return int(m_records.size()); }

QStringList tSequenceList::Names() const {
  QStringList names;
  names.reserve(Count());
  for (qsizetype i = 0; i < m_records.size(); ++i) names.append(m_records.nameString(i));
  return names;
}

QString tSequenceList::Name(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_records.nameString(index);
}

QStringView tSequenceList::NameView(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_records.name(index);
}

int tSequenceList::AddSequence() {
  try {
    const int index = Count();
    // Owned: a default entry is about to be replaced by SetSequence.
    m_records.append(defaultName(index), QString(), false);
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
    m_records.sortByName([&](QStringView a, QStringView b) {
      return ascending ? collator.compare(a, b) < 0 : collator.compare(b, a) < 0;
    });
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool tSequenceList::GetSequence(int index, tSequence& sequence) const {
  if (index < 0 || index >= Count()) return false;
  m_records.get(index, sequence.Name, sequence.Data);
  return true;
}

QStringView tSequenceList::DataView(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_records.data(index);
}

bool tSequenceList::SetSequence(int index, const tSequence& sequence) {
  if (index < 0 || index >= Count()) return false;
  try {
    m_records.replace(index, sequence.Name, sequence.Data);
    // Features that reach past the new end no longer describe this sequence.
    const auto& features = m_records.features(index);
    if (features) {
      const qint64 length = sequence.Data.size();
      duvanet::core::FeatureTable kept;
      for (const duvanet::core::SequenceFeature& feature : *features)
        if (feature.extent().second <= length) kept.push_back(feature);
      if (kept.size() != features->size()) SetFeatures(index, std::move(kept));
    }
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
  if (!SetSequence(newIndex, copy)) return false;
  m_records.setFeatures(newIndex, m_records.features(index));
  return true;
}

std::shared_ptr<const duvanet::core::FeatureTable> tSequenceList::Features(int index) const {
  static const auto none = std::make_shared<const duvanet::core::FeatureTable>();
  if (index < 0 || index >= Count() || !m_records.features(index)) return none;
  return m_records.features(index);
}

bool tSequenceList::SetFeatures(int index, duvanet::core::FeatureTable features) {
  if (index < 0 || index >= Count()) return false;
  try {
    m_records.setFeatures(
        index, features.empty()
                   ? nullptr
                   : std::make_shared<const duvanet::core::FeatureTable>(std::move(features)));
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool tSequenceList::DeleteSequence(int index) {
  if (index < 0 || index >= Count()) return false;
  m_records.erase(index);
  return true;
}

bool tSequenceList::DeleteAllSequences() {
  if (m_records.empty()) return false;
  m_records.clear();
  return true;
}

duvanet::core::FeatureAttachment tSequenceList::AttachFeatures(
    const duvanet::core::FeatureTable& features) {
  using duvanet::core::FeatureTable;
  duvanet::core::FeatureAttachment result;
  QHash<QString, QList<int>> entriesBySeqid;
  for (int i = 0; i < Count(); ++i)
    entriesBySeqid[duvanet::core::entrySeqid(m_records.name(i))].append(i);
  QHash<int, FeatureTable> added;
  QSet<QString> unmatched;
  for (const duvanet::core::SequenceFeature& feature : features) {
    const auto entries = entriesBySeqid.constFind(feature.seqid);
    if (entries == entriesBySeqid.constEnd()) {
      if (!unmatched.contains(feature.seqid)) {
        unmatched.insert(feature.seqid);
        result.unmatchedSeqids.append(feature.seqid);
      }
      continue;
    }
    bool attached = false;
    bool clipped = false;
    for (int index : *entries) {
      const qint64 length = m_records.data(index).size();
      duvanet::core::SequenceFeature copy = feature;
      std::erase_if(copy.parts, [&](const duvanet::core::FeatureLocationPart& part) {
        return part.low() > length;
      });
      for (duvanet::core::FeatureLocationPart& part : copy.parts) {
        if (part.end > length) {
          part.end = length;
          part.endPartial = true;
        }
      }
      if (copy.parts.size() != feature.parts.size() || feature.extent().second > length)
        clipped = true;
      if (copy.parts.empty()) continue;
      added[index].push_back(std::move(copy));
      attached = true;
    }
    if (attached) ++result.attached;
    if (clipped) ++result.clipped;
  }
  for (auto entry = added.begin(); entry != added.end(); ++entry) {
    FeatureTable table;
    if (const auto& own = m_records.features(entry.key())) table = *own;
    table.insert(table.end(), std::make_move_iterator(entry.value().begin()),
                 std::make_move_iterator(entry.value().end()));
    SetFeatures(entry.key(), std::move(table));
  }
  return result;
}

bool tSequenceList::LoadSequenceFiles(const QStringList& fileNames,
                                      duvanet::core::FeatureAttachment* attachment) {
  const auto merge = [attachment](const duvanet::core::FeatureAttachment& result) {
    if (!attachment) return;
    for (const QString& seqid : result.unmatchedSeqids)
      if (!attachment->unmatchedSeqids.contains(seqid)) attachment->unmatchedSeqids.append(seqid);
    attachment->attached += result.attached;
    attachment->clipped += result.clipped;
  };
  duvanet::core::SequenceFileLoad load(fileNames);
  try {
    load.read();
  } catch (const duvanet::core::FileError&) {
    // The files before the failing one stay loaded.
    merge(load.applyTo(*this));
    throw;
  }
  merge(load.applyTo(*this));
  // Every reader either appends or throws, so a load that returns has read every file.
  return true;
}

duvanet::core::FeatureAttachment tSequenceList::LoadAnnotationFile(const QString& fileName) {
  duvanet::core::AnnotationFileContent content = duvanet::core::readAnnotationsForLoad(fileName);
  AppendAll(std::move(content.sequences));
  return AttachFeatures(content.features);
}

void tSequenceList::AppendAll(tSequenceList& other) { m_records.appendAll(other.m_records); }

void tSequenceList::AppendAll(std::vector<tSequence>&& sequences) {
  for (tSequence& sequence : sequences)
    m_records.append(std::move(sequence.Name), std::move(sequence.Data));
  sequences.clear();
}

bool tSequenceList::SaveAnnotationsAsGFF3File(const QString& fileName, int index,
                                              const duvanet::core::OverwriteQuestion& overwrite) {
  if (fileName.isEmpty() || index < 0 || index >= Count()) return false;
  const QString target = duvanet::core::hasExtension(fileName, {u".gff3", u".gff"})
                             ? fileName
                             : fileName + QStringLiteral(".gff3");
  const auto features = Features(index);
  const QString seqid = duvanet::core::entrySeqid(m_records.name(index));
  return saveFile(target, overwrite, [&](duvanet::core::TextFileWriter& writer) {
    duvanet::core::Gff3Writer gff;
    writer.write(gff.header());
    for (const duvanet::core::SequenceFeature& feature : *features)
      writer.write(gff.featureLines(feature, seqid));
  });
}

int tSequenceList::LoadSequenceFile(const QString& fileName, duvanet::core::ReadMonitor* monitor) {
  try {
    switch (duvanet::core::sequenceFileFormat(fileName)) {
      case duvanet::core::SequenceFileFormat::Fasta:
        return LoadFASFile(fileName, monitor);
      case duvanet::core::SequenceFileFormat::GenBank:
        return LoadGenBankFile(fileName, monitor);
      case duvanet::core::SequenceFileFormat::Embl:
        return LoadEMBLFile(fileName, monitor);
      case duvanet::core::SequenceFileFormat::Text:
        break;
    }
    return LoadTXTFile(fileName, monitor);
  } catch (const std::bad_alloc&) {
    // A file larger than the memory left is a read failure like any other: the readers have
    // taken back what they appended, and the caller shows the file's name and the reason.
    throw duvanet::core::FileError(duvanet::core::FileError::Operation::Read, fileName,
                                   QStringLiteral("not enough memory to hold its sequences"));
  }
}

int tSequenceList::LoadFASFile(const QString& fileName, duvanet::core::ReadMonitor* monitor) {
  // Records are appended as they are read; a read error takes back this file's entries.
  const duvanet::core::PackedRecordStore::Mark before = m_records.mark();
  try {
    duvanet::core::readFastaFile(
        fileName,
        [this](tSequence&& record) {
          m_records.append(std::move(record.Name), std::move(record.Data));
        },
        monitor);
  } catch (...) {
    m_records.rollBack(before);
    throw;
  }
  return int(m_records.size() - qsizetype(before.entries));
}

template <typename ReadRecords>
int tSequenceList::appendAnnotated(const ReadRecords& read) {
  // As for FASTA: appended as read, taken back on an error.
  const duvanet::core::PackedRecordStore::Mark before = m_records.mark();
  try {
    read([this](duvanet::core::AnnotatedRecord&& record) {
      m_records.append(std::move(record.name), std::move(record.data));
      if (!record.features.empty())
        m_records.setFeatures(
            m_records.size() - 1,
            std::make_shared<const duvanet::core::FeatureTable>(std::move(record.features)));
    });
  } catch (...) {
    m_records.rollBack(before);
    throw;
  }
  return int(m_records.size() - qsizetype(before.entries));
}

int tSequenceList::LoadGenBankFile(const QString& fileName, duvanet::core::ReadMonitor* monitor) {
  return appendAnnotated([&](const duvanet::core::AnnotatedRecordSink& sink) {
    duvanet::core::readGenBankFile(fileName, sink, monitor);
  });
}

int tSequenceList::LoadEMBLFile(const QString& fileName, duvanet::core::ReadMonitor* monitor) {
  return appendAnnotated([&](const duvanet::core::AnnotatedRecordSink& sink) {
    duvanet::core::readEmblFile(fileName, sink, monitor);
  });
}

int tSequenceList::LoadTXTFile(const QString& fileName, duvanet::core::ReadMonitor* monitor) {
  tSequence sequence = duvanet::core::readTxtFile(fileName, monitor);
  const int index = Count();
  m_records.append(std::move(sequence.Name), std::move(sequence.Data));
  return index;
}

int tSequenceList::PasteFASFromClipboard(const std::optional<QString>& clipboardText) {
  if (!clipboardText) return -1;
  const qsizetype before = m_records.size();
  duvanet::core::parseFasta(*clipboardText, [this](tSequence&& record) {
    m_records.append(std::move(record.Name), std::move(record.Data));
  });
  return int(m_records.size() - before);
}

int tSequenceList::PasteTXTFromClipboard(const std::optional<QString>& clipboardText) {
  if (!clipboardText) return -1;
  try {
    const int index = Count();
    m_records.append(QString(defaultName(index) + QStringLiteral(": Copy from clipboard")),
                     QString(*clipboardText), false);
    return index;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

bool tSequenceList::SaveWorkspace(const QString& fileName,
                                  const duvanet::core::OverwriteQuestion& overwrite) {
  if (m_records.empty() || fileName.isEmpty()) return false;
  return saveFile(withExtension(fileName, QStringLiteral(".fas")), overwrite,
                  [this](duvanet::core::TextFileWriter& writer) {
                    for (qsizetype i = 0; i < m_records.size(); ++i)
                      writeFastaRecord(writer, m_records.name(i), m_records.data(i));
                  });
}

bool tSequenceList::SaveSequenceAsFASFile(const QString& fileName, int index,
                                          const duvanet::core::OverwriteQuestion& overwrite) {
  // An index outside the list writes nothing (and asks nothing) instead of failing later.
  if (m_records.empty() || fileName.isEmpty() || index < 0 || index >= Count()) return false;
  return saveFile(withExtension(fileName, QStringLiteral(".fas")), overwrite,
                  [&](duvanet::core::TextFileWriter& writer) {
                    writeFastaRecord(writer, m_records.name(index), m_records.data(index));
                  });
}

bool tSequenceList::SaveSequenceAsTXTFile(const QString& fileName, int index,
                                          const duvanet::core::OverwriteQuestion& overwrite) {
  if (m_records.empty() || fileName.isEmpty() || index < 0 || index >= Count()) return false;
  return saveFile(withExtension(fileName, QStringLiteral(".txt")), overwrite,
                  [&](duvanet::core::TextFileWriter& writer) {
                    LineWriterSink sink(writer);
                    duvanet::core::LineSplitter splitter(sink);
                    splitter.feed(m_records.data(index));
                    splitter.finish();
                  });
}

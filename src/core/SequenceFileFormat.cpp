#include "core/SequenceFileFormat.h"

#include "core/ByteSource.h"

namespace duvanet::core {

namespace {

// The one table of extensions: the readers and the open dialog's groups both take it from here.
const std::vector<std::pair<SequenceFileFormat, SequenceFileGroup>>& formatTable() {
  static const std::vector<std::pair<SequenceFileFormat, SequenceFileGroup>> table = {
      {SequenceFileFormat::Fasta,
       {QStringLiteral("FASTA"),
        {".fas", ".fasta", ".fa", ".fna", ".ffn", ".faa", ".frn", ".fsa", ".mpfa"}}},
      {SequenceFileFormat::GenBank,
       {QStringLiteral("GenBank"), {".gb", ".gbk", ".gbff", ".genbank", ".gp", ".gpff"}}},
      {SequenceFileFormat::Embl, {QStringLiteral("EMBL"), {".embl", ".emb"}}},
      {SequenceFileFormat::Text, {QStringLiteral("Text"), {".txt"}}},
  };
  return table;
}

}  // namespace

SequenceFileFormat sequenceFileFormat(const QString& fileName) {
  const QString name = withoutGzipExtension(fileName);
  const QStringView component = QStringView(name).sliced(name.lastIndexOf(u'/') + 1);
  const qsizetype dot = component.lastIndexOf(u'.');
  if (dot < 0) return SequenceFileFormat::Text;
  const QStringView extension = component.sliced(dot);
  for (const auto& [format, group] : formatTable())
    for (const QString& candidate : group.extensions)
      if (extension.compare(candidate, Qt::CaseInsensitive) == 0) return format;
  return SequenceFileFormat::Text;
}

std::vector<SequenceFileGroup> sequenceFileGroups() {
  std::vector<SequenceFileGroup> groups;
  for (const auto& entry : formatTable()) groups.push_back(entry.second);
  return groups;
}

}  // namespace duvanet::core

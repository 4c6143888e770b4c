// duvanet-cli translate: amino-acid translations of every sequence, as the translation wizard
// appends them.

#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"
#include "core/GeneticCodes.h"
#include "core/Translation.h"

namespace duvanet::cli {

namespace {

QString tableIds() {
  QStringList ids;
  for (int id : core::kGeneticCodeStandardIds) ids.append(QString::number(id));
  return ids.join(QStringLiteral(", "));
}

QString help() {
  QString text = QStringLiteral(
      "Usage: duvanet-cli translate [--table ID] [--frame 0|1|2|all] "
      "[--strand forward|revcomp|both] FILE...\n"
      "\n"
      "Translates every sequence of the files into amino acids and writes the translations as\n"
      "FASTA, in the translation wizard's order: the stored strand before the reverse\n"
      "complement, frames 0, 1, 2. The stored strand is read with IUPAC ambiguity codes; the\n"
      "reverse complement with the plain bases A, C, G, T only.\n"
      "\n"
      "Options:\n"
      "  --table ID       genetic code by its NCBI transl_table number (default 1):\n");
  for (int i = 0; i < core::kGeneticCodeCount; ++i)
    text += QStringLiteral("                     %1  %2\n")
                .arg(core::kGeneticCodeStandardIds[i], 2)
                .arg(QString::fromUtf8(GeneticCodeNames[i]));
  text += QStringLiteral(
      "  --frame F        reading frame offset 0, 1, 2, or all three (default 0)\n"
      "  --strand S       forward, revcomp or both (default forward)\n");
  return text;
}

/// Reads --table, --frame and --strand; the writer translates one record in the chosen frames.
RecordWriter writerFor(const ArgumentParser& parser) {
  int table = 0;
  if (const auto id = parser.value(QStringLiteral("--table"))) {
    bool ok = false;
    const int number = id->toInt(&ok);
    table = ok ? core::geneticCodeIndexOfStandardId(number) : -1;
    if (table < 0)
      throw UsageError(QStringLiteral("unknown genetic code table '%1'; the tables are %2")
                           .arg(*id, tableIds()));
  }
  std::optional<int> offset = 0;
  if (const auto frame = parser.value(QStringLiteral("--frame"))) {
    if (*frame == QStringLiteral("all"))
      offset = std::nullopt;
    else if (*frame == QStringLiteral("0") || *frame == QStringLiteral("1") ||
             *frame == QStringLiteral("2"))
      offset = frame->toInt();
    else
      throw UsageError(QStringLiteral("invalid frame '%1'; use 0, 1, 2 or all").arg(*frame));
  }
  core::TranslationStrands strands = core::TranslationStrands::Forward;
  if (const auto strand = parser.value(QStringLiteral("--strand"))) {
    if (*strand == QStringLiteral("forward")) {
      strands = core::TranslationStrands::Forward;
    } else if (*strand == QStringLiteral("revcomp")) {
      strands = core::TranslationStrands::ReverseComplement;
    } else if (*strand == QStringLiteral("both")) {
      strands = core::TranslationStrands::Both;
    } else {
      throw UsageError(
          QStringLiteral("invalid strand '%1'; use forward, revcomp or both").arg(*strand));
    }
  }
  const core::TranslationFrames frames = core::translationFrames(strands, offset);
  // Only the sources are read; the translations are written, not added to the list.
  return [frames, table](const tSequenceList& list, int index) {
    core::translateRecords(list, {index}, frames, table,
                           [](tSequence&& result) { writeFastaRecord(result.Name, result.Data); });
  };
}

int runTranslate(const QStringList& arguments) {
  const QStringList options{QStringLiteral("--table"), QStringLiteral("--frame"),
                            QStringLiteral("--strand")};
  return runGuarded("translate",
                    [&] { return runRecordCommand(arguments, help(), options, writerFor); });
}

const CliCommandRegistrar registrar({"translate", "amino-acid translations as FASTA",
                                     runTranslate});

}  // namespace

}  // namespace duvanet::cli

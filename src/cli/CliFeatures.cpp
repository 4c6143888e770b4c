// duvanet-cli features: every feature of sequence and annotation files as GFF3.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"
#include "core/AnnotationFile.h"
#include "core/FileError.h"
#include "core/Gff3Writer.h"

namespace duvanet::cli {

namespace {

const char* const kHelp =
    "Usage: duvanet-cli features FILE...\n"
    "\n"
    "Writes every feature of the files as GFF3: the line \"##gff-version 3\", then one line per\n"
    "part of every feature, in the order read. Reads the feature tables of GenBank and EMBL\n"
    "records (the seqid is the first word of the record's name) and the annotation files\n"
    "  GFF3  .gff .gff3   GTF  .gtf   BED  .bed\n"
    "(also gzip-compressed, .gz). The attributes hold at least ID, shared by the parts of one\n"
    "feature, and Name, the name Duvanet shows. Nothing is written when a file cannot be read.\n";

int runFeatures(const QStringList& arguments) {
  return runGuarded("features", [&] {
    const ArgumentParser parser(arguments, {});
    if (parser.helpRequested()) {
      writeOut(QString::fromUtf8(kHelp));
      return kExitSuccess;
    }
    requireFiles(parser);
    // Everything is read before anything is written, so a damaged file leaves no half output.
    core::Gff3Writer gff;
    QString text = core::Gff3Writer::header();
    try {
      for (const QString& fileName : parser.positional()) {
        if (const auto format = core::annotationFileFormat(fileName)) {
          const core::AnnotationFileContent content = core::readAnnotationFile(fileName, *format);
          for (const core::SequenceFeature& feature : content.features)
            text += gff.featureLines(feature, feature.seqid);
          continue;
        }
        tSequenceList list;
        list.LoadSequenceFile(fileName);
        for (int i = 0; i < list.Count(); ++i) {
          tSequence sequence;
          list.GetSequence(i, sequence);
          const QString seqid = core::entrySeqid(sequence.Name);
          for (const core::SequenceFeature& feature : *list.Features(i))
            text += gff.featureLines(feature, seqid);
        }
      }
    } catch (const core::FileError& error) {
      writeErr(QStringLiteral("%1: %2\n").arg(QLatin1StringView(kToolName), error.message()));
      return kExitFailure;
    }
    writeOut(text);
    return kExitSuccess;
  });
}

const CliCommandRegistrar registrar({"features", "features of all files as GFF3", runFeatures});

}  // namespace

}  // namespace duvanet::cli

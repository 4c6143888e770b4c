// duvanet-cli revcomp: the IUPAC reverse complement of every sequence.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"
#include "core/StrandTransforms.h"

namespace duvanet::cli {

namespace {

const char* const kHelp =
    "Usage: duvanet-cli revcomp FILE...\n"
    "\n"
    "Writes the IUPAC reverse complement of every sequence of the files as FASTA, named after\n"
    "its source with \" (reverse complement)\" appended. Letters keep their case; characters\n"
    "that are no nucleotide code are kept at their mirrored place.\n";

int runRevcomp(const QStringList& arguments) {
  return runGuarded("revcomp", [&] {
    const ArgumentParser parser(arguments, {});
    if (parser.helpRequested()) {
      writeOut(QString::fromUtf8(kHelp));
      return kExitSuccess;
    }
    requireFiles(parser);
    tSequenceList list;
    if (!loadSequenceFiles(parser.positional(), list)) return kExitFailure;
    for (int i = 0; i < list.Count(); ++i) {
      tSequence sequence;
      list.GetSequence(i, sequence);
      const tSequence result = core::reverseComplementRecord(sequence);
      writeFastaRecord(result.Name, result.Data);
    }
    return kExitSuccess;
  });
}

const CliCommandRegistrar registrar({"revcomp", "IUPAC reverse complements as FASTA", runRevcomp});

}  // namespace

}  // namespace duvanet::cli

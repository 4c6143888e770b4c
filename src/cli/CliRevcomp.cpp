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
    return runRecordCommand(arguments, QString::fromUtf8(kHelp), {}, [](const ArgumentParser&) {
      return [](const tSequenceList& list, int index) {
        tSequence sequence;
        list.GetSequence(index, sequence);
        const tSequence result = core::reverseComplementRecord(sequence);
        writeFastaRecord(result.Name, result.Data);
      };
    });
  });
}

const CliCommandRegistrar registrar({"revcomp", "IUPAC reverse complements as FASTA", runRevcomp});

}  // namespace

}  // namespace duvanet::cli

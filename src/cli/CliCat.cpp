// duvanet-cli cat: every sequence of the files as FASTA, as they were read.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

namespace duvanet::cli {

namespace {

const char* const kHelp =
    "Usage: duvanet-cli cat FILE...\n"
    "\n"
    "Writes every sequence of the files as FASTA, its name and data exactly as read: one header\n"
    "line and one data line each (a text file's data keeps its line breaks). Converts GenBank,\n"
    "EMBL and gzip-compressed files to FASTA. Nothing is written when a file cannot be read.\n";

int runCat(const QStringList& arguments) {
  return runGuarded("cat", [&] {
    return runRecordCommand(arguments, QString::fromUtf8(kHelp), {}, [](const ArgumentParser&) {
      return [](const tSequenceList& list, int index) {
        tSequence sequence;
        list.GetSequence(index, sequence);
        writeFastaRecord(sequence.Name, sequence.Data);
      };
    });
  });
}

const CliCommandRegistrar registrar({"cat", "sequences as FASTA, as read", runCat});

}  // namespace

}  // namespace duvanet::cli

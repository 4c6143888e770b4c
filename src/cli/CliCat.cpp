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
      writeFastaRecord(sequence.Name, sequence.Data);
    }
    return kExitSuccess;
  });
}

const CliCommandRegistrar registrar({"cat", "sequences as FASTA, as read", runCat});

}  // namespace

}  // namespace duvanet::cli

// duvanet-cli: the workspace's file reading, strand transforms, translation and symbol counts
// from the command line. Each command lives in its own Cli*.cpp file and registers itself.

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "DuvanetVersion.h"
#include "cli/CliCommand.h"
#include "cli/CliFigure.h"
#include "cli/CliSupport.h"
#include "core/FileNames.h"

using namespace duvanet::cli;

namespace {

std::vector<CliCommand> sortedCommands() {
  std::vector<CliCommand> commands = cliCommands();
  std::sort(commands.begin(), commands.end(),
            [](const CliCommand& a, const CliCommand& b) { return qstrcmp(a.name, b.name) < 0; });
  return commands;
}

QString usage() {
  QString text = QStringLiteral(
      "Usage: duvanet-cli <command> [options] FILE...\n"
      "\n"
      "Reads sequence files as Duvanet's \"Load sequences\" does, by their names (any case):\n"
      "  FASTA    .fas .fasta .fa .fna .ffn .faa .frn .fsa .mpfa\n"
      "  GenBank  .gb .gbk .gbff .genbank .gp .gpff\n"
      "  EMBL     .embl .emb\n"
      "  GFF3 .gff .gff3, GTF .gtf, BED .bed: annotations, attached by the first word of a name\n"
      "every other file as one text sequence; a final .gz is decompressed while reading.\n"
      "Writes the results to standard output.\n"
      "\n"
      "Commands:\n");
  for (const CliCommand& command : sortedCommands())
    text += QStringLiteral("  %1%2\n")
                .arg(QString::fromUtf8(command.name), -12)
                .arg(QString::fromUtf8(command.summary));
  text += QStringLiteral(
      "\n"
      "Options:\n"
      "  -h, --help     Show this help; 'duvanet-cli <command> --help' shows a command's help.\n"
      "  -V, --version  Show the version.\n"
      "\n"
      "Exit status: 0 on success, 1 when a file cannot be read, 2 for a usage error.\n");
  return text;
}

// The platform's remarks on its environment (a missing XDG_RUNTIME_DIR) are no concern of a
// command-line tool; everything else goes to standard error as Qt writes it.
QtMessageHandler g_qtHandler = nullptr;
void quietPlatformMessages(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
  if (g_qtHandler)
    g_qtHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

const CliCommand* findCommand(const QString& name) {
  for (const CliCommand& command : cliCommands())
    if (name == QLatin1StringView(command.name)) return &command;
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments as given: a file name that is not UTF-8 keeps its bytes (Qt's own decoding
  // would turn them into U+FFFD and miss the file).
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << duvanet::core::fileNameFromBytes(argv[i]);
  // Figures need fonts, which come with a QGuiApplication; offscreen, so that no display is
  // needed. Every other command does without.
  std::unique_ptr<QCoreApplication> app;
  if (arguments.value(0) == QStringLiteral("dotplot") && argumentsAskForFigure(arguments.mid(1))) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtHandler = qInstallMessageHandler(quietPlatformMessages);
    app = std::make_unique<QGuiApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  if (arguments.isEmpty()) {
    writeErr(usage());
    return kExitUsage;
  }
  const QString& first = arguments.first();
  if (first == QStringLiteral("--help") || first == QStringLiteral("-h")) {
    writeOut(usage());
    return finishOutput(kExitSuccess);
  }
  if (first == QStringLiteral("--version") || first == QStringLiteral("-V")) {
    writeOut(QStringLiteral("%1 %2\n").arg(QLatin1StringView(kToolName),
                                           QLatin1StringView(DUVANET_VERSION_STRING)));
    return finishOutput(kExitSuccess);
  }
  if (first == QStringLiteral("help") && arguments.size() > 1) {
    if (const CliCommand* command = findCommand(arguments[1]))
      return command->run({QStringLiteral("--help")});
  }
  if (first == QStringLiteral("help")) {
    writeOut(usage());
    return finishOutput(kExitSuccess);
  }
  const CliCommand* command = findCommand(first);
  if (command == nullptr) {
    writeErr(QStringLiteral("%1: unknown command '%2'\nTry '%1 --help'.\n")
                 .arg(QLatin1StringView(kToolName), first));
    return kExitUsage;
  }
  return finishOutput(command->run(arguments.mid(1)));
}

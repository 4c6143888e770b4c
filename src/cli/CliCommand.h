#pragma once

#include <QStringList>
#include <functional>
#include <vector>

namespace duvanet::cli {

/// One command of duvanet-cli. run gets the arguments after the command's name and returns the
/// exit status: 0 success, 1 a file could not be read or the computation failed, 2 a usage error.
/// Each command prints its own --help.
struct CliCommand {
  const char* name;
  const char* summary;
  std::function<int(const QStringList& arguments)> run;
};

std::vector<CliCommand>& cliCommands();

/// Commands register themselves from their own source file.
struct CliCommandRegistrar {
  explicit CliCommandRegistrar(CliCommand command) { cliCommands().push_back(std::move(command)); }
};

}  // namespace duvanet::cli

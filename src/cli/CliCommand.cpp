#include "cli/CliCommand.h"

namespace duvanet::cli {

std::vector<CliCommand>& cliCommands() {
  static std::vector<CliCommand> commands;
  return commands;
}

}  // namespace duvanet::cli

#pragma once
// The command-line tool: a table of commands, each a function of its arguments and the
// two output streams, so it can be run from main() and from tests alike.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_help.h"

namespace tamso::cli {

constexpr int exitSuccess = 0;
constexpr int exitFailure = 1;    // the command ran and failed (bad data, a failed load)
constexpr int exitUsage = 2;      // unknown command or option, missing argument
constexpr int exitStopped = 130;  // a planning run stopped by SIGINT or SIGTERM

// args: the command's own arguments, the command name not included.
using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct Command {
  std::string name;
  std::string synopsis;  // arguments after the name, e.g. "CONFIG [--json]"
  std::string summary;   // one line on what it does
  CommandFunction run;
  std::vector<OptionHelp> options = {};  // for "tamso-cli NAME --help"
};

// The commands in the order the usage text lists them.
const std::vector<Command>& commands();

// Writes the usage text of every command.
void printUsage(std::ostream& out);

// Prints "tamso-cli: MESSAGE" and the usage text on err; returns exitUsage.
int usageError(std::ostream& err, const std::string& message);

// args: everything after the program name, the command first.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

namespace tamso {
using cli::runCli;
}

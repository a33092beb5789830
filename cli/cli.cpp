#include "cli/cli.h"

#include "cli/check_command.h"
#include "cli/generate_command.h"
#include "cli/genetic_command.h"
#include "cli/plan_command.h"

namespace tamso::cli {

const std::vector<Command>& commands() {
  // One line per command; each command lives in a file of its own.
  static const std::vector<Command> table = {
      {"check", "CONFIG [--json] [--map MAPPARAMS] [--frame W H]", "load an instance and print its summary, or the whole problem as JSON",
       runCheckCommand},
      {"plan", "CONFIG [--estimated-gain] [--seed N] [--json]", "plan the instance by local search", runPlanCommand},
      {"generate", "DIR --places N --orders N --vehicles N [--seed S]", "write a random loadable instance", runGenerateCommand},
      {"ga", "CONFIG [--estimated-gain] [--seed N] [--json]", "plan the instance by the genetic algorithm", runGeneticCommand},
      {"hga", "CONFIG [--estimated-gain] [--seed N] [--json]", "plan the instance by the hybrid genetic algorithm", runHybridCommand},
  };
  return table;
}

void printUsage(std::ostream& out) {
  out << "Usage: tamso-cli COMMAND [ARGUMENTS]\n"
      << "       tamso-cli --help | --version\n\nCommands:\n";
  for (const Command& command : commands()) {
    out << "  " << command.name << " " << command.synopsis << "\n      " << command.summary << "\n";
  }
}

int usageError(std::ostream& err, const std::string& message) {
  err << "tamso-cli: " << message << "\n";
  printUsage(err);
  return exitUsage;
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return usageError(err, "no command given");
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    printUsage(out);
    return exitSuccess;
  }
  if (name == "--version") {
    out << "tamso-cli " << TAMSO_VERSION << "\n";
    return exitSuccess;
  }
  for (const Command& command : commands()) {
    if (name == command.name) {
      const std::vector<std::string> rest(args.begin() + 1, args.end());
      for (const std::string& arg : rest) {
        if (arg == "--help") {
          out << "Usage: tamso-cli " << command.name << " " << command.synopsis << "\n" << command.summary << "\n";
          return exitSuccess;
        }
      }
      return command.run(rest, out, err);
    }
  }
  return usageError(err, "unknown command '" + name + "'");
}

}  // namespace tamso::cli

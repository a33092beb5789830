#include "cli/cli.h"

#include "cli/check_command.h"
#include "cli/diff_command.h"
#include "cli/evaluate_command.h"
#include "cli/generate_command.h"
#include "cli/genetic_command.h"
#include "cli/matrix_command.h"
#include "cli/plan_command.h"
#include "cli/run_options.h"
#include "cli/solve_command.h"

namespace tamso::cli {

namespace {

const RunOptionSet planOptions{false, true, true, true};
const RunOptionSet evolutionOptions{true, false};
const RunOptionSet solveOptions{false, false};

std::vector<OptionHelp> solveHelp() {
  std::vector<OptionHelp> help = runOptionHelp(solveOptions);
  for (OptionHelp& option : help) {
    if (option.option == "--time-limit SECONDS") {
      option.meaning =
          "search for SECONDS (a number greater than 0, fractions allowed), then print the best plan, "
          "marked \"stopped\": \"time limit\" (default: 30 seconds, or none with --iterations)";
    }
  }
  help.push_back({"--iterations N",
                  "end after N steps of all walks together; with a seed and without a time "
                  "limit the run repeats exactly (default: none)"});
  return help;
}

std::vector<OptionHelp> checkHelp() {
  return {{"CONFIG", "the instance's configuration file; data files named in it are looked for beside it"},
          {"--json", "print the whole loaded problem as JSON instead of a summary (default: summary)"},
          {"--map MAPPARAMS",
           "add every place's pixel on the calibrated background picture at zoom 1.0, and the "
           "picture's size (default: none)"},
          {"--frame W H", "add every place's pixel in the fixed frame on a canvas of W x H pixels (default: none)"}};
}

std::vector<OptionHelp> generateHelp() {
  return {{"DIR", "the folder to write instance.cfg and its data files into; made when missing"},
          {"--places N", "number of places (required)"},
          {"--orders N", "number of orders (required)"},
          {"--vehicles N", "number of vehicles (required)"},
          {"--seed S", "the same seed writes the same files (default: 1)"},
          {"--capacity",
           "switch the capacity check on and give the goods weights that make the vehicles' "
           "capacities bind (default: off)"},
          {"--driver-rules", "switch the EU driving and rest times on (default: off)"},
          {"--crews", "give the trucks a crew of two drivers (default: one driver)"}};
}

}  // namespace

const std::vector<Command>& commands() {
  // One line per command; each command lives in a file of its own.
  static const std::vector<Command> table = {
      {"check", "CONFIG [--json] [--map MAPPARAMS] [--frame W H]",
       "load an instance and print its summary, or the whole problem as JSON", runCheckCommand, checkHelp()},
      {"plan", runSynopsis(planOptions), "plan the instance by local search; writes total.dump here", runPlanCommand,
       runOptionHelp(planOptions)},
      {"generate", "DIR --places N --orders N --vehicles N [--seed S] [--capacity] [--driver-rules] [--crews]",
       "write a random loadable instance", runGenerateCommand, generateHelp()},
      {"ga", runSynopsis(evolutionOptions),
       "plan the instance by the genetic algorithm; writes ordd.dump and "
       "population.dump here",
       runGeneticCommand, runOptionHelp(evolutionOptions)},
      {"hga", runSynopsis(evolutionOptions),
       "plan the instance by the hybrid genetic algorithm; writes ordd.dump "
       "and population.dump here",
       runHybridCommand, runOptionHelp(evolutionOptions)},
      {"solve", runSynopsis(solveOptions) + " [--iterations N]",
       "plan the instance by the thorough search (30 s unless limited "
       "otherwise); writes total.dump here",
       runSolveCommand, solveHelp()},
      {"evaluate",
       "CONFIG PLAN.json [--estimated-gain] [--capacity|--no-capacity] [--driver-rules|--no-driver-rules] [-o FILE]",
       "time a saved plan anew on the data and print its plan document with every problem found; exit 1 when "
       "some order had to leave its route",
       runEvaluateCommand, evaluateHelp()},
      {"diff", "OLD.json NEW.json [--json]",
       "what changed between two plans, per vehicle: orders added, moved and removed, and stops whose likely "
       "time moved by more than 30 minutes",
       runDiffCommand, diffHelp()},
      {"matrix", "request CONFIG | import CONFIG RESPONSE.json -o FILE",
       "print the places for a routing engine's table request, or turn its answer into a distances file",
       runMatrixCommand, matrixHelp()},
  };
  return table;
}

void printUsage(std::ostream& out) {
  out << "Usage: tamso-cli COMMAND [ARGUMENTS]\n"
      << "       tamso-cli --help | --version\n\nCommands:\n";
  for (const Command& command : commands()) {
    out << "  " << command.name << " " << command.synopsis << "\n      " << command.summary << "\n";
  }
  out << "\n'tamso-cli COMMAND --help' explains every option of a command.\n\n";
  printExitStatuses(out);
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
        if (arg == "--help" || arg == "-h") {
          printCommandHelp(out, command.name, command.synopsis, command.summary, command.options);
          return exitSuccess;
        }
      }
      return command.run(rest, out, err);
    }
  }
  return usageError(err, "unknown command '" + name + "'");
}

}  // namespace tamso::cli

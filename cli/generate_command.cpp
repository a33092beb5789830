#include "cli/generate_command.h"

#include <filesystem>

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/run_options.h"
#include "problem/instance_generator.h"

namespace tamso::cli {

namespace {

// Reads a required count option into `value`; false with `problem` set when it is missing
// or no whole number.
bool readCount(const CommandLine& line, const std::string& name, int& value, std::string& problem) {
  const auto text = line.option(name);
  if (!text) {
    problem = "generate needs " + name + " N";
    return false;
  }
  const auto number = parseWholeNumber(*text);
  if (!number || *number > 100000) {
    problem = name + " needs a whole number, not '" + *text + "'";
    return false;
  }
  value = static_cast<int>(*number);
  return true;
}

std::optional<std::pair<std::string, GeneratorSettings>> parseGenerateOptions(const std::vector<std::string>& args,
                                                                              std::string& problem) {
  const auto line = parseCommandLine(args, {"--capacity", "--driver-rules", "--crews"},
                                     {"--places", "--orders", "--vehicles", "--seed"}, problem);
  if (!line) return std::nullopt;
  if (line->positionals.size() != 1) {
    problem = line->positionals.empty() ? "generate needs a directory" : "generate takes one directory";
    return std::nullopt;
  }
  GeneratorSettings settings;
  if (!readCount(*line, "--places", settings.places, problem) ||
      !readCount(*line, "--orders", settings.orders, problem) ||
      !readCount(*line, "--vehicles", settings.vehicles, problem)) {
    return std::nullopt;
  }
  if (const auto seedText = line->option("--seed")) {
    const auto seed = parseWholeNumber(*seedText);
    if (!seed) {
      problem = "--seed needs a whole number from 0 to 4294967295, not '" + *seedText + "'";
      return std::nullopt;
    }
    settings.seed = *seed;
  }
  settings.capacity = line->has("--capacity");
  settings.driverRules = line->has("--driver-rules");
  settings.crews = line->has("--crews");
  return std::make_pair(line->positionals[0], settings);
}

}  // namespace

int runGenerateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problem;
  const auto parsed = parseGenerateOptions(args, problem);
  if (!parsed) return usageError(err, problem);
  const auto& [directory, settings] = *parsed;
  if (const auto error = generateInstance(directory, settings)) {
    err << *error << "\n";
    return exitFailure;
  }
  out << "Wrote " << (std::filesystem::path(directory) / "instance.cfg").string() << " with " << settings.places
      << " places, " << settings.orders << " orders and " << settings.vehicles << " vehicles\n";
  return exitSuccess;
}

}  // namespace tamso::cli

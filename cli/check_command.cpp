#include "cli/check_command.h"

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/instance.h"
#include "cli/problem_json.h"
#include "problem/text.h"

namespace tamso::cli {

namespace {

struct CheckOptions {
  std::string configPath;
  bool json = false;
  // Options that add to the JSON document (such as map pixels of the places) go here,
  // are parsed in parseCheckOptions and applied in checkDocument.
};

std::optional<CheckOptions> parseCheckOptions(const std::vector<std::string>& args, std::string& problem) {
  const auto line = parseCommandLine(args, {"--json"}, {}, problem);
  if (!line) return std::nullopt;
  if (line->positionals.size() != 1) {
    problem = line->positionals.empty() ? "check needs a configuration file" : "check takes one configuration file";
    return std::nullopt;
  }
  CheckOptions options;
  options.configPath = line->positionals[0];
  options.json = line->has("--json");
  return options;
}

nlohmann::json checkDocument(const ProblemData& problem, const CheckOptions&) { return problemJson(problem); }

void printSummary(const ProblemData& problem, std::ostream& out) {
  out << "vehicleTypes: " << problem.vehicleTypes.size() << "\n"
      << "vehicles: " << problem.vehicles.size() << "\n"
      << "clients: " << problem.clients.size() << "\n"
      << "countries: " << problem.countries.size() << "\n"
      << "regions: " << problem.regions.size() << "\n"
      << "places: " << problem.places.size() << "\n"
      << "orders: " << problem.orders.size() << "\n"
      << "articleTypes: " << problem.articleTypes.size() << "\n"
      << "pickupTime: " << problem.pickupTime << "\n"
      << "unloadTime: " << problem.unloadTime << "\n"
      << "minimalSat: " << problem.minimalSat << "\n"
      << "travelTimeFuzzines: " << problem.travelTimeFuzzines << "\n"
      << "placeInPoland: " << (problem.homePlace ? problem.homePlace->name : std::string()) << "\n"
      << "horizonEnd: " << problem.horizonEnd;
  if (problem.horizonEnd != 0) out << " (" << formatDateTime(problem.horizonEnd) << ")";
  out << "\n";
}

}  // namespace

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseCheckOptions(args, problemText);
  if (!options) return usageError(err, problemText);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem)) return reportLoadError(*error, err);
  if (options->json) {
    out << checkDocument(problem, *options).dump() << "\n";
  } else {
    printSummary(problem, out);
  }
  return exitSuccess;
}

}  // namespace tamso::cli

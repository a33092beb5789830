#include "cli/check_command.h"

#include "cli/cli.h"
#include "cli/command_line.h"
#include "cli/instance.h"
#include "cli/map_json.h"
#include "cli/problem_json.h"
#include "problem/capacity.h"
#include "problem/text.h"
#include "report/json_text.h"

namespace tamso::cli {

namespace {

struct CheckOptions {
  std::string configPath;
  bool json = false;
  MapCheckOptions map;  // --map and --frame: pixels of the places
};

std::optional<CheckOptions> parseCheckOptions(std::vector<std::string> args, std::string& problem) {
  MapCheckOptions map;
  if (!extractMapOptions(args, map, problem)) return std::nullopt;
  const auto line = parseCommandLine(args, {"--json"}, {}, problem);
  if (!line) return std::nullopt;
  if (line->positionals.size() != 1) {
    problem = line->positionals.empty() ? "check needs a configuration file" : "check takes one configuration file";
    return std::nullopt;
  }
  CheckOptions options;
  options.configPath = line->positionals[0];
  options.json = line->has("--json");
  options.map = map;
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
      << "checkCapacity: " << (problem.checkCapacity ? 1 : 0) << "\n"
      << "detourFactor: " << problem.detourFactor << "\n"
      << "averageSpeed: " << problem.averageSpeed << "\n"
      << "roadDistances: " << problem.roadPairsFromFile << " pairs from the distances file, "
      << problem.placePairs() - problem.roadPairsFromFile << " by the great-circle rule\n"
      << "placeInPoland: " << (problem.homePlace ? problem.homePlace->name : std::string()) << "\n"
      << "horizonEnd: " << problem.horizonEnd;
  if (problem.horizonEnd != 0) out << " (" << formatDateTime(problem.horizonEnd) << ")";
  out << "\n";
}

// One line for each order that no vehicle type could carry even alone.
void warnAboutOversizedOrders(const ProblemData& problem, std::ostream& err) {
  for (const Order& order : problem.orders) {
    if (!fitsSomeVehicleType(problem, order)) {
      err << "tamso-cli: warning: order " << order.name << " is larger than every vehicle type\n";
    }
  }
}

}  // namespace

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string problemText;
  const auto options = parseCheckOptions(args, problemText);
  if (!options) return usageError(err, problemText);
  ProblemData problem;
  if (const auto error = loadForCommand(options->configPath, problem, err)) return reportLoadError(*error, err);
  warnAboutOversizedOrders(problem, err);
  const MapCheck map = checkMap(problem, options->map);
  for (const LoadWarning& warning : map.warnings) err << "tamso-cli: " << warningText(warning) << "\n";
  if (map.error) {
    err << *map.error << "\n";
    return exitFailure;
  }
  if (options->json) {
    nlohmann::json document = checkDocument(problem, *options);
    addMapJson(document, map);
    out << jsonText(document) << "\n";
  } else {
    printSummary(problem, out);
  }
  return exitSuccess;
}

}  // namespace tamso::cli

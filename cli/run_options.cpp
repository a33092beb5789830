#include "cli/run_options.h"

#include <cmath>

#include "cli/command_line.h"
#include "problem/text.h"

namespace tamso::cli {

namespace {

// "-o FILE" is "--output FILE".
std::vector<std::string> withLongNames(const std::vector<std::string>& args) {
  std::vector<std::string> named = args;
  for (std::string& arg : named) {
    if (arg == "-o") arg = "--output";
  }
  return named;
}

bool readValues(const CommandLine& line, RunOptions& options, std::string& problem) {
  if (const auto seedText = line.option("--seed")) {
    options.seed = parseWholeNumber(*seedText);
    if (!options.seed) {
      problem = "--seed needs a whole number from 0 to 4294967295, not '" + *seedText + "'";
      return false;
    }
  }
  if (const auto limit = line.option("--time-limit")) {
    options.timeLimitSeconds = parseTimeLimit(*limit);
    if (!options.timeLimitSeconds) {
      problem = "--time-limit needs a number of seconds greater than 0, not '" + *limit + "'";
      return false;
    }
  }
  if (const auto generations = line.option("--generations")) {
    const auto count = parseWholeNumber(*generations);
    if (!count || *count > static_cast<std::uint32_t>(maxGenerations)) {
      problem = "--generations needs a whole number from 0 to " + std::to_string(maxGenerations) + ", not '" +
                *generations + "'";
      return false;
    }
    options.generations = static_cast<std::int32_t>(*count);
  }
  if (const auto restarts = line.option("--restarts")) {
    const auto count = parseWholeNumber(*restarts);
    if (!count || *count == 0 || *count > static_cast<std::uint32_t>(maxRestarts)) {
      problem =
          "--restarts needs a whole number from 1 to " + std::to_string(maxRestarts) + ", not '" + *restarts + "'";
      return false;
    }
    options.restarts = static_cast<std::int32_t>(*count);
  }
  for (const char* name : {"--output", "--csv"}) {
    const auto path = line.option(name);
    if (path && path->empty()) {
      problem = std::string(name) + " needs a file name";
      return false;
    }
  }
  options.outputPath = line.option("--output");
  options.csvPath = line.option("--csv");
  return true;
}

bool readPasses(const CommandLine& line, RunOptions& options, std::string& problem) {
  const auto passes = line.option("--iterations");
  if (!passes) return true;
  const auto count = parseWholeNumber(*passes);
  if (!count || *count > static_cast<std::uint32_t>(maxGenerations)) {
    problem =
        "--iterations needs a whole number from 0 to " + std::to_string(maxGenerations) + ", not '" + *passes + "'";
    return false;
  }
  options.localSearchPasses = static_cast<std::int32_t>(*count);
  return true;
}

// --from, --now and the --lock values taken out before the line is parsed.
bool readContinuation(const CommandLine& line, std::vector<std::string> locks, RunOptions& options,
                      std::string& problem) {
  options.fromPath = line.option("--from");
  options.lockedVehicles = std::move(locks);
  if (options.fromPath && options.fromPath->empty()) {
    problem = "--from needs a plan file";
    return false;
  }
  if (const auto now = line.option("--now")) {
    options.now = parseNow(*now);
    if (!options.now) {
      problem = "--now needs a local date and time \"YYYY-MM-DD HH:MM\", not '" + *now + "'";
      return false;
    }
  }
  if (!options.fromPath && (options.now || !options.lockedVehicles.empty())) {
    problem = std::string(options.now ? "--now" : "--lock") + " needs --from PLAN.json";
    return false;
  }
  return true;
}

// The arguments without every "--lock VEHICLE" (or "--lock=VEHICLE"), whose values go to `locks`.
std::optional<std::vector<std::string>> withoutLocks(const std::vector<std::string>& args,
                                                     std::vector<std::string>& locks, std::string& problem) {
  std::vector<std::string> rest;
  for (std::size_t k = 0; k < args.size(); ++k) {
    if (args[k].rfind("--lock=", 0) == 0) {
      locks.push_back(args[k].substr(7));
    } else if (args[k] != "--lock") {
      rest.push_back(args[k]);
    } else if (k + 1 < args.size()) {
      locks.push_back(args[++k]);
    } else {
      problem = "option --lock needs a value";
      return std::nullopt;
    }
  }
  for (std::string& vehicle : locks) {
    if (vehicle.empty()) {
      problem = "--lock needs a vehicle name";
      return std::nullopt;
    }
    for (char& c : vehicle) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return rest;
}

}  // namespace

bool readSwitch(const CommandLine& line, const std::string& name, std::optional<bool>& target, std::string& problem) {
  const std::string on = "--" + name;
  const std::string off = "--no-" + name;
  if (line.has(on) && line.has(off)) {
    problem = on + " and " + off + " exclude each other";
    return false;
  }
  if (line.has(on) || line.has(off)) target = line.has(on);
  return true;
}

std::optional<std::uint32_t> parseWholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const unsigned long long value = std::stoull(text);
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<std::int32_t> parseNow(const std::string& text) {
  std::size_t pos = 0;
  const std::int32_t minutes = parseDateTime(text, pos);
  if (minutes <= 0 || text.size() != 16 || formatDateTime(minutes) != text) return std::nullopt;
  return minutes;
}

std::optional<double> parseTimeLimit(const std::string& text) {
  const std::size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string fraction = point == std::string::npos ? std::string() : text.substr(point + 1);
  const auto digitsOnly = [](const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; };
  if (whole.size() + fraction.size() == 0 || whole.size() > 9 || !digitsOnly(whole) || !digitsOnly(fraction)) {
    return std::nullopt;
  }
  if (point != std::string::npos && fraction.empty()) return std::nullopt;
  const double seconds = std::stod("0" + text);
  if (!(seconds > 0.0) || !std::isfinite(seconds)) return std::nullopt;
  return seconds;
}

std::optional<RunOptions> parseRunOptions(const std::string& command, const std::vector<std::string>& args,
                                          const RunOptionSet& set, std::string& problem) {
  std::set<std::string> valued = {"--seed", "--output", "--time-limit", "--from", "--now"};
  if (set.generations) valued.insert("--generations");
  if (set.csv) valued.insert("--csv");
  if (set.restarts) valued.insert("--restarts");
  if (set.passes) valued.insert("--iterations");
  std::vector<std::string> locks;
  const auto unlocked = withoutLocks(args, locks, problem);
  if (!unlocked) return std::nullopt;
  const auto line = parseCommandLine(
      withLongNames(*unlocked),
      {"--json", "--estimated-gain", "--capacity", "--no-capacity", "--driver-rules", "--no-driver-rules"}, valued,
      problem);
  if (!line) return std::nullopt;
  if (line->positionals.size() != 1) {
    problem = command + (line->positionals.empty() ? " needs a configuration file" : " takes one configuration file");
    return std::nullopt;
  }
  RunOptions options;
  options.configPath = line->positionals[0];
  options.estimatedGain = line->has("--estimated-gain");
  options.json = line->has("--json");
  if (!readSwitch(*line, "capacity", options.capacity, problem) ||
      !readSwitch(*line, "driver-rules", options.driverRules, problem) || !readValues(*line, options, problem) ||
      !readPasses(*line, options, problem) || !readContinuation(*line, std::move(locks), options, problem))
    return std::nullopt;
  return options;
}

std::string runSynopsis(const RunOptionSet& set) {
  std::string synopsis =
      "CONFIG [--estimated-gain] [--capacity|--no-capacity] [--driver-rules|--no-driver-rules] [--seed N] [--json] [-o "
      "FILE] [--time-limit SECONDS]";
  if (set.generations) synopsis += " [--generations N]";
  if (set.csv) synopsis += " [--csv FILE]";
  if (set.restarts) synopsis += " [--restarts N]";
  if (set.passes) synopsis += " [--iterations N]";
  return synopsis + " [--from PLAN.json [--lock VEHICLE]... [--now \"YYYY-MM-DD HH:MM\"]]";
}

std::vector<OptionHelp> runOptionHelp(const RunOptionSet& set) {
  std::vector<OptionHelp> help = {
      {"CONFIG", "the instance's configuration file; data files named in it are looked for beside it"},
      {"--estimated-gain", "include the estimated gain in the calculations (default: off)"},
      {"--capacity, --no-capacity",
       "respect the vehicles' capacities, or do not, whatever the configuration's "
       "checkCapacity says (default: as the configuration says)"},
      {"--driver-rules, --no-driver-rules",
       "keep the EU driving and rest times of one driver, or do not, whatever the configuration's "
       "driverRules says (default: as the configuration says)"},
      {"--seed N",
       "run seeded with N (0 to 4294967295) so the run repeats exactly; without it a seed is drawn "
       "from the clock and printed (text header and JSON \"seed\")"},
      {"--json", "print the plan as one JSON document (described in docs/plan-json.md) instead of text"},
      {"-o FILE, --output FILE",
       "write the plan to FILE instead of standard output; the file is replaced whole "
       "or not at all (default: standard output)"},
      {"--time-limit SECONDS",
       "stop the run after SECONDS (a number greater than 0, fractions allowed) and print "
       "the best plan so far, marked \"stopped\": \"time limit\" (default: no limit)"},
  };
  if (set.generations) {
    help.push_back({"--generations N",
                    "generations of the genetic algorithm, iterations of the hybrid one "
                    "(0 to 1000000; default: " +
                        std::to_string(kDefaultGenerations) + ")"});
  }
  if (set.csv) {
    help.push_back({"--csv FILE",
                    "also write the plan as the CSV report that File > Save writes in the window "
                    "(columns in the README; default: none)"});
  }
  if (set.restarts) {
    help.push_back({"--restarts N",
                    "build and improve N plans (1 to 1000) and keep the best; total.dump gets every plan "
                    "whose gain was not seen before (default: 1)"});
  }
  if (set.passes) {
    help.push_back({"--iterations N",
                    "end the local search after N passes (0 to 1000000; 0 keeps the first plan, or the plan "
                    "of --from, as it is; default: no limit)"});
  }
  help.push_back({"--from PLAN.json",
                  "start from a plan document written before (--json) instead of a first plan: every route is "
                  "rebuilt in its stops' order and timed anew on the data; an order that no longer fits leaves its "
                  "route (said on standard error, and in the document's \"problems\") and is planned as usual, "
                  "as are orders the plan does not name (default: none)"});
  help.push_back({"--lock VEHICLE",
                  "with --from: the vehicle's route keeps its orders in their order, no optimiser moves one in or "
                  "out; repeatable; routes marked \"locked\": true in the plan are locked too (default: none)"});
  help.push_back({"--now \"YYYY-MM-DD HH:MM\"",
                  "with --from: stops whose likely service start is before this local time are done or under way "
                  "and stay; each vehicle goes on from its last such stop, and an order picked up stays on its "
                  "vehicle (default: none)"});
  return help;
}

}  // namespace tamso::cli

#pragma once
// The options shared by the commands that plan an instance:
// "CONFIG [--estimated-gain] [--seed N] [--json] [--capacity | --no-capacity] [-o FILE]
// [--time-limit SECONDS]", with "--generations N" for the evolutionary searches and
// "--csv FILE" and "--restarts N" for plan.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/command_help.h"
#include "cli/command_line.h"
#include "run/run_request.h"

namespace tamso::cli {

// The options a planning command takes beyond the common ones.
struct RunOptionSet {
  bool generations = false;  // --generations N
  bool csv = false;          // --csv FILE
  bool restarts = false;     // --restarts N
  bool passes = false;       // --iterations N: passes of the local search
};

inline constexpr std::int32_t maxGenerations = 1000000;
inline constexpr std::int32_t maxRestarts = 1000;

struct RunOptions {
  std::string configPath;
  bool estimatedGain = false;
  std::optional<std::uint32_t> seed;
  bool json = false;
  std::optional<bool> capacity;           // overrides the configuration's checkCapacity when given
  std::optional<bool> driverRules;        // overrides the configuration's driverRules when given
  std::optional<std::string> outputPath;  // -o / --output
  std::optional<double> timeLimitSeconds;
  std::optional<std::string> csvPath;
  std::int32_t generations = kDefaultGenerations;
  std::int32_t restarts = kDefaultRestarts;
  std::int32_t localSearchPasses = -1;      // no limit when negative
  std::optional<std::string> fromPath;      // --from PLAN.json: continue a saved plan
  std::vector<std::string> lockedVehicles;  // --lock VEHICLE, repeatable
  std::optional<std::int32_t> now;          // --now "YYYY-MM-DD HH:MM", minutes since the epoch
};

// "YYYY-MM-DD HH:MM" in local time as minutes since the epoch; nothing for any other text.
std::optional<std::int32_t> parseNow(const std::string& text);

// --NAME and --no-NAME: on, off, or left to the configuration; both at once is refused.
bool readSwitch(const CommandLine& line, const std::string& name, std::optional<bool>& target, std::string& problem);

// A whole number from 0 to 4294967295 written in decimal digits only.
std::optional<std::uint32_t> parseWholeNumber(const std::string& text);

// A number of seconds greater than 0, in decimal digits with an optional fraction ("2.5").
std::optional<double> parseTimeLimit(const std::string& text);

// Nothing, with `problem` set to the reason, for an unknown option, a missing or second
// configuration file, an option value that does not fit, or both capacity options.
std::optional<RunOptions> parseRunOptions(const std::string& command, const std::vector<std::string>& args,
                                          const RunOptionSet& set, std::string& problem);
inline std::optional<RunOptions> parseRunOptions(const std::string& command, const std::vector<std::string>& args,
                                                 std::string& problem) {
  return parseRunOptions(command, args, RunOptionSet{}, problem);
}

// The synopsis and the option texts of --help for a planning command.
std::string runSynopsis(const RunOptionSet& set);
std::vector<OptionHelp> runOptionHelp(const RunOptionSet& set);

}  // namespace tamso::cli

#pragma once
// The options shared by the commands that plan an instance:
// "CONFIG [--estimated-gain] [--seed N] [--json] [--capacity | --no-capacity]".
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tamso::cli {

struct RunOptions {
  std::string configPath;
  bool estimatedGain = false;
  std::optional<std::uint32_t> seed;
  bool json = false;
  std::optional<bool> capacity;  // overrides the configuration's checkCapacity when given
};

// A whole number from 0 to 4294967295 written in decimal digits only.
std::optional<std::uint32_t> parseWholeNumber(const std::string& text);

// Nothing, with `problem` set to the reason, for an unknown option, a missing or second
// configuration file, a seed that is no whole number, or both capacity options.
std::optional<RunOptions> parseRunOptions(const std::string& command, const std::vector<std::string>& args,
                                          std::string& problem);

}  // namespace tamso::cli

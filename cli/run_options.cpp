#include "cli/run_options.h"

#include "cli/command_line.h"

namespace tamso::cli {

std::optional<std::uint32_t> parseWholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) {
    return std::nullopt;
  }
  const unsigned long long value = std::stoull(text);
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<RunOptions> parseRunOptions(const std::string& command, const std::vector<std::string>& args,
                                          std::string& problem) {
  const auto line = parseCommandLine(args, {"--json", "--estimated-gain", "--capacity", "--no-capacity"}, {"--seed"}, problem);
  if (!line) return std::nullopt;
  if (line->positionals.size() != 1) {
    problem = command + (line->positionals.empty() ? " needs a configuration file" : " takes one configuration file");
    return std::nullopt;
  }
  RunOptions options;
  options.configPath = line->positionals[0];
  options.estimatedGain = line->has("--estimated-gain");
  options.json = line->has("--json");
  if (line->has("--capacity") && line->has("--no-capacity")) {
    problem = "--capacity and --no-capacity exclude each other";
    return std::nullopt;
  }
  if (line->has("--capacity") || line->has("--no-capacity")) options.capacity = line->has("--capacity");
  if (const auto seedText = line->option("--seed")) {
    options.seed = parseWholeNumber(*seedText);
    if (!options.seed) {
      problem = "--seed needs a whole number from 0 to 4294967295, not '" + *seedText + "'";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace tamso::cli

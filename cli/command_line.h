#pragma once
// Splits a command's arguments into positional arguments, flags ("--json") and options
// that take a value ("--seed 7" or "--seed=7").
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tamso::cli {

struct CommandLine {
  std::vector<std::string> positionals;
  std::set<std::string> flags;
  std::map<std::string, std::string> options;

  bool has(const std::string& flag) const { return flags.count(flag) != 0; }
  std::optional<std::string> option(const std::string& name) const;
};

// Nothing, with `problem` set to a message, when an argument starts with "--" and is no
// known flag or option, or an option lacks its value.
std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, const std::set<std::string>& flags,
                                            const std::set<std::string>& valuedOptions, std::string& problem);

}  // namespace tamso::cli

#include "cli/command_line.h"

namespace tamso::cli {

std::optional<std::string> CommandLine::option(const std::string& name) const {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args, const std::set<std::string>& flags,
                                            const std::set<std::string>& valuedOptions, std::string& problem) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      line.positionals.push_back(arg);
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (valuedOptions.count(name) != 0) {
      if (equals != std::string::npos) {
        line.options[name] = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        line.options[name] = args[++i];
      } else {
        problem = "option " + name + " needs a value";
        return std::nullopt;
      }
    } else if (flags.count(arg) != 0) {
      line.flags.insert(arg);
    } else {
      problem = "unknown option " + arg;
      return std::nullopt;
    }
  }
  return line;
}

}  // namespace tamso::cli

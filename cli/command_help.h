#pragma once
// The --help text of one command: its synopsis, what it does, every option with its
// meaning and default, and the exit statuses.
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

struct OptionHelp {
  std::string option;   // "--seed N"
  std::string meaning;  // what it does, with the default
};

void printCommandHelp(std::ostream& out, const std::string& name, const std::string& synopsis,
                      const std::string& summary, const std::vector<OptionHelp>& options);

// The exit statuses every command shares.
void printExitStatuses(std::ostream& out);

}  // namespace tamso::cli

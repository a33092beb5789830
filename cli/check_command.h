#pragma once
// "check CONFIG [--json]": loads an instance and prints its summary, or the whole loaded
// problem as one JSON document.
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

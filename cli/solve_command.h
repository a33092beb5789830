#pragma once
// tamso-cli solve CONFIG [--time-limit S] [--iterations N] [--seed N] [--json] [--estimated-gain]:
// the thorough search; prints the plan as plan does, with the steps and the time used.
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

int runSolveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

#pragma once
// tamso-cli solve CONFIG [the options of plan but --csv] [--iterations N]: the thorough
// search; prints the plan document as plan does, with the steps and the time used.
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

int runSolveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

#pragma once
// "plan CONFIG [options]": load an instance, run the local search planner, write
// "total.dump" into the current directory and print the plan (and its CSV report with --csv).
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

int runPlanCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

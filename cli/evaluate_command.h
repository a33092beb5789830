#pragma once
// "evaluate CONFIG PLAN.json": a saved plan (or one made by hand or by another program) timed
// anew on the data and printed as a plan document with its gain and every problem found;
// nothing is optimised. Exit 0 when every route holds, 1 when some order had to leave.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_help.h"

namespace tamso::cli {

int runEvaluateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::vector<OptionHelp> evaluateHelp();

}  // namespace tamso::cli

#pragma once
// "matrix request CONFIG": the places' coordinates as a routing engine's table request
// takes them; "matrix import CONFIG RESPONSE.json -o FILE": the engine's answer as a
// distances file.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_help.h"

namespace tamso::cli {

int runMatrixCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::vector<OptionHelp> matrixHelp();

}  // namespace tamso::cli

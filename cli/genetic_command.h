#pragma once
// "ga CONFIG [options]" and "hga ...": run the genetic or the hybrid genetic search on an
// instance, write its dump files into the current directory and print the populations,
// the children and the best plan found.
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

int runGeneticCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runHybridCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

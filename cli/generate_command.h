#pragma once
// "generate DIR --places N --orders N --vehicles N [--seed S]": write a random loadable
// instance (DIR/instance.cfg and its nine data files).
#include <ostream>
#include <string>
#include <vector>

namespace tamso::cli {

int runGenerateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tamso::cli

#pragma once
// "diff OLD.json NEW.json [--json]": what changed between two plan documents, per vehicle:
// orders added, moved over from another vehicle and removed, and stops whose likely service
// start moved by more than 30 minutes.
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_help.h"

namespace tamso::cli {

int runDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::vector<OptionHelp> diffHelp();

}  // namespace tamso::cli

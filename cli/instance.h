#pragma once
// Loading an instance for a command and reporting a failed load, shared by the commands.
#include <iostream>
#include <optional>
#include <string>

#include "problem/loader.h"

namespace tamso::cli {

// Loads the instance; data files named relative to the configuration file are looked for
// beside it. The load's warnings go to err.
std::optional<LoadError> loadForCommand(const std::string& configPath, ProblemData& problem,
                                        std::ostream& err = std::cerr);

// Writes the loader's message as one line on err, then "at FILE:LINE" when the line is
// known, followed by the reason when there is one; returns exitFailure.
int reportLoadError(const LoadError& error, std::ostream& err);

}  // namespace tamso::cli

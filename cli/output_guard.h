#pragma once
// A planning run never writes over a file it read: its outputs (-o, --csv and the dump files
// in the current folder) are checked against the configuration and data files before the
// run starts.
#include <optional>
#include <string>
#include <vector>

#include "cli/run_options.h"
#include "problem/problem_data.h"

namespace tamso::cli {

// The files a planning run may write.
std::vector<std::string> runOutputs(const RunOptions& options);

// Nothing when no output of the run is a file the problem was read from, else the message
// naming both.
std::optional<std::string> outputOverwritingInput(const RunOptions& options, const ProblemData& problem);

}  // namespace tamso::cli

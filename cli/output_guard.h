#pragma once
// A planning run never writes over a file it read: its outputs (-o, --csv and its dump
// files) are checked against the configuration and data files before the run starts.
#include <ostream>
#include <string>
#include <vector>

#include "cli/run_options.h"
#include "run/run_request.h"

namespace tamso::cli {

// The files the run asked for may write.
std::vector<std::string> runOutputs(const RunRequest& request, const RunOptions& options);

// True when no output of the run is a file its problem was read from; otherwise says which
// on err ("tamso-cli: Cannot write the file OUTPUT: it is the input file INPUT").
bool outputsSpareInputs(const RunRequest& request, const RunOptions& options, std::ostream& err);

}  // namespace tamso::cli

#pragma once
// The command line's side of continuing a saved plan (--from, --lock, --now): the plan file
// read into the run's request and counted among its inputs, the locked vehicles checked
// against the data, and afterwards what no longer held said on standard error and added
// to the plan document.
#include <ostream>

#include <nlohmann/json.hpp>

#include "cli/run_options.h"
#include "run/run_outcome.h"
#include "run/run_request.h"

namespace tamso::cli {

// Puts the saved plan of --from, the locks and the time of day into the request; false,
// with the reason on err, for a plan file that cannot be read or a locked vehicle the data
// does not know. Without --from it changes nothing.
bool continueSavedPlan(RunRequest& request, const RunOptions& options, std::ostream& err);

// After a run that continued a saved plan: every problem of the plan on err, and the
// document (when there is one) given its "locked" flags and "problems".
void reportContinuation(const RunRequest& request, const RunOutcome& run, std::ostream& err,
                        nlohmann::json* document = nullptr);

}  // namespace tamso::cli

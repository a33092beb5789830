#pragma once
// File > Save: the plan on the map as the CSV report that "tamso-cli plan --csv" writes too;
// File > Save Report: the text or JSON report that the command line prints.
#include <optional>
#include <string>

#include "report/plan_output.h"
#include "run/run_request.h"

namespace tamso {
class Solution;
}

namespace tamso::ui {

// The error message in the user's words, or nothing when the file was written completely.
// The file is replaced whole or not at all.
std::optional<std::string> savePlanReport(const std::string& path, Solution& solution);

// The report of the run that made the plan: the JSON document when the file name ends in
// ".json", the text otherwise. Replaced whole or not at all, as above.
std::optional<std::string> saveRunReport(const std::string& path, const RunFacts& facts, Solution& solution);

// File > Save Plan: the plan document of the command line with each route's lock, which
// File > Open Plan and "tamso-cli --from" read back. Replaced whole or not at all.
std::optional<std::string> savePlanDocument(const std::string& path, const RunFacts& facts, Solution& solution);
// What the reports call a run of the command: "plan", "hga", "ga" or "solve", as the command
// line names it.
std::string reportCommandName(RunCommand command);

}  // namespace tamso::ui

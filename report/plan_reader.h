#pragma once
// Reading a plan document (docs/plan-json.md) back: its routes' vehicles and stops in
// driving order, the locks, and the orders it left out. Times, gains and figures are not
// read: a plan is always timed anew on the data it meets. A document this planner cannot
// read is refused with the reason, never half read.
#include <optional>
#include <string>

#include "routing/saved_plan.h"

namespace tamso {

// Nothing, with `error` set, for text that is no JSON, another schemaVersion, a shape other
// than a plan document's, a vehicle with two routes, an order named twice or without both
// of its stops in order on one route, or a time that is no time. Names are upper-cased as
// the data files' names are.
std::optional<SavedPlan> readSavedPlan(const std::string& text, std::string& error);

// The same for a file; the error names the file.
std::optional<SavedPlan> readSavedPlanFile(const std::string& path, std::string& error);

}  // namespace tamso

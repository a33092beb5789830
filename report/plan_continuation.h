#pragma once
// What a report adds for a plan that continued a saved one: whether each route was locked,
// and what no longer held in the saved plan (the orders that had to leave their routes, and
// the stops under way that stay although they no longer hold). Only such plans carry it, so
// the report of a plan built from nothing is as it always was.
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "routing/plan_rebuild.h"
#include "routing/solution.h"

namespace tamso {

// Gives every route of the document (and of its "best" plan) its "locked" flag and the
// document its "problems" list.
void addContinuation(nlohmann::json& document, const Solution& plan, const std::vector<PlanProblem>& problems);

// One line per problem: "order O2 leaves route POZ-01: REASON" or "order O2 stays on route
// POZ-01 (under way): REASON".
void printPlanProblems(std::ostream& out, const std::vector<PlanProblem>& problems, const char* prefix = "");

}  // namespace tamso

#pragma once
// The plan as a dispatcher reads it (text) and as programs read it (JSON); shared by the
// plan, ga and hga commands.
#include <ostream>

#include <nlohmann/json.hpp>

#include "routing/solution.h"

namespace tamso {

void printPlanText(std::ostream& out, Solution& solution);
nlohmann::json planJson(Solution& solution);

}  // namespace tamso

#pragma once
// Laying a saved plan over today's data: every route is rebuilt from its stops' order and
// timed anew. An order that no longer fits (gone from the data, its vehicle gone, a window
// it now misses, a load too large, the driving and rest times broken) leaves its route and
// is listed with the reason; the plan then serves only what still holds. Routes the
// dispatcher locked, and with a time of day the stops already under way, stay fixed for
// every optimiser.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "problem/problem_data.h"
#include "routing/saved_plan.h"
#include "routing/solution.h"

namespace tamso {

struct RebuildSettings {
  bool estimatedGain = false;
  std::vector<std::string> lockedVehicles;  // routes kept as they are besides those the plan locks
  // Minutes since the epoch: stops whose likely service start is before it are done or under
  // way and stay; orders picked up by then stay on their vehicle.
  std::optional<std::int32_t> now;
};

// An order that had to leave its route, or a stop under way that no longer holds.
struct PlanProblem {
  std::string order;
  std::string vehicle;
  std::string reason;
  bool kept = false;  // the stop is under way and stays although it no longer holds
};

struct RebuiltPlan {
  std::unique_ptr<Solution> solution;  // the orders it does not serve are unplanned
  std::vector<PlanProblem> problems;
};

// The saved plan on the problem. The unplanned list holds the orders the plan left out (in
// its order), then the orders that had to leave, then the orders new to the plan, in table
// order. The solution's gain is its total.
RebuiltPlan rebuildPlan(const ProblemData& problem, const SavedPlan& plan, const RebuildSettings& settings);

// The plan with only its fixed stops and their orders on its routes and nothing unplanned:
// where a plan bred anew from other plans starts.
Solution fixedPart(const Solution& plan);

// Whether some route of the plan has stops that stay or takes no further order.
bool hasFixedStops(const Solution& plan);

}  // namespace tamso

#pragma once
// What changed between two plans, per vehicle, as a dispatcher phones it through to the
// drivers: the orders that joined the route (new to the routes, or moved over from another
// vehicle), the orders that left it (to another vehicle, or out of the plan), and the stops
// that stayed but whose likely service start moved by more than half an hour.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "routing/saved_plan.h"

namespace tamso {

inline constexpr std::int32_t kRetimedMinutes = 30;

struct OrderChange {
  std::string order;
  std::string otherVehicle;  // where it came from or went to; empty: not on any route
};

struct RetimedStop {
  std::string order;
  StopKind kind = StopKind::Pickup;
  std::int32_t before = 0;  // likely service starts, minutes since the epoch
  std::int32_t after = 0;
};

struct VehicleChanges {
  std::string vehicle;
  std::vector<OrderChange> added;    // on this route now, on no route before
  std::vector<OrderChange> moved;    // on this route now, on otherVehicle's before
  std::vector<OrderChange> removed;  // on this route before; otherVehicle's now, or none
  std::vector<RetimedStop> retimed;
  bool empty() const { return added.empty() && moved.empty() && removed.empty() && retimed.empty(); }
};

// One entry per vehicle with a change, in the order the new plan (then the old) lists them.
std::vector<VehicleChanges> planChanges(const SavedPlan& before, const SavedPlan& after);

void printPlanChanges(std::ostream& out, const std::vector<VehicleChanges>& changes);
nlohmann::json planChangesJson(const std::vector<VehicleChanges>& changes);

}  // namespace tamso

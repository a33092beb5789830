#include "routing/unplanned_reason.h"

#include <algorithm>
#include <cstdio>

#include "problem/capacity.h"
#include "routing/route_loads.h"
#include "routing/solution.h"

namespace tamso {

namespace {

// The gain change of inserting the order into a copy of the route at its first feasible
// positions; false when the route cannot take it.
bool trialGainChange(const Route& route, const Order& order, float& change) {
  Route trial = route;
  if (trial.canInsert(order) <= 0.0f) return false;
  const float before = trial.gain();
  if (!trial.insertOrder(order)) return false;
  change = trial.gain() - before;
  return true;
}

bool someVehicleCarries(const Solution& solution, const Order& order) {
  const auto carries = [&](const Route& route) { return vehicleCarries(route, order); };
  return std::any_of(solution.routes().begin(), solution.routes().end(), carries);
}

bool fitsSomeRouteWithoutDriverRules(const Solution& solution, const Order& order) {
  const auto fits = [&](const Route& route) { return fitsWithoutDriverRules(route, order); };
  return std::any_of(solution.routes().begin(), solution.routes().end(), fits);
}

UnplannedReason::Kind noFitKind(const Solution& solution, const Order& order) {
  if (fitsSomeRouteWithoutDriverRules(solution, order)) return UnplannedReason::Kind::BeyondDrivingTimes;
  if (!solution.problem().checkCapacity) return UnplannedReason::Kind::NoRouteFits;
  if (solution.routeCount() > 0 && !someVehicleCarries(solution, order)) {
    return UnplannedReason::Kind::LargerThanEveryVehicle;
  }
  return UnplannedReason::Kind::NoRoomWithinWindows;
}

UnplannedReason reasonFor(const Solution& solution, const Order& order) {
  UnplannedReason reason;
  reason.order = &order;
  for (std::int32_t i = 0; i < solution.routeCount(); ++i) {
    float change = 0.0f;
    if (!trialGainChange(*solution.route(i), order, change)) continue;
    if (reason.bestRoute < 0 || change > reason.gainChange) {
      reason.bestRoute = i;
      reason.gainChange = change;
    }
  }
  if (reason.bestRoute < 0) {
    reason.kind = noFitKind(solution, order);
  } else {
    reason.kind = reason.gainChange > 0.0f ? UnplannedReason::Kind::WouldRaiseGain : UnplannedReason::Kind::LowersGain;
  }
  return reason;
}

}  // namespace

bool vehicleCarries(const Route& route, const Order& order) {
  const std::vector<double>* limits = capacityLimitsFor(route.problem(), route.vehicle());
  return limits == nullptr || loadFits(order.capacityLoad, *limits);
}

bool fitsWithoutDriverRules(const Route& route, const Order& order) {
  if (!route.driverRules()) return false;
  Route trial = route;
  trial.setDriverRules(false);
  return trial.canInsert(order) > 0.0f;
}

std::string UnplannedReason::describe() const {
  char amount[64];
  std::snprintf(amount, sizeof amount, "%.2f", static_cast<double>(gainChange < 0 ? -gainChange : gainChange));
  switch (kind) {
    case Kind::NoRouteFits:
      return "No route can take it at any position without missing a time window.";
    case Kind::LargerThanEveryVehicle:
      return "It is larger than every vehicle.";
    case Kind::NoRoomWithinWindows:
      return "No route has room for it within its windows.";
    case Kind::LowersGain:
      if (gainChange == 0.0f) return "It would not raise the total gain: the best route for it would gain nothing.";
      return std::string("It would lower the total gain: the best route for it would lose ") + amount + ".";
    case Kind::BeyondDrivingTimes:
      return "No driver can reach it within the driving and rest times.";
    case Kind::WouldRaiseGain:
      return std::string("It would raise the total gain by ") + amount + ", but the plan was not improved to the end.";
  }
  return {};
}

std::vector<UnplannedReason> unplannedReasons(const Solution& solution) {
  std::vector<UnplannedReason> reasons;
  reasons.reserve(solution.unplanned().size());
  for (const Order* order : solution.unplanned()) {
    if (order) reasons.push_back(reasonFor(solution, *order));
  }
  return reasons;
}

}  // namespace tamso

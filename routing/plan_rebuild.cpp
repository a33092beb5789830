#include "routing/plan_rebuild.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "problem/text.h"
#include "routing/route_loads.h"
#include "routing/schedule_steps.h"

namespace tamso {

namespace {

// The first order of the table with each name.
std::unordered_map<std::string, const Order*> ordersByName(const ProblemData& problem) {
  std::unordered_map<std::string, const Order*> byName;
  for (const Order& order : problem.orders) byName.emplace(order.name, &order);
  return byName;
}

struct RebuildState {
  const ProblemData& problem;
  const RebuildSettings& settings;
  std::unordered_map<std::string, const Order*> orders;
  RebuiltPlan result;
  std::vector<const Order*> left;  // orders of the data that had to leave, in the order they left

  const Order* order(const std::string& name) const {
    const auto found = orders.find(name);
    return found == orders.end() ? nullptr : found->second;
  }

  void leave(const std::string& orderName, const std::string& vehicle, const std::string& reason) {
    result.problems.push_back({orderName, vehicle, reason, false});
    if (const Order* known = order(orderName)) left.push_back(known);
  }
};

// Every order of the route leaves it for the same reason.
void leaveWhole(RebuildState& state, const SavedRoute& saved, const std::string& reason) {
  for (const SavedStop& stop : saved.stops) {
    if (stop.kind == StopKind::Pickup) state.leave(stop.order, saved.vehicle, reason);
  }
}

// The saved stops in their order; an order the data does not know leaves at once.
void layStops(RebuildState& state, const SavedRoute& saved, Route& route) {
  for (std::size_t k = 0; k < saved.stops.size(); ++k) {
    const SavedStop& stop = saved.stops[k];
    if (stop.kind == StopKind::Waiting) {
      const Place* place = state.problem.findPlace(stop.place);
      if (place != nullptr && k + 1 == saved.stops.size()) route.insertStop(RouteStop::waiting(*place), -1);
      continue;
    }
    const Order* order = state.order(stop.order);
    if (order == nullptr || order->pickupPlace == nullptr || order->deliveryPlace == nullptr) {
      if (stop.kind == StopKind::Pickup) {
        state.leave(stop.order, saved.vehicle,
                    order ? "its places are not in the data" : "the order is not in the data");
      }
      continue;
    }
    route.insertStop(stop.kind == StopKind::Pickup ? RouteStop::pickup(*order) : RouteStop::delivery(*order), -1);
  }
}

// Why stop k no longer holds; nothing when it does.
std::optional<std::string> stopFault(Route& route, std::int32_t k) {
  const RouteStop& stop = route.stops()[static_cast<std::size_t>(k)];
  if (stop.kind == StopKind::Waiting) return std::nullopt;
  const char* what = stop.kind == StopKind::Pickup ? "pickup" : "delivery";
  if (stop.satisfaction < 0.0f) {
    return std::string("no driver can reach its ") + what + " within the driving and rest times";
  }
  if (!schedule::satisfies(stop.satisfaction, route.problem())) {
    return std::string("its ") + what + " at " + stop.place->name + " would miss its window (arrival " +
           formatDateTime(stop.arrival.likely) + ")";
  }
  const StopLoads* loads = route.capacityLoads();
  const std::vector<double>* limits = capacityLimitsFor(route.problem(), route.vehicle());
  if (loads == nullptr || limits == nullptr) return std::nullopt;
  const std::span<const double> onBoard = loads->after(k);
  for (std::size_t key = 0; key < onBoard.size(); ++key) {
    if (onBoard[key] > (*limits)[key]) return std::string("the load would exceed the vehicle's capacity");
  }
  return std::nullopt;
}

// The stops done or under way at `now`: those whose likely service start is before it.
std::int32_t stopsStarted(const Route& route, std::optional<std::int32_t> now) {
  if (!now) return 0;
  std::int32_t started = 0;
  while (started < route.stopCount() && route.stops()[static_cast<std::size_t>(started)].serviceStart.likely < *now) {
    ++started;
  }
  return started;
}

// Takes out, one at a time, the order of the first stop that no longer holds, until every
// stop holds; a stop of an order already picked up by `started` stays and is reported.
void repairRoute(RebuildState& state, Route& route, std::int32_t started) {
  std::set<const Order*> kept;
  for (std::int32_t k = 0; k < route.stopCount(); ++k) {
    route.evaluate();
    const auto fault = stopFault(route, k);
    if (!fault) continue;
    const Order& order = *route.stops()[static_cast<std::size_t>(k)].order;
    if (route.firstStopOf(order) < started) {
      if (kept.insert(&order).second) state.result.problems.push_back({order.name, route.vehicle().name, *fault, true});
      continue;
    }
    state.leave(order.name, route.vehicle().name, *fault);
    route.removeOrder(order);
    k = started - 1;  // the stops before the first one that may have moved hold as they did
  }
  route.evaluate();
}

bool lockedByRequest(const RebuildSettings& settings, const std::string& vehicle) {
  return std::find(settings.lockedVehicles.begin(), settings.lockedVehicles.end(), vehicle) !=
         settings.lockedVehicles.end();
}

void rebuildRoute(RebuildState& state, const SavedRoute& saved) {
  const Vehicle* vehicle = state.problem.findVehicle(saved.vehicle);
  if (vehicle == nullptr) return leaveWhole(state, saved, "the vehicle is not in the data");
  if (vehicle->startPlace == nullptr) return leaveWhole(state, saved, "the vehicle has no start position");
  Route& route = *state.result.solution->route(static_cast<std::int32_t>(vehicle - state.problem.vehicles.data()));
  layStops(state, saved, route);
  route.evaluate();
  const std::int32_t started = stopsStarted(route, state.settings.now);
  repairRoute(state, route, started);
  if (saved.locked || lockedByRequest(state.settings, vehicle->name)) {
    route.fix(route.stopCount(), true);
  } else {
    route.fix(started, false);
  }
}

void listUnplanned(RebuildState& state, const SavedPlan& plan) {
  Solution& solution = *state.result.solution;
  std::set<const Order*> served;
  for (const Route& route : solution.routes()) {
    for (const RouteStop& stop : route.stops()) served.insert(stop.order);
  }
  auto add = [&](const Order* order) {
    if (order != nullptr && served.insert(order).second) solution.unplanned().push_back(order);
  };
  for (const std::string& name : plan.unplanned) add(state.order(name));
  for (const Order* order : state.left) add(order);
  for (const Order& order : state.problem.orders) add(&order);
}

}  // namespace

RebuiltPlan rebuildPlan(const ProblemData& problem, const SavedPlan& plan, const RebuildSettings& settings) {
  RebuildState state{problem, settings, ordersByName(problem), {}, {}};
  state.result.solution = std::make_unique<Solution>(problem, settings.estimatedGain);
  for (const SavedRoute& saved : plan.routes) rebuildRoute(state, saved);
  listUnplanned(state, plan);
  Solution& solution = *state.result.solution;
  solution.setGain(solution.totalGain(settings.estimatedGain));
  return std::move(state.result);
}

Solution fixedPart(const Solution& plan) {
  Solution part(plan);
  part.unplanned().clear();
  for (Route& route : part.routes()) {
    std::vector<const Order*> movable;
    for (std::int32_t k = route.fixedOrders(); k < route.orderCount(); ++k) movable.push_back(route.orderAt(k));
    for (const Order* order : movable) route.removeOrder(*order);
    if (route.stopCount() > route.fixedStops() && route.waitingPlace() != nullptr) {
      route.removeStopAt(route.stopCount() - 1);
    }
    route.evaluate();
  }
  part.setGain(part.totalGain(part.estimatedGain()));
  return part;
}

bool hasFixedStops(const Solution& plan) {
  return std::any_of(plan.routes().begin(), plan.routes().end(),
                     [](const Route& route) { return route.fixedStops() > 0 || route.closed(); });
}

}  // namespace tamso

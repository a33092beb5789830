#pragma once
// The changes a dispatcher makes to a plan by hand: an order moved to another route, taken
// in from the unplanned orders or sent to them, a route locked or unlocked. A move is valued
// before it is made, route by route, so that only moves that keep every window, load and
// driving and rest time are offered, best first, and the others say why they are not.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "routing/saved_plan.h"
#include "routing/solution.h"

namespace tamso {

// The order on one route: where its stops would go and what the plan would gain by it, or
// why the route cannot take it.
struct RouteOffer {
  std::int32_t route = -1;
  InsertionPair at;         // the best feasible positions of the order's two stops
  float gainChange = 0.0f;  // change of the plan's total gain by the whole move
  std::string reason;       // why the order does not fit; empty when it does
  bool fits() const { return reason.empty(); }
};

// One offer per route except the one serving the order now: the routes it fits first, the
// largest gain change first, then the others in route order with their reasons.
std::vector<RouteOffer> routeOffers(const Solution& plan, const Order& order);

// The offer of one route (not the one serving the order now, which is refused), with the
// same gain change or reason routeOffers gives it; nothing for a route the plan lacks.
std::optional<RouteOffer> routeOffer(const Solution& plan, const Order& order, std::int32_t route);

// The index of the route serving the order; -1 when it is unplanned.
std::int32_t routeOf(const Solution& plan, const Order& order);

// Why the order cannot leave its route (the route is locked, or the order is under way);
// nothing when it may, or when it is on no route.
std::optional<std::string> removalBlock(const Solution& plan, const Order& order);

// Moves the order (from its route or from the unplanned orders) into the offer's route at
// the offer's positions and sets the plan's total gain. False, the plan unchanged, for an
// offer that does not fit or an order that cannot leave its route.
bool applyOffer(Solution& plan, const Order& order, const RouteOffer& offer);

// Sends the order from its route to the end of the unplanned orders; false, the plan
// unchanged, when it is on no route or cannot leave it.
bool unplanOrder(Solution& plan, const Order& order);

// A locked route keeps its stops as they are and takes no further order, in every run.
void setRouteLocked(Solution& plan, std::int32_t route, bool locked);
bool anyRouteLocked(const Solution& plan);

// The plan by names (vehicles, stops, locks, unplanned orders), from which a run continues
// it as it continues a plan file.
SavedPlan savedPlanOf(const Solution& plan);

}  // namespace tamso

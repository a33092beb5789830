#include "routing/plan_edits.h"

#include <algorithm>

#include "routing/unplanned_reason.h"

namespace tamso {

namespace {

// Why a route that has no feasible positions for the order cannot take it.
std::string misfitReason(const Route& route, const Order& order) {
  if (route.closed()) return "the route is locked";
  if (route.vehicle().startPlace == nullptr) return "the vehicle has no start position";
  if (fitsWithoutDriverRules(route, order)) return "its driver could not reach it within the driving and rest times";
  if (!vehicleCarries(route, order)) return "it is larger than the vehicle";
  if (route.problem().checkCapacity) return "no position keeps every time window and the vehicle's load";
  return "no position keeps every time window";
}

// What the plan gains by the order leaving the route that serves it now (0 when unplanned).
float leavingChange(Solution& work, const Order& order) {
  Route* source = work.route(routeOf(work, order));
  return source == nullptr ? 0.0f : source->gainWithoutOrder(order) - source->gain();
}

RouteOffer offerOn(Route& route, std::int32_t index, const Order& order, float leaving) {
  RouteOffer offer;
  offer.route = index;
  const ValuedPair best = route.bestPairFor(order);
  if (!best.at.found()) {
    offer.reason = misfitReason(route, order);
    return offer;
  }
  offer.at = best.at;
  offer.gainChange = best.gain - route.gain() + leaving;
  return offer;
}

void settleGain(Solution& plan) { plan.setGain(plan.totalGain(plan.estimatedGain())); }

// Takes the order out of its route or out of the unplanned orders.
void takeOut(Solution& plan, const Order& order) {
  if (Route* source = plan.route(routeOf(plan, order))) {
    source->removeOrder(order);
    source->evaluate();
    return;
  }
  std::erase(plan.unplanned(), &order);
}

}  // namespace

std::int32_t routeOf(const Solution& plan, const Order& order) {
  for (std::int32_t i = 0; i < plan.routeCount(); ++i) {
    if (plan.route(i)->containsOrder(order)) return i;
  }
  return -1;
}

std::vector<RouteOffer> routeOffers(const Solution& plan, const Order& order) {
  Solution work(plan);  // trials evaluate routes, the plan shown stays as it is
  const std::int32_t serving = routeOf(work, order);
  const float leaving = leavingChange(work, order);
  std::vector<RouteOffer> offers;
  for (std::int32_t i = 0; i < work.routeCount(); ++i) {
    if (i != serving) offers.push_back(offerOn(*work.route(i), i, order, leaving));
  }
  std::stable_sort(offers.begin(), offers.end(), [](const RouteOffer& a, const RouteOffer& b) {
    if (a.fits() != b.fits()) return a.fits();
    return a.fits() && a.gainChange > b.gainChange;
  });
  return offers;
}

std::optional<RouteOffer> routeOffer(const Solution& plan, const Order& order, std::int32_t route) {
  if (plan.route(route) == nullptr || routeOf(plan, order) == route) return std::nullopt;
  Solution work(plan);  // trials evaluate routes, the plan shown stays as it is
  return offerOn(*work.route(route), route, order, leavingChange(work, order));
}

std::optional<std::string> removalBlock(const Solution& plan, const Order& order) {
  const Route* route = plan.route(routeOf(plan, order));
  if (route == nullptr) return std::nullopt;
  if (route->closed()) return "the route is locked";
  if (route->firstStopOf(order) < route->fixedStops()) return "the order is under way";
  return std::nullopt;
}

bool applyOffer(Solution& plan, const Order& order, const RouteOffer& offer) {
  Route* target = plan.route(offer.route);
  if (target == nullptr || !offer.fits() || target->closed() || removalBlock(plan, order)) return false;
  if (routeOf(plan, order) == offer.route) return false;
  takeOut(plan, order);
  target->insertOrderAt(order, offer.at);
  settleGain(plan);
  return true;
}

bool unplanOrder(Solution& plan, const Order& order) {
  if (routeOf(plan, order) < 0 || removalBlock(plan, order)) return false;
  takeOut(plan, order);
  plan.unplanned().push_back(&order);
  settleGain(plan);
  return true;
}

void setRouteLocked(Solution& plan, std::int32_t route, bool locked) {
  Route* chosen = plan.route(route);
  if (chosen == nullptr) return;
  chosen->fix(locked ? chosen->stopCount() : 0, locked);
}

bool anyRouteLocked(const Solution& plan) {
  return std::any_of(plan.routes().begin(), plan.routes().end(), [](const Route& route) { return route.closed(); });
}

SavedPlan savedPlanOf(const Solution& plan) {
  SavedPlan saved;
  for (const Route& route : plan.routes()) {
    if (route.stopCount() == 0 && !route.closed()) continue;
    SavedRoute& out = saved.routes.emplace_back();
    out.vehicle = route.vehicle().name;
    out.locked = route.closed();
    for (const RouteStop& stop : route.stops()) {
      SavedStop& s = out.stops.emplace_back();
      s.kind = stop.kind;
      if (stop.order != nullptr) s.order = stop.order->name;
      if (stop.place != nullptr) s.place = stop.place->name;
      s.serviceStart = stop.serviceStart.likely;
    }
  }
  for (const Order* order : plan.unplanned()) saved.unplanned.push_back(order->name);
  return saved;
}

}  // namespace tamso

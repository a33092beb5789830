#include "search/ruin_recreate_improvement.h"

#include <algorithm>
#include <optional>

#include "search/ruin_recreate_insertion.h"
#include "search/ruin_recreate_repair.h"

namespace tamso {

namespace {

// A change smaller than this is rounding, not improvement.
constexpr float kLeastImprovement = 1.0e-3f;

void addRoute(std::vector<std::int32_t>& routes, std::int32_t r) {
  if (std::find(routes.begin(), routes.end(), r) == routes.end()) routes.push_back(r);
}

// Moves one order of route `from` to its best spot; true when that raised the total.
bool relocateOne(Solution& solution, std::int32_t from, const Order& order, std::vector<std::int32_t>& routes) {
  Route& source = *solution.route(from);
  const float with = source.gain();
  std::optional<Route::TakenOrder> taken = source.takeOrder(order);
  if (!taken) return false;
  const float removal = source.gain() - with;
  std::vector<std::int32_t> targets = nearRoutes(solution, order, kNearRoutes);
  addRoute(targets, from);
  std::int32_t bestRoute = -1;
  std::optional<InsertionSpot> best;
  for (std::int32_t r : targets) {
    const std::optional<InsertionSpot> spot = cheapestSpot(*solution.route(r), order);
    if (spot && (!best || spot->change > best->change)) {
      best = spot;
      bestRoute = r;
    }
  }
  const bool dropPays = !order.isPriority() && removal > kLeastImprovement && (!best || best->change < 0.0f);
  if (dropPays) {
    solution.unplanned().push_back(&order);
    return true;
  }
  if (best && removal + best->change > kLeastImprovement) {
    insertAt(*solution.route(bestRoute), order, *best);
    addRoute(routes, bestRoute);
    return true;
  }
  source.putBack(std::move(*taken));
  return false;
}

bool relocateFrom(Solution& solution, std::int32_t r, std::vector<std::int32_t>& routes) {
  std::vector<const Order*> orders;
  const Route& route = *solution.route(r);
  for (std::int32_t k = 0; k < route.orderCount(); ++k) orders.push_back(route.orderAt(k));
  bool changed = false;
  for (const Order* order : orders) changed = relocateOne(solution, r, *order, routes) || changed;
  return changed;
}

}  // namespace

bool relocateOrders(Solution& solution, std::vector<std::int32_t>& routes) {
  bool any = false;
  bool changed = true;
  while (changed) {
    changed = false;
    for (std::size_t k = 0; k < routes.size(); ++k) changed = relocateFrom(solution, routes[k], routes) || changed;
    any = any || changed;
  }
  return any;
}

bool exchangeOrders(Solution& solution, std::int32_t a, std::int32_t b) {
  Route& first = *solution.route(a);
  Route& second = *solution.route(b);
  const std::int32_t countA = first.orderCount();
  const std::int32_t countB = second.orderCount();
  for (std::int32_t i = 0; i < countA; ++i) {
    for (std::int32_t j = 0; j < countB; ++j) {
      const Order& x = *first.orderAt(i);
      const Order& y = *second.orderAt(j);
      const float before = first.gain() + second.gain();
      auto takenX = first.takeOrder(x);
      auto takenY = second.takeOrder(y);
      const std::optional<InsertionSpot> spotX = cheapestSpot(second, x);
      const std::optional<InsertionSpot> spotY = spotX ? cheapestSpot(first, y) : std::nullopt;
      if (spotX && spotY && first.gain() + second.gain() + spotX->change + spotY->change - before > kLeastImprovement) {
        insertAt(second, x, *spotX);
        insertAt(first, y, *spotY);
        return true;
      }
      second.putBack(std::move(*takenY));
      first.putBack(std::move(*takenX));
    }
  }
  return false;
}

void improvePlan(Solution& solution, std::vector<std::int32_t> routes, Draws& draws) {
  bool changed = true;
  while (changed) {
    relocateOrders(solution, routes);
    changed = false;
    // Each changed route trades orders with a few others drawn at random.
    const std::vector<std::int32_t> changedRoutes = routes;
    for (std::int32_t a : changedRoutes) {
      for (std::int32_t tries = 0; tries < 3; ++tries) {
        const std::int32_t b = draws.below(solution.routeCount());
        if (b == a || solution.route(b)->orderCount() == 0) continue;
        if (exchangeOrders(solution, a, b)) {
          addRoute(routes, b);
          changed = true;
        }
      }
    }
  }
}

}  // namespace tamso

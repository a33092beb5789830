#include "search/ruin_recreate_improvement.h"

#include <algorithm>

#include "routing/order_moves.h"

namespace tamso {

namespace {

void addRoute(std::vector<std::int32_t>& routes, std::int32_t r) {
  if (std::find(routes.begin(), routes.end(), r) == routes.end()) routes.push_back(r);
}

// Relocations between route a and every other route, then the pool moves of route a; true
// when anything changed. Routes that received or gave orders join `routes`.
bool relocateAround(Solution& solution, std::int32_t a, std::vector<std::int32_t>& routes) {
  bool changed = false;
  for (std::int32_t b = 0; b < solution.routeCount(); ++b) {
    if (b == a) continue;
    const bool moved = relocateOrder(solution, a, b) || relocateOrder(solution, b, a);
    if (moved) addRoute(routes, b);
    changed = moved || changed;
  }
  const bool pooled = dropOrder(solution, a) || insertUnplanned(solution, a);
  return pooled || changed;
}

}  // namespace

void improvePlan(Solution& solution, std::vector<std::int32_t> routes, Draws& draws) {
  bool changed = true;
  while (changed) {
    changed = false;
    for (std::size_t k = 0; k < routes.size(); ++k) changed = relocateAround(solution, routes[k], routes) || changed;
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

#include "search/thorough_insertion.h"

namespace tamso {

namespace {

// The last index a pickup may take: a waiting stop always stays last.
std::int32_t lastPickupIndex(const Route& route) {
  return route.waitingPlace() != nullptr ? route.stopCount() - 1 : route.stopCount();
}

// After a failed feasibility check: true when the stop at `index` itself arrives too late.
// Any later position of that stop would arrive later still, so the scan can end there.
bool arrivesTooLate(const Route& route, std::int32_t index) {
  const RouteStop* stop = route.stopAt(index);
  return stop != nullptr && static_cast<double>(stop->satisfaction) < route.problem().minimalSat;
}

struct SpotScan {
  Route& route;
  const Order& order;
  float before;
  std::optional<InsertionSpot> best;

  // Tries every delivery position after a pickup at `pickup` (already in place).
  void scanDeliveries(std::int32_t pickup, std::int32_t lastDelivery) {
    for (std::int32_t j = pickup + 1; j <= lastDelivery; ++j) {
      route.insertStop(RouteStop::delivery(order), j);
      const bool valid = route.isValid();
      const bool late = !valid && arrivesTooLate(route, j);
      if (valid) {
        const float change = route.gain() - before;
        if (!best || change > best->change) best = InsertionSpot{pickup, j, change};
      }
      route.removeStopAt(j);
      if (late) return;
    }
  }

  void scan() {
    const std::int32_t last = lastPickupIndex(route);
    for (std::int32_t i = 0; i <= last; ++i) {
      route.insertStop(RouteStop::pickup(order), i);
      const bool feasible = route.isFeasible();
      const bool late = !feasible && arrivesTooLate(route, i);
      if (feasible) scanDeliveries(i, last + 1);
      route.removeStopAt(i);
      if (late) break;
    }
  }
};

}  // namespace

std::optional<InsertionSpot> cheapestSpot(Route& route, const Order& order) {
  if (order.pickupPlace == nullptr || order.deliveryPlace == nullptr) return std::nullopt;
  if (!route.evaluate()) return std::nullopt;
  SpotScan scan{route, order, route.gain(), std::nullopt};
  scan.scan();
  route.evaluate();
  return scan.best;
}

void insertAt(Route& route, const Order& order, const InsertionSpot& spot) {
  route.insertStop(RouteStop::pickup(order), spot.pickup);
  route.insertStop(RouteStop::delivery(order), spot.delivery);
  route.evaluate();
}

}  // namespace tamso

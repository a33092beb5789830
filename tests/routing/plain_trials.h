#pragma once
// The plain way to answer a trial question about a route: build the trial route stop by
// stop on a fresh copy and evaluate it in full. The routing core answers the same
// questions from the route's own times and remembered answers; tests compare the two.
#include <utility>

#include "routing/route.h"

namespace tamso::testing {

// A copy of the route made stop by stop, so it carries nothing the route remembered.
inline Route rebuilt(const Route& route) {
  Route copy(route.problem(), route.vehicle());
  copy.setDriverRules(route.driverRules());
  for (const RouteStop& stop : route.stops()) copy.insertStop(stop, -1);
  return copy;
}

// The first trial pair, in scan order, that a full evaluation of the trial route accepts:
// feasible with the pickup alone and with both stops (and, when asked, valid).
inline std::pair<int, int> firstAcceptedPair(const Route& route, const Order& order, bool checkPrecedence) {
  const int last = route.waitingPlace() ? route.stopCount() - 1 : route.stopCount();
  for (int i = 0; i <= last; ++i) {
    Route withPickup = rebuilt(route);
    withPickup.insertStop(RouteStop::pickup(order), i);
    if (!withPickup.isFeasible()) continue;
    for (int j = i + 1; j <= last + 1; ++j) {
      Route trial = withPickup;
      trial.insertStop(RouteStop::delivery(order), j);
      if (checkPrecedence ? trial.isValid() : trial.isFeasible()) return {i, j};
    }
  }
  return {-1, -1};
}

// The gain of the route after inserting the order at its first feasible pair (unchanged
// when there is none).
inline float plainGainWithOrder(const Route& route, const Order& order) {
  Route trial = rebuilt(route);
  const std::pair<int, int> at = firstAcceptedPair(route, order, false);
  if (at.first >= 0) {
    trial.insertStop(RouteStop::pickup(order), at.first);
    trial.insertStop(RouteStop::delivery(order), at.second);
  }
  return trial.gain();
}

// The gain of the route after taking out the first stop of the order and the next one.
inline float plainGainWithoutOrder(const Route& route, const Order& order) {
  Route trial = rebuilt(route);
  int removed = 0;
  for (int k = 0; k < trial.stopCount() && removed < 2;) {
    if (trial.stopAt(k)->order == &order) {
      trial.removeStopAt(k);
      ++removed;
    } else {
      ++k;
    }
  }
  return trial.gain();
}

}  // namespace tamso::testing

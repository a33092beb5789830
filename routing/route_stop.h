#pragma once
// One stop of a route: a pickup or a delivery of an order, or the waiting stop where the
// vehicle waits for further work at the end of its route.
#include <cstdint>
#include <optional>

#include "problem/entities.h"
#include "problem/fuzzy.h"

namespace tamso {

enum class StopKind : std::int32_t { Pickup = 0, Delivery = 1, Waiting = 2 };

// "PICKUP", "DELIVERY", "WAITING".
const char* stopKindName(StopKind kind);

struct RouteStop {
  StopKind kind = StopKind::Waiting;
  const Place* place = nullptr;
  const Order* order = nullptr;  // nullptr for a waiting stop
  float satisfaction = 0.0f;     // how well arrival meets window; set by evaluation
  FuzzyTime arrival, serviceStart, shownArrival;
  std::optional<FuzzyWindow> window;  // copy of the order's pickup/delivery window; none for waiting

  static RouteStop pickup(const Order& order);
  static RouteStop delivery(const Order& order);
  static RouteStop waiting(const Place& place);
};

}  // namespace tamso

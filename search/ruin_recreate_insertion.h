#pragma once
// The cheapest place of an order in a route: the feasible pair of positions for its pickup
// and delivery that leaves the route with the highest gain, valued by the route's trial
// evaluation without changing its stops.
#include <cstdint>
#include <optional>

#include "routing/route.h"

namespace tamso {

struct InsertionSpot {
  std::int32_t pickup = -1;    // stop index of the pickup
  std::int32_t delivery = -1;  // stop index of the delivery, counted with the pickup in place
  float change = 0.0f;         // the route's gain with the order less its gain without
};

// The spot with the largest change, or nothing when no pair of positions is feasible. The
// route keeps its stops.
std::optional<InsertionSpot> cheapestSpot(Route& route, const Order& order);

// Puts the order's two stops at the spot's positions and evaluates the route.
void insertAt(Route& route, const Order& order, const InsertionSpot& spot);

}  // namespace tamso

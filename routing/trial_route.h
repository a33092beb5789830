#pragma once
// Trial routes: a route's stops with one order put in at a pair of positions, or taken out,
// judged and valued without changing the route. The route must be scheduled (its stops hold
// the times of its last evaluation); the answers equal those of the full evaluation of the
// trial route.
#include <cstdint>

#include "routing/route_loads.h"
#include "routing/route_stop.h"

namespace tamso {

class Route;

// Positions of an inserted order's stops in the trial route: the pickup goes before the stop
// now at `pickupAt`, the delivery then before the stop at `deliveryAt` of the route with the
// pickup in place (so deliveryAt > pickupAt). -1 when there is none.
struct InsertionPair {
  std::int32_t pickupAt = -1;
  std::int32_t deliveryAt = -1;
  bool found() const { return pickupAt >= 0; }
};

// Whether an order fits on board of a route: nothing is checked without loads.
struct RoomCheck {
  const StopLoads* loads = nullptr;  // of the route; nullptr when capacities are not checked
  const std::vector<double>* limits = nullptr;
  const Order* order = nullptr;
  bool routeFits = true;  // the route's own loads fit

  // The order fits on top of what is on board after stop k (-1: at the start).
  bool fitsAfter(std::int32_t k) const { return loads == nullptr || fitsWith(loads->after(k), *order, *limits); }
};

// The first pair in scan order (pickup position ascending, then delivery position) whose
// trial route is feasible with the pickup alone and with both stops, and whose loads fit
// `room` from the pickup to the delivery, with the pickup at `firstPickup` or later (stops
// before it stay as they are). The route and the order's stops must all have places and the
// vehicle a start place.
InsertionPair firstFeasiblePair(const Route& route, const RouteStop& pickup, const RouteStop& delivery,
                                const RoomCheck& room = {}, std::int32_t firstPickup = 0);

// A pair of positions and the gain of the route with the order's stops put in there.
struct ValuedPair {
  InsertionPair at;
  float gain = 0.0f;
};

// Of the pairs firstFeasiblePair would accept, the one whose trial route has the highest gain
// (the first in scan order among equal gains); not found when there is none.
ValuedPair bestFeasiblePair(const Route& route, const RouteStop& pickup, const RouteStop& delivery,
                            const RoomCheck& room = {}, std::int32_t firstPickup = 0);

// The gain of the route with the two stops inserted at the pair.
float gainWithInserted(const Route& route, const RouteStop& pickup, const RouteStop& delivery, InsertionPair at);

// The gain of the route without the stops at `first` and `second` (-1 for none); false when
// the remaining route cannot be scheduled.
bool gainWithout(const Route& route, std::int32_t first, std::int32_t second, float& gain);

}  // namespace tamso

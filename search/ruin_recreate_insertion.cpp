#include "search/ruin_recreate_insertion.h"

namespace tamso {

std::optional<InsertionSpot> cheapestSpot(Route& route, const Order& order) {
  const ValuedPair best = route.bestPairFor(order);
  if (!best.at.found()) return std::nullopt;
  return InsertionSpot{best.at.pickupAt, best.at.deliveryAt, best.gain - route.gain()};
}

void insertAt(Route& route, const Order& order, const InsertionSpot& spot) {
  route.insertStop(RouteStop::pickup(order), spot.pickup);
  route.insertStop(RouteStop::delivery(order), spot.delivery);
  route.evaluate();
}

}  // namespace tamso

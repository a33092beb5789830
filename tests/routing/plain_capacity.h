#pragma once
// A plain check of a route's loads, kept apart from the planner's own bookkeeping: it works
// from the goods, the article types and the vehicle type's CAPACITY list as loaded, and
// walks the stops with a map of what is on board.
#include <map>
#include <string>

#include "problem/capacity.h"
#include "routing/route.h"

namespace tamso::testing {

// "" when every stop's load fits the vehicle type; otherwise what is too much where.
inline std::string plainOverload(const Route& route) {
  const VehicleType* type = route.vehicle().vehicleType;
  if (type == nullptr) return "";
  const QuantityList* limits = nullptr;
  for (const QuantityList& list : type->quantityLists) {
    if (list.name() == "CAPACITY") limits = &list;
  }
  if (limits == nullptr) return "";
  std::map<std::string, double> onBoard;
  for (std::size_t k = 0; k < route.stops().size(); ++k) {
    const RouteStop& stop = route.stops()[k];
    if (stop.order == nullptr) continue;
    const double sign = stop.kind == StopKind::Pickup ? 1.0 : -1.0;
    const QuantityList load = orderLoad(*stop.order, route.problem().articleTypes);
    for (std::int32_t i = 0; i < load.count(); ++i) onBoard[load.keyAt(i)] += sign * load.quantityAt(i);
    for (std::int32_t i = 0; i < limits->count(); ++i) {
      if (onBoard[limits->keyAt(i)] > limits->quantityAt(i)) {
        return route.vehicle().name + " stop " + std::to_string(k) + ": " + limits->keyAt(i) + " " +
               std::to_string(onBoard[limits->keyAt(i)]) + " > " + std::to_string(limits->quantityAt(i));
      }
    }
  }
  return "";
}

}  // namespace tamso::testing

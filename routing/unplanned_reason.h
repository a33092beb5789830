#pragma once
// Why an order of a plan was left unplanned, in the dispatcher's words: either no route can
// take it at any position (every insertion misses a time window, of this order or of one
// already on the route, or when capacities are respected overloads the vehicle; an order
// too large for every vehicle even alone is told apart), or no route that could take it
// would gain by it, or only the driving and rest times keep every route from taking it.
#include <cstdint>
#include <string>
#include <vector>

namespace tamso {

struct Order;
class Route;
class Solution;

// The route's vehicle could carry the order alone (always, when capacities are not checked).
bool vehicleCarries(const Route& route, const Order& order);

// The route could take the order if its driver were not bound by the driving and rest times
// (false for a route that does not keep them).
bool fitsWithoutDriverRules(const Route& route, const Order& order);

struct UnplannedReason {
  enum class Kind {
    NoRouteFits,             // canInsert is 0 on every route
    LargerThanEveryVehicle,  // capacities respected: no route's vehicle could carry it even alone
    NoRoomWithinWindows,     // capacities respected: canInsert is 0 on every route
    LowersGain,              // some route accepts it, but the best of them does not raise the total gain
    WouldRaiseGain,          // some route would gain by it (the plan was not improved to the end)
    BeyondDrivingTimes,      // canInsert is 0 on every route, but some route could take it without the
                             // driving and rest times
  };
  const Order* order = nullptr;
  Kind kind = Kind::NoRouteFits;
  std::int32_t bestRoute = -1;  // the route whose gain changes most favourably; -1 when none fits
  float gainChange = 0.0f;      // change of that route's gain when the order is inserted into it

  // The reason as one sentence.
  std::string describe() const;
};

// One reason per unplanned order, in the plan's order. The plan is left unchanged: the
// trial insertions are made on copies of its routes.
std::vector<UnplannedReason> unplannedReasons(const Solution& solution);

}  // namespace tamso

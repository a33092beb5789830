#pragma once
// A plan as it was saved (the plan document read back), before it meets today's data: per
// route the vehicle's name, the stops in driving order by order name, and whether the
// dispatcher locked it; the orders the plan left out. Names, not records, so the same saved
// plan can be laid over any loaded problem, or compared with another.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "routing/route_stop.h"

namespace tamso {

struct SavedStop {
  StopKind kind = StopKind::Pickup;
  std::string order;                         // empty at a waiting stop
  std::string place;                         // the place written for the stop (the waiting place of a waiting stop)
  std::optional<std::int32_t> serviceStart;  // the likely service start written, when there was one
};

struct SavedRoute {
  std::string vehicle;
  std::vector<SavedStop> stops;
  bool locked = false;
};

struct SavedPlan {
  std::vector<SavedRoute> routes;
  std::vector<std::string> unplanned;  // orders the plan names as left out, in its order
};

}  // namespace tamso

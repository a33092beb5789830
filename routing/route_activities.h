#pragma once
// A route's likely timeline from its start to the end of its last stop, contiguous and in time
// order: driving, service, waiting, and under the driving and rest times the breaks and rests.
#include <cstdint>
#include <vector>

#include "routing/driver_state.h"

namespace tamso {

class Route;
struct Place;

struct RouteActivity {
  ActivityKind kind = ActivityKind::Drive;
  std::int32_t start = 0;
  std::int32_t minutes = 0;
  const Place* place = nullptr;  // the stop's place; on the road, the place the vehicle last left
};

// The timeline of the route as evaluated now (evaluating it first); empty for a route without
// stops or one that cannot be scheduled.
std::vector<RouteActivity> routeActivities(Route& route);

// Minutes of the timeline spent in activities of the kind.
std::int32_t minutesOf(const std::vector<RouteActivity>& activities, ActivityKind kind);

}  // namespace tamso

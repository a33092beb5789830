#pragma once
// A route's likely timeline from its start to the end of its last stop, contiguous and in time
// order: driving, service, waiting, and under the driving and rest times the breaks and rests.
#include <cstdint>
#include <vector>

#include "routing/driver_state.h"
#include "routing/route_stop.h"

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

// A break, daily rest or weekly rest of the driving and rest times.
inline bool isBreakOrRest(ActivityKind kind) {
  return kind == ActivityKind::Break || kind == ActivityKind::DailyRest || kind == ActivityKind::WeeklyRest;
}

// Minutes of the timeline spent in activities of the kind.
std::int32_t minutesOf(const std::vector<RouteActivity>& activities, ActivityKind kind);

// The rows of a route's stop list in time order: `pause` (activity) for each break and rest,
// before the stop whose service follows it, and `stop` (index) for each stop.
template <class Pause, class Stop>
void forEachStopRow(const std::vector<RouteStop>& stops, const std::vector<RouteActivity>& activities, Pause pause,
                    Stop stop) {
  auto next = activities.begin();
  for (std::size_t i = 0; i < stops.size(); ++i) {
    for (; next != activities.end() && next->start < stops[i].serviceStart.likely; ++next) {
      if (isBreakOrRest(next->kind)) pause(*next);
    }
    stop(i);
  }
}

}  // namespace tamso

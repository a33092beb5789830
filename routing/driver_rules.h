#pragma once
// Driving and rest times of one driver (Regulation (EC) No 561/2006 and Directive 2002/15/EC)
// applied to one leg of a route's likely timeline: drive, wait for the window, serve. Breaks
// and rests are placed so that the arrival is as early as the rules allow; a wait that is long
// enough counts as a break or rest, and a break or rest the service needs is taken during
// the wait before one is added on the road.
//
// The rules as applied here, for one driver (a crew of two has the limits of rule_limits.h):
// - after at most 4 h 30 of driving a break of 45 minutes, or of 15 and later 30 minutes;
// - at most 9 h of driving between two daily rests, 10 h on at most two days whose duty began
//   in the same fixed week (Monday 00:00 to Sunday 24:00);
// - a daily rest of 11 h, of 9 h at most three times between weekly rests, or of 3 h and later
//   9 h, taken within 24 h of the end of the last daily or weekly rest: the part of the rest
//   that lies within those 24 hours decides its kind;
// - at most 56 h of driving in a fixed week and 90 h in two consecutive ones; a weekly rest of
//   45 h, or of 24 h when the one before it was a regular one, starting no later than 144 h
//   after the end of the last one;
// - at most 6 h of driving and service without 30 minutes of breaks (pieces of 15 minutes or
//   more add up);
// - the end of the route is the start of a rest, so the last service ends in time for one.
#include <cstdint>
#include <limits>
#include <vector>

#include "routing/driver_state.h"
#include "routing/rule_limits.h"

namespace tamso::driving {

constexpr std::int32_t noWindow = std::numeric_limits<std::int32_t>::min();

// The likely times of one stop under the rules.
struct LegTimes {
  std::int32_t arrival = 0;       // after the driving and the breaks and rests on the road
  std::int32_t serviceStart = 0;  // after the wait for the window and any rest taken at the stop
  bool legal = true;              // false when no schedule keeps the rules (a service of more than 6 hours)
};

// A lower bound of the minutes the driver stops on the road when driving `driveMinutes` from
// `state` at `leave`: the breaks each 4 h 30 of driving needs, or a daily rest when the day's
// driving is used up. Cheap, so that a trial can give up on a stop it cannot reach in time
// before the leg is scheduled.
std::int32_t leastStopsOnRoad(const DriverState& state, std::int32_t leave, std::int32_t driveMinutes,
                              const RuleLimits& limits = oneDriver);

// From `state` at `leave`: drive `driveMinutes`, wait until `openAt` (noWindow: no waiting),
// then serve `serviceMinutes`. `state` becomes the driver's state at the end of the service;
// the activities from `leave` to that end are appended to `activities` unless it is nullptr.
// `limits` are those of the vehicle's crew: oneDriver or twoDrivers (in both functions).
LegTimes driveAndServe(DriverState& state, std::int32_t leave, std::int32_t driveMinutes, std::int32_t openAt,
                       std::int32_t serviceMinutes, std::vector<DriverActivity>* activities,
                       const RuleLimits& limits = oneDriver);

}  // namespace tamso::driving

#include "routing/route_activities.h"

#include "routing/route.h"
#include "routing/schedule_steps.h"

namespace tamso {

namespace {

void add(std::vector<RouteActivity>& out, ActivityKind kind, std::int32_t start, std::int32_t minutes,
         const Place* place) {
  if (minutes > 0) out.push_back({kind, start, minutes, place});
}

// Driving, waiting and service from the stops' likely times.
void plainLeg(std::vector<RouteActivity>& out, const RouteStop& stop, const Place& from, std::int32_t leave,
              const ProblemData& problem) {
  const std::int32_t drive = stop.arrival.likely - leave;
  add(out, ActivityKind::Drive, leave, drive, &from);
  add(out, ActivityKind::Wait, stop.arrival.likely, stop.serviceStart.likely - stop.arrival.likely, stop.place);
  add(out, ActivityKind::Service, stop.serviceStart.likely, schedule::serviceMinutes(stop, problem), stop.place);
}

// The same leg driven again under the rules, with its breaks and rests.
void legKeepingRules(std::vector<RouteActivity>& out, const RouteStop& stop, const Place& from, std::int32_t leave,
                     DriverState& driver, const driving::RuleLimits& limits, const ProblemData& problem) {
  std::vector<DriverActivity> leg;
  const driving::LegTimes times = driving::driveAndServe(driver, leave, problem.travelTime(from, *stop.place).likely,
                                                         stop.window ? stop.window->start : driving::noWindow,
                                                         schedule::serviceMinutes(stop, problem), &leg, limits);
  for (const DriverActivity& a : leg)
    add(out, a.kind, a.start, a.minutes, a.start < times.arrival ? &from : stop.place);
}

}  // namespace

std::vector<RouteActivity> routeActivities(Route& route) {
  std::vector<RouteActivity> out;
  if (!route.evaluate() || route.stops().empty()) return out;
  const ProblemData& problem = route.problem();
  const Place* previous = route.vehicle().startPlace;
  std::int32_t leave = route.vehicle().startTimeOrZero().likely;
  DriverState driver = DriverState::rested(leave);
  for (const RouteStop& stop : route.stops()) {
    if (route.driverRules()) {
      legKeepingRules(out, stop, *previous, leave, driver, driving::limitsFor(route.vehicle()), problem);
    } else {
      plainLeg(out, stop, *previous, leave, problem);
    }
    leave = stop.serviceStart.likely + schedule::serviceMinutes(stop, problem);
    previous = stop.place;
  }
  return out;
}

std::int32_t minutesOf(const std::vector<RouteActivity>& activities, ActivityKind kind) {
  std::int32_t minutes = 0;
  for (const RouteActivity& a : activities) minutes += a.kind == kind ? a.minutes : 0;
  return minutes;
}

}  // namespace tamso

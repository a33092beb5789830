#include "report/plan_figures.h"

#include <cstdio>

namespace tamso {

namespace {

std::int32_t serviceMinutesAt(const RouteStop& stop, const ProblemData& problem) {
  switch (stop.kind) {
    case StopKind::Pickup:
      return problem.pickupTime;
    case StopKind::Delivery:
      return problem.unloadTime;
    case StopKind::Waiting:
      return 0;
  }
  return 0;
}

double legKm(const ProblemData& problem, const Place* from, const Place* to) {
  if (from == nullptr || to == nullptr) return 0.0;
  return problem.distanceTo(*from, to);
}

std::int32_t legMinutes(const ProblemData& problem, const Place* from, const Place* to) {
  if (from == nullptr || to == nullptr || from->index < 0 || to->index < 0) return 0;
  return problem.travelTime(*from, *to).likely;
}

}  // namespace

RouteFigures routeFigures(Route& route) {
  RouteFigures figures;
  figures.gain = route.gain();  // evaluates the schedule when needed
  const ProblemData& problem = route.problem();
  const Vehicle& vehicle = route.vehicle();
  if (vehicle.startTime) figures.start = vehicle.startTime->likely;
  const Place* previous = vehicle.startPlace;
  const std::vector<std::vector<KeyedLoad>> loads =
      problem.checkCapacity ? shownLoads(problem, vehicle, route.stops()) : std::vector<std::vector<KeyedLoad>>{};
  for (const RouteStop& stop : route.stops()) {
    StopFigures& s = figures.stops.emplace_back();
    if (!loads.empty()) s.load = loads[figures.stops.size() - 1];
    s.legKm = legKm(problem, previous, stop.place);
    s.serviceMinutes = serviceMinutesAt(stop, problem);
    s.departure = stop.serviceStart;
    s.departure.addMinutes(s.serviceMinutes);
    figures.km += s.legKm;
    figures.drivingMinutes += legMinutes(problem, previous, stop.place);
    figures.serviceMinutes += s.serviceMinutes;
    if (stop.kind != StopKind::Waiting) figures.waitingMinutes += stop.serviceStart.likely - stop.arrival.likely;
    if (stop.kind == StopKind::Delivery && stop.order != nullptr) figures.revenue += stop.order->price;
    previous = stop.place;
  }
  if (!figures.stops.empty()) figures.end = figures.stops.back().departure.likely;
  figures.activities = routeActivities(route);
  figures.breakMinutes = minutesOf(figures.activities, ActivityKind::Break);
  figures.restMinutes =
      minutesOf(figures.activities, ActivityKind::DailyRest) + minutesOf(figures.activities, ActivityKind::WeeklyRest);
  // A rest taken while waiting at a stop is a rest, not waiting.
  if (route.driverRules()) figures.waitingMinutes = minutesOf(figures.activities, ActivityKind::Wait);
  return figures;
}

PlanFigures planFigures(Solution& solution) {
  PlanFigures plan;
  PlanSummary& summary = plan.summary;
  double routeGains = 0.0;
  for (Route& route : solution.routes()) {
    const RouteFigures& figures = plan.routes.emplace_back(routeFigures(route));
    summary.km += figures.km;
    summary.drivingMinutes += figures.drivingMinutes;
    summary.waitingMinutes += figures.waitingMinutes;
    summary.serviceMinutes += figures.serviceMinutes;
    summary.breakMinutes += figures.breakMinutes;
    summary.restMinutes += figures.restMinutes;
    summary.revenue += figures.revenue;
    summary.routesUsed += figures.stops.empty() ? 0 : 1;
    routeGains += figures.gain;
  }
  summary.gain = solution.gain();
  summary.orders = static_cast<std::int32_t>(solution.problem().orders.size());
  summary.unplanned = static_cast<std::int32_t>(solution.unplanned().size());
  summary.planned = summary.orders - summary.unplanned;
  summary.costs = summary.revenue - routeGains;
  return plan;
}

}  // namespace tamso

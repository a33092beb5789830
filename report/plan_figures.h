#pragma once
// The figures a dispatcher reads off a plan: per stop the leg driven to it and when the
// vehicle leaves; per route its kilometres, driving, waiting and service minutes, start and
// end; for the whole plan the totals, the revenue and the costs. Minutes are the likely
// values of the fuzzy schedule, so a route's end less its start is exactly its driving,
// waiting, service, break and rest minutes together.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "problem/fuzzy.h"
#include "routing/route.h"
#include "routing/route_activities.h"
#include "routing/route_loads.h"
#include "routing/solution.h"

namespace tamso {

struct StopFigures {
  double legKm = 0.0;  // from the previous stop, or from the start place for the first
  std::int32_t serviceMinutes = 0;
  FuzzyTime departure;  // service start plus the service time; the arrival at a waiting stop
  // What the vehicle carries when it leaves, for each key its type limits; empty unless the
  // problem checks capacities.
  std::vector<KeyedLoad> load;
};

struct RouteFigures {
  std::vector<StopFigures> stops;  // one per stop, in route order
  double km = 0.0;
  std::int32_t drivingMinutes = 0;
  std::int32_t waitingMinutes = 0;  // service start less arrival, at pickups and deliveries, less rests there
  std::int32_t serviceMinutes = 0;
  std::int32_t breakMinutes = 0;          // breaks under the driving and rest times
  std::int32_t restMinutes = 0;           // daily and weekly rests
  std::vector<RouteActivity> activities;  // the likely timeline from the start to the end
  std::optional<std::int32_t> start;      // the vehicle's likely start time; none without one
  std::optional<std::int32_t> end;        // the likely departure from the last stop; none for an empty route
  double revenue = 0.0;                   // prices of the orders delivered
  float gain = 0.0f;
};

struct PlanSummary {
  float gain = 0.0f;
  std::int32_t orders = 0;
  std::int32_t planned = 0;
  std::int32_t unplanned = 0;
  std::int32_t routesUsed = 0;  // routes with at least one stop
  double km = 0.0;
  std::int32_t drivingMinutes = 0;
  std::int32_t waitingMinutes = 0;
  std::int32_t serviceMinutes = 0;
  std::int32_t breakMinutes = 0;
  std::int32_t restMinutes = 0;
  double revenue = 0.0;
  double costs = 0.0;  // revenue less the sum of the route gains
};

// Evaluates the route when it changed since its last evaluation.
RouteFigures routeFigures(Route& route);

// The plan's figures: one entry per route in vehicle order, and the summary.
struct PlanFigures {
  std::vector<RouteFigures> routes;
  PlanSummary summary;
};
PlanFigures planFigures(Solution& solution);

}  // namespace tamso

#include "report/plan_output.h"

#include <string>
#include <vector>

#include "problem/crew.h"
#include "problem/text.h"
#include "report/json_text.h"
#include "report/plan_figures.h"
#include "report/report_numbers.h"
#include "report/zoned_time.h"
#include "routing/unplanned_reason.h"

namespace tamso {

namespace {

using nlohmann::json;

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string money(float value) { return roundedTwoDecimals(decimalOf(value)); }
double cents(float value) { return roundedToCents(decimalOf(value)); }

std::string timeText(std::optional<std::int32_t> minutes) { return minutes ? formatDateTime(*minutes) : "-"; }

// --- text ---------------------------------------------------------------------------------

void printStopHeader(std::ostream& out, bool withLoad) {
  out << "  " << padded("#", 4) << padded("action", 10) << padded("order", 12) << padded("place", 16)
      << padded("window start", 18) << padded("window end", 18) << padded("arrival", 18) << padded("service", 18)
      << padded("departure", 18) << padded("satisfaction", 14) << (withLoad ? padded("leg km", 10) + "load" : "leg km")
      << "\n";
}

void printStartRow(std::ostream& out, const Route& route, const RouteFigures& figures) {
  const Place* start = route.vehicle().startPlace;
  out << "  " << padded("0", 4) << padded("START", 10) << padded("-", 12) << padded(start ? start->name : "-", 16)
      << padded("-", 18) << padded("-", 18) << padded("-", 18) << padded("-", 18) << padded(timeText(figures.start), 18)
      << padded("-", 14) << "-\n";
}

void printStop(std::ostream& out, std::size_t number, const RouteStop& stop, const StopFigures& figures,
               const ProblemData& problem) {
  const std::string none = "-";
  out << "  " << padded(std::to_string(number), 4) << padded(stopKindName(stop.kind), 10)
      << padded(stop.order ? stop.order->name : none, 12) << padded(stop.place ? stop.place->name : none, 16)
      << padded(stop.window ? formatDateTime(stop.window->start) : none, 18)
      << padded(stop.window ? formatDateTime(stop.window->end) : none, 18)
      << padded(formatDateTime(stop.arrival.likely), 18) << padded(formatDateTime(stop.serviceStart.likely), 18)
      << padded(formatDateTime(figures.departure.likely), 18)
      << padded(roundedTwoDecimals(decimalOf(stop.satisfaction)), 14);
  if (problem.checkCapacity) {
    out << padded(roundedTwoDecimals(figures.legKm), 10) << loadText(figures.load) << "\n";
  } else {
    out << roundedTwoDecimals(figures.legKm) << "\n";
  }
}

// A break or rest of the driving and rest times: its kind, place, start and length.
void printPause(std::ostream& out, const RouteActivity& a) {
  out << "  " << padded("-", 4) << padded(a.kind == ActivityKind::Break ? "BREAK" : "REST", 10)
      << padded(activityKindName(a.kind), 12) << padded(a.place ? a.place->name : "-", 16)
      << padded(formatDateTime(a.start), 18) << a.minutes << " min\n";
}

void printRoute(std::ostream& out, std::size_t number, Route& route, const RouteFigures& f) {
  out << "Route " << number << ": vehicle " << route.vehicle().name << ", gain " << money(f.gain) << ", "
      << route.orderCount() << (route.orderCount() == 1 ? " order" : " orders");
  if (!route.stops().empty()) {
    out << ", " << roundedTwoDecimals(f.km) << " km, driving " << f.drivingMinutes << " min, waiting "
        << f.waitingMinutes << " min, service " << f.serviceMinutes << " min, " << timeText(f.start) << " to "
        << timeText(f.end);
    if (route.driverRules()) out << ", breaks " << f.breakMinutes << " min, rests " << f.restMinutes << " min";
  }
  if (route.closed()) out << ", locked";
  out << "\n";
  if (route.stops().empty()) return;
  printStopHeader(out, route.problem().checkCapacity);
  printStartRow(out, route, f);
  forEachStopRow(
      route.stops(), f.activities, [&](const RouteActivity& a) { printPause(out, a); },
      [&](std::size_t i) { printStop(out, i + 1, route.stops()[i], f.stops[i], route.problem()); });
}

void printSummary(std::ostream& out, const PlanSummary& s, std::size_t routes) {
  out << "Total gain: " << money(s.gain) << "\n"
      << "Planned orders: " << s.planned << " of " << s.orders << "\n"
      << "Routes used: " << s.routesUsed << " of " << routes << "\n"
      << "Distance: " << roundedTwoDecimals(s.km) << " km\n"
      << "Driving: " << s.drivingMinutes << " min\n"
      << "Waiting: " << s.waitingMinutes << " min\n"
      << "Service: " << s.serviceMinutes << " min\n"
      << (s.breakMinutes + s.restMinutes > 0
              ? "Breaks: " + std::to_string(s.breakMinutes) + " min\nRests: " + std::to_string(s.restMinutes) + " min\n"
              : "")
      << "Revenue: " << roundedTwoDecimals(s.revenue) << "\n"
      << "Costs: " << roundedTwoDecimals(s.costs) << "\n";
}

void printUnplanned(std::ostream& out, const Solution& solution) {
  out << "Unplanned orders (" << solution.unplanned().size() << "):\n";
  for (const UnplannedReason& reason : unplannedReasons(solution)) {
    const Order& order = *reason.order;
    out << "  " << order.name << " (client " << order.clientName() << ", price " << money(order.price)
        << "): " << reason.describe() << "\n";
  }
}

// --- JSON ---------------------------------------------------------------------------------

json triple(const FuzzyTime& t) { return json::array({t.earliest, t.likely, t.latest}); }

json optionalMinutes(std::optional<std::int32_t> minutes) { return minutes ? json(*minutes) : json(nullptr); }
json optionalZoned(std::optional<std::int32_t> minutes) {
  return minutes ? json(zonedDateTime(*minutes)) : json(nullptr);
}

json loadJson(const std::vector<KeyedLoad>& load) {
  json object = json::object();
  for (const KeyedLoad& entry : load) object[entry.key] = entry.quantity;
  return object;
}

json stopJson(const RouteStop& stop, const StopFigures& figures, const ProblemData& problem) {
  json j = {{"kind", stopKindName(stop.kind)},
            {"order", stop.order ? json(stop.order->name) : json(nullptr)},
            {"client", stop.order ? json(stop.order->clientName()) : json(nullptr)},
            {"place", stop.place ? json(stop.place->name) : json(nullptr)},
            {"arrival", triple(stop.arrival)},
            {"arrivalLocal", zonedDateTime(stop.arrival.likely)},
            {"serviceStart", triple(stop.serviceStart)},
            {"serviceStartLocal", zonedDateTime(stop.serviceStart.likely)},
            {"shownArrival", triple(stop.shownArrival)},
            {"shownArrivalLocal", zonedDateTime(stop.shownArrival.likely)},
            {"departure", triple(figures.departure)},
            {"departureLocal", zonedDateTime(figures.departure.likely)},
            {"serviceMinutes", figures.serviceMinutes},
            {"legKm", roundedToCents(figures.legKm)},
            {"satisfaction", decimalOf(stop.satisfaction)}};
  if (stop.window) {
    const FuzzyWindow& w = *stop.window;
    j["window"] = {w.start, w.fullEnd, w.end};
    j["windowLocal"] = {zonedDateTime(w.start), zonedDateTime(w.fullEnd), zonedDateTime(w.end)};
  }
  if (problem.checkCapacity) j["load"] = loadJson(figures.load);
  return j;
}

json activitiesJson(const std::vector<RouteActivity>& activities) {
  json list = json::array();
  for (const RouteActivity& a : activities) {
    list.push_back({{"kind", activityKindName(a.kind)},
                    {"start", a.start},
                    {"minutes", a.minutes},
                    {"place", a.place ? json(a.place->name) : json(nullptr)}});
  }
  return list;
}

json routeJson(Route& route, const RouteFigures& f) {
  json stops = json::array();
  for (std::size_t i = 0; i < route.stops().size(); ++i)
    stops.push_back(stopJson(route.stops()[i], f.stops[i], route.problem()));
  const Place* startPlace = route.vehicle().startPlace;
  return {{"vehicle", route.vehicle().name},
          {"gain", cents(f.gain)},
          {"orders", route.orderCount()},
          {"km", roundedToCents(f.km)},
          {"drivingMinutes", f.drivingMinutes},
          {"waitingMinutes", f.waitingMinutes},
          {"serviceMinutes", f.serviceMinutes},
          {"revenue", roundedToCents(f.revenue)},
          {"startPlace", startPlace ? json(startPlace->name) : json(nullptr)},
          {"start", optionalMinutes(f.start)},
          {"startLocal", optionalZoned(f.start)},
          {"end", optionalMinutes(f.end)},
          {"endLocal", optionalZoned(f.end)},
          {"stops", std::move(stops)},
          {"activities", activitiesJson(f.activities)},
          {"breakMinutes", f.breakMinutes},
          {"restMinutes", f.restMinutes}};
}

// Only a crew of two is named, so that the documents of one-driver plans stay as they were.
void addCrew(json& document, const Route& route) {
  if (route.driverRules() && driversOf(route.vehicle()) > 1) document["drivers"] = driversOf(route.vehicle());
}

json summaryJson(const PlanSummary& s) {
  return {{"gain", cents(s.gain)},
          {"orders", s.orders},
          {"plannedOrders", s.planned},
          {"unplannedOrders", s.unplanned},
          {"routesUsed", s.routesUsed},
          {"km", roundedToCents(s.km)},
          {"drivingMinutes", s.drivingMinutes},
          {"waitingMinutes", s.waitingMinutes},
          {"serviceMinutes", s.serviceMinutes},
          {"revenue", roundedToCents(s.revenue)},
          {"costs", roundedToCents(s.costs)},
          {"breakMinutes", s.breakMinutes},
          {"restMinutes", s.restMinutes}};
}

json unplannedJson(const Solution& solution) {
  json unplanned = json::array();
  for (const UnplannedReason& reason : unplannedReasons(solution)) {
    const Order& order = *reason.order;
    unplanned.push_back({{"order", order.name},
                         {"client", order.clientName()},
                         {"price", cents(order.price)},
                         {"reason", reason.describe()}});
  }
  return unplanned;
}

}  // namespace

void printRunHeader(std::ostream& out, const RunFacts& facts) {
  out << "Command: " << facts.command << "\n"
      << "Seed: " << facts.seed << "\n"
      << "Time zone: " << localTimeZoneName() << "\n";
  if (facts.stopped) out << "Stopped: " << *facts.stopped << " (the best plan so far follows)\n";
}

void printPlanText(std::ostream& out, Solution& solution) {
  const PlanFigures plan = planFigures(solution);
  for (std::size_t i = 0; i < solution.routes().size(); ++i) {
    printRoute(out, i + 1, solution.routes()[i], plan.routes[i]);
  }
  printSummary(out, plan.summary, solution.routes().size());
  printUnplanned(out, solution);
}

nlohmann::json planJson(Solution& solution) {
  const PlanFigures plan = planFigures(solution);
  json routes = json::array();
  for (std::size_t i = 0; i < solution.routes().size(); ++i) {
    routes.push_back(routeJson(solution.routes()[i], plan.routes[i]));
    addCrew(routes.back(), solution.routes()[i]);
  }
  return {{"gain", cents(solution.gain())},
          {"summary", summaryJson(plan.summary)},
          {"routes", std::move(routes)},
          {"unplanned", unplannedJson(solution)}};
}

nlohmann::json planDocument(const RunFacts& facts, Solution& solution) {
  json document = {{"schemaVersion", planSchemaVersion},
                   {"command", facts.command},
                   {"seed", facts.seed},
                   {"stopped", facts.stopped ? json(*facts.stopped) : json(nullptr)},
                   {"timeZone", localTimeZoneName()}};
  document.update(planJson(solution));
  return document;
}

std::string jsonLine(const nlohmann::json& document) { return jsonText(document) + "\n"; }

}  // namespace tamso

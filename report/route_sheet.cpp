#include "report/route_sheet.h"

#include <optional>

#include "problem/text.h"
#include "report/plan_figures.h"
#include "report/report_numbers.h"

namespace tamso {

namespace {

const std::string kNone = "-";

std::string timeText(std::optional<std::int32_t> minutes) { return minutes ? formatDateTime(*minutes) : kNone; }
std::string minutesText(std::int32_t minutes) { return std::to_string(minutes) + " min"; }

std::string windowText(const std::optional<FuzzyWindow>& window) {
  if (!window) return kNone;
  return formatDateTime(window->start) + " - " + formatDateTime(window->end);
}

std::vector<std::string> startRow(const Route& route, const RouteFigures& f) {
  const Place* start = route.vehicle().startPlace;
  return {"0", "START", kNone, kNone, start ? start->name : kNone, kNone, kNone, timeText(f.start), kNone, kNone};
}

std::vector<std::string> stopRow(std::size_t number, const RouteStop& stop, const StopFigures& f) {
  std::string load = loadText(f.load);
  return {std::to_string(number),
          stopKindName(stop.kind),
          stop.order ? stop.order->name : kNone,
          stop.order ? stop.order->clientName() : kNone,
          stop.place ? stop.place->name : kNone,
          stop.kind == StopKind::Waiting ? kNone : windowText(stop.window),
          formatDateTime(stop.shownArrival.likely),
          formatDateTime(f.departure.likely),
          load.empty() ? kNone : load,
          roundedTwoDecimals(f.legKm)};
}

// A break or rest: what it is, where, from when until when.
std::vector<std::string> pauseRow(const RouteActivity& a) {
  return {kNone,
          a.kind == ActivityKind::Break ? "BREAK" : "REST",
          activityKindName(a.kind),
          kNone,
          a.place ? a.place->name : kNone,
          kNone,
          formatDateTime(a.start),
          formatDateTime(a.start + a.minutes),
          kNone,
          kNone};
}

std::vector<std::pair<std::string, std::string>> totals(const Route& route, const RouteFigures& f) {
  std::vector<std::pair<std::string, std::string>> list = {{"Orders", std::to_string(route.orderCount())},
                                                           {"Start", timeText(f.start)},
                                                           {"End", timeText(f.end)},
                                                           {"Distance", roundedTwoDecimals(f.km) + " km"},
                                                           {"Driving", minutesText(f.drivingMinutes)},
                                                           {"Waiting", minutesText(f.waitingMinutes)},
                                                           {"Service", minutesText(f.serviceMinutes)}};
  if (route.driverRules()) {
    list.emplace_back("Breaks", minutesText(f.breakMinutes));
    list.emplace_back("Rests", minutesText(f.restMinutes));
  }
  list.emplace_back("Revenue", roundedTwoDecimals(f.revenue));
  list.emplace_back("Gain", roundedTwoDecimals(decimalOf(f.gain)));
  return list;
}

}  // namespace

const std::vector<std::string>& routeSheetColumns() {
  static const std::vector<std::string> columns = {"#",      "Action",  "Order",     "Client", "Place",
                                                   "Window", "Arrival", "Departure", "Load",   "Leg km"};
  return columns;
}

RouteSheet routeSheet(Route& route, std::size_t number) {
  const RouteFigures f = routeFigures(route);
  RouteSheet sheet;
  sheet.title = "Route " + std::to_string(number) + ": vehicle " + route.vehicle().name;
  sheet.columns = routeSheetColumns();
  sheet.rows.push_back(startRow(route, f));
  forEachStopRow(
      route.stops(), f.activities, [&](const RouteActivity& a) { sheet.rows.push_back(pauseRow(a)); },
      [&](std::size_t i) { sheet.rows.push_back(stopRow(i + 1, route.stops()[i], f.stops[i])); });
  sheet.totals = totals(route, f);
  return sheet;
}

std::vector<RouteSheet> routeSheets(Solution& plan, const std::vector<std::size_t>& positions) {
  std::vector<std::size_t> chosen = positions;
  if (chosen.empty()) {
    for (std::size_t i = 0; i < plan.routes().size(); ++i) chosen.push_back(i);
  }
  std::vector<RouteSheet> sheets;
  for (std::size_t i : chosen) {
    if (i >= plan.routes().size() || plan.routes()[i].stops().empty()) continue;
    sheets.push_back(routeSheet(plan.routes()[i], i + 1));
  }
  return sheets;
}

}  // namespace tamso

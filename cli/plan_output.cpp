#include "cli/plan_output.h"

#include <algorithm>
#include <string>

#include "problem/text.h"

namespace tamso {

namespace {

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

void printStop(std::ostream& out, std::size_t number, const RouteStop& stop) {
  const std::string none = "-";
  out << "  " << padded(std::to_string(number), 4) << padded(stopKindName(stop.kind), 10)
      << padded(stop.order ? stop.order->name : none, 12) << padded(stop.place ? stop.place->name : none, 16)
      << padded(stop.window ? formatDateTime(stop.window->start) : none, 18)
      << padded(stop.window ? formatDateTime(stop.window->end) : none, 18)
      << padded(formatDateTime(stop.arrival.likely), 18) << padded(formatDateTime(stop.serviceStart.likely), 18)
      << formatTwoDecimals(stop.satisfaction) << "\n";
}

void printRoute(std::ostream& out, std::size_t number, Route& route) {
  out << "Route " << number << ": vehicle " << route.vehicle().name << ", gain " << formatTwoDecimals(route.gain())
      << ", " << route.orderCount() << (route.orderCount() == 1 ? " order" : " orders") << "\n";
  if (route.stopCount() == 0) return;
  out << "  " << padded("#", 4) << padded("action", 10) << padded("order", 12) << padded("place", 16)
      << padded("window start", 18) << padded("window end", 18) << padded("arrival", 18) << padded("service", 18)
      << "satisfaction\n";
  for (std::size_t i = 0; i < route.stops().size(); ++i) printStop(out, i + 1, route.stops()[i]);
}

nlohmann::json timeJson(const FuzzyTime& t) { return nlohmann::json::array({t.earliest, t.likely, t.latest}); }

nlohmann::json stopJson(const RouteStop& stop) {
  nlohmann::json json = {{"kind", stopKindName(stop.kind)},
                         {"order", stop.order ? nlohmann::json(stop.order->name) : nlohmann::json(nullptr)},
                         {"place", stop.place ? nlohmann::json(stop.place->name) : nlohmann::json(nullptr)},
                         {"arrival", timeJson(stop.arrival)},
                         {"serviceStart", timeJson(stop.serviceStart)},
                         {"shownArrival", timeJson(stop.shownArrival)},
                         {"satisfaction", stop.satisfaction}};
  if (stop.window) json["window"] = {stop.window->start, stop.window->fullEnd, stop.window->end};
  return json;
}

}  // namespace

void printPlanText(std::ostream& out, Solution& solution) {
  for (std::size_t i = 0; i < solution.routes().size(); ++i) printRoute(out, i + 1, solution.routes()[i]);
  const std::size_t planned = solution.problem().orders.size() - solution.unplanned().size();
  out << "Total gain: " << formatTwoDecimals(solution.gain()) << "\n"
      << "Planned orders: " << planned << " of " << solution.problem().orders.size() << "\n"
      << "Unplanned orders (" << solution.unplanned().size() << "):";
  for (const Order* order : solution.unplanned()) out << " " << order->name;
  out << "\n";
}

nlohmann::json planJson(Solution& solution) {
  nlohmann::json routes = nlohmann::json::array();
  for (Route& route : solution.routes()) {
    nlohmann::json stops = nlohmann::json::array();
    const float gain = route.gain();
    for (const RouteStop& stop : route.stops()) stops.push_back(stopJson(stop));
    routes.push_back({{"vehicle", route.vehicle().name}, {"gain", gain}, {"stops", std::move(stops)}});
  }
  nlohmann::json unplanned = nlohmann::json::array();
  for (const Order* order : solution.unplanned()) unplanned.push_back(order->name);
  return {{"gain", solution.gain()}, {"routes", std::move(routes)}, {"unplanned", std::move(unplanned)}};
}

}  // namespace tamso

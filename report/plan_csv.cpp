#include "report/plan_csv.h"

#include <cstdio>
#include <vector>

#include "problem/text.h"
#include "report/plan_figures.h"
#include "report/report_numbers.h"
#include "report/utf8_text.h"
#include "routing/solution.h"
#include "routing/unplanned_reason.h"

namespace tamso {

namespace {

constexpr const char* lineEnd = "\r\n";

void writeRow(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) out << (i == 0 ? "" : ",") << csvField(validUtf8(fields[i]));
  out << lineEnd;
}

std::string money(float value) { return roundedTwoDecimals(decimalOf(value)); }

std::string timeText(std::optional<std::int32_t> minutes) { return minutes ? formatDateTime(*minutes) : ""; }

// "KEY QUANTITY" per article, joined by "; ".
std::string goodsText(const QuantityList& goods) {
  std::string text;
  for (std::int32_t i = 0; i < goods.count(); ++i) {
    char quantity[32];
    std::snprintf(quantity, sizeof quantity, "%g", decimalOf(goods.quantityAt(i)));
    text += (i == 0 ? "" : "; ") + goods.keyAt(i) + " " + quantity;
  }
  return text;
}

bool withLoad(const Route& route) { return route.problem().checkCapacity; }

void writeStartRow(std::ostream& out, const Route& route) {
  const Vehicle& vehicle = route.vehicle();
  const std::optional<std::int32_t> start =
      vehicle.startTime ? std::optional<std::int32_t>(vehicle.startTime->likely) : std::nullopt;
  std::vector<std::string> row = {vehicle.name, "0",
                                  "START",      "",
                                  "",           "",
                                  "",           vehicle.startPlace ? vehicle.startPlace->name : "",
                                  "",           "",
                                  "",           "",
                                  "",           timeText(start),
                                  "",           ""};
  if (withLoad(route)) row.emplace_back();
  if (route.driverRules()) row.emplace_back();
  writeRow(out, row);
}

void writeStopRow(std::ostream& out, const Route& route, std::size_t position, const RouteStop& stop,
                  const StopFigures& figures) {
  const Order* order = stop.order;
  const bool delivery = stop.kind == StopKind::Delivery;
  const auto window = [&stop](std::int32_t FuzzyWindow::*end) {
    return stop.window ? formatDateTime((*stop.window).*end) : std::string();
  };
  std::vector<std::string> row = {route.vehicle().name,
                                  std::to_string(position),
                                  stopKindName(stop.kind),
                                  order ? order->name : "",
                                  order ? order->clientName() : "",
                                  order ? goodsText(order->articles) : "",
                                  order && delivery ? money(order->price) : "",
                                  stop.place ? stop.place->name : "",
                                  window(&FuzzyWindow::start),
                                  window(&FuzzyWindow::fullEnd),
                                  window(&FuzzyWindow::end),
                                  formatDateTime(stop.arrival.likely),
                                  formatDateTime(stop.serviceStart.likely),
                                  formatDateTime(figures.departure.likely),
                                  roundedTwoDecimals(decimalOf(stop.satisfaction)),
                                  roundedTwoDecimals(figures.legKm)};
  if (withLoad(route)) row.push_back(loadText(figures.load));
  if (route.driverRules()) row.emplace_back();
  writeRow(out, row);
}

// A break or rest: "BREAK", "DAILY REST" or "WEEKLY REST", its place, its start as the
// arrival, its end as the departure and its minutes in the last column.
void writePauseRow(std::ostream& out, const Route& route, const RouteActivity& a) {
  const char* action = a.kind == ActivityKind::Break       ? "BREAK"
                       : a.kind == ActivityKind::DailyRest ? "DAILY REST"
                                                           : "WEEKLY REST";
  std::vector<std::string> row(16);
  row[0] = route.vehicle().name;
  row[2] = action;
  row[7] = a.place ? a.place->name : "";
  row[11] = formatDateTime(a.start);
  row[13] = formatDateTime(a.start + a.minutes);
  if (withLoad(route)) row.emplace_back();
  row.push_back(std::to_string(a.minutes));
  writeRow(out, row);
}

void writeTotalsRow(std::ostream& out, const std::string& name, std::int32_t orders, double km, std::int32_t driving,
                    std::int32_t waiting, std::int32_t service, std::optional<std::int32_t> start,
                    std::optional<std::int32_t> end, double revenue, float gain) {
  writeRow(out, {name, std::to_string(orders), roundedTwoDecimals(km), std::to_string(driving), std::to_string(waiting),
                 std::to_string(service), timeText(start), timeText(end), roundedTwoDecimals(revenue), money(gain)});
}

}  // namespace

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

void writePlanCsv(std::ostream& out, Solution& solution) {
  const PlanFigures plan = planFigures(solution);

  out << kPlanCsvStopHeader << (solution.problem().checkCapacity ? ",load" : "")
      << (solution.driverRules() ? ",minutes" : "") << lineEnd;
  for (std::size_t r = 0; r < solution.routes().size(); ++r) {
    const Route& route = solution.routes()[r];
    if (route.stops().empty()) continue;
    writeStartRow(out, route);
    forEachStopRow(
        route.stops(), plan.routes[r].activities, [&](const RouteActivity& a) { writePauseRow(out, route, a); },
        [&](std::size_t i) { writeStopRow(out, route, i + 1, route.stops()[i], plan.routes[r].stops[i]); });
  }

  out << lineEnd << kPlanCsvRouteHeader << lineEnd;
  for (std::size_t r = 0; r < solution.routes().size(); ++r) {
    const Route& route = solution.routes()[r];
    const RouteFigures& f = plan.routes[r];
    writeTotalsRow(out, route.vehicle().name, route.orderCount(), f.km, f.drivingMinutes, f.waitingMinutes,
                   f.serviceMinutes, f.start, f.end, f.revenue, f.gain);
  }
  const PlanSummary& s = plan.summary;
  writeTotalsRow(out, "TOTAL", s.planned, s.km, s.drivingMinutes, s.waitingMinutes, s.serviceMinutes, std::nullopt,
                 std::nullopt, s.revenue, s.gain);

  out << lineEnd << kPlanCsvUnplannedHeader << lineEnd;
  for (const UnplannedReason& reason : unplannedReasons(solution)) {
    const Order& order = *reason.order;
    writeRow(out, {order.name, order.clientName(), money(order.price), order.pickupPlaceName(),
                   order.deliveryPlaceName(), reason.describe()});
  }
}

}  // namespace tamso

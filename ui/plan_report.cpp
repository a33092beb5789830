#include "ui/plan_report.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "problem/text.h"
#include "routing/solution.h"

namespace tamso::ui {

namespace {

std::string twoDecimals(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

void writeStopRow(std::ostream& out, const std::string& vehicle, const std::string& gain, std::size_t position,
                  const RouteStop& stop) {
  const std::string order = stop.order ? stop.order->name : std::string();
  const std::string place = stop.place ? stop.place->name : std::string();
  const std::string windowStart = stop.window ? formatDateTime(stop.window->start) : std::string();
  const std::string windowEnd = stop.window ? formatDateTime(stop.window->end) : std::string();
  out << csvField(vehicle) << ',' << gain << ',' << position << ',' << stopKindName(stop.kind) << ','
      << csvField(order) << ',' << csvField(place) << ',' << windowStart << ',' << windowEnd << ','
      << formatDateTime(stop.shownArrival.likely) << ',' << twoDecimals(stop.satisfaction) << '\n';
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

void writePlanReport(std::ostream& out, Solution& solution) {
  out << kPlanReportHeader << '\n';
  for (Route& route : solution.routes()) {
    if (route.stops().empty()) continue;
    const std::string gain = twoDecimals(route.gain());
    std::size_t position = 1;
    for (const RouteStop& stop : route.stops()) writeStopRow(out, route.vehicle().name, gain, position++, stop);
  }
}

std::optional<std::string> savePlanReport(const std::string& path, Solution& solution) {
  std::ostringstream text;
  writePlanReport(text, solution);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file << text.str();
  if (file) file.flush();
  if (!file) return "Cannot write the file " + path;
  return std::nullopt;
}

}  // namespace tamso::ui

#pragma once
// The route sheet a driver takes along: for one route its stops in order with client, place,
// window, planned arrival and departure, load on board and km of the leg, the breaks and rests
// among them where the driving and rest times apply, and the route's totals. Only texts: the
// window lays them out on pages, one sheet a page.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "routing/route.h"
#include "routing/solution.h"

namespace tamso {

struct RouteSheet {
  std::string title;                 // "Route 3: vehicle TRUCK1"
  std::vector<std::string> columns;  // the headings of the rows' cells
  std::vector<std::vector<std::string>> rows;
  std::vector<std::pair<std::string, std::string>> totals;  // ("Distance", "812.40 km"), ...
};

// The headings of every sheet's rows.
const std::vector<std::string>& routeSheetColumns();

// The sheet of the route, numbered as in the reports (1 for the first vehicle).
RouteSheet routeSheet(Route& route, std::size_t number);

// The sheets of the routes at the given positions (all routes with stops when none are given),
// in vehicle order; a route without stops or a position out of range gives no sheet.
std::vector<RouteSheet> routeSheets(Solution& plan, const std::vector<std::size_t>& positions = {});

}  // namespace tamso

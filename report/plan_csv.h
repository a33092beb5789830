#pragma once
// The plan as the CSV report a dispatcher hands on, written alike by the window's File >
// Save and by "tamso-cli plan --csv": three tables separated by one empty line, each with a
// header row: the stops (a START row per route, then one row per stop), the route totals
// (one row per vehicle and a TOTAL row) and the unplanned orders with the reason. Fields
// are quoted as RFC 4180 asks, lines end in CR LF, text is UTF-8, times are local
// "%Y-%m-%d %H:%M", money, kilometres and satisfaction have two decimals, rounded. When the
// problem checks capacities the stops table ends with a "load" column: what the vehicle
// carries when it leaves the stop. When the plan keeps the driving and rest times, each break
// and rest gets a row before the stop it precedes, and a last "minutes" column gives its length.
#include <ostream>
#include <string>

namespace tamso {

class Solution;

inline constexpr const char* kPlanCsvStopHeader =
    "vehicle,position,action,order,client,goods,price,place,window start,window full end,window end,"
    "arrival,service start,departure,satisfaction,leg km";
inline constexpr const char* kPlanCsvRouteHeader =
    "vehicle,orders,km,driving minutes,waiting minutes,service minutes,start,end,revenue,gain";
inline constexpr const char* kPlanCsvUnplannedHeader = "order,client,price,pickup place,delivery place,reason";

void writePlanCsv(std::ostream& out, Solution& solution);

// One CSV field: quoted when it holds a comma, a quote or a line break, inner quotes doubled.
std::string csvField(const std::string& text);

}  // namespace tamso

#pragma once
// The plan on the map as a CSV report: one row per stop with its vehicle, the route's gain,
// the stop's position, action, order, place, window and arrival, and how well the arrival
// meets the window. Times are local "%Y-%m-%d %H:%M".
#include <optional>
#include <ostream>
#include <string>

namespace tamso {
class Solution;
}

namespace tamso::ui {

inline constexpr const char* kPlanReportHeader =
    "vehicle,route gain,position,action,order,place,window start,window end,arrival,satisfaction";

void writePlanReport(std::ostream& out, Solution& solution);

// The error message in the user's words, or nothing when the file was written completely.
std::optional<std::string> savePlanReport(const std::string& path, Solution& solution);

// One CSV field: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text);

}  // namespace tamso::ui

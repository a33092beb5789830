#pragma once
// Road distances: the detour factor and average speed of the configuration, and the
// optional distances file, one record per ordered pair of places,
//   FROM TO KM MINUTES
// in the text layer of the other data files. A pair the file lists replaces the great-circle
// rule for that direction only; the way back keeps its own record or the rule.
#include <optional>
#include <string>

#include "problem/config_file.h"
#include "problem/loader.h"

namespace tamso {

// Longest leg a distances file may give: no road on Earth is longer, and with these limits
// every schedule stays far inside 32-bit minutes.
constexpr double maxRoadKm = 40000.0;
constexpr double maxRoadMinutes = 30.0 * 1440.0;

// Reads params.detourFactor and params.averageSpeed into the problem (absent: the flat
// defaults). A value that is no number or out of its range gives the loader's
// wrong-format message.
std::optional<std::string> readRoadParameters(const ConfigFile& config, ProblemData& problem);

// Reads the distances file `file` (named `shownPath` in messages) over the tables of the
// loaded, numbered places and counts the pairs it gives. The first fault ends the reading
// with a message naming the file and line.
std::optional<LoadError> readDistancesFile(const std::string& shownPath, const std::string& file, ProblemData& problem);

}  // namespace tamso

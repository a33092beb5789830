#pragma once
// The plain-text trace files of the optimisers: route lines and "total.dump".
#include <optional>
#include <ostream>
#include <string>

#include "routing/route.h"
#include "routing/solution.h"

namespace tamso {

// The route's order count as "%d ", each order's name as "%s ", then the line end.
void writeRouteLine(std::ostream& out, const Route& route);

// The solution's gain as " %f\n", then one route line per vehicle.
void writeTotalDump(std::ostream& out, const Solution& solution);

// Appends the solution's "total.dump" record to the file at path; the warning to show when
// it cannot be written.
std::optional<std::string> appendTotalDump(const std::string& path, const Solution& solution);

// Removes any former file at path (a missing file is no error).
void removeDumpFile(const std::string& path);

}  // namespace tamso

#include "report/population_dump.h"

#include <cstdio>

#include "report/dump_files.h"

namespace tamso {

namespace {

void writeMember(std::ostream& out, const Solution& member) {
  char line[96];
  std::snprintf(line, sizeof line, "maxGain: %f\n", static_cast<double>(member.gain()));
  out << line;
  std::snprintf(line, sizeof line, "-- vehicles: %d\n", static_cast<int>(member.routeCount()));
  out << line;
  for (const Route& route : member.routes()) writeRouteLine(out, route);
}

}  // namespace

void writePopulationListing(std::ostream& out, const std::vector<Solution>& members) {
  for (const Solution& member : members) writeMember(out, member);
  out << "Ende der Nacht\n\n\n";
}

void writeParentPair(std::ostream& out, std::int32_t first, std::int32_t second) {
  out << first << ' ' << second << '\n';
}

}  // namespace tamso

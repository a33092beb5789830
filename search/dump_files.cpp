#include "search/dump_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace tamso {

void writeRouteLine(std::ostream& out, const Route& route) {
  out << route.orderCount() << ' ';
  for (std::int32_t k = 0; k < route.orderCount(); ++k) {
    if (const Order* order = route.orderAt(k)) out << order->name << ' ';
  }
  out << '\n';
}

void writeTotalDump(std::ostream& out, const Solution& solution) {
  char gainLine[64];
  std::snprintf(gainLine, sizeof gainLine, " %f\n", static_cast<double>(solution.gain()));
  out << gainLine;
  for (const Route& route : solution.routes()) writeRouteLine(out, route);
}

std::optional<std::string> appendTotalDump(const std::string& path, const Solution& solution) {
  std::ofstream out(path, std::ios::app);
  if (out) writeTotalDump(out, solution);
  if (out) out.close();
  if (!out) return "Could not write the dump file \"" + path + "\"";
  return std::nullopt;
}

void removeDumpFile(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

}  // namespace tamso

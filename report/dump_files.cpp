#include "report/dump_files.h"

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

TotalDumpFile::TotalDumpFile(std::string path) : path_(std::move(path)) {
  std::error_code ignored;  // a missing file is no error
  std::filesystem::remove(path_, ignored);
}

void TotalDumpFile::plan(const Solution& plan) {
  std::ofstream out(path_, std::ios::app);
  if (out) writeTotalDump(out, plan);
  if (out) out.close();
  if (!out && errors_.empty()) errors_.push_back("Could not write the dump file \"" + path_ + "\"");
}

}  // namespace tamso

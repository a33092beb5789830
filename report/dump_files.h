#pragma once
// The plain-text trace files of the optimisers: route lines and "total.dump".
#include <ostream>
#include <string>
#include <vector>

#include "report/search_trace.h"
#include "routing/route.h"
#include "routing/solution.h"

namespace tamso {

// The route's order count as "%d ", each order's name as "%s ", then the line end.
void writeRouteLine(std::ostream& out, const Route& route);

// The solution's gain as " %f\n", then one route line per vehicle.
void writeTotalDump(std::ostream& out, const Solution& solution);

// "total.dump": the former file is removed when the writer is made (a dump holds only the
// latest run), and every plan received is appended to it.
class TotalDumpFile final : public PlanSink {
 public:
  explicit TotalDumpFile(std::string path);
  void plan(const Solution& plan) override;
  // The message naming the file, once a plan could not be written.
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  std::string path_;
  std::vector<std::string> errors_;
};

}  // namespace tamso

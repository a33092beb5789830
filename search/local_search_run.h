#pragma once
// The Local Search command without its window: a new plan, its first solution, the local
// search, and "total.dump" holding the result.
#include <memory>
#include <optional>
#include <string>

#include "core/random.h"
#include "problem/problem_data.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

struct LocalSearchRun {
  std::unique_ptr<Solution> solution;
  bool stopped = false;
  std::optional<std::string> dumpError;  // a message naming the dump file that could not be written
};

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random,
                              RunObserver* observer = nullptr, const std::string& dumpPath = "total.dump");

}  // namespace tamso

#pragma once
// The Local Search command without its window: a new plan, its first solution, the local
// search, and "total.dump" holding the result.
#include <cstdint>
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
  std::int32_t restartsDone = 0;         // plans built
  std::optional<std::string> dumpError;  // a message naming the dump file that could not be written
};

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random,
                              RunObserver* observer = nullptr, const std::string& dumpPath = "total.dump");

// The Local Search command as a restart loop: up to `restarts` plans, each built and improved
// anew; every plan whose gain differs from all gains seen before (up to 200 of them) is
// appended to "total.dump", and the best plan (the first of equal gains) is kept. A stop
// request ends the loop after the plan it interrupted. One restart is `runLocalSearch`.
LocalSearchRun runLocalSearchRestarts(const ProblemData& problem, bool estimatedGain, std::int32_t restarts,
                                      Random& random, RunObserver* observer = nullptr,
                                      const std::string& dumpPath = "total.dump");

}  // namespace tamso

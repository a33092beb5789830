#pragma once
// The Local Search command without its window: a new plan, its first solution, the local
// search, and every result handed to the run's plan sink ("total.dump").
#include <cstdint>
#include <memory>

#include "core/random.h"
#include "problem/problem_data.h"
#include "report/search_trace.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

struct LocalSearchRun {
  std::unique_ptr<Solution> solution;
  bool stopped = false;
  std::int32_t restartsDone = 0;  // plans built
};

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random,
                              RunObserver* observer = nullptr, PlanSink* dump = nullptr);

// The Local Search command as a restart loop: up to `restarts` plans, each built and improved
// anew; every plan whose gain differs from all gains seen before (up to 200 of them) is
// handed to `dump`, and the best plan (the first of equal gains) is kept. A stop
// request ends the loop after the plan it interrupted. One restart is `runLocalSearch`.
LocalSearchRun runLocalSearchRestarts(const ProblemData& problem, bool estimatedGain, std::int32_t restarts,
                                      Random& random, RunObserver* observer = nullptr, PlanSink* dump = nullptr);

// Where a Local Search run starts and how far it goes: from a given plan (its unplanned
// orders placed as a first solution places them) instead of a first solution, and for at
// most `maxPasses` passes of the local search (no limit when negative).
struct LocalSearchStart {
  const Solution* plan = nullptr;
  std::int32_t maxPasses = -1;
};

LocalSearchRun runLocalSearchRestarts(const ProblemData& problem, bool estimatedGain, std::int32_t restarts,
                                      const LocalSearchStart& start, Random& random, RunObserver* observer = nullptr,
                                      PlanSink* dump = nullptr);

// One plan built (or taken from `start`) and improved; false when a stop request ended it early.
bool buildPlan(Solution& solution, bool estimatedGain, const LocalSearchStart& start, Random& random,
               RunObserver* observer);

}  // namespace tamso

#include "search/local_search_run.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "search/dump_files.h"

namespace tamso {

namespace {

constexpr std::size_t kGainsRemembered = 200;

// One plan built and improved; false when a stop request ended it early.
bool buildPlan(Solution& solution, bool estimatedGain, Random& random, RunObserver* observer) {
  solution.clearRoutes();
  const bool built = buildFirstSolution(solution, random, observer);
  return built && localSearch(solution, estimatedGain, random, observer);
}

}  // namespace

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random, RunObserver* observer,
                              const std::string& dumpPath) {
  return runLocalSearchRestarts(problem, estimatedGain, 1, random, observer, dumpPath);
}

LocalSearchRun runLocalSearchRestarts(const ProblemData& problem, bool estimatedGain, std::int32_t restarts,
                                      Random& random, RunObserver* observer, const std::string& dumpPath) {
  // A dump file holds only the latest run.
  removeDumpFile(dumpPath);
  LocalSearchRun run;
  std::vector<float> gainsSeen;
  while (!run.stopped && run.restartsDone < std::max(restarts, 1)) {
    auto plan = std::make_unique<Solution>(problem, estimatedGain);
    run.stopped = !buildPlan(*plan, estimatedGain, random, observer);
    ++run.restartsDone;
    const float gain = plan->gain();
    if (std::find(gainsSeen.begin(), gainsSeen.end(), gain) == gainsSeen.end()) {
      if (gainsSeen.size() < kGainsRemembered) gainsSeen.push_back(gain);
      if (auto error = appendTotalDump(dumpPath, *plan)) run.dumpError = std::move(error);
    }
    if (!run.solution || gain > run.solution->gain()) run.solution = std::move(plan);
  }
  return run;
}

}  // namespace tamso

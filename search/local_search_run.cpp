#include "search/local_search_run.h"

#include <algorithm>
#include <vector>

#include "routing/first_solution.h"
#include "routing/local_search.h"

namespace tamso {

namespace {

constexpr std::size_t kGainsRemembered = 200;

}  // namespace

bool buildPlan(Solution& solution, bool estimatedGain, const LocalSearchStart& start, Random& random,
               RunObserver* observer) {
  bool built = false;
  if (start.plan != nullptr) {
    solution = *start.plan;
    built = placeUnplanned(solution, random, observer);
  } else {
    solution.clearRoutes();
    built = buildFirstSolution(solution, random, observer);
  }
  return built && localSearch(solution, estimatedGain, random, observer, start.maxPasses);
}

LocalSearchRun runLocalSearch(const ProblemData& problem, bool estimatedGain, Random& random, RunObserver* observer,
                              PlanSink* dump) {
  return runLocalSearchRestarts(problem, estimatedGain, 1, random, observer, dump);
}

LocalSearchRun runLocalSearchRestarts(const ProblemData& problem, bool estimatedGain, std::int32_t restarts,
                                      Random& random, RunObserver* observer, PlanSink* dump) {
  return runLocalSearchRestarts(problem, estimatedGain, restarts, LocalSearchStart{}, random, observer, dump);
}

LocalSearchRun runLocalSearchRestarts(const ProblemData& problem, bool estimatedGain, std::int32_t restarts,
                                      const LocalSearchStart& start, Random& random, RunObserver* observer,
                                      PlanSink* dump) {
  LocalSearchRun run;
  std::vector<float> gainsSeen;
  while (!run.stopped && run.restartsDone < std::max(restarts, 1)) {
    auto plan = std::make_unique<Solution>(problem, estimatedGain);
    run.stopped = !buildPlan(*plan, estimatedGain, start, random, observer);
    ++run.restartsDone;
    const float gain = plan->gain();
    if (std::find(gainsSeen.begin(), gainsSeen.end(), gain) == gainsSeen.end()) {
      if (gainsSeen.size() < kGainsRemembered) gainsSeen.push_back(gain);
      if (dump != nullptr) dump->plan(*plan);
    }
    if (!run.solution || gain > run.solution->gain()) run.solution = std::move(plan);
  }
  return run;
}

}  // namespace tamso

#include "routing/first_solution.h"

#include <cstdint>
#include <vector>

#include "core/int_list.h"
#include "routing/insertion.h"

namespace tamso {

namespace {

// The lowest gain a priority order is still placed at: any feasible route will do.
constexpr float anyGain = -100000000.0f;

struct FirstSolutionBuild {
  Solution& solution;
  Random& random;
  RunObserver* observer;
  std::int32_t done = 0;
  std::int32_t total = 0;

  bool stopRequested() const { return observer != nullptr && observer->stopRequested(); }

  void report() {
    if (observer == nullptr) return;
    RunProgress progress;
    progress.phase = RunProgress::Phase::FirstSolution;
    progress.step = done;
    progress.total = total;
    progress.gain = solution.gain();
    observer->progress(progress);
  }

  // Places one order into the best route above the threshold, or leaves it unplanned.
  void place(const Order& order, bool priority) {
    float share = 0.0f;
    const float threshold = priority ? anyGain : solution.gain();
    const std::int32_t target = bestInsertion(solution, order, share, threshold);
    if (target < 0 || share == 0.0f) {
      solution.unplanned().push_back(&order);
    } else {
      solution.route(target)->insertOrder(order);
    }
    if (!priority) solution.setGain(solution.totalGain(false));
  }

  // Visits the listed orders in random order; false when stopped (the rest stay unplanned).
  bool placeAll(const std::vector<std::int32_t>& list, bool priority) {
    std::vector<std::int32_t> visit(list.size());
    randomPermutation(random, visit);
    const auto& orders = solution.problem().orders;
    for (std::size_t i = 0; i < visit.size(); ++i) {
      const Order& order = orders[static_cast<std::size_t>(list[static_cast<std::size_t>(visit[i])])];
      if (stopRequested()) {
        solution.unplanned().push_back(&order);
        continue;
      }
      place(order, priority);
      ++done;
      report();
    }
    return !stopRequested();
  }
};

}  // namespace

bool buildFirstSolution(Solution& solution, Random& random, RunObserver* observer) {
  solution.setGain(solution.totalGain(false));
  std::vector<std::int32_t> priorityOrders;
  std::vector<std::int32_t> otherOrders;
  const auto& orders = solution.problem().orders;
  for (std::size_t i = 0; i < orders.size(); ++i) {
    (orders[i].isPriority() ? priorityOrders : otherOrders).push_back(static_cast<std::int32_t>(i));
  }
  FirstSolutionBuild build{solution, random, observer, 0, static_cast<std::int32_t>(orders.size())};
  const bool priorityDone = build.placeAll(priorityOrders, true);
  const bool othersDone = build.placeAll(otherOrders, false);
  return priorityDone && othersDone;
}

}  // namespace tamso

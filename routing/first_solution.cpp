#include "routing/first_solution.h"

#include <algorithm>
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
  bool placeAll(const std::vector<const Order*>& list, bool priority) {
    std::vector<std::int32_t> visit(list.size());
    randomPermutation(random, visit);
    for (std::size_t i = 0; i < visit.size(); ++i) {
      const Order& order = *list[static_cast<std::size_t>(visit[i])];
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
  std::vector<const Order*> all;
  for (const Order& order : solution.problem().orders) all.push_back(&order);
  return placeOrders(solution, all, random, observer);
}

bool placeOrders(Solution& solution, const std::vector<const Order*>& orders, Random& random, RunObserver* observer) {
  solution.setGain(solution.totalGain(false));
  std::vector<const Order*> priorityOrders;
  std::vector<const Order*> otherOrders;
  for (const Order* order : orders) (order->isPriority() ? priorityOrders : otherOrders).push_back(order);
  FirstSolutionBuild build{solution, random, observer, 0, static_cast<std::int32_t>(orders.size())};
  const bool priorityDone = build.placeAll(priorityOrders, true);
  const bool othersDone = build.placeAll(otherOrders, false);
  return priorityDone && othersDone;
}

bool placeUnplanned(Solution& solution, Random& random, RunObserver* observer) {
  const std::vector<const Order*> pending = std::move(solution.unplanned());
  solution.unplanned().clear();
  const bool done = placeOrders(solution, pending, random, observer);
  // The orders still unplanned keep the order they were listed in.
  std::vector<const Order*>& left = solution.unplanned();
  std::vector<const Order*> ordered;
  for (const Order* order : pending) {
    if (std::find(left.begin(), left.end(), order) != left.end()) ordered.push_back(order);
  }
  left = std::move(ordered);
  return done;
}

}  // namespace tamso

#pragma once
// One ruin-and-recreate walk: each step takes some orders out of the current plan with a
// removal chosen by its weight, puts them (and some unplanned orders) back with an
// insertion chosen the same way, improves a better plan locally, and accepts the result by
// simulated annealing. The weights follow the operators' success.
#include <array>
#include <cstdint>
#include <unordered_set>

#include "core/random.h"
#include "routing/solution.h"
#include "search/ruin_recreate_draws.h"
#include "search/ruin_recreate_removal.h"
#include "search/ruin_recreate_repair.h"

namespace tamso {

// Fewer unplanned priority orders first, then the higher gain.
bool betterPlan(const Solution& a, const Solution& b);
std::int32_t unplannedPriorityOrders(const Solution& solution);

class RuinAndRecreate {
 public:
  static constexpr std::int32_t kInsertionKinds = 6;  // greedy, regret-2, regret-3; each with and without noise

  RuinAndRecreate(const Solution& start, Random& random);

  // One step; `progress` from 0 (start) to 1 (end of the run) sets the temperature.
  void step(double progress);
  const Solution& best() const { return best_; }
  const Solution& current() const { return current_; }
  // Continues from another walk's better plan.
  void adopt(const Solution& plan);

 private:
  std::int32_t drawIndex(const double* weights, std::int32_t count);
  std::int32_t removalCount();
  std::vector<const Order*> drawFromPool(Solution& plan, std::int32_t count);
  bool accept(float candidate, double progress);
  void reward(std::int32_t removal, std::int32_t insertion, double score);
  void updateWeights();
  void finishPlan(Solution& plan, Solution& before);

  Draws draws_;
  bool estimatedGain_;
  Solution current_;
  Solution best_;
  double startTemperature_;
  std::array<double, kRemovalKinds> removalWeights_{};
  std::array<double, kRemovalKinds> removalScores_{};
  std::array<std::int32_t, kRemovalKinds> removalUses_{};
  std::array<double, kInsertionKinds> insertionWeights_{};
  std::array<double, kInsertionKinds> insertionScores_{};
  std::array<std::int32_t, kInsertionKinds> insertionUses_{};
  std::int32_t stepsInSegment_ = 0;
  std::unordered_set<float> acceptedGains_;
};

// The insertion behind an index of RuinAndRecreate's insertion weights.
RepairChoice insertionChoice(std::int32_t index);

}  // namespace tamso

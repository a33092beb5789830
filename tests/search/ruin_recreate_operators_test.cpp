// The pieces of the thorough search on small generated instances: random sequences of
// removals, insertions and improvements keep every plan whole and valid, and the cheapest
// spot agrees with trying every pair of positions by hand.
#include <gtest/gtest.h>

#include <optional>

#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "search/ruin_recreate_improvement.h"
#include "search/ruin_recreate_insertion.h"
#include "search/ruin_recreate_removal.h"
#include "search/ruin_recreate_repair.h"
#include "search/ruin_recreate_walk.h"
#include "tests/search/ruin_recreate_fixture.h"

namespace tamso {
namespace {

using testing::expectPlanHolds;
using testing::generatedProblem;

Solution localSearchPlan(const ProblemData& problem, bool estimatedGain, std::uint32_t seed) {
  Random random = Random::seeded(seed);
  Solution plan(problem, estimatedGain);
  buildFirstSolution(plan, random);
  localSearch(plan, estimatedGain, random);
  plan.setGain(plan.totalGain(estimatedGain));
  return plan;
}

// Every route, every order and every pair of positions: the best feasible change found by
// inserting the two stops and evaluating the whole route.
std::optional<float> bruteForceBest(Route route, const Order& order) {
  const float before = route.gain();
  const std::int32_t last = route.waitingPlace() ? route.stopCount() - 1 : route.stopCount();
  std::optional<float> best;
  for (std::int32_t i = 0; i <= last; ++i) {
    for (std::int32_t j = i + 1; j <= last + 1; ++j) {
      Route trial = route;
      trial.insertStop(RouteStop::pickup(order), i);
      trial.insertStop(RouteStop::delivery(order), j);
      if (trial.isValid() && (!best || trial.gain() - before > *best)) best = trial.gain() - before;
    }
  }
  return best;
}

// With and without the capacity check: the trial scan must skip every pair that overloads.
TEST(RuinRecreateOperators, CheapestSpotMatchesEveryPairTriedByHand) {
  for (const bool capacity : {false, true}) {
    SCOPED_TRACE(capacity ? "capacity checked" : "no capacity check");
    const ProblemData& problem = generatedProblem({25, 40, 6, 4, capacity});
    Solution plan = localSearchPlan(problem, false, 3);
    std::int32_t compared = 0;
    for (Route& route : plan.routes()) {
      for (const Order& order : problem.orders) {
        if (route.containsOrder(order)) continue;
        const std::vector<RouteStop> stopsBefore = route.stops();
        const std::optional<InsertionSpot> spot = cheapestSpot(route, order);
        const std::optional<float> expected = bruteForceBest(route, order);
        ASSERT_EQ(spot.has_value(), expected.has_value()) << order.name << " on " << route.vehicle().name;
        ASSERT_EQ(route.stops().size(), stopsBefore.size());
        if (!spot) continue;
        EXPECT_FLOAT_EQ(spot->change, *expected) << order.name << " on " << route.vehicle().name;
        Route inserted = route;
        const float before = inserted.gain();
        insertAt(inserted, order, *spot);
        EXPECT_TRUE(inserted.isValid());
        EXPECT_FLOAT_EQ(inserted.gain() - before, spot->change);
        ++compared;
      }
    }
    EXPECT_GT(compared, 10);
  }
}

// Applies one random operator to the plan: a removal and a repair, an improvement of a few
// routes, or a whole ruin-and-recreate step.
void applyRandomOperator(Solution& plan, Draws& draws) {
  switch (draws.below(3)) {
    case 0: {
      const auto kind = static_cast<Removal>(draws.below(kRemovalKinds));
      std::vector<const Order*> removed = removeOrders(plan, kind, 1 + draws.below(8), draws);
      repairPlan(plan, std::move(removed), insertionChoice(draws.below(RuinAndRecreate::kInsertionKinds)), draws);
      break;
    }
    case 1:
      improvePlan(plan, {draws.below(plan.routeCount()), draws.below(plan.routeCount())}, draws);
      break;
    default: {
      const std::int32_t a = draws.below(plan.routeCount());
      const std::int32_t b = draws.below(plan.routeCount());
      if (a != b) exchangeOrders(plan, a, b);
      break;
    }
  }
  plan.setGain(plan.totalGain(plan.estimatedGain()));
}

TEST(RuinRecreateOperators, RandomOperatorSequencesKeepEveryPlanValid) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    const bool estimatedGain = seed % 2 == 0;
    const ProblemData& problem = generatedProblem({20, 30, 2 + static_cast<int>(seed % 3), seed});
    Solution plan = localSearchPlan(problem, estimatedGain, seed);
    Random random = Random::seeded(seed * 7919u);
    Draws draws(random);
    for (std::int32_t step = 0; step < 25; ++step) {
      applyRandomOperator(plan, draws);
      expectPlanHolds(plan);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// Above kEveryChangedRouteUpTo routes the repair tries only near routes, and plans stay valid.
TEST(RuinRecreateOperators, RepairInALargeFleetKeepsEveryPlanValid) {
  const ProblemData& problem = generatedProblem({40, 80, kEveryChangedRouteUpTo + 10, 5});
  Random random = Random::seeded(23);
  Solution plan(problem, false);
  buildFirstSolution(plan, random);
  Draws draws(random);
  for (std::int32_t step = 0; step < 12 && !::testing::Test::HasFailure(); ++step) {
    std::vector<const Order*> removed = removeOrders(plan, static_cast<Removal>(step % kRemovalKinds), 8, draws);
    repairPlan(plan, std::move(removed), insertionChoice(step % RuinAndRecreate::kInsertionKinds), draws);
    plan.setGain(plan.totalGain(false));
    expectPlanHolds(plan);
  }
}

TEST(RuinRecreateOperators, ImprovementNeverLowersTheGain) {
  const ProblemData& problem = generatedProblem({25, 40, 4, 9});
  Random random = Random::seeded(17);
  Draws draws(random);
  Solution plan(problem, false);
  // A poor plan: every order first into the first route that takes it.
  for (const Order& order : problem.orders) {
    bool placed = false;
    for (Route& route : plan.routes()) {
      if ((placed = route.insertOrder(order))) break;
    }
    if (!placed) plan.unplanned().push_back(&order);
  }
  std::vector<std::int32_t> all;
  for (std::int32_t r = 0; r < plan.routeCount(); ++r) all.push_back(r);
  const float before = plan.totalGain(false);
  improvePlan(plan, all, draws);
  plan.setGain(plan.totalGain(false));
  EXPECT_GT(plan.gain(), before);
  expectPlanHolds(plan);
}

}  // namespace
}  // namespace tamso

// Whole thorough-search runs: the plan holds when checked on its own, a seeded run limited
// by iterations repeats exactly, a stop request or a time limit ends the run with the best
// plan found so far.
#include <gtest/gtest.h>

#include <atomic>

#include "search/ruin_recreate_search.h"
#include "tests/search/genetic_fixture.h"
#include "tests/search/ruin_recreate_fixture.h"

namespace tamso {
namespace {

using testing::expectPlanHolds;
using testing::generatedProblem;

std::string describe(const Solution& plan) {
  std::string text = std::to_string(plan.gain()) + "\n";
  for (const Route& route : plan.routes()) {
    for (const RouteStop& stop : route.stops()) text += (stop.order ? stop.order->name : "W") + " ";
    text += "\n";
  }
  return text;
}

ThoroughResult solve(const ProblemData& problem, ThoroughSettings settings, std::uint32_t seed,
                     RunObserver* observer = nullptr) {
  Random random = Random::seeded(seed);
  return runThoroughSearch(problem, settings, random, observer);
}

TEST(RuinRecreateSearch, PlanHoldsAndBeatsItsStartWithAndWithoutEstimatedGain) {
  const ProblemData& problem = generatedProblem({30, 60, 8, 5});
  for (const bool estimatedGain : {false, true}) {
    ThoroughSettings settings;
    settings.estimatedGain = estimatedGain;
    settings.iterations = 300;
    const ThoroughResult result = solve(problem, settings, 11);
    SCOPED_TRACE(estimatedGain ? "with estimated gain" : "without");
    EXPECT_EQ(result.iterations, 300);
    EXPECT_FALSE(result.stopped);
    EXPECT_GT(result.solution->gain(), result.startGain);
    expectPlanHolds(*result.solution);
    for (const Route& route : result.solution->routes()) {
      EXPECT_EQ(route.waitingPlace() != nullptr, estimatedGain) << route.vehicle().name;
    }
  }
}

TEST(RuinRecreateSearch, SeededRunLimitedByIterationsRepeatsExactly) {
  const ProblemData& problem = generatedProblem({30, 60, 8, 6});
  ThoroughSettings settings;
  settings.iterations = 240;
  settings.roundSteps = 20;
  const std::string first = describe(*solve(problem, settings, 42).solution);
  EXPECT_EQ(describe(*solve(problem, settings, 42).solution), first);
  EXPECT_NE(describe(*solve(problem, settings, 43).solution), first);
}

// Asks to stop once the walks have made a number of steps; remembers the best gain reported.
class StopAfterSteps final : public RunObserver {
 public:
  explicit StopAfterSteps(std::int32_t steps) : steps_(steps) {}
  void progress(const RunProgress& progress) override {
    if (progress.phase != RunProgress::Phase::Iteration) return;
    reached_ = progress.step;
    bestReported = progress.gain;
  }
  bool stopRequested() override { return reached_ >= steps_; }
  float bestReported = 0.0f;

 private:
  std::int32_t steps_;
  std::atomic<std::int32_t> reached_{0};
};

TEST(RuinRecreateSearch, StopReturnsTheBestPlanSoFar) {
  const ProblemData& problem = generatedProblem({30, 60, 8, 7});
  StopAfterSteps observer(30);
  ThoroughSettings settings;
  settings.iterations = 100000;
  settings.roundSteps = 10;
  const ThoroughResult result = solve(problem, settings, 5, &observer);
  EXPECT_TRUE(result.stopped);
  EXPECT_LT(result.iterations, 200);
  EXPECT_GE(result.solution->gain(), result.startGain);
  EXPECT_GE(result.solution->gain(), observer.bestReported);
  expectPlanHolds(*result.solution);
}

// A clock that moves a tenth of a second at every reading, from any thread.
class FastClock final : public Clock {
 public:
  ClockReading now() override {
    const std::int64_t t = millis_.fetch_add(100);
    return {t / 1000, static_cast<std::int32_t>(t % 1000)};
  }

 private:
  std::atomic<std::int64_t> millis_{0};
};

TEST(RuinRecreateSearch, TimeLimitEndsTheRunWithoutStopping) {
  const ProblemData& problem = generatedProblem({30, 60, 8, 7});
  FastClock clock;
  ThoroughSettings settings;
  settings.timeLimit = 30.0;
  settings.clock = &clock;
  const ThoroughResult result = solve(problem, settings, 5);
  EXPECT_FALSE(result.stopped);
  EXPECT_GE(result.seconds, 30.0);
  EXPECT_LT(result.iterations, 400);
  expectPlanHolds(*result.solution);
}

TEST(RuinRecreateSearch, TinyInstancesAndFleetsWithoutVehicles) {
  const ProblemData& tiny = generatedProblem({5, 1, 1, 3});
  ThoroughSettings settings;
  settings.iterations = 20;
  expectPlanHolds(*solve(tiny, settings, 1).solution);

  testing::LineSettings line;
  line.vehicles = 0;
  line.orders = {{"A", 0, 2}, {"B", 1, 3}};
  const auto noFleet = testing::makeLineProblem(line);
  const ThoroughResult result = solve(*noFleet, settings, 1);
  EXPECT_EQ(result.solution->unplanned().size(), 2u);
  EXPECT_EQ(result.iterations, 20);
}

}  // namespace
}  // namespace tamso

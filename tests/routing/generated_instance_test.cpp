// Whole runs on generated instances: the plan stays consistent, large instances lose no
// orders or vehicles, and a seeded run repeats exactly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "core/random.h"
#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "report/dump_files.h"
#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "tests/routing/plain_trials.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

class GeneratedInstanceTest : public ::testing::Test {
 protected:
  testing::TempFolder scratch{"tamso-generated"};
  const std::filesystem::path dir = scratch.path();

  ProblemData load(const GeneratorSettings& settings) {
    const auto error = generateInstance(dir.string(), settings);
    EXPECT_FALSE(error.has_value()) << *error;
    ProblemData problem;
    LoadOptions options;
    options.dataDirectory = dir.string();
    const auto loadError = loadInstance((dir / "instance.cfg").string(), problem, options);
    EXPECT_FALSE(loadError.has_value()) << loadError->message << " " << loadError->file << ":" << loadError->line;
    return problem;
  }
};

void expectConsistentPlan(Solution& solution, bool withEstimate) {
  std::map<const Order*, int> seen;
  float sum = 0.0f;
  for (Route& route : solution.routes()) {
    EXPECT_TRUE(route.isValid()) << route.vehicle().name;
    for (std::int32_t k = 0; k < route.orderCount(); ++k) ++seen[route.orderAt(k)];
    sum += route.gain();
  }
  for (const Order* order : solution.unplanned()) ++seen[order];
  EXPECT_EQ(seen.size(), solution.problem().orders.size());
  for (const auto& [order, count] : seen) EXPECT_EQ(count, 1) << order->name;
  EXPECT_NEAR(solution.gain(), sum, std::max(1.0f, std::abs(sum)) * 1e-4f);
  EXPECT_FLOAT_EQ(solution.totalGain(withEstimate), sum);
}

std::string runDump(const ProblemData& problem, bool estimate, std::uint32_t seed) {
  Random random = Random::seeded(seed);
  Solution solution(problem, estimate);
  buildFirstSolution(solution, random);
  localSearch(solution, estimate, random);
  std::ostringstream dump;
  writeTotalDump(dump, solution);
  return dump.str();
}

TEST_F(GeneratedInstanceTest, LocalSearchLeavesAConsistentPlan) {
  const ProblemData problem = load({40, 80, 12, 11});
  ASSERT_EQ(problem.orders.size(), 80u);
  for (bool estimate : {false, true}) {
    Random random = Random::seeded(2);
    Solution solution(problem, estimate);
    buildFirstSolution(solution, random);
    expectConsistentPlan(solution, false);
    EXPECT_TRUE(localSearch(solution, estimate, random));
    expectConsistentPlan(solution, estimate);
    EXPECT_LT(solution.unplanned().size(), problem.orders.size() / 2);
    EXPECT_GT(solution.gain(), 0.0f);
  }
}

TEST_F(GeneratedInstanceTest, LargeInstancesKeepEveryOrderAndVehicle) {
  const ProblemData problem = load({30, 150, 120, 4});
  Random random = Random::seeded(9);
  Solution solution(problem, false);
  buildFirstSolution(solution, random);
  EXPECT_EQ(solution.routeCount(), 120);
  expectConsistentPlan(solution, false);
  // Routes beyond the hundredth take part in the search too.
  EXPECT_TRUE(localSearch(solution, false, random));
  for (std::int32_t i = 100; i < 120; ++i) EXPECT_TRUE(solution.triedPair(i, 120)) << i;
  expectConsistentPlan(solution, false);
}

TEST_F(GeneratedInstanceTest, SeededRunsRepeatExactly) {
  const ProblemData problem = load({30, 60, 10, 5});
  EXPECT_EQ(runDump(problem, false, 42), runDump(problem, false, 42));
  EXPECT_EQ(runDump(problem, true, 42), runDump(problem, true, 42));
}

TEST_F(GeneratedInstanceTest, GeneratorRepeatsForASeedAndRefusesTooLargeInstances) {
  ASSERT_FALSE(generateInstance(dir.string(), {20, 30, 5, 8}).has_value());
  std::ifstream first(dir / "orders.txt");
  std::stringstream before;
  before << first.rdbuf();
  ASSERT_FALSE(generateInstance(dir.string(), {20, 30, 5, 8}).has_value());
  std::ifstream second(dir / "orders.txt");
  std::stringstream after;
  after << second.rdbuf();
  EXPECT_EQ(before.str(), after.str());
  EXPECT_TRUE(generateInstance(dir.string(), {ProblemData::maxPlaces + 1, 30, 5, 8}).has_value());
  EXPECT_TRUE(generateInstance(dir.string(), {20, ProblemData::maxOrders + 1, 5, 8}).has_value());
  EXPECT_TRUE(generateInstance(dir.string(), {20, 30, ProblemData::maxVehicles + 1, 8}).has_value());
  EXPECT_TRUE(generateInstance(dir.string(), {1, 30, 5, 8}).has_value());
}

TEST_F(GeneratedInstanceTest, FullSizeInstanceLoads) {
  const ProblemData problem = load({ProblemData::maxPlaces, ProblemData::maxOrders, ProblemData::maxVehicles, 1});
  EXPECT_EQ(problem.places.size(), static_cast<std::size_t>(ProblemData::maxPlaces));
  EXPECT_EQ(problem.orders.size(), static_cast<std::size_t>(ProblemData::maxOrders));
  EXPECT_EQ(problem.vehicles.size(), static_cast<std::size_t>(ProblemData::maxVehicles));
  EXPECT_EQ(problem.legWidth(), ProblemData::maxPlaces);
  for (const Vehicle& vehicle : problem.vehicles) EXPECT_NE(vehicle.startPlace, nullptr);
  const Place& last = problem.places.back();
  EXPECT_GT(problem.distance(last, problem.places.front()), 0.0f);
  EXPECT_EQ(Solution(problem, false).routeCount(), ProblemData::maxVehicles);
}

}  // namespace
}  // namespace tamso

namespace tamso {
namespace {

using testing::firstAcceptedPair;
using testing::plainGainWithOrder;
using testing::plainGainWithoutOrder;

// Every shortcut of the trials (pairs found on the route's own times, gains of trial
// routes valued without building them, answers remembered per route version) agrees with
// a full evaluation of the trial route; routes ending in a waiting stop and routes that
// are no longer feasible under a stricter minimal satisfaction included.
// Under the driving and rest times too, where a trial may stop early only where both the
// times and the driver's state meet the route's own schedule; with crews of two on the trucks too.
TEST_F(GeneratedInstanceTest, TrialInsertionsAgreeWithFullEvaluationOfEveryTrialRoute) {
  for (const auto& [rules, crews] : {std::pair{false, false}, {true, false}, {true, true}}) {
    GeneratorSettings settings{120, 200, 30, 7};
    settings.crews = crews;
    ProblemData problem = load(settings);
    const double loadedMinimalSat = problem.minimalSat;
    Random random = Random::seeded(3);
    Solution solution(problem, false, rules);
    buildFirstSolution(solution, random);
    int accepted = 0;
    for (double minimalSat : {loadedMinimalSat, 0.9}) {
      problem.minimalSat = minimalSat;
      for (bool waiting : {false, true}) {
        for (std::size_t r = 0; r < solution.routes().size(); ++r) {
          Route route = testing::rebuilt(solution.routes()[r]);
          if (waiting) route.setWaitingPlace(problem.places[(r * 7) % problem.places.size()], true);
          const std::vector<RouteStop> stopsBefore = route.stops();
          const float gainBefore = route.gain();
          for (std::size_t k = 0; k < problem.orders.size(); k += 3) {
            const Order& order = problem.orders[k];
            const std::pair<int, int> valid = firstAcceptedPair(route, order, true);
            ASSERT_EQ(route.canInsert(order), valid.first >= 0 ? 1.0f : 0.0f);
            ASSERT_EQ(route.gain(), gainBefore);
            ASSERT_EQ(route.gainWithOrder(order), plainGainWithOrder(route, order)) << order.name;
            ASSERT_EQ(route.gainWithoutOrder(order), plainGainWithoutOrder(route, order)) << order.name;
            const std::pair<int, int> feasible = firstAcceptedPair(route, order, false);
            Route inserted = route;
            ASSERT_EQ(inserted.insertOrder(order), feasible.first >= 0);
            if (feasible.first < 0) continue;
            ++accepted;
            ASSERT_EQ(inserted.stopAt(feasible.first)->order, &order);
            ASSERT_EQ(inserted.stopAt(feasible.first)->kind, StopKind::Pickup);
            ASSERT_EQ(inserted.stopAt(feasible.second)->kind, StopKind::Delivery);
            ASSERT_EQ(inserted.gain(), route.gainWithOrder(order));
          }
          for (std::int32_t k = 0; k < route.orderCount(); ++k) {
            const Order& order = *route.orderAt(k);
            ASSERT_EQ(route.gainWithoutOrder(order), plainGainWithoutOrder(route, order)) << order.name;
          }
          ASSERT_EQ(route.stops().size(), stopsBefore.size());
          for (std::size_t s = 0; s < stopsBefore.size(); ++s) {
            EXPECT_EQ(route.stops()[s].satisfaction, stopsBefore[s].satisfaction);
            EXPECT_EQ(route.stops()[s].serviceStart.latest, stopsBefore[s].serviceStart.latest);
          }
        }
      }
    }
    EXPECT_GT(accepted, 0);
  }
}

// Random changes of every kind (insertion, removal, new waiting place, a stop taken off,
// assignment from another route, becoming a scratch copy) between questions: an answer
// remembered for an earlier state of a route is never given for a later one.
TEST_F(GeneratedInstanceTest, RememberedTrialAnswersNeverOutliveAChangeOfTheRoute) {
  const ProblemData problem = load({40, 80, 8, 11});
  std::mt19937 draw(5);
  auto pick = [&draw](std::size_t n) { return static_cast<std::size_t>(draw() % n); };
  Route route(problem, problem.vehicles[0]);
  Route other(problem, problem.vehicles[0]);
  auto ask = [&](Route& asked) {
    for (int q = 0; q < 6; ++q) {
      const Order& order = problem.orders[pick(problem.orders.size())];
      ASSERT_EQ(asked.canInsert(order), firstAcceptedPair(asked, order, true).first >= 0 ? 1.0f : 0.0f);
      ASSERT_EQ(asked.gainWithOrder(order), plainGainWithOrder(asked, order));
      ASSERT_EQ(asked.gainWithoutOrder(order), plainGainWithoutOrder(asked, order));
    }
  };
  int changes = 0;
  for (int step = 0; step < 300; ++step) {
    Route& changed = pick(4) == 0 ? other : route;
    ask(route);
    ask(other);
    const std::uint32_t version = changed.version();
    switch (pick(6)) {
      case 0:
      case 1:
        changed.insertOrder(problem.orders[pick(problem.orders.size())]);
        break;
      case 2:
        if (changed.orderCount() > 0)
          changed.removeOrder(*changed.orderAt(static_cast<std::int32_t>(pick(changed.orderCount()))));
        break;
      case 3:
        changed.setWaitingPlace(problem.places[pick(problem.places.size())], pick(2) == 0);
        break;
      case 4:
        changed.removeStopAt(changed.stopCount() - 1);
        break;
      default:
        if (&changed == &route) {
          route = other;
        } else {
          other.becomeCopyOf(route);
        }
        break;
    }
    if (changed.version() != version) ++changes;
  }
  ask(route);
  ask(other);
  EXPECT_GT(changes, 150);
}

}  // namespace
}  // namespace tamso

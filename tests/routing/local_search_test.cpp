#include "routing/local_search.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/random.h"
#include "routing/first_solution.h"
#include "routing/solution.h"
#include "tests/routing/small_problem.h"

namespace tamso {
namespace {

using testing::SmallProblem;

// Depot A near the pickup place B, a far depot F, the delivery place C, and a place D in
// a country where standing idle costs nothing.
class LocalSearchTest : public ::testing::Test {
 protected:
  LocalSearchTest()
      : a(problem.addPlace("A")),
        b(problem.addPlace("B")),
        c(problem.addPlace("C")),
        f(problem.addPlace("F")),
        d(problem.addPlace("D")) {
    problem.data.countries.push_back(Country{"FREE", 0.0f, 1.0f, 0.0f});
    problem.data.places[4].country = &problem.data.countries[1];
    problem.setLeg(a, b, 10.0f, {8, 10, 12});
    problem.setLeg(b, c, 20.0f, {16, 20, 24});
    problem.setLeg(f, b, 60.0f, {50, 60, 70});
    problem.setLeg(a, d, 1.0f, {1, 1, 1});
    problem.setLeg(c, d, 1.0f, {1, 1, 1});
    problem.data.horizonEnd = 300;
  }

  Order& paying(const std::string& name, float price = 500.0f, bool priority = false) {
    return problem.addOrder(name, b, SmallProblem::open(), c, SmallProblem::open(), price, priority);
  }

  SmallProblem problem;
  const Place& a;
  const Place& b;
  const Place& c;
  const Place& f;
  const Place& d;
  Random random = Random::seeded(5);
};

TEST_F(LocalSearchTest, LocalOptimumIsLeftUnchangedAndEveryPairIsTried) {
  problem.addVehicle("T1", &a);
  problem.addVehicle("T2", &a);
  Order& order = paying("O1");
  Solution solution(problem.data, false);
  solution.route(0)->insertOrder(order);
  const float gain = solution.totalGain(false);
  EXPECT_TRUE(localSearch(solution, false, random));
  EXPECT_EQ(solution.route(0)->orderCount(), 1);
  EXPECT_EQ(solution.route(1)->orderCount(), 0);
  EXPECT_FLOAT_EQ(solution.gain(), gain);
  // Both directions of every pair, and both pool moves of every route, were tried.
  for (std::int32_t x = 0; x <= 2; ++x) {
    for (std::int32_t y = 0; y <= 2; ++y) {
      if (x != y) {
        EXPECT_TRUE(solution.triedPair(x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(LocalSearchTest, OrderMovesToTheRouteWhereItEarnsMore) {
  problem.addVehicle("NEAR", &a);
  problem.addVehicle("FAR", &f);
  Order& order = paying("O1");
  Solution solution(problem.data, false);
  solution.route(1)->insertOrder(order);
  solution.setGain(solution.totalGain(false));
  const float before = solution.gain();
  EXPECT_FALSE(relocateOrder(solution, 0, 1));
  EXPECT_TRUE(relocateOrder(solution, 1, 0));
  EXPECT_EQ(solution.route(0)->orderCount(), 1);
  EXPECT_EQ(solution.route(1)->orderCount(), 0);
  EXPECT_NEAR(solution.gain(), before + 50.0f, 1e-3);  // 50 km less driving
  EXPECT_NEAR(solution.gain(), solution.totalGain(false), 1e-3);
}

TEST_F(LocalSearchTest, EqualGainMoveIsRefused) {
  problem.addVehicle("T1", &a);
  problem.addVehicle("T2", &a);
  Order& order = paying("O1");
  Solution solution(problem.data, false);
  solution.route(1)->insertOrder(order);
  solution.setGain(solution.totalGain(false));
  const float gain = solution.gain();
  EXPECT_FALSE(relocateOrder(solution, 1, 0));
  EXPECT_EQ(solution.route(1)->orderCount(), 1);
  EXPECT_FLOAT_EQ(solution.gain(), gain);
}

TEST_F(LocalSearchTest, FailedRelocationRestoresTheFormerStopOrder) {
  problem.addVehicle("FAR", &f);
  problem.addVehicle("NEAR", &a);
  Order& first = paying("O1");
  Order& second = paying("O2");
  Solution solution(problem.data, false);
  Route& route = *solution.route(1);
  route.insertOrder(first);
  route.insertOrder(second);  // the scan puts it in front: O2, O2, O1, O1
  solution.setGain(solution.totalGain(false));
  std::vector<const Order*> before;
  for (const RouteStop& stop : route.stops()) before.push_back(stop.order);
  const float gain = solution.gain();
  EXPECT_FALSE(relocateOrder(solution, 1, 0));
  std::vector<const Order*> after;
  for (const RouteStop& stop : solution.route(1)->stops()) after.push_back(stop.order);
  EXPECT_EQ(after, before);
  EXPECT_EQ(solution.route(0)->stopCount(), 0);
  EXPECT_FLOAT_EQ(solution.gain(), gain);
}

TEST_F(LocalSearchTest, LosingOrdersAreDroppedButPriorityOrdersStay) {
  problem.addVehicle("T", &a);
  Order& vip = paying("VIP", 0.0f, true);
  Order& loser = paying("LOSER", 0.0f);
  Solution solution(problem.data, false);
  solution.route(0)->insertOrder(vip);
  solution.route(0)->insertOrder(loser);
  EXPECT_TRUE(localSearch(solution, false, random));
  EXPECT_EQ(solution.route(0)->orderCount(), 1);
  EXPECT_EQ(solution.route(0)->orderAt(0), &vip);
  ASSERT_EQ(solution.unplanned().size(), 1u);
  EXPECT_EQ(solution.unplanned()[0], &loser);
}

TEST_F(LocalSearchTest, PayingPoolOrderIsInsertedAndLeavesThePool) {
  problem.addVehicle("T", &a);
  Order& loser = paying("LOSER", 0.0f);
  Order& winner = paying("WINNER", 900.0f);
  Solution solution(problem.data, false);
  solution.unplanned() = {&loser, &winner};
  solution.setGain(solution.totalGain(false));
  EXPECT_TRUE(insertUnplanned(solution, 0));
  EXPECT_EQ(solution.route(0)->orderAt(0), &winner);
  ASSERT_EQ(solution.unplanned().size(), 1u);
  EXPECT_EQ(solution.unplanned()[0], &loser);
  EXPECT_FALSE(insertUnplanned(solution, 0));
}

TEST_F(LocalSearchTest, FirstSolutionPlacesPriorityOrdersAtAnyGainOnly) {
  problem.addVehicle("T", &a);
  paying("VIP", 0.0f, true);
  paying("LOSER", 0.0f);
  paying("WINNER", 900.0f);
  problem.addOrder("NEVER", b, FuzzyWindow(0, 1, 2), c, FuzzyWindow(0, 1, 2), 900.0f, true);
  Solution solution(problem.data, false);
  EXPECT_TRUE(buildFirstSolution(solution, random));
  EXPECT_EQ(solution.route(0)->orderCount(), 2);
  EXPECT_TRUE(solution.route(0)->isValid());
  std::vector<std::string> unplanned;
  for (const Order* order : solution.unplanned()) unplanned.push_back(order->name);
  std::sort(unplanned.begin(), unplanned.end());
  EXPECT_EQ(unplanned, (std::vector<std::string>{"LOSER", "NEVER"}));
  EXPECT_NEAR(solution.gain(), solution.totalGain(false), 1e-3);
}

TEST_F(LocalSearchTest, WithoutVehiclesEveryOrderIsUnplanned) {
  paying("O1");
  paying("O2", 100.0f, true);
  Solution solution(problem.data, false);
  EXPECT_TRUE(buildFirstSolution(solution, random));
  EXPECT_EQ(solution.unplanned().size(), 2u);
  EXPECT_TRUE(localSearch(solution, true, random));
  EXPECT_FLOAT_EQ(solution.gain(), 0.0f);
}

TEST_F(LocalSearchTest, VehicleWithoutStartPlaceStaysEmptyWithAndWithoutEstimate) {
  problem.addVehicle("NOWHERE", nullptr);
  problem.addVehicle("T", &a);
  paying("O1");
  for (bool estimate : {false, true}) {
    Solution solution(problem.data, estimate);
    buildFirstSolution(solution, random);
    EXPECT_TRUE(localSearch(solution, estimate, random));
    EXPECT_EQ(solution.route(0)->stopCount(), 0);
    EXPECT_FLOAT_EQ(solution.route(0)->gain(), 0.0f);
    EXPECT_EQ(solution.route(1)->orderCount(), 1);
  }
}

TEST_F(LocalSearchTest, WaitingStopsAreAttachedAndGroupedPerSolution) {
  problem.addVehicle("T1", &a);
  problem.addVehicle("T2", &a);
  Order& order = paying("O1");
  Solution first(problem.data, true);
  first.route(1)->insertOrder(order);
  Solution second(problem.data, true);
  attachWaitingStops(first);
  attachWaitingStops(second);
  attachWaitingStops(second);
  // Each solution keeps its own groups: building another solution leaves them alone.
  EXPECT_EQ(first.waitingGroup(a), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(first.waitingGroup(c), (std::vector<std::int32_t>{1}));
  EXPECT_EQ(second.waitingGroup(a), (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(first.route(0)->waitingPlace(), &a);  // an empty route waits where it starts
  EXPECT_EQ(first.route(1)->waitingPlace(), &c);
  EXPECT_EQ(first.route(1)->stopCount(), 3);
  EXPECT_EQ(second.route(0)->stopCount(), 1);
  EXPECT_TRUE(first.route(1)->isValid());
}

TEST_F(LocalSearchTest, RouteMovesItsWaitingPlaceWhereIdleTimeIsCheaper) {
  Region region;
  region.name = "NORTH";
  region.representingPlace = &c;
  problem.data.regions.push_back(region);
  region.name = "SOUTH";
  region.representingPlace = &d;
  problem.data.regions.push_back(region);
  problem.addVehicle("T", &a);
  Solution solution(problem.data, true);
  attachWaitingStops(solution);
  solution.setGain(solution.totalGain(true));
  const float before = solution.gain();
  EXPECT_TRUE(moveWaitingPlace(solution));
  EXPECT_EQ(solution.route(0)->waitingPlace(), &d);
  EXPECT_TRUE(solution.waitingGroup(a).empty());
  EXPECT_EQ(solution.waitingGroup(d), (std::vector<std::int32_t>{0}));
  EXPECT_GT(solution.gain(), before);
  EXPECT_NEAR(solution.gain(), solution.totalGain(true), 1e-3);
  EXPECT_FALSE(moveWaitingPlace(solution));  // tried, and nothing changed its group since

  Solution searched(problem.data, true);
  EXPECT_TRUE(localSearch(searched, true, random));
  EXPECT_EQ(searched.route(0)->waitingPlace(), &d);
}

class StopAfter : public RunObserver {
 public:
  explicit StopAfter(int questions) : left_(questions) {}
  bool stopRequested() override { return left_-- <= 0; }
  void progress(const RunProgress& progress) override { passes = progress.step; }
  int passes = 0;

 private:
  int left_;
};

TEST_F(LocalSearchTest, StoppedSearchEndsWithAValidSolution) {
  problem.addVehicle("T1", &f);
  problem.addVehicle("T2", &a);
  Order& o1 = paying("O1");
  Order& o2 = paying("O2");
  Solution solution(problem.data, false);
  solution.route(0)->insertOrder(o1);
  solution.route(0)->insertOrder(o2);
  StopAfter observer(0);
  EXPECT_FALSE(localSearch(solution, false, random, &observer));
  EXPECT_EQ(observer.passes, 1);
  EXPECT_EQ(solution.route(0)->orderCount() + solution.route(1)->orderCount(), 2);
  for (Route& route : solution.routes()) EXPECT_TRUE(route.isValid());
  EXPECT_NEAR(solution.gain(), solution.totalGain(false), 1e-3);
}

TEST_F(LocalSearchTest, CopyIsDeepAndStartsWithClearMemories) {
  problem.addVehicle("T", &a);
  Order& order = paying("O1");
  Solution solution(problem.data, false);
  solution.route(0)->insertOrder(order);
  solution.setTriedPair(0, 1);
  solution.runTag = 7;
  Solution copy = solution;
  EXPECT_FALSE(copy.triedPair(0, 1));
  EXPECT_EQ(copy.runTag, 7);
  copy.route(0)->removeOrder(order);
  EXPECT_EQ(solution.route(0)->orderCount(), 1);
}

}  // namespace
}  // namespace tamso

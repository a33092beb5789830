#include "routing/insertion.h"

#include <gtest/gtest.h>

#include "routing/route.h"
#include "routing/solution.h"
#include "tests/routing/small_problem.h"

namespace tamso {
namespace {

using testing::SmallProblem;

class InsertionTest : public ::testing::Test {
 protected:
  InsertionTest() : a(problem.addPlace("A")), b(problem.addPlace("B")), c(problem.addPlace("C")) {
    problem.setLeg(a, b, 10.0f, {8, 10, 12});
    problem.setLeg(b, c, 20.0f, {16, 20, 24});
    problem.setLeg(a, c, 25.0f, {20, 25, 30});
    problem.data.horizonEnd = 300;
    x = &problem.addOrder("X", b, FuzzyWindow(30, 40, 50), c, FuzzyWindow(0, 100, 120), 500.0f);
  }

  SmallProblem problem;
  const Place& a;
  const Place& b;
  const Place& c;
  Order* x = nullptr;
};

TEST_F(InsertionTest, EmptyRouteTakesPickupThenDelivery) {
  Route route(problem.data, problem.addVehicle("T", &a));
  EXPECT_EQ(route.canInsert(*x), 1.0f);
  EXPECT_EQ(route.stopCount(), 0);
  ASSERT_TRUE(route.insertOrder(*x));
  ASSERT_EQ(route.stopCount(), 2);
  EXPECT_EQ(route.stops()[0].kind, StopKind::Pickup);
  EXPECT_EQ(route.stops()[1].kind, StopKind::Delivery);
}

TEST_F(InsertionTest, FirstFeasiblePairInScanOrderIsTaken) {
  Route route(problem.data, problem.addVehicle("T", &a));
  ASSERT_TRUE(route.insertOrder(*x));
  route.evaluate();
  const auto timesBefore = route.stops()[1].arrival;
  // Served first, Y's late pickup window would make X's pickup too late; so Y's pickup
  // comes right after X's, and its delivery at the first position that keeps X on time.
  Order& y = problem.addOrder("Y", b, FuzzyWindow(45, 200, 200), b, SmallProblem::open(), 50.0f);
  EXPECT_EQ(route.canInsert(y), 1.0f);
  ASSERT_EQ(route.stopCount(), 2);
  EXPECT_EQ(route.stops()[1].arrival, timesBefore);  // the trial left the schedule as it was
  ASSERT_TRUE(route.insertOrder(y));
  ASSERT_EQ(route.stopCount(), 4);
  EXPECT_EQ(route.stops()[0].order, x);
  EXPECT_EQ(route.stops()[1].order, &y);
  EXPECT_EQ(route.stops()[1].kind, StopKind::Pickup);
  EXPECT_EQ(route.stops()[2].order, &y);
  EXPECT_EQ(route.stops()[3].order, x);
  EXPECT_TRUE(route.isValid());
}

TEST_F(InsertionTest, NoFeasiblePairLeavesTheRouteAsItWas) {
  Route route(problem.data, problem.addVehicle("T", &a));
  ASSERT_TRUE(route.insertOrder(*x));
  const float gain = route.gain();
  Order& impossible = problem.addOrder("LATE", b, FuzzyWindow(0, 1, 2), c, FuzzyWindow(0, 1, 2), 50.0f);
  EXPECT_EQ(route.canInsert(impossible), 0.0f);
  EXPECT_FALSE(route.insertOrder(impossible));
  EXPECT_EQ(route.stopCount(), 2);
  EXPECT_FLOAT_EQ(route.gain(), gain);
}

TEST_F(InsertionTest, WaitingStopStaysLast) {
  Route route(problem.data, problem.addVehicle("T", &a));
  route.setWaitingPlace(a, true);
  ASSERT_TRUE(route.insertOrder(*x));
  ASSERT_EQ(route.stopCount(), 3);
  EXPECT_EQ(route.waitingPlace(), &a);
  EXPECT_EQ(route.stops()[0].kind, StopKind::Pickup);
  EXPECT_EQ(route.stops()[1].kind, StopKind::Delivery);
}

TEST_F(InsertionTest, BestInsertionPrefersHigherGainAndTheLowerIndexOnTies) {
  problem.addVehicle("FAR", &c);
  problem.addVehicle("NEAR1", &a);
  problem.addVehicle("NEAR2", &a);
  Solution solution(problem.data, false);
  const float before = solution.gain();
  float share = 0.0f;
  const std::int32_t best = bestInsertion(solution, *x, share, -100000000.0f);
  EXPECT_EQ(best, 1);
  EXPECT_EQ(share, 1.0f);
  // The solution's gain becomes the winning total; every route is left unchanged.
  Route probe(problem.data, problem.data.vehicles[1]);
  const float emptyGain = probe.gain();
  probe.insertOrder(*x);
  EXPECT_FLOAT_EQ(solution.gain(), before - emptyGain + probe.gain());
  for (const Route& route : solution.routes()) EXPECT_EQ(route.stopCount(), 0);
}

TEST_F(InsertionTest, BestInsertionRefusesWhatDoesNotRaiseTheThreshold) {
  problem.addVehicle("T", &a);
  Solution solution(problem.data, false);
  const float before = solution.gain();
  float share = 0.0f;
  Order& impossible = problem.addOrder("LATE", b, FuzzyWindow(0, 1, 2), c, FuzzyWindow(0, 1, 2), 50.0f);
  EXPECT_EQ(bestInsertion(solution, impossible, share, -100000000.0f), -1);
  EXPECT_FLOAT_EQ(solution.gain(), before);
  Order& unpaid = problem.addOrder("FREE", b, SmallProblem::open(), c, SmallProblem::open(), 0.0f);
  EXPECT_EQ(bestInsertion(solution, unpaid, share, solution.gain()), -1);
  EXPECT_GE(bestInsertion(solution, unpaid, share, -100000000.0f), 0);
}

TEST_F(InsertionTest, GroupInsertionScoresTheWholeGroupAndRestoresTheRoute) {
  problem.addVehicle("FAR", &c);
  problem.addVehicle("NEAR", &a);
  Solution solution(problem.data, false);
  Order& y = problem.addOrder("Y", b, SmallProblem::open(), c, SmallProblem::open(), 300.0f);
  const std::vector<const Order*> group{x, &y};
  EXPECT_EQ(bestGroupInsertion(solution, group, -100000000.0f), 1);
  for (const Route& route : solution.routes()) EXPECT_EQ(route.stopCount(), 0);
  Order& impossible = problem.addOrder("LATE", b, FuzzyWindow(0, 1, 2), c, FuzzyWindow(0, 1, 2), 50.0f);
  const float gain = solution.gain();
  EXPECT_EQ(bestGroupInsertion(solution, {x, &impossible}, -100000000.0f), -1);
  EXPECT_FLOAT_EQ(solution.gain(), gain);
}

}  // namespace
}  // namespace tamso

#include "routing/route.h"

#include <gtest/gtest.h>

#include "tests/routing/small_problem.h"

namespace tamso {
namespace {

using testing::SmallProblem;

// Depot A, pickup place B, delivery place C; the vehicle leaves A at time 0.
class RouteTest : public ::testing::Test {
 protected:
  RouteTest() : a(problem.addPlace("A")), b(problem.addPlace("B")), c(problem.addPlace("C")), d(problem.addPlace("D")) {
    problem.setLeg(a, b, 10.0f, {8, 10, 12});
    problem.setLeg(b, c, 20.0f, {16, 20, 24});
    problem.setLeg(c, d, 5.0f, {4, 5, 6});
    vehicle = &problem.addVehicle("TRUCK", &a);
    order = &problem.addOrder("O1", b, FuzzyWindow(30, 40, 50), c, FuzzyWindow(0, 60, 80), 500.0f);
  }

  Route routeWithOrder() {
    Route route(problem.data, *vehicle);
    route.insertStop(RouteStop::pickup(*order), -1);
    route.insertStop(RouteStop::delivery(*order), -1);
    return route;
  }

  SmallProblem problem;
  const Place& a;
  const Place& b;
  const Place& c;
  const Place& d;
  Vehicle* vehicle = nullptr;
  Order* order = nullptr;
};

TEST_F(RouteTest, ScheduleWaitsForThePickupWindowAndRatesTheLateDelivery) {
  Route route = routeWithOrder();
  ASSERT_TRUE(route.evaluate());
  const RouteStop& pickup = route.stops()[0];
  EXPECT_EQ(pickup.arrival, FuzzyTime(8, 10, 12));
  EXPECT_EQ(pickup.serviceStart, FuzzyTime(30, 30, 30));
  EXPECT_EQ(pickup.shownArrival, FuzzyTime(30, 30, 30));
  EXPECT_FLOAT_EQ(pickup.satisfaction, 1.0f);
  const RouteStop& delivery = route.stops()[1];
  // 30 + 10 minutes loading, then the leg to C.
  EXPECT_EQ(delivery.arrival, FuzzyTime(56, 60, 64));
  EXPECT_EQ(delivery.serviceStart, FuzzyTime(56, 60, 64));
  EXPECT_NEAR(delivery.satisfaction, (63.33333f - 60.0f) / 4.0f, 1e-4);
}

TEST_F(RouteTest, GainCollectsTheLargestCostsInItsLowComponent) {
  Route route = routeWithOrder();
  // Legs 10 km + (8,10,12) min and 20 km + (16,20,24) min, waiting (18,20,22), service
  // 10 + 20, price 500, idle from (56,60,64) to the horizon at 200.
  const FuzzyValue& gain = route.fuzzyGain();
  EXPECT_DOUBLE_EQ(gain.low, 238.0);
  EXPECT_DOUBLE_EQ(gain.mid, 250.0);
  EXPECT_DOUBLE_EQ(gain.high, 262.0);
  EXPECT_FLOAT_EQ(route.gain(), 250.0f);
}

TEST_F(RouteTest, EmptyRouteCostsItsIdleTimeUntilTheHorizon) {
  Vehicle& early = problem.addVehicle("EARLY", &a, {10, 20, 30});
  Route idle(problem.data, early);
  EXPECT_FLOAT_EQ(idle.gain(), -180.0f);
  const FuzzyValue& gain = idle.fuzzyGain();
  EXPECT_DOUBLE_EQ(gain.low, -190.0);
  EXPECT_DOUBLE_EQ(gain.high, -170.0);

  Vehicle& late = problem.addVehicle("LATE", &a, {300, 300, 300});
  Route afterHorizon(problem.data, late);
  EXPECT_FLOAT_EQ(afterHorizon.gain(), 0.0f);
}

TEST_F(RouteTest, WaitingStopCostsItsLegAndIdleTimeOnly) {
  Route route = routeWithOrder();
  const float withoutWaiting = route.gain();
  ASSERT_TRUE(route.setWaitingPlace(d, true));
  EXPECT_EQ(route.waitingPlace(), &d);
  EXPECT_EQ(route.stopCount(), 3);
  EXPECT_EQ(route.orderCount(), 1);
  const RouteStop& waiting = route.stops()[2];
  EXPECT_EQ(waiting.arrival, FuzzyTime(80, 85, 90));  // after unloading (76,80,84) + (4,5,6)
  EXPECT_FLOAT_EQ(waiting.satisfaction, 1.0f);
  // The leg costs 5 + 5 and the idle time now starts at (80,85,90) instead of (56,60,64).
  EXPECT_FLOAT_EQ(route.gain(), withoutWaiting - 10.0f + (85.0f - 60.0f));

  // Moving the waiting stop replaces its place; without create nothing is added.
  ASSERT_TRUE(route.setWaitingPlace(c, false));
  EXPECT_EQ(route.stopCount(), 3);
  EXPECT_EQ(route.waitingPlace(), &c);
  Route plain = routeWithOrder();
  EXPECT_FALSE(plain.setWaitingPlace(d, false));
  EXPECT_EQ(plain.stopCount(), 2);
}

TEST_F(RouteTest, FeasibilityUsesTheMinimalSatisfactionInclusively) {
  Route route = routeWithOrder();
  route.evaluate();
  const double delivered = route.stops()[1].satisfaction;
  problem.data.minimalSat = delivered;
  EXPECT_TRUE(route.isFeasible());
  problem.data.minimalSat = delivered + 1e-6;
  EXPECT_FALSE(route.isFeasible());
  // A waiting stop is never judged, even when it would be late.
  route.setWaitingPlace(d, true);
  problem.data.minimalSat = delivered;
  EXPECT_TRUE(route.isFeasible());
}

TEST_F(RouteTest, PrecedenceFaultsMakeTheRouteInvalid) {
  problem.data.minimalSat = 0.0;
  EXPECT_TRUE(routeWithOrder().isValid());

  Route deliveryFirst(problem.data, *vehicle);
  deliveryFirst.insertStop(RouteStop::delivery(*order), -1);
  deliveryFirst.insertStop(RouteStop::pickup(*order), -1);
  EXPECT_FALSE(deliveryFirst.isValid());

  Route twoPickups = routeWithOrder();
  twoPickups.insertStop(RouteStop::pickup(*order), 0);
  EXPECT_FALSE(twoPickups.isValid());

  Route pickupOnly(problem.data, *vehicle);
  pickupOnly.insertStop(RouteStop::pickup(*order), -1);
  EXPECT_FALSE(pickupOnly.isValid());

  Route waitingInside = routeWithOrder();
  waitingInside.insertStop(RouteStop::waiting(d), 1);
  EXPECT_FALSE(waitingInside.isValid());
}

TEST_F(RouteTest, StopListOperationsKeepTheCounts) {
  Route route(problem.data, *vehicle);
  EXPECT_FALSE(route.insertStop(RouteStop::pickup(*order), 1));
  EXPECT_FALSE(route.insertStop(RouteStop::pickup(*order), -2));
  EXPECT_TRUE(route.insertStop(RouteStop::delivery(*order), 0));
  EXPECT_TRUE(route.insertStop(RouteStop::pickup(*order), 0));
  EXPECT_EQ(route.stopCount(), 2);
  EXPECT_EQ(route.orderCount(), 1);
  const RouteStop* stop = nullptr;
  EXPECT_EQ(route.orderAt(0, &stop), order);
  EXPECT_EQ(stop, route.stopAt(0));
  EXPECT_EQ(route.orderAt(1), nullptr);
  EXPECT_EQ(route.orderAt(-1), nullptr);
  EXPECT_EQ(route.stopAt(2), nullptr);
  EXPECT_FALSE(route.removeStopAt(2));

  Order& other = problem.addOrder("O2", b, SmallProblem::open(), c, SmallProblem::open(), 1.0f);
  EXPECT_FALSE(route.removeOrder(other));
  EXPECT_TRUE(route.removeOrder(*order));
  EXPECT_EQ(route.stopCount(), 0);
  EXPECT_EQ(route.orderCount(), 0);
}

TEST_F(RouteTest, TakenOrderGoesBackToItsFormerPositions) {
  Order& second = problem.addOrder("O2", b, SmallProblem::open(), c, SmallProblem::open(), 1.0f);
  Route route(problem.data, *vehicle);
  route.insertStop(RouteStop::pickup(*order), -1);
  route.insertStop(RouteStop::pickup(second), -1);
  route.insertStop(RouteStop::delivery(*order), -1);
  route.insertStop(RouteStop::delivery(second), -1);
  const float gain = route.gain();
  auto taken = route.takeOrder(*order);
  ASSERT_TRUE(taken.has_value());
  EXPECT_EQ(route.stopCount(), 2);
  route.putBack(std::move(*taken));
  ASSERT_EQ(route.stopCount(), 4);
  EXPECT_EQ(route.stops()[0].order, order);
  EXPECT_EQ(route.stops()[1].order, &second);
  EXPECT_EQ(route.stops()[2].order, order);
  EXPECT_EQ(route.stops()[2].kind, StopKind::Delivery);
  EXPECT_FLOAT_EQ(route.gain(), gain);
}

TEST_F(RouteTest, CopiesAreDeep) {
  Route route = routeWithOrder();
  Route copy = route;
  copy.removeOrder(*order);
  EXPECT_EQ(route.stopCount(), 2);
  EXPECT_FLOAT_EQ(route.gain(), 250.0f);
}

TEST_F(RouteTest, VehicleWithoutStartPlaceTakesNoOrders) {
  Vehicle& unplaced = problem.addVehicle("NOWHERE", nullptr);
  Route route(problem.data, unplaced);
  EXPECT_FALSE(route.evaluate());
  EXPECT_FLOAT_EQ(route.gain(), 0.0f);
  EXPECT_TRUE(route.isFeasible());
  EXPECT_EQ(route.canInsert(*order), 0.0f);
  EXPECT_FALSE(route.insertOrder(*order));
  EXPECT_EQ(route.stopCount(), 0);
  route.insertStop(RouteStop::pickup(*order), -1);
  route.insertStop(RouteStop::delivery(*order), -1);
  EXPECT_FALSE(route.isFeasible());
  EXPECT_FALSE(route.isValid());
  EXPECT_FLOAT_EQ(route.gain(), 0.0f);
}

TEST_F(RouteTest, VehicleWithoutStartTimeLeavesAtTimeZero) {
  Vehicle& noTime = problem.addVehicle("NOTIME", &a);
  noTime.startTime.reset();
  Route route(problem.data, noTime);
  route.insertStop(RouteStop::pickup(*order), -1);
  route.evaluate();
  EXPECT_EQ(route.stops()[0].arrival, FuzzyTime(8, 10, 12));
}

}  // namespace
}  // namespace tamso

// Capacity as part of route feasibility: orders that fit only one after another, several
// keys at once, types without limits, and the reasons given for orders left unplanned.
#include <gtest/gtest.h>

#include "core/random.h"
#include "problem/capacity.h"
#include "routing/first_solution.h"
#include "routing/solution.h"
#include "routing/unplanned_reason.h"
#include "tests/routing/small_problem.h"

namespace tamso {
namespace {

using testing::SmallProblem;

// A truck at the depot and two orders: A must be picked up first thing; B can be picked up
// only later, so B rides along with A unless the truck has no room for both.
class CapacityRouting : public ::testing::Test {
 protected:
  void SetUp() override {
    const Place* places[] = {&problem.addPlace("DEPOT"), &problem.addPlace("P1"), &problem.addPlace("P2"),
                             &problem.addPlace("P3"), &problem.addPlace("P4")};
    for (const Place* p : places) {
      for (const Place* q : places) problem.setLeg(*p, *q, 10.0f, p == q ? FuzzyTime() : FuzzyTime(10, 10, 10));
    }
    problem.data.articleTypes.push_back(QuantityList("CRATE"));
    problem.data.articleTypes.back().add("WEIGHT", 100);
    problem.addVehicle("TRUCK", places[0], FuzzyTime(0, 0, 0));
    problem.data.horizonEnd = 5000;
    problem.addOrder("A", *places[1], FuzzyWindow(0, 30, 40), *places[2], SmallProblem::open(), 900.0f);
    problem.addOrder("B", *places[3], FuzzyWindow(50, 1000, 1000), *places[4], SmallProblem::open(), 900.0f);
    problem.data.checkCapacity = true;
  }

  // The truck's type: a CAPACITY list of these pairs, or none at all.
  void truckHolds(std::optional<std::vector<std::pair<std::string, float>>> limits) {
    VehicleType type;
    type.name = "TRUCK_TYPE";
    if (limits) {
      QuantityList capacity("CAPACITY");
      for (const auto& [key, quantity] : *limits) capacity.add(key, quantity);
      type.addList(capacity);
    }
    problem.data.vehicleTypes.assign(1, type);
    problem.data.vehicles[0].vehicleType = &problem.data.vehicleTypes[0];
  }
  void goods(std::size_t order, std::vector<std::pair<std::string, float>> pairs) {
    QuantityList list("GOODS");
    for (const auto& [key, quantity] : pairs) list.add(key, quantity);
    problem.data.orders[order].articles = list;
  }

  // The stops of a route that took A, then B; "-" when B did not fit.
  std::string routeWithBoth() {
    deriveCapacities(problem.data);
    Route route(problem.data, problem.data.vehicles[0]);
    EXPECT_TRUE(route.insertOrder(problem.data.orders[0]));
    const bool fits = route.canInsert(problem.data.orders[1]) > 0.0f;
    EXPECT_EQ(route.insertOrder(problem.data.orders[1]), fits);
    if (!fits) return "-";
    EXPECT_TRUE(route.isValid());
    std::string stops;
    for (const RouteStop& stop : route.stops()) {
      stops += (stop.kind == StopKind::Pickup ? "+" : "-") + stop.order->name + " ";
    }
    return stops;
  }

  SmallProblem problem;
};

TEST_F(CapacityRouting, OrdersRideTogetherOnlyWhileEveryKeyHasRoom) {
  const std::string together = "+A +B -B -A ";
  const std::string oneAfterAnother = "+A -A +B -B ";
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, float>> a, b;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"room for both", {{"PALLET", 6}}, {{"PALLET", 4}}, together},  // 10 of 10 pallets
      {"one pallet too many", {{"PALLET", 6}}, {{"PALLET", 5}}, oneAfterAnother},
      {"weight through crates", {{"PALLET", 1}, {"CRATE", 5}}, {{"CRATE", 6}}, oneAfterAnother},  // 1100 kg
      {"both keys fit", {{"PALLET", 1}, {"CRATE", 5}}, {{"CRATE", 5}, {"PALLET", 9}}, together},
      {"larger than the truck alone", {{"PALLET", 1}}, {{"PALLET", 11}}, "-"},
      {"unlimited keys", {{"LENGTH", 900}}, {{"LENGTH", 900}}, together},
  };
  truckHolds(std::vector<std::pair<std::string, float>>{{"PALLET", 10}, {"WEIGHT", 1000}});
  for (const Case& c : cases) {
    goods(0, c.a);
    goods(1, c.b);
    EXPECT_EQ(routeWithBoth(), c.expected) << c.what;
  }
  goods(1, {{"PALLET", 60}});
  problem.data.checkCapacity = false;
  EXPECT_EQ(routeWithBoth(), together) << "capacity not checked";
  problem.data.checkCapacity = true;
  truckHolds(std::nullopt);
  EXPECT_EQ(routeWithBoth(), together) << "a type without CAPACITY carries anything";
}

TEST_F(CapacityRouting, UnplannedOrdersSayWhetherTheyAreTooLargeOrFindNoRoom) {
  truckHolds(std::vector<std::pair<std::string, float>>{{"PALLET", 10}});
  goods(0, {{"PALLET", 8}});
  goods(1, {{"PALLET", 8}});
  // B's pickup now closes while A is on board.
  problem.data.orders[1].pickupWindow = FuzzyWindow(0, 30, 40);
  problem.addOrder("HUGE", problem.data.places[1], SmallProblem::open(), problem.data.places[2], SmallProblem::open(),
                   900.0f);
  goods(2, {{"PALLET", 11}});
  deriveCapacities(problem.data);
  Solution plan(problem.data, false);
  ASSERT_TRUE(plan.route(0)->insertOrder(problem.data.orders[0]));
  plan.unplanned() = {&problem.data.orders[1], &problem.data.orders[2]};
  auto reasons = unplannedReasons(plan);
  ASSERT_EQ(reasons.size(), 2u);
  EXPECT_EQ(reasons[0].kind, UnplannedReason::Kind::NoRoomWithinWindows);
  EXPECT_EQ(reasons[0].describe(), "No route has room for it within its windows.");
  EXPECT_EQ(reasons[1].kind, UnplannedReason::Kind::LargerThanEveryVehicle);
  EXPECT_EQ(reasons[1].describe(), "It is larger than every vehicle.");
  problem.data.checkCapacity = false;  // the same plan judged without capacities
  reasons = unplannedReasons(plan);
  EXPECT_NE(reasons[0].kind, UnplannedReason::Kind::NoRouteFits);
  EXPECT_NE(reasons[1].kind, UnplannedReason::Kind::LargerThanEveryVehicle);

  // Planned from scratch, the huge order stays unplanned however the orders are drawn.
  problem.data.checkCapacity = true;
  Solution fresh(problem.data, false);
  Random random = Random::seeded(3);
  buildFirstSolution(fresh, random);
  EXPECT_NE(std::find(fresh.unplanned().begin(), fresh.unplanned().end(), &problem.data.orders[2]),
            fresh.unplanned().end());
}

}  // namespace
}  // namespace tamso

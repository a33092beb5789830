// Loads of orders through their goods and the article types, and the limits of vehicle types.
#include "problem/capacity.h"

#include <gtest/gtest.h>

#include <cmath>

#include "problem/problem_data.h"

namespace tamso {
namespace {

QuantityList list(const std::string& name, std::vector<std::pair<std::string, float>> pairs) {
  QuantityList result(name);
  for (const auto& [key, quantity] : pairs) EXPECT_TRUE(result.add(key, quantity));
  return result;
}

VehicleType vehicleType(const std::string& name, std::vector<QuantityList> lists) {
  VehicleType type;
  type.name = name;
  for (QuantityList& l : lists) type.addList(std::move(l));
  return type;
}

TEST(OrderLoad, CountsGoodsKeysAndArticleTypesTimesTheirQuantity) {
  const std::vector<ArticleType> articles = {
      list("PALLET_EUR", {{"LENGTH", 120}, {"WIDTH", 80}, {"HEIGHT", 150}, {"WEIGHT", 450}}),
      list("BOX", {{"WEIGHT", 12}})};
  Order order;
  order.articles = list("GOODS", {{"PALLET_EUR", 20}, {"BOX", 5}, {"WEIGHT", 7}, {"CRATE", 3}});
  const QuantityList load = orderLoad(order, articles);
  const std::vector<std::pair<std::string, float>> expected = {
      {"PALLET_EUR", 20}, {"BOX", 5},      {"WEIGHT", 7 + 20 * 450 + 5 * 12}, {"CRATE", 3}, {"LENGTH", 2400},
      {"WIDTH", 1600},    {"HEIGHT", 3000}};
  ASSERT_EQ(load.count(), static_cast<std::int32_t>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(load.keyAt(static_cast<std::int32_t>(i)), expected[i].first);
    EXPECT_EQ(load.quantityAt(static_cast<std::int32_t>(i)), expected[i].second) << expected[i].first;
  }
}

class CapacityModel : public ::testing::Test {
 protected:
  void SetUp() override {
    problem.articleTypes.push_back(list("PALLET", {{"WEIGHT", 500}}));
    problem.vehicleTypes.push_back(vehicleType(
        "TRUCK", {list("EQUIPMENT", {{"STRAPS", 2}}), list("CAPACITY", {{"PALLET", 33}, {"WEIGHT", 24000}})}));
    problem.vehicleTypes.push_back(vehicleType("VAN", {list("CAPACITY", {{"PALLET", 8}, {"VOLUME", 9}})}));
    problem.vehicleTypes.push_back(vehicleType("TRAILER", {list("EQUIPMENT", {{"STRAPS", 8}})}));
  }
  Order& addOrder(std::vector<std::pair<std::string, float>> goods) {
    Order order;
    order.articles = list("GOODS", std::move(goods));
    problem.orders.push_back(order);
    return problem.orders.back();
  }
  ProblemData problem;
};

TEST_F(CapacityModel, KeysLimitsAndLoadsOverTheLimitedKeys) {
  const Order& pallets = addOrder({{"PALLET", 10}, {"VOLUME", 4}, {"LENGTH", 99}});
  deriveCapacities(problem);
  EXPECT_EQ(problem.capacityKeys, (std::vector<std::string>{"PALLET", "WEIGHT", "VOLUME"}));
  const double unlimited = INFINITY;
  EXPECT_EQ(problem.vehicleTypes[0].capacityLimits, (std::vector<double>{33, 24000, unlimited}));
  EXPECT_EQ(problem.vehicleTypes[1].capacityLimits, (std::vector<double>{8, unlimited, 9}));
  EXPECT_TRUE(problem.vehicleTypes[2].capacityLimits.empty());
  EXPECT_EQ(pallets.capacityLoad, (std::vector<double>{10, 5000, 4}));
}

TEST_F(CapacityModel, AnOrderFitsATypeOnlyWhenEveryLimitedKeyFits) {
  struct Case {
    std::vector<std::pair<std::string, float>> goods;
    bool truck, van, trailer;
  };
  const std::vector<Case> cases = {
      {{{"PALLET", 8}, {"VOLUME", 9}}, true, true, true},          // exactly at the van's limits
      {{{"PALLET", 9}}, true, false, true},                        // one pallet too many for the van
      {{{"VOLUME", 10}}, true, false, true},                       // the truck does not limit volume
      {{{"PALLET", 33}, {"WEIGHT", 7500}}, true, false, true},     // 33 pallets weigh 16500, plus 7500
      {{{"PALLET", 33}, {"WEIGHT", 7501}}, false, false, true},    // one kilogram over
      {{{"PALLET", 1000}, {"VOLUME", 1000}}, false, false, true},  // the trailer carries anything
  };
  for (const Case& c : cases) addOrder(c.goods);
  deriveCapacities(problem);
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Order& order = problem.orders[i];
    EXPECT_EQ(loadFits(order.capacityLoad, problem.vehicleTypes[0].capacityLimits), cases[i].truck) << i;
    EXPECT_EQ(loadFits(order.capacityLoad, problem.vehicleTypes[1].capacityLimits), cases[i].van) << i;
    EXPECT_EQ(loadFits(order.capacityLoad, problem.vehicleTypes[2].capacityLimits), cases[i].trailer) << i;
  }
  problem.vehicleTypes.pop_back();  // without the trailer the last two fit nowhere
  deriveCapacities(problem);
  EXPECT_TRUE(fitsSomeVehicleType(problem, problem.orders[3]));
  EXPECT_FALSE(fitsSomeVehicleType(problem, problem.orders[4]));
  EXPECT_FALSE(fitsSomeVehicleType(problem, problem.orders[5]));
}

}  // namespace
}  // namespace tamso

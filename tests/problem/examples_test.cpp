// The bundled example instances load, and the European one is a plannable week of freight.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "problem/distances.h"
#include "problem/loader.h"
#include "tests/problem/local_time.h"

namespace tamso {
namespace {

const std::string examples = TAMSO_EXAMPLES_DIR;

std::optional<LoadError> loadExample(const std::string& name, ProblemData& problem) {
  testing::useCentralEuropeanTime();
  const std::string folder = examples + "/" + name;
  return loadInstance(folder + "/" + name + ".cfg", problem, LoadOptions{folder});
}

TEST(Examples, TinyLoads) {
  ProblemData problem;
  const auto error = loadExample("tiny", problem);
  ASSERT_FALSE(error) << error->message;
  EXPECT_EQ(problem.orders.size(), 4u);
  EXPECT_NE(problem.findPlace("FRANKFURT ODER"), nullptr);  // a quoted name
}

class EuropeExample : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    problem_ = new ProblemData;
    const auto error = loadExample("europe", *problem_);
    ASSERT_FALSE(error) << error->message;
  }
  static void TearDownTestSuite() { delete problem_; }
  static ProblemData* problem_;
};
ProblemData* EuropeExample::problem_ = nullptr;

TEST_F(EuropeExample, HasTheSizeOfARealFleetWeek) {
  const ProblemData& p = *problem_;
  EXPECT_GE(p.places.size(), 80u);
  EXPECT_GE(p.countries.size(), 10u);
  EXPECT_GE(p.regions.size(), 20u);
  EXPECT_GE(p.vehicleTypes.size(), 3u);
  EXPECT_GE(p.vehicles.size(), 20u);
  EXPECT_GE(p.orders.size(), 150u);
  EXPECT_FALSE(p.articleTypes.empty());
  ASSERT_NE(p.homePlace, nullptr);
  EXPECT_EQ(p.homePlace->countryName(), "POLAND");
  std::set<std::string> countriesUsed;
  for (const Place& place : p.places) countriesUsed.insert(place.countryName());
  EXPECT_GE(countriesUsed.size(), 10u);
  for (const Vehicle& v : p.vehicles) {
    EXPECT_TRUE(v.startTime && v.startPlace) << v.name;
    EXPECT_GT(v.vehicleType->listCount(), 0) << v.name;
  }
  const auto priority = std::count_if(p.orders.begin(), p.orders.end(), [](const Order& o) { return o.isPriority(); });
  EXPECT_GT(priority, 0);
  EXPECT_LT(priority, static_cast<long>(p.orders.size()));
}

// The week drives on roads 1.3 times the straight line at 70 km/h.
TEST_F(EuropeExample, EveryLegIsTheGreatCircleLengthenedAndDrivenAtTheTrucksSpeed) {
  const ProblemData& p = *problem_;
  for (const Place& a : p.places) {
    for (const Place& b : p.places) {
      const auto km = static_cast<float>(static_cast<double>(sphericalDistance(a, &b)) * 1.3);
      ASSERT_EQ(p.distance(a, b), km) << a.name << " " << b.name;
      ASSERT_EQ(p.travelTime(a, b).likely, static_cast<std::int32_t>(km / (70.0 / 60.0))) << a.name << " " << b.name;
    }
  }
}

TEST_F(EuropeExample, OrdersSpanAFewDays) {
  const ProblemData& p = *problem_;
  std::int32_t first = p.orders[0].pickupWindow.start;
  for (const Order& o : p.orders) first = std::min(first, o.pickupWindow.start);
  EXPECT_GE(p.horizonEnd - first, 3 * 1440);
  // A long drive at 70 km/h on the last pickup day, with its breaks and rests, delivers on
  // the seventh.
  EXPECT_LE(p.horizonEnd - first, 7 * 1440);
}

TEST_F(EuropeExample, EveryOrderCanBeCarriedStraightAndPays) {
  const ProblemData& p = *problem_;
  for (const Order& o : p.orders) {
    // Leave the pickup as late as its window fully allows and drive straight there.
    FuzzyTime arrival(o.pickupWindow.fullEnd, o.pickupWindow.fullEnd, o.pickupWindow.fullEnd);
    arrival.addMinutes(p.pickupTime);
    arrival.add(p.travelTime(*o.pickupPlace, *o.deliveryPlace));
    EXPECT_GE(arrival.satisfaction(o.deliveryWindow), p.minimalSat) << o.name;
    FuzzyValue cost = p.distanceCost(*o.pickupPlace, *o.deliveryPlace);
    cost.add(p.timeCost(*o.pickupPlace, *o.deliveryPlace));
    EXPECT_GT(o.price, 1.5 * cost.defuzzify()) << o.name;
  }
}

}  // namespace
}  // namespace tamso

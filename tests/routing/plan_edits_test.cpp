// Changes by hand on generated plans, with and without capacities and driving times: every
// offer a route makes is exactly what applying it changes, the offers come best first, a
// locked route neither takes nor gives an order, and a plan read back by names is the same.
#include <gtest/gtest.h>

#include <cmath>

#include "core/random.h"
#include "problem/instance_generator.h"
#include "problem/loader.h"
#include "routing/first_solution.h"
#include "routing/plan_edits.h"
#include "routing/plan_rebuild.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

struct Variant {
  const char* name;
  bool capacity;
  bool driverRules;
};

constexpr Variant kVariants[] = {{"plain", false, false}, {"capacity", true, false}, {"drivingTimes", false, true}};

class PlanEditsTest : public ::testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    GeneratorSettings settings{25, 40, 6, 7, GetParam().capacity, GetParam().driverRules};
    ASSERT_FALSE(generateInstance(scratch.path().string(), settings).has_value());
    LoadOptions options;
    options.dataDirectory = scratch.path().string();
    ASSERT_FALSE(loadInstance((scratch.path() / "instance.cfg").string(), problem, options).has_value());
    plan = std::make_unique<Solution>(problem, false);
    Random random = Random::seeded(5);
    buildFirstSolution(*plan, random);
    plan->setGain(plan->totalGain(false));
  }

  testing::TempFolder scratch{"tamso-plan-edits"};
  ProblemData problem;
  std::unique_ptr<Solution> plan;
};

std::vector<std::string> stopNames(const Route& route) {
  std::vector<std::string> names;
  for (const RouteStop& stop : route.stops()) names.push_back(stop.order ? stop.order->name : "wait");
  return names;
}

TEST_P(PlanEditsTest, EveryOfferIsWhatApplyingItChanges) {
  setRouteLocked(*plan, 0, true);
  int applied = 0;
  for (const Order& order : problem.orders) {
    const std::vector<RouteOffer> offers = routeOffers(*plan, order);
    const std::int32_t serving = routeOf(*plan, order);
    Solution left(*plan);  // only an order on an unlocked route can be sent to the unplanned orders
    EXPECT_EQ(unplanOrder(left, order), serving > 0);
    EXPECT_EQ(routeOf(left, order), serving > 0 ? -1 : serving);
    ASSERT_EQ(offers.size(), static_cast<std::size_t>(plan->routeCount() - (serving >= 0 ? 1 : 0)));
    EXPECT_FALSE(routeOffer(*plan, order, serving).has_value());
    for (std::size_t i = 0; i < offers.size(); ++i) {
      const RouteOffer& offer = offers[i];
      EXPECT_NE(offer.route, serving);
      if (i > 0) {
        EXPECT_TRUE(offers[i - 1].fits() || !offer.fits()) << "fitting routes come first";
        EXPECT_TRUE(!offer.fits() || offers[i - 1].gainChange >= offer.gainChange) << "best first";
      }
      EXPECT_EQ(offer.route == 0, offer.reason == "the route is locked") << offer.reason;
      const std::optional<RouteOffer> alone = routeOffer(*plan, order, offer.route);
      ASSERT_TRUE(alone.has_value());
      EXPECT_EQ(alone->gainChange, offer.gainChange);
      EXPECT_EQ(alone->reason, offer.reason);
      Solution edited(*plan);
      const bool blocked = removalBlock(*plan, order).has_value();
      EXPECT_EQ(applyOffer(edited, order, offer), offer.fits() && !blocked) << order.name;
      if (!offer.fits() || blocked) continue;
      ++applied;
      const float before = Solution(*plan).totalGain(false);
      EXPECT_NEAR(edited.gain() - before, offer.gainChange, 1e-2f + std::abs(before) * 1e-5f) << order.name;
      EXPECT_TRUE(edited.route(offer.route)->isValid());
      EXPECT_EQ(routeOf(edited, order), offer.route);
      EXPECT_EQ(std::count(edited.unplanned().begin(), edited.unplanned().end(), &order), 0);
    }
  }
  EXPECT_GT(applied, 0);
}

TEST_P(PlanEditsTest, APlanByNamesRebuildsAsItWas) {
  setRouteLocked(*plan, 1, true);
  RebuiltPlan rebuilt = rebuildPlan(problem, savedPlanOf(*plan), {});
  EXPECT_TRUE(rebuilt.problems.empty());
  for (std::int32_t r = 0; r < plan->routeCount(); ++r) {
    EXPECT_EQ(stopNames(*rebuilt.solution->route(r)), stopNames(*plan->route(r)));
    EXPECT_EQ(rebuilt.solution->route(r)->closed(), r == 1);
  }
  EXPECT_EQ(rebuilt.solution->unplanned(), plan->unplanned());
  EXPECT_FLOAT_EQ(rebuilt.solution->gain(), plan->totalGain(false));
}

INSTANTIATE_TEST_SUITE_P(Variants, PlanEditsTest, ::testing::ValuesIn(kVariants),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tamso

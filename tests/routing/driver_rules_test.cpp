// The driving and rest times: the plain checker recognises broken timelines, the scheduler's
// legs never break a rule and arrive no later than needed.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>

#include "routing/driver_rules.h"
#include "routing/route_activities.h"
#include "routing/schedule_steps.h"
#include "routing/solution.h"
#include "routing/unplanned_reason.h"
#include "tests/routing/plain_rule_check.h"
#include "tests/routing/small_problem.h"

namespace tamso {
namespace {

using test::PlainRuleCheck;
using test::Stretch;

constexpr std::int32_t monday = 4 * 1440 + 400 * 10080;  // a Monday 00:00: 1970-01-05 was one

std::vector<Stretch> timelineOf(const std::vector<std::pair<const char*, std::int32_t>>& pieces) {
  std::vector<Stretch> timeline;
  std::int32_t t = monday + 8 * 60;
  for (const auto& [kind, minutes] : pieces) {
    timeline.push_back({kind, t, minutes});
    t += minutes;
  }
  return timeline;
}

std::vector<std::pair<const char*, std::int32_t>> days(int count, std::int32_t driving, std::int32_t rest) {
  std::vector<std::pair<const char*, std::int32_t>> pieces;
  for (int d = 0; d < count; ++d) {
    const std::int32_t third = driving / 3;
    pieces.insert(pieces.end(),
                  {{"drive", third}, {"break", 45}, {"drive", third}, {"break", 45}, {"drive", driving - 2 * third}});
    pieces.push_back({"dailyRest", rest});
  }
  return pieces;
}

TEST(PlainRuleCheck, NamesTheRuleATimelineBreaks) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, std::int32_t>> pieces;
    std::set<std::string> broken;
  };
  const std::vector<Case> cases = {
      {"legal day", {{"drive", 270}, {"break", 45}, {"drive", 270}, {"service", 30}}, {}},
      {"split break", {{"drive", 200}, {"wait", 15}, {"drive", 70}, {"break", 30}, {"drive", 200}}, {}},
      {"one piece is no break", {{"drive", 200}, {"break", 15}, {"drive", 100}}, {"break"}},
      {"30 minutes alone is no break", {{"drive", 200}, {"wait", 30}, {"drive", 100}}, {"break"}},
      {"long service without break", {{"drive", 200}, {"service", 170}}, {"work"}},
      {"work pieces add up", {{"service", 200}, {"wait", 15}, {"service", 100}, {"wait", 15}, {"service", 250}}, {}},
      {"ten hours and more",
       {{"drive", 270}, {"break", 45}, {"drive", 270}, {"break", 45}, {"drive", 70}},
       {"dailyDriving"}},
      {"duty day too long", {{"drive", 60}, {"wait", 480}, {"drive", 60}, {"wait", 480}, {"drive", 60}}, {"dailyRest"}},
      {"gap", {{"drive", 60}, {"wait", -5}, {"drive", 60}}, {"timeline"}},
      {"two long days a week", days(2, 600, 780), {}},
      {"three long days a week", days(3, 600, 780), {"longDays"}},
      {"reduced rests three times", days(4, 500, 540), {}},
      {"a fourth reduced rest", days(5, 500, 540), {"dailyRest", "dailyDriving"}},
      {"no weekly rest for seven days", days(7, 360, 1440 - 450), {"weeklyRest"}},
      {"too much driving in a week", days(7, 500, 660), {"weeklyDriving"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlainRuleCheck::broken(monday + 8 * 60, timelineOf(c.pieces)), c.broken) << c.name;
  }
}

// A crew of two makes no break stops but rests 9 hours within 30; one driver may not drive so.
TEST(PlainRuleCheck, NamesTheRuleACrewTimelineBreaks) {
  using Pieces = std::vector<std::pair<const char*, std::int32_t>>;
  const Pieces longDays = {{"drive", 1200}, {"dailyRest", 600}, {"drive", 1200}, {"dailyRest", 600}, {"drive", 1080}};
  const std::vector<std::tuple<int, Pieces, std::set<std::string>>> cases = {
      {2, {longDays.begin(), longDays.end() - 2}, {}},
      {1, {{"drive", 1080}, {"dailyRest", 540}}, {"break", "work", "dailyRest", "dailyDriving"}},
      {2, longDays, {}},
      {2, {{"drive", 1260}}, {"dailyDriving"}},
      {2, {{"drive", 600}, {"wait", 480}, {"drive", 600}}, {"dailyRest"}},
      {2, {{"drive", 300}, {"wait", 300}, {"service", 300}, {"wait", 300}, {"drive", 120}}, {"dailyRest"}},
      {2, {{"drive", 1200}, {"dailyRest", 600}, {"drive", 1200}, {"dailyRest", 600}, {"drive", 1200}}, {"longDays"}},
  };
  for (const auto& [drivers, pieces, broken] : cases) {
    EXPECT_EQ(PlainRuleCheck::broken(monday + 8 * 60, timelineOf(pieces), drivers), broken) << pieces.size();
  }
}

struct Leg {
  std::int32_t drive, wait, service;
};

// Drives the legs from `start`, appending to `activities`; `check` sees each leg's times.
// A leg's wait is counted from the end of its driving without breaks; negative: no window.
// `check` also gets the least stops on the road the leg was said to need beforehand.
void runLegs(DriverState& state, std::int32_t start, const std::vector<Leg>& legs,
             std::vector<DriverActivity>& activities,
             const std::function<void(const Leg&, std::int32_t, driving::LegTimes, std::int32_t)>& check,
             const driving::RuleLimits& limits = driving::oneDriver) {
  std::int32_t t = start;
  for (const Leg& leg : legs) {
    const std::int32_t openAt = leg.wait < 0 ? driving::noWindow : t + leg.drive + leg.wait;
    const std::int32_t leastStops = driving::leastStopsOnRoad(state, t, leg.drive, limits);
    const driving::LegTimes times =
        driving::driveAndServe(state, t, leg.drive, openAt, leg.service, &activities, limits);
    check(leg, openAt, times, t + leg.drive + leastStops);
    t = times.serviceStart + leg.service;
  }
}

std::vector<Stretch> stretchesOf(const std::vector<DriverActivity>& activities) {
  std::vector<Stretch> timeline;
  for (const DriverActivity& a : activities) timeline.push_back({activityKindName(a.kind), a.start, a.minutes});
  return timeline;
}

void randomLegsKeepTheRules(const driving::RuleLimits& limits, int drivers) {
  std::mt19937 draw(20);
  for (int route = 0; route < 300; ++route) {
    const std::int32_t start = monday + static_cast<std::int32_t>(draw() % 10080);
    std::vector<Leg> legs;
    const int count = 1 + static_cast<int>(draw() % 60);
    for (int k = 0; k < count; ++k) {
      const auto scale = static_cast<std::int32_t>(draw() % 4 == 0 ? 1500 : 300);
      legs.push_back({static_cast<std::int32_t>(draw() % scale), static_cast<std::int32_t>(draw() % 900) - 300,
                      static_cast<std::int32_t>(draw() % 120)});
    }
    DriverState state = DriverState::rested(start);
    std::int32_t drivenBefore = 0;
    std::vector<DriverActivity> activities;
    const auto check = [&](const Leg& leg, std::int32_t openAt, driving::LegTimes times, std::int32_t earliest) {
      ASSERT_TRUE(times.legal);
      ASSERT_GE(times.arrival, earliest) << "route " << route;
      ASSERT_GE(times.serviceStart, std::max(times.arrival, openAt));
      std::int32_t driven = 0;
      for (const DriverActivity& a : activities) driven += a.kind == ActivityKind::Drive ? a.minutes : 0;
      ASSERT_EQ(driven - drivenBefore, leg.drive) << "route " << route;
      drivenBefore = driven;
    };
    runLegs(state, start, legs, activities, check, limits);
    EXPECT_EQ(PlainRuleCheck::broken(start, stretchesOf(activities), drivers), std::set<std::string>{}) << route;
  }
}

TEST(DriverRules, RandomLegsNeverBreakARule) {
  randomLegsKeepTheRules(driving::oneDriver, 1);
  randomLegsKeepTheRules(driving::twoDrivers, 2);
}

TEST(DriverRules, ArrivesNoLaterThanTheRulesRequire) {
  struct Case {
    const char* name;
    std::function<void(DriverState&)> before;  // changes to a rested driver
    std::vector<Leg> legs;
    std::int32_t arrival, serviceStart;  // of the last leg, in minutes after the start
  };
  const auto none = [](DriverState&) {};
  const std::vector<Case> cases = {
      {"short leg", none, {{200, -1, 0}}, 200, 200},
      {"one break", none, {{300, -1, 0}}, 345, 345},
      {"a ten-hour day", none, {{600, -1, 0}}, 690, 690},
      // Resting at once beats a break, an hour more and then the rest.
      {"rest rather than a long day", none, {{900, -1, 0}}, 1530, 1530},
      {"a wait is a break", none, {{240, 60, 30}, {200, -1, 0}}, 330 + 200, 530},
      {"a long wait is a rest", none, {{500, 660, 0}, {500, -1, 0}}, 1160 + 545, 1160 + 545},
      {"the service waits for the rest", none, {{540, 340, 60}}, 585, 585 + 540},
      {"the second piece of a split break", none, {{250, 20, 100}, {100, 10, 20}}, 500, 500},
      {"the week's driving is used up",
       [](DriverState& s) { s.weekDriving = 56 * 60 - 60; },
       {{90, -1, 0}},
       7 * 1440 - 8 * 60 + 30,
       7 * 1440 - 8 * 60 + 30},
      {"the weekly rest is due",
       [](DriverState& s) { s.weeklyRestEnd -= 144 * 60 - 100; },
       {{200, -1, 0}},
       100 + 24 * 60 + 100,
       100 + 24 * 60 + 100},
      {"no service over six hours", none, {{0, -1, 370}}, 0, 0},
  };
  const std::int32_t start = monday + 8 * 60;
  for (const Case& c : cases) {
    DriverState state = DriverState::rested(start);
    c.before(state);
    driving::LegTimes last;
    std::vector<DriverActivity> activities;
    runLegs(state, start, c.legs, activities,
            [&](const Leg&, std::int32_t, driving::LegTimes t, std::int32_t) { last = t; });
    EXPECT_EQ(last.arrival - start, c.arrival) << c.name;
    EXPECT_EQ(last.serviceStart - start, c.serviceStart) << c.name;
    EXPECT_EQ(last.legal, c.legs.back().service <= 360) << c.name;
  }
}

// A trial gives up on a stop before scheduling the leg when even the earliest arrival the
// rules allow misses the window: that must never give up on an arrival that would pass,
// however the satisfaction is rounded.
TEST(DriverRules, GivingUpEarlyNeverDropsAnArrivalThatPasses) {
  std::mt19937 draw(5);
  const auto minutes = [&](std::uint32_t range) { return static_cast<std::int32_t>(draw() % range); };
  int givenUp = 0;
  for (int k = 0; k < 200000; ++k) {
    const std::int32_t start = 29'500'000 + minutes(20000);
    const std::int32_t fullEnd = start + minutes(600);
    const FuzzyWindow window(start, fullEnd, fullEnd + minutes(4) * minutes(200));
    const std::int32_t likely = start - 300 + minutes(1500);
    const FuzzyTime arrival(likely - minutes(60), likely, likely + minutes(3) * minutes(120));
    const double minimalSat = 0.05 * minutes(20);
    if (!schedule::missesFromOn(arrival, window, minimalSat)) continue;
    ++givenUp;
    for (const std::int32_t later : {0, 1, 2, 3, minutes(60), minutes(2000)}) {
      FuzzyTime shifted = arrival;
      shifted.addMinutes(later);
      ASSERT_LT(static_cast<double>(static_cast<float>(shifted.satisfaction(window))), minimalSat) << k;
    }
  }
  EXPECT_GT(givenUp, 10000);
}

}  // namespace
}  // namespace tamso

namespace tamso {
namespace {

// A ten-hour leg from A to B: with the rules the driver takes two breaks on the way, which
// delay every component of the arrival alike and cost what driving costs per minute; an
// order whose window closes before that is left unplanned for the rules' sake.
TEST(DriverRulesOnRoutes, BreaksDelayTheWholeArrivalAndCostTheirMinutes) {
  testing::SmallProblem problem;
  const Place& a = problem.addPlace("A");
  const Place& b = problem.addPlace("B");
  problem.setLeg(a, b, 800.0f, FuzzyTime(540, 600, 700));
  problem.addVehicle("V", &a, FuzzyTime(0, 0, 0));
  problem.addOrder("WIDE", a, testing::SmallProblem::open(), b, testing::SmallProblem::open(), 5000.0f);
  problem.addOrder("TIGHT", a, testing::SmallProblem::open(), b, FuzzyWindow(0, 660, 680), 5000.0f);
  const Order& wide = problem.data.orders[0];
  const Order& tight = problem.data.orders[1];

  Solution off(problem.data, false, false);
  Solution on(problem.data, false, true);
  ASSERT_TRUE(off.route(0)->insertOrder(wide));
  ASSERT_TRUE(on.route(0)->insertOrder(wide));
  const RouteStop& plain = *off.route(0)->stopAt(1);
  const RouteStop& ruled = *on.route(0)->stopAt(1);
  EXPECT_EQ(ruled.arrival.likely, plain.arrival.likely + 90);
  EXPECT_EQ(ruled.arrival.earliest - ruled.arrival.likely, plain.arrival.earliest - plain.arrival.likely);
  EXPECT_EQ(ruled.arrival.latest - ruled.arrival.likely, plain.arrival.latest - plain.arrival.likely);
  EXPECT_FLOAT_EQ(off.route(0)->gain() - on.route(0)->gain(), 90.0f);

  const std::vector<RouteActivity> activities = routeActivities(*on.route(0));
  EXPECT_EQ(minutesOf(activities, ActivityKind::Break), 90);
  EXPECT_EQ(minutesOf(activities, ActivityKind::Drive), 600);
  EXPECT_EQ(activities.back().start + activities.back().minutes, ruled.serviceStart.likely + 20);
  EXPECT_EQ(minutesOf(routeActivities(*off.route(0)), ActivityKind::Break), 0);

  EXPECT_EQ(off.route(0)->canInsert(tight), 1.0f);
  EXPECT_EQ(on.route(0)->canInsert(tight), 0.0f);
  on.unplanned() = {&tight};
  const auto reasons = unplannedReasons(on);
  ASSERT_EQ(reasons.size(), 1u);
  EXPECT_EQ(reasons[0].describe(), "No driver can reach it within the driving and rest times.");
}

// A load 1,500 km away by early next day: a crew of two drives it through within its rules,
// one driver, who must rest on the way, cannot.
TEST(DriverRulesOnRoutes, ACrewMovesALoad1500KmInOneDay) {
  testing::SmallProblem problem;
  const Place& a = problem.addPlace("A");
  const Place& b = problem.addPlace("B");
  problem.setLeg(a, b, 1500.0f, FuzzyTime(1070, 1125, 1180));
  problem.data.vehicleTypes.resize(2);
  problem.data.vehicleTypes[1].drivers = 2;
  problem.addVehicle("SINGLE", &a, FuzzyTime(0, 0, 0)).vehicleType = &problem.data.vehicleTypes[0];
  problem.addVehicle("CREW", &a, FuzzyTime(0, 0, 0)).vehicleType = &problem.data.vehicleTypes[1];
  problem.addOrder("LONG", a, testing::SmallProblem::open(), b, FuzzyWindow(0, 1320, 1440), 5000.0f);
  Solution solution(problem.data, false, true);
  EXPECT_EQ(solution.route(0)->canInsert(problem.data.orders[0]), 0.0f);
  ASSERT_TRUE(solution.route(1)->insertOrder(problem.data.orders[0]));
  std::vector<Stretch> timeline;
  for (const RouteActivity& x : routeActivities(*solution.route(1)))
    timeline.push_back({activityKindName(x.kind), x.start, x.minutes});
  EXPECT_EQ(PlainRuleCheck::broken(0, timeline, 2), std::set<std::string>{});
  EXPECT_EQ(timeline.at(1).minutes, 1125);
}

}  // namespace
}  // namespace tamso

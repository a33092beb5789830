#include "problem/distances.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "problem/problem_data.h"

namespace tamso {
namespace {

Place at(float latitude, float longitude) {
  Place p;
  p.latitude = latitude;
  p.longitude = longitude;
  return p;
}

float km(const Place& p, const Place& q) { return sphericalDistance(p, &q); }

TEST(Distance, SameSpotDateLineAndOneDegree) {
  const Place a = at(50.0f, 20.0f);
  EXPECT_EQ(sphericalDistance(a, &a), 0.0f);
  EXPECT_EQ(fuzzyTravelTime(a, a, 0.1), FuzzyTime(0, 0, 0));
  const double twoDegrees = 2.0 * 6378.0 * std::asin(std::sqrt((1.0 - std::cos(2.0 * piApprox / 180.0)) / 2.0));
  EXPECT_FLOAT_EQ(km(at(10.0f, 179.0f), at(10.0f, -179.0f)), static_cast<float>(twoDegrees));
  EXPECT_NEAR(twoDegrees, 222.6, 0.05);
  EXPECT_NEAR(km(at(50.0f, 20.0f), at(51.0f, 20.0f)), 111.3, 0.05);
  EXPECT_EQ(sphericalDistance(a, nullptr), -1.0f);
}

TEST(Distance, LongitudeIsNotWeightedByLatitude) {
  // The planner's distance takes both differences as legs of a right spherical triangle.
  EXPECT_FLOAT_EQ(km(at(60.0f, 0.0f), at(60.0f, 1.0f)), km(at(0.0f, 0.0f), at(0.0f, 1.0f)));
}

TEST(TravelTime, SpreadByFuzzinessAndTruncated) {
  const Place a = at(50.0f, 20.0f);
  const Place b = at(51.0f, 20.0f);
  EXPECT_EQ(fuzzyTravelTime(a, b, 0.1), FuzzyTime(75, 83, 91));
  EXPECT_EQ(fuzzyTravelTime(a, b, 0.0), FuzzyTime(83, 83, 83));
}

TEST(Tables, SymmetricWithZeroDiagonalAndCostsFromCountries) {
  ProblemData problem;
  problem.travelTimeFuzzines = 0.1;
  problem.countries.push_back({"A", 1440.0f, 1.0f, 0.0f});
  problem.countries.push_back({"B", 2880.0f, 2.0f, 0.0f});
  Place p = at(50.0f, 20.0f);
  Place q = at(51.0f, 20.0f);
  p.country = &problem.countries[0];
  q.country = &problem.countries[1];
  p.index = 0;
  q.index = 1;
  problem.places = {p, q};
  fillDistanceTables(problem);
  const Place& a = problem.places[0];
  const Place& b = problem.places[1];
  EXPECT_EQ(problem.distance(a, a), 0.0f);
  EXPECT_EQ(problem.distance(a, b), problem.distance(b, a));
  EXPECT_EQ(problem.travelTime(b, a), FuzzyTime(75, 83, 91));
  EXPECT_EQ(problem.distanceTo(a, nullptr), -1.0f);
  const float km = problem.distance(a, b);
  EXPECT_EQ(problem.distanceCost(a, b), FuzzyValue(static_cast<double>(km * 3.0f / 2)));
  // Per minute: (1440 + 2880) / 2 / 1440 = 1.5.
  EXPECT_EQ(problem.timeCost(a, b), FuzzyValue(75 * 1.5, 83 * 1.5, 91 * 1.5));
}

// Resizing the leg tables keeps the legs between the places kept; new legs are 0 km, 0 minutes.
TEST(LegTables, ResizingKeepsTheLegsOfThePlacesKept) {
  for (const auto& [first, second] : {std::pair{3, 7}, std::pair{7, 3}, std::pair{5, 5}, std::pair{0, 4}}) {
    ProblemData problem;
    problem.places.resize(static_cast<std::size_t>(std::max(first, second)));
    for (std::size_t i = 0; i < problem.places.size(); ++i) problem.places[i].index = static_cast<std::int32_t>(i);
    problem.sizeLegTables(first);
    for (const Place& p : problem.places) {
      for (const Place& q : problem.places) {
        if (p.index < first && q.index < first)
          problem.setLeg(p, q, p.index * 100.0f + q.index + 1, {p.index, q.index, 9});
      }
    }
    problem.sizeLegTables(second);
    for (const Place& p : problem.places) {
      for (const Place& q : problem.places) {
        if (p.index >= second || q.index >= second) continue;
        const bool kept = p.index < first && q.index < first;
        EXPECT_EQ(problem.distance(p, q), kept ? p.index * 100.0f + q.index + 1 : 0.0f) << first << "->" << second;
        EXPECT_EQ(problem.travelTime(p, q), kept ? FuzzyTime(p.index, q.index, 9) : FuzzyTime{});
      }
    }
  }
}

}  // namespace
}  // namespace tamso

#include "problem/fuzzy.h"

#include <gtest/gtest.h>

namespace tamso {
namespace {

TEST(FuzzyWindow, IsStoredOrdered) {
  const FuzzyWindow w(100, 50, 20);
  EXPECT_EQ(w.start, 100);
  EXPECT_EQ(w.fullEnd, 100);
  EXPECT_EQ(w.end, 100);
  EXPECT_EQ(FuzzyWindow(10, 30, 20), FuzzyWindow(10, 30, 30));
}

TEST(Satisfaction, EveryCaseOfTheRule) {
  const FuzzyWindow w(0, 20, 40);
  EXPECT_DOUBLE_EQ(FuzzyTime(0, 10, 20).satisfaction(w), 1.0);                       // latest within the full part
  EXPECT_DOUBLE_EQ(FuzzyTime(0, 40, 50).satisfaction(w), 0.0);                       // likely at the end
  EXPECT_DOUBLE_EQ(FuzzyTime(30, 30, 30).satisfaction(w), 0.5);                      // crisp arrival on the edge
  EXPECT_DOUBLE_EQ(FuzzyTime(0, 10, 30).satisfaction(FuzzyWindow(0, 20, 20)), 0.5);  // crisp window end
  EXPECT_DOUBLE_EQ(FuzzyTime(0, 10, 30).satisfaction(w), 0.75);                      // the two edges cross
  EXPECT_DOUBLE_EQ(FuzzyTime(0, 30, 30).satisfaction(FuzzyWindow(0, 20, 20)), 0.0);
}

TEST(Satisfaction, CrossingIsKeptInSinglePrecision) {
  // At real minute counts the crossing point is rounded to a float, i.e. whole minutes.
  const std::int32_t base = 28000000;
  const FuzzyWindow w(base, base + 20, base + 41);
  const FuzzyTime t(base, base + 10, base + 31);
  const double exact = (41.0 * 31.0 - 20.0 * 10.0) / (41.0 + 31.0 - 20.0 - 10.0);
  const float crossing = static_cast<float>(base + exact);
  const double expected = (static_cast<double>(crossing) - (base + 10)) / 21.0;
  EXPECT_DOUBLE_EQ(t.satisfaction(w), expected);
  EXPECT_NE(t.satisfaction(w), (exact - 10.0) / 21.0);
}

TEST(FuzzyTime, ArithmeticAndSortedDifference) {
  FuzzyTime t(1, 2, 3);
  t.addMinutes(10);
  t.add(FuzzyTime(1, 1, 1));
  EXPECT_EQ(t, FuzzyTime(12, 13, 14));
  t.raiseTo(FuzzyWindow(13, 20, 30));
  EXPECT_EQ(t, FuzzyTime(13, 13, 14));
  EXPECT_EQ(FuzzyTime::sortedDifference(FuzzyTime(10, 20, 30), FuzzyTime(0, 25, 5)), FuzzyTime(-5, 10, 25));
}

TEST(FuzzyValue, SubtractIsTheFuzzyDifference) {
  FuzzyValue v(5, 6, 7);
  v.subtract(FuzzyValue(1, 2, 3));
  EXPECT_EQ(v, FuzzyValue(2, 4, 6));
  EXPECT_DOUBLE_EQ(FuzzyValue(1, 2, 4).defuzzify(), 2.25);
  EXPECT_EQ(FuzzyValue(FuzzyTime(1, 2, 3)).multiplied(FuzzyValue(2.0)), FuzzyValue(2, 4, 6));
}

}  // namespace
}  // namespace tamso

#include "core/geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace tamso {
namespace {

TEST(Geometry, RoundHalfUp) {
  EXPECT_EQ(roundHalfUp(2.5f), 3);
  EXPECT_EQ(roundHalfUp(-2.5f), -2);
  EXPECT_EQ(roundHalfUp(-2.7f), -3);
  EXPECT_EQ(roundHalfUp(2.49f), 2);
}

TEST(Geometry, NearlyFlatAndSign) {
  EXPECT_TRUE(nearlyFlat(0.1f));
  EXPECT_TRUE(nearlyFlat(-0.19f));
  EXPECT_FALSE(nearlyFlat(0.2f));
  EXPECT_FALSE(nearlyFlat(-0.2f));
  EXPECT_EQ(signOf(0.0f), -1);
  EXPECT_EQ(signOf(0.5f), 1);
}

TEST(Geometry, PointDistance) {
  EXPECT_FLOAT_EQ(pointDistance(0, 0, 3, 4), 5.0f);
  EXPECT_FLOAT_EQ(pointDistance(-3, -4, 0, 0), 5.0f);
}

TEST(Geometry, StepTowardVertical) {
  EXPECT_EQ(stepToward(5, 5, 5, 20, 3.7f), (IntPoint{5, 8}));
  EXPECT_EQ(stepToward(5, 5, 5, 0, 3.7f), (IntPoint{5, 2}));
  // Coincident points count as "not below": the step goes up.
  EXPECT_EQ(stepToward(5, 5, 5, 5, 3.0f), (IntPoint{5, 2}));
}

TEST(Geometry, StepTowardSnapsNearlyFlatLines) {
  // Slope 0.1 is drawn horizontal; slope 0.2 is not.
  EXPECT_EQ(stepToward(0, 0, 100, 10, 10.0f), (IntPoint{10, 0}));
  const IntPoint p = stepToward(0, 0, 100, 20, 10.0f);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 2);
  // A negative distance steps away from the target.
  EXPECT_EQ(stepToward(50, 0, 50, 10, -4.0f), (IntPoint{50, -4}));
}

TEST(Geometry, TruncToIntNeverOverflows) {
  EXPECT_EQ(truncToInt(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(truncToInt(1e300), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(truncToInt(-1e300), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(truncToInt(-2.9), -2);
}

}  // namespace
}  // namespace tamso

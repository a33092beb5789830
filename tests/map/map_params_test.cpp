#include "map/map_params.h"

#include <gtest/gtest.h>

#include <limits>

namespace tamso {
namespace {

TEST(MapParams, InitialPointsGiveTheCentreAboveThePicture) {
  const MapParams params;
  EXPECT_TRUE(params.hasCentre());
  EXPECT_NEAR(params.centreX(), 704.887f, 0.001f);
  EXPECT_NEAR(params.centreY(), -1037.655f, 0.001f);
}

TEST(MapParams, CalibratedProjectionOfKnownPlaces) {
  const MapParams params;
  EXPECT_FLOAT_EQ(params.meridianColumn(10.0f, 1.0f), 712.0f);
  EXPECT_EQ(params.parallelRow(50.0f, 1.0f), 957.49994f);
  EXPECT_EQ(params.projectCalibrated(10.0f, 50.0f, 1.0f), (IntPoint{719, 1078}));
  // Left of the picture: drawn where it falls.
  EXPECT_EQ(params.projectCalibrated(-20.0f, 40.0f, 1.0f), (IntPoint{-303, 1330}));
}

TEST(MapParams, SinglePrecisionRowTruncatesBelowTheCalibratedRow) {
  const MapParams params;
  const float row = params.parallelRow(60.0f, 1.0f);
  EXPECT_EQ(row, 477.99994f);
  EXPECT_EQ(truncToInt(row), 477);
}

TEST(MapParams, CalibratedProjectionScalesWithZoom) {
  const MapParams params;
  const IntPoint atOne = params.projectCalibrated(10.0f, 50.0f, 1.0f);
  const IntPoint atTwo = params.projectCalibrated(10.0f, 50.0f, 2.0f);
  EXPECT_NEAR(atTwo.x, 2 * atOne.x, 2);
  EXPECT_NEAR(atTwo.y, 2 * atOne.y, 2);
}

TEST(MapParams, FixedFrameMapsTheBoxOntoTheCanvas) {
  EXPECT_EQ(MapParams::projectFixedFrame(10.0f, 50.0f, 800, 600, 1.0f), (IntPoint{414, 322}));
  EXPECT_EQ(MapParams::projectFixedFrame(-35.0f, 32.0f, 800, 600, 1.0f), (IntPoint{1, 599}));
  EXPECT_EQ(MapParams::projectFixedFrame(52.0f, 71.0f, 800, 600, 1.0f), (IntPoint{800, 0}));
  EXPECT_EQ(MapParams::projectFixedFrame(52.0f, 32.0f, 800, 600, 2.0f), (IntPoint{1600, 1199}));
}

TEST(MapParams, ProjectPicksTheProjectionByBackground) {
  const MapParams params;
  EXPECT_EQ(params.project(10.0f, 50.0f, {800, 600, 1.0f, true}), (IntPoint{719, 1078}));
  EXPECT_EQ(params.project(10.0f, 50.0f, {800, 600, 1.0f, false}), (IntPoint{414, 322}));
}

// Calibrations that describe no map still give a defined pixel.
TEST(MapParams, DegenerateCalibrationsGiveDefinedPixels) {
  MapParams unset;
  unset.setThreePoints(-1, -1, -1, -1, -1, -1);
  unset.setLongitudeCalibration(-1, -1, -1, -1);
  unset.setLatitudeCalibration(-1, -1, -1, -1);
  EXPECT_FALSE(unset.hasCentre());
  EXPECT_EQ(unset.projectCalibrated(10.0f, 50.0f, 1.0f), (IntPoint{-1, -1}));

  // Collinear points on one row: parallels become rows, meridians columns.
  MapParams flat;
  flat.setThreePoints(0, 100, 50, 100, 100, 100);
  EXPECT_FALSE(flat.hasCentre());
  EXPECT_EQ(flat.projectCalibrated(10.0f, 50.0f, 1.0f),
            (IntPoint{truncToInt(flat.meridianColumn(10.0f, 1.0f)), truncToInt(flat.parallelRow(50.0f, 1.0f))}));

  // Equal longitudes: every meridian crosses at the first column.
  MapParams sameLongitude;
  sameLongitude.setLongitudeCalibration(10, 300, 10, 900);
  EXPECT_EQ(sameLongitude.meridianColumn(25.0f, 2.0f), 600.0f);

  // A centre on the top row where the meridian crosses it (R1 = 0).
  MapParams onTopRow;
  onTopRow.setThreePoints(-100, 0, 0, 100, 100, 0);  // circle around (0, 0)
  onTopRow.setLongitudeCalibration(0, 0, 10, 100);
  ASSERT_TRUE(onTopRow.hasCentre());
  EXPECT_EQ(onTopRow.projectCalibrated(0.0f, 50.0f, 1.0f).x, 0);

  // Values at the ends of the integer range neither overflow nor trap.
  constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
  MapParams extreme;
  extreme.setThreePoints(big, -big, -big, big, big, big);
  extreme.setLongitudeCalibration(-big, big, big, -big);
  extreme.setLatitudeCalibration(big, -big, -big, big);
  const IntPoint p = extreme.projectCalibrated(1e30f, -1e30f, 1e30f);
  (void)p;
}

}  // namespace
}  // namespace tamso

#include <gtest/gtest.h>

#include <algorithm>

#include "map/map_layer.h"
#include "map_test_problem.h"
#include "tests/numbered_name.h"

namespace tamso {
namespace {

using testing::MapTestProblem;
using Kind = Primitive::Kind;

const Rgb black{};
const Rgb red = Rgb::fromHex(0xFF0000);
const ShapeColours redShapes{red, red};

std::vector<IntPoint> pts(std::initializer_list<IntPoint> list) { return list; }

// A layer drawing one route from `from` to `to` (both stops at the given pixels).
struct OneSegment {
  OneSegment(IntPoint from, IntPoint to) : layer(testing::frameWidth, testing::frameHeight) {
    const Place& a = problem.addPlaceAt("A", from.x, from.y);
    const Place& b = problem.addPlaceAt("B", to.x, to.y);
    problem.addVehicle("TRUCK", &a);
    auto plan = problem.emptyPlan();
    MapTestProblem::addStops(*plan, 0, {&b});
    layer.setProblem(&problem.data);
    layer.setSolution(std::move(plan));
    layer.buildRoutes();
  }
  PrimitiveList draw() const {
    PrimitiveList canvas;
    layer.drawRoute(canvas, 0);
    return canvas;
  }
  MapTestProblem problem;
  MapLayer layer;
};

TEST(MapDrawing, HorizontalSegmentBandAndArrow) {
  OneSegment s({0, 0}, {100, 0});
  ASSERT_EQ(s.layer.mapRoute(0)->points[1], (MapPoint{100, 0, &s.problem.data.places[1]}));
  const PrimitiveList canvas = s.draw();
  ASSERT_EQ(canvas.size(), 3u);  // band, then the two stop shapes
  EXPECT_EQ(canvas[0].kind, Kind::Polygon);
  EXPECT_EQ(canvas[0].fillRule, FillRule::Alternate);
  EXPECT_EQ(canvas[0].outline, black);
  EXPECT_EQ(canvas[0].fill, defaultRouteColour(0));
  EXPECT_EQ(canvas[0].points,
            pts({{0, -4}, {0, 4}, {50, 4}, {50, 8}, {75, 4}, {100, 4}, {100, -4}, {75, -4}, {50, -8}, {50, -4}}));
  EXPECT_EQ(canvas[1].kind, Kind::Rectangle);
  EXPECT_EQ(canvas[1].points, pts({{-5, -5}, {5, 5}}));
  EXPECT_EQ(canvas[2].points, pts({{95, -5}, {105, 5}}));
  EXPECT_EQ(canvas[2].outline, black);
  EXPECT_EQ(canvas[2].fill, defaultRouteColour(0));
}

TEST(MapDrawing, VerticalSegmentTakesHalfTheSelectedWidth) {
  OneSegment s({0, 0}, {0, 100});
  const PrimitiveList canvas = s.draw();
  // A = 3, B = 0; barbs jut out by the unselected width 4, horizontally.
  EXPECT_EQ(canvas[0].points,
            pts({{3, 0}, {-3, 0}, {-3, 50}, {-7, 50}, {-3, 75}, {-3, 100}, {3, 100}, {3, 75}, {7, 50}, {3, 50}}));
}

TEST(MapDrawing, SelectedRouteIsWiderWithLargerStops) {
  OneSegment s({0, 0}, {100, 0});
  s.layer.selectRoute(0);
  const PrimitiveList canvas = s.draw();
  EXPECT_EQ(canvas[0].points[0], (IntPoint{0, -6}));
  EXPECT_EQ(canvas[0].points[3], (IntPoint{50, 12}));
  EXPECT_EQ(canvas[1].points, pts({{-9, -9}, {9, 9}}));
}

TEST(MapDrawing, DiagonalSegmentOffsetsRoundHalfUp) {
  OneSegment s({0, 0}, {30, 40});
  const PrimitiveList canvas = s.draw();
  // m = 4/3: b = 4 / (5/3) = 2.4 -> 2, a = 3.2 -> 3.
  EXPECT_EQ(canvas[0].points[0], (IntPoint{3, -2}));
  EXPECT_EQ(canvas[0].points[1], (IntPoint{-3, 2}));
  EXPECT_EQ(canvas[0].points.size(), 10u);
}

TEST(MapDrawing, CoincidentPointsDrawOnlyTheBand) {
  OneSegment s({20, 20}, {20, 20});
  const PrimitiveList canvas = s.draw();
  ASSERT_EQ(canvas.size(), 3u);
  EXPECT_EQ(canvas[0].points, pts({{23, 20}, {17, 20}, {17, 20}, {23, 20}}));
}

TEST(MapDrawing, HiddenRouteDrawsNothing) {
  OneSegment s({0, 0}, {100, 0});
  s.layer.mapRoute(0)->shown = false;
  EXPECT_TRUE(s.draw().empty());
  PrimitiveList canvas;
  s.layer.drawRoute(canvas, 5);  // no such route
  EXPECT_TRUE(canvas.empty());
}

TEST(MapDrawing, LocationShapes) {
  MapLayer layer(100, 100);
  const MapPoint at{100, 100, nullptr};
  PrimitiveList canvas;
  layer.shape = static_cast<std::int32_t>(LocationShape::Triangle);
  layer.drawShape(canvas, at, 10, redShapes);
  layer.shape = static_cast<std::int32_t>(LocationShape::Circle);
  layer.drawShape(canvas, at, 9, redShapes);
  layer.shape = static_cast<std::int32_t>(LocationShape::Point);
  layer.drawShape(canvas, at, 10, redShapes);
  layer.locationColour = Rgb::fromHex(0x00FF00);
  layer.drawShape(canvas, at, 10, redShapes);
  layer.shape = -1;
  layer.drawShape(canvas, at, 10, redShapes);
  ASSERT_EQ(canvas.size(), 4u);
  EXPECT_EQ(canvas[0].kind, Kind::Polygon);
  EXPECT_EQ(canvas[0].fillRule, FillRule::Winding);
  EXPECT_EQ(canvas[0].points, pts({{100, 92}, {105, 100}, {95, 100}}));
  EXPECT_EQ(canvas[1].kind, Kind::Ellipse);
  EXPECT_EQ(canvas[1].points, pts({{96, 96}, {104, 104}}));
  EXPECT_EQ(canvas[1].fill, red);
  // The Point shape ignores the shape colours: black until a location colour is set.
  EXPECT_EQ(canvas[2].kind, Kind::Pixel);
  EXPECT_EQ(canvas[2].outline, black);
  EXPECT_EQ(canvas[3].outline, Rgb::fromHex(0x00FF00));
}

TEST(MapDrawing, LocationsThenRoutesWhenShown) {
  OneSegment s({10, 10}, {60, 10});
  s.layer.rebuildLocations();
  PrimitiveList canvas;
  s.layer.drawItems(canvas, redShapes);
  EXPECT_TRUE(canvas.empty());

  s.layer.showLocations = true;
  s.layer.showRoutes = true;
  s.layer.drawItems(canvas, redShapes);
  ASSERT_EQ(canvas.size(), 5u);
  EXPECT_EQ(canvas[0].fill, red);
  EXPECT_EQ(canvas[1].fill, red);
  EXPECT_EQ(canvas[2].kind, Kind::Polygon);
  EXPECT_EQ(canvas[4].fill, defaultRouteColour(0));
}

TEST(MapDrawing, HugeSizesDoNotOverflow) {
  MapLayer layer(100, 100);
  PrimitiveList canvas;
  layer.drawShape(canvas, {0, 0, nullptr}, std::numeric_limits<std::int32_t>::max(), redShapes);
  layer.shape = static_cast<std::int32_t>(LocationShape::Triangle);
  layer.drawShape(canvas, {0, 0, nullptr}, std::numeric_limits<std::int32_t>::min(), redShapes);
  ASSERT_EQ(canvas.size(), 2u);
  EXPECT_EQ(canvas[0].points[1].x, std::numeric_limits<std::int32_t>::max() / 2);
}

// Culling keeps the full paint's order and leaves out only primitives wholly outside the area.
TEST(MapDrawing, VisibleAreaLeavesOutOnlyWhatItCannotShow) {
  MapTestProblem problem;
  for (int i = 0; i < 40; ++i) problem.addPlaceAt(testing::numberedName("P", i), (i * 37) % 88, (i * 23) % 40);
  const auto place = [&](int i) { return &problem.data.places[static_cast<std::size_t>(i % 40)]; };
  for (int v = 0; v < 6; ++v) problem.addVehicle(testing::numberedName("V", v), place(v));
  auto plan = problem.emptyPlan();
  for (int v = 0; v < 6; ++v) MapTestProblem::addStops(*plan, v, {place(v * 7), place(v * 7 + 5), place(v * 3 + 11)});
  MapLayer layer(testing::frameWidth, testing::frameHeight);
  layer.setProblem(&problem.data);
  layer.setSolution(std::move(plan));
  layer.showLocations = layer.showRoutes = true;
  layer.locationSize = 2;
  layer.rebuildLocations();
  layer.buildRoutes();
  layer.selectRoute(2);
  PrimitiveList full;
  layer.drawItems(full, redShapes);
  for (const CanvasBox& box : {CanvasBox{0, 0, 10, 10}, CanvasBox{40, 15, 50, 25}, CanvasBox{-50, -50, -20, -20}}) {
    layer.visibleArea = box;
    PrimitiveList culled;
    layer.drawItems(culled, redShapes);
    std::size_t kept = 0;
    for (const Primitive& primitive : full) {
      if (kept < culled.size() && culled[kept] == primitive) {
        ++kept;
        continue;
      }
      const auto all = [&](auto out) { return std::all_of(primitive.points.begin(), primitive.points.end(), out); };
      EXPECT_TRUE(all([&](IntPoint p) { return p.x < box.left; }) || all([&](IntPoint p) { return p.x > box.right; }) ||
                  all([&](IntPoint p) { return p.y < box.top; }) || all([&](IntPoint p) { return p.y > box.bottom; }));
    }
    EXPECT_EQ(kept, culled.size()) << "not a sub-list of the full paint";
    EXPECT_LT(culled.size(), full.size());
  }
}

}  // namespace
}  // namespace tamso

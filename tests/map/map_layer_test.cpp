#include "map/map_layer.h"

#include <gtest/gtest.h>

#include "map_test_problem.h"

namespace tamso {
namespace {

using testing::MapTestProblem;

TEST(MapLayer, DefaultsOfANewLayer) {
  const MapLayer layer(640, 480);
  EXPECT_EQ(layer.width, 640);
  EXPECT_EQ(layer.height, 480);
  EXPECT_FALSE(layer.showLocations || layer.showRoutes || layer.backgroundShown);
  EXPECT_EQ(layer.zoom, 1.0f);
  EXPECT_EQ(layer.shape, 2);
  EXPECT_EQ(layer.locationSize, 10);
  EXPECT_EQ(layer.selectedLocationSize, 18);
  EXPECT_EQ(layer.routeWidth, 4);
  EXPECT_EQ(layer.selectedRouteWidth, 6);
  EXPECT_EQ(layer.locationColour, Rgb{});
  EXPECT_EQ(layer.selectedIndex(), -1);
  EXPECT_EQ(defaultRouteColour(0), Rgb::fromHex(0x00A9FF));
  EXPECT_EQ(defaultRouteColour(71), Rgb::fromHex(0xEA0085));
  EXPECT_EQ(defaultRouteColour(99), Rgb::fromHex(0x00FCFF));
  EXPECT_EQ(defaultRouteColour(100), defaultRouteColour(0));
}

class LayerWithRoutes : public ::testing::Test {
 protected:
  LayerWithRoutes() : layer(testing::frameWidth, testing::frameHeight) {
    depot = &problem.addPlaceAt("DEPOT", 10, 10);
    east = &problem.addPlaceAt("EAST", 60, 10);
    south = &problem.addPlaceAt("SOUTH", 10, 30);
    far = &problem.addPlaceAt("FAR", 110, 60);
    for (const char* name : {"V0", "V1", "V2", "V3"}) problem.addVehicle(name, depot);
    layer.setProblem(&problem.data);
  }

  // Routes of vehicles 1 (east), 2 (south), 3 (far); vehicle 0 stays empty.
  void planThreeRoutes() {
    auto plan = problem.emptyPlan();
    MapTestProblem::addStops(*plan, 1, {east});
    MapTestProblem::addStops(*plan, 2, {south});
    MapTestProblem::addStops(*plan, 3, {far});
    layer.setSolution(std::move(plan));
    layer.buildRoutes();
  }

  MapTestProblem problem;
  MapLayer layer;
  const Place* depot = nullptr;
  const Place* east = nullptr;
  const Place* south = nullptr;
  const Place* far = nullptr;
};

TEST_F(LayerWithRoutes, LocationsAreProjectedInLoadOrder) {
  layer.rebuildLocations();
  ASSERT_EQ(layer.locations().size(), 4u);
  EXPECT_EQ(layer.locations()[0], (MapPoint{10, 10, depot}));
  EXPECT_EQ(layer.locations()[3], (MapPoint{110, 60, far}));
  layer.zoom = 2.0f;
  layer.rebuildLocations();
  EXPECT_EQ(layer.locations()[0].x, 19);  // 9 * 175 / 87 + 1, truncated
}

TEST_F(LayerWithRoutes, EmptyRoutesAreSkippedAndColoursFollowListPositions) {
  planThreeRoutes();
  ASSERT_EQ(layer.routeCount(), 3);
  const MapRoute& third = *layer.mapRoute(2);
  EXPECT_EQ(third.route, layer.solution()->route(3));
  EXPECT_EQ(third.colour, defaultRouteColour(2));
  EXPECT_TRUE(third.shown);
  EXPECT_FALSE(third.selected);
  ASSERT_EQ(third.points.size(), 2u);
  EXPECT_EQ(third.points[0], (MapPoint{10, 10, depot}));
  EXPECT_EQ(third.points[1], (MapPoint{110, 60, far}));
  EXPECT_EQ(layer.mapRoute(3), nullptr);
  EXPECT_EQ(layer.mapRoute(-1), nullptr);
}

TEST_F(LayerWithRoutes, LongRoutesKeepAllTheirStops) {
  auto plan = problem.emptyPlan();
  for (int i = 0; i < 60; ++i) MapTestProblem::addStops(*plan, 0, {i % 2 == 0 ? east : south});
  layer.setSolution(std::move(plan));
  layer.buildRoutes();
  ASSERT_EQ(layer.routeCount(), 1);
  EXPECT_EQ(layer.mapRoute(0)->points.size(), 61u);
}

TEST_F(LayerWithRoutes, ReprojectionFollowsTheZoom) {
  planThreeRoutes();
  layer.zoom = 2.0f;
  layer.reprojectRoutes();
  EXPECT_EQ(layer.mapRoute(0)->points[1].x, 119);  // (24 + 35) * (176 - 1) / 87 + 1, truncated
}

TEST_F(LayerWithRoutes, SelectionMovesAndSurvivesRebuildOnlyWhileItNamesARoute) {
  planThreeRoutes();
  layer.selectRoute(1);
  layer.selectRoute(2);
  EXPECT_FALSE(layer.mapRoute(1)->selected);
  EXPECT_TRUE(layer.mapRoute(2)->selected);
  EXPECT_EQ(layer.selectedIndex(), 2);

  layer.buildRoutes();  // the same plan: position 2 still names a route
  EXPECT_EQ(layer.selectedIndex(), 2);
  EXPECT_TRUE(layer.mapRoute(2)->selected);

  auto smaller = problem.emptyPlan();
  MapTestProblem::addStops(*smaller, 0, {east});
  layer.setSolution(std::move(smaller));
  EXPECT_EQ(layer.routeCount(), 0);
  EXPECT_EQ(layer.selectedIndex(), -1);
  layer.buildRoutes();
  layer.selectRoute(0);
  layer.selectRoute(7);  // names no route: nothing selected
  EXPECT_EQ(layer.selectedIndex(), -1);
  EXPECT_FALSE(layer.mapRoute(0)->selected);
}

TEST_F(LayerWithRoutes, NewProblemClearsTheLists) {
  planThreeRoutes();
  layer.rebuildLocations();
  layer.selectRoute(0);
  layer.setProblem(&problem.data);
  EXPECT_TRUE(layer.locations().empty());
  EXPECT_EQ(layer.routeCount(), 0);
  EXPECT_EQ(layer.selectedIndex(), -1);
}

TEST_F(LayerWithRoutes, LocationHitSquareIsTheFullSize) {
  layer.rebuildLocations();
  EXPECT_EQ(layer.locationAt(20, 20), "DEPOT");
  EXPECT_EQ(layer.locationAt(0, 0), "DEPOT");
  EXPECT_EQ(layer.locationAt(21, 10), "NOTHING");
  EXPECT_EQ(layer.locationAt(10, -1), "NOTHING");
  // SOUTH at (10, 30) and DEPOT at (10, 10) overlap at row 20: the earlier one wins.
  EXPECT_EQ(layer.locationAt(10, 21), "SOUTH");
  EXPECT_EQ(layer.locationAt(10, 20), "DEPOT");
}

TEST_F(LayerWithRoutes, RouteHitTests) {
  planThreeRoutes();
  // Route 0: horizontal (10,10)-(60,10); route 1: vertical (10,10)-(10,30);
  // route 2: diagonal (10,10)-(110,60), slope 1/2.
  EXPECT_EQ(layer.routeAt(30, 10), 0);
  EXPECT_EQ(layer.routeAt(30, 9), -1);
  EXPECT_EQ(layer.routeAt(30, 11), -1);
  EXPECT_EQ(layer.routeAt(10, 25), 1);
  EXPECT_EQ(layer.routeAt(11, 25), -1);
  EXPECT_EQ(layer.routeAt(90, 53), 2);
  EXPECT_EQ(layer.routeAt(90, 54), -1);
  EXPECT_EQ(layer.routeAt(90, 47), 2);
  EXPECT_EQ(layer.routeAt(111, 60), -1);  // outside the bounding box
  EXPECT_EQ(layer.routeAt(10, 10), 2);    // shared start: the route drawn last wins
  layer.selectRoute(0);                   // ... unless another is selected: it is drawn last
  EXPECT_EQ(layer.routeAt(10, 10), 0);
  layer.mapRoute(0)->shown = false;
  EXPECT_EQ(layer.routeAt(30, 10), -1);
  EXPECT_EQ(layer.routeAt(10, 10), 2);
  layer.mapRoute(2)->shown = false;
  EXPECT_EQ(layer.routeAt(10, 10), 1);
}

}  // namespace
}  // namespace tamso

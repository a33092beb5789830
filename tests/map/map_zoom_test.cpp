// Fitting the data into the window, zooming around a fixed point, the zoom bound, the paint
// order of the selected route and route colours that differ from the places' colour.
#include <gtest/gtest.h>

#include <algorithm>

#include "map/map_view.h"
#include "map_test_problem.h"

namespace tamso {
namespace {

using testing::MapTestProblem;

constexpr std::int32_t clientWidth = 500;
constexpr std::int32_t clientHeight = 400;

// The scroll position a window would take to show `centre` in the middle of its client area.
IntPoint scrollCentredOn(IntPoint centre, const ScrollRange& range) {
  return {std::clamp(centre.x - clientWidth / 2, 0, std::max(0, range.width - clientWidth)),
          std::clamp(centre.y - clientHeight / 2, 0, std::max(0, range.height - clientHeight))};
}

class MapZoom : public ::testing::Test {
 protected:
  MapZoom() {
    problem.addPlaceAt("WEST", 20, 12);
    problem.addPlaceAt("EAST", 50, 14);
    problem.addPlaceAt("SOUTH", 35, 30);
    problem.addPlaceAt("NORTH", 30, 5);
    MapLayer& layer = view.createLayer(clientWidth, clientHeight);
    layer.setProblem(&problem.data);
    layer.showLocations = true;
    layer.rebuildLocations();
  }

  MapTestProblem problem;
  MapView view;
};

TEST_F(MapZoom, FitPutsEveryPlaceInsideTheClientAreaAndCentresThem) {
  const IntPoint centre = view.zoomToFit(clientWidth, clientHeight);
  EXPECT_GT(view.zoom(), 1.0f);  // the places fill only part of the fixed frame
  const IntPoint scroll = scrollCentredOn(centre, view.scrollRange());
  std::int32_t left = clientWidth, right = 0, top = clientHeight, bottom = 0;
  for (const MapPoint& place : view.layer()->locations()) {
    const std::int32_t x = place.x - scroll.x;
    const std::int32_t y = place.y - scroll.y;
    EXPECT_TRUE(x >= 0 && x < clientWidth && y >= 0 && y < clientHeight) << place.place->name;
    left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
  }
  // Centred: the margins left and right (above and below) match within a pixel or two, and
  // the places fill the client area in one direction up to the margin.
  EXPECT_NEAR(left, clientWidth - 1 - right, 2);
  EXPECT_NEAR(top, clientHeight - 1 - bottom, 2);
  EXPECT_TRUE(right - left > clientWidth * 0.85 || bottom - top > clientHeight * 0.85);
}

TEST_F(MapZoom, ZoomingKeepsThePlaceUnderTheAnchorInPlace) {
  view.zoomToFit(clientWidth, clientHeight);
  const IntPoint anchor{clientWidth / 3, clientHeight / 2};
  const MapPoint& south = view.layer()->locations()[2];
  // Put SOUTH under the anchor, then zoom in and out around it: each step moves it by
  // rounding only.
  IntPoint scroll{south.x - anchor.x, south.y - anchor.y};
  for (int step = 0; step < 12; ++step) {
    const float zoomBefore = view.zoom();
    const IntPoint before{south.x - scroll.x, south.y - scroll.y};
    if (step < 8) {
      view.zoomIn(clientWidth, clientHeight);
    } else {
      view.zoomOut(clientWidth, clientHeight);
    }
    scroll = scrollKeeping(scroll, anchor, zoomBefore, view.zoom());
    const MapPoint& after = view.layer()->locations()[2];
    EXPECT_NEAR(after.x - scroll.x, before.x, 1) << "step " << step;
    EXPECT_NEAR(after.y - scroll.y, before.y, 1) << "step " << step;
  }
}

TEST_F(MapZoom, ZoomStopsAtTheUpperBound) {
  for (int i = 0; i < 200; ++i) view.zoomIn(clientWidth, clientHeight);
  EXPECT_EQ(view.zoom(), MapView::maxZoom);
  view.zoomTo(1000.0f, clientWidth, clientHeight);
  EXPECT_EQ(view.zoom(), MapView::maxZoom);
  view.zoomTo(0.0f, clientWidth, clientHeight);
  EXPECT_EQ(view.zoom(), MapView::zoomStep);
  EXPECT_EQ(view.scrollRange().width, truncToInt(clientWidth * static_cast<double>(MapView::zoomStep)));
}

TEST(MapSelection, SelectedRouteIsPaintedLastOverItsOutline) {
  MapTestProblem problem;
  const Place& depot = problem.addPlaceAt("DEPOT", 10, 10);
  const Place& east = problem.addPlaceAt("EAST", 60, 10);
  const Place& far = problem.addPlaceAt("FAR", 60, 30);
  for (const char* name : {"V0", "V1", "V2"}) problem.addVehicle(name, &depot);
  MapLayer layer(testing::frameWidth, testing::frameHeight);
  layer.setProblem(&problem.data);
  auto plan = problem.emptyPlan();
  for (std::int32_t route = 0; route < 3; ++route) MapTestProblem::addStops(*plan, route, {&east, &far});
  layer.setSolution(std::move(plan));
  layer.buildRoutes();
  layer.showRoutes = true;
  layer.selectRoute(0);

  PrimitiveList canvas;
  layer.drawItems(canvas, {});
  PrimitiveList selectedAlone;
  layer.drawRoute(selectedAlone, 0);
  ASSERT_GT(canvas.size(), selectedAlone.size() + 2);
  // The selected route's own primitives close the list, right after its two outline lines.
  const auto tail = canvas.end() - static_cast<std::ptrdiff_t>(selectedAlone.size());
  EXPECT_TRUE(std::equal(tail, canvas.end(), selectedAlone.begin()));
  const Primitive& white = *(tail - 2);
  const Primitive& black = *(tail - 1);
  EXPECT_EQ(white.kind, Primitive::Kind::Line);
  EXPECT_EQ(white.outline, (Rgb{255, 255, 255}));
  EXPECT_EQ(black.outline, Rgb{});
  EXPECT_GT(white.penWidth, black.penWidth);
  EXPECT_GT(black.penWidth, 2 * layer.selectedRouteWidth);
  EXPECT_EQ(white.points.size(), layer.mapRoute(0)->points.size());
  // Nothing of the other routes comes after the selected one.
  for (auto it = tail; it != canvas.end(); ++it) EXPECT_NE(it->fill, defaultRouteColour(1));
  EXPECT_EQ(canvas.front().fill, defaultRouteColour(1));
}

TEST(MapColours, NoDefaultRouteColourEqualsThePlacesColour) {
  const Rgb red = Rgb::fromHex(0xFF0000);
  for (std::int32_t position = 0; position < 200; ++position) {
    EXPECT_NE(defaultRouteColour(position, red), red) << position;
    if (defaultRouteColour(position) != red) {
      EXPECT_EQ(defaultRouteColour(position, red), defaultRouteColour(position));
    }
    const Rgb own = defaultRouteColour(position);
    EXPECT_NE(defaultRouteColour(position, own), own);
  }
}

}  // namespace
}  // namespace tamso

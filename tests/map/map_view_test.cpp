#include "map/map_view.h"

#include <gtest/gtest.h>

namespace tamso {
namespace {

void givePicture(MapView& view, std::int32_t width, std::int32_t height) {
  ASSERT_TRUE(view.picture().adopt(makeBitmapBlock(width, height, 24), 1, "map.bmp"));
}

TEST(MapView, FitZoomCoversTheClientArea) {
  MapImage none;
  EXPECT_EQ(fitZoom(none, 500, 500), 0.0f);
  MapView view;
  givePicture(view, 1000, 800);
  EXPECT_EQ(fitZoom(view.picture(), 500, 500), 0.625f);
  EXPECT_EQ(fitZoom(view.picture(), 2000, 400), 2.0f);
}

TEST(MapView, ZoomOutWithoutPictureStopsBelowOneTenth) {
  MapView view;
  view.createLayer(400, 300);
  view.zoomOut(400, 300);
  EXPECT_FLOAT_EQ(view.zoom(), 0.9f);
  for (int i = 0; i < 20; ++i) view.zoomOut(400, 300);
  EXPECT_LT(view.zoom(), 0.1f);
  EXPECT_GE(view.zoom(), -0.0001f);
  const float lowest = view.zoom();
  view.zoomOut(400, 300);
  EXPECT_EQ(view.zoom(), lowest);
  view.zoomIn(400, 300);
  EXPECT_FLOAT_EQ(view.zoom(), lowest + 0.1f);
}

TEST(MapView, RescaleSetsScrollRangeAndZoomedCopy) {
  MapView view;
  view.createLayer(500, 500);
  givePicture(view, 1000, 800);
  ASSERT_TRUE(view.showBackground());
  EXPECT_EQ(view.scrollRange(), (ScrollRange{1000, 800}));
  EXPECT_EQ(view.layer()->width, 1000);
  view.zoomIn(500, 500);
  EXPECT_FLOAT_EQ(view.zoom(), 1.1f);
  EXPECT_EQ(view.layer()->zoom, view.zoom());
  EXPECT_EQ(view.scrollRange(), (ScrollRange{1100, 880}));
  EXPECT_EQ(view.zoomedCopy().width(), 1100);
  EXPECT_EQ(view.zoomedCopy().height(), 880);
  EXPECT_EQ(view.picture().width(), 1000);
}

TEST(MapView, BackgroundKeepsTheZoomAtTheFitFloor) {
  MapView view;
  view.createLayer(500, 500);
  givePicture(view, 1000, 800);
  view.showBackground();
  for (int i = 0; i < 10; ++i) view.zoomOut(500, 500);
  EXPECT_EQ(view.zoom(), 0.625f);
  view.paint(500, 500);
  EXPECT_FALSE(view.zoomOutEnabled());
  // A client that grows raises the floor at the next paint.
  view.paint(1000, 1000);
  EXPECT_EQ(view.zoom(), 1.25f);
  EXPECT_EQ(view.zoomedCopy().width(), 1250);
  EXPECT_FALSE(view.zoomOutEnabled());
  view.zoomIn(1000, 1000);
  view.paint(1000, 1000);
  EXPECT_TRUE(view.zoomOutEnabled());
}

TEST(MapView, PaintDrawsThePictureFirst) {
  MapView view;
  PrimitiveList empty = view.paint(300, 200);  // the first paint makes the layer
  ASSERT_NE(view.layer(), nullptr);
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(view.layer()->width, 300);

  givePicture(view, 300, 200);
  view.showBackground();
  PrimitiveList atOne = view.paint(300, 200);
  ASSERT_EQ(atOne.size(), 1u);
  EXPECT_EQ(atOne[0].picture, &view.picture());
  view.zoomIn(300, 200);
  PrimitiveList zoomed = view.paint(300, 200);
  ASSERT_EQ(zoomed.size(), 1u);
  // Zoomed, the loaded picture itself is drawn stretched to its size at this zoom.
  EXPECT_EQ(zoomed[0].kind, Primitive::Kind::ScaledPicture);
  EXPECT_EQ(zoomed[0].picture, &view.picture());
  EXPECT_EQ(zoomed[0].pictureVersion, view.picture().version());
  EXPECT_EQ(zoomed[0].points[1], (IntPoint{330, 220}));
}

TEST(MapView, HidingTheBackgroundKeepsTheZoom) {
  MapView view;
  view.createLayer(500, 400);
  givePicture(view, 1000, 800);
  view.showBackground();
  view.zoomIn(500, 400);
  view.hideBackground(500, 400);
  EXPECT_FALSE(view.layer()->backgroundShown);
  EXPECT_EQ(view.scrollRange(), (ScrollRange{500, 400}));
  EXPECT_EQ(view.layer()->width, 500);
  EXPECT_FLOAT_EQ(view.zoom(), 1.1f);
  EXPECT_TRUE(view.paint(500, 400).empty());
}

TEST(MapView, ShowBackgroundNeedsAPicture) {
  MapView view;
  view.createLayer(500, 400);
  EXPECT_FALSE(view.showBackground());
  EXPECT_FALSE(view.layer()->backgroundShown);
}

}  // namespace
}  // namespace tamso

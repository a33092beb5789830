#include "map/map_layer.h"

#include "map/lock_mark.h"
#include "routing/route.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace tamso {
namespace {

const Rgb black{};

Primitive shapePrimitive(Primitive::Kind kind, std::vector<IntPoint> points, const ShapeColours& colours,
                         FillRule rule = FillRule::Alternate) {
  Primitive primitive;
  primitive.kind = kind;
  primitive.points = std::move(points);
  primitive.outline = colours.outline;
  primitive.fill = colours.fill;
  primitive.fillRule = rule;
  return primitive;
}

// Halves a coordinate sum with integer division toward zero.
std::int32_t midway(std::int32_t a, std::int32_t b) { return static_cast<std::int32_t>((std::int64_t{a} + b) / 2); }
IntPoint midway(IntPoint a, IntPoint b) { return {midway(a.x, b.x), midway(a.y, b.y)}; }

// Point coordinates are kept small by the layer, so a sum of a coordinate and a size fits;
// the sizes themselves are the user's and may be anything.
std::int32_t offsetBy(std::int32_t coordinate, std::int64_t delta) {
  return truncToInt(static_cast<double>(coordinate + delta));
}

}  // namespace

bool MapLayer::outsideView(IntPoint a, IntPoint b, std::int64_t margin) const {
  if (!visibleArea) return false;
  const CanvasBox& view = *visibleArea;
  return std::int64_t{std::max(a.x, b.x)} + margin < view.left ||
         std::int64_t{std::min(a.x, b.x)} - margin > view.right ||
         std::int64_t{std::max(a.y, b.y)} + margin < view.top ||
         std::int64_t{std::min(a.y, b.y)} - margin > view.bottom;
}

void MapLayer::drawShape(PrimitiveList& canvas, const MapPoint& point, std::int32_t size,
                         const ShapeColours& colours) const {
  const std::int64_t d = size / 2;
  // A triangle's apex stands size * 0.87 above the point: a margin of the whole size covers it.
  if (outsideView({point.x, point.y}, {point.x, point.y}, std::abs(std::int64_t{size}) + 1)) return;
  const IntPoint topLeft{offsetBy(point.x, -d), offsetBy(point.y, -d)};
  const IntPoint bottomRight{offsetBy(point.x, d), offsetBy(point.y, d)};
  switch (shape) {
    case static_cast<std::int32_t>(LocationShape::Point):
      canvas.push_back(shapePrimitive(Primitive::Kind::Pixel, {{point.x, point.y}}, {locationColour, locationColour}));
      break;
    case static_cast<std::int32_t>(LocationShape::Circle):
      canvas.push_back(shapePrimitive(Primitive::Kind::Ellipse, {topLeft, bottomRight}, colours));
      break;
    case static_cast<std::int32_t>(LocationShape::Rectangle):
      canvas.push_back(shapePrimitive(Primitive::Kind::Rectangle, {topLeft, bottomRight}, colours));
      break;
    case static_cast<std::int32_t>(LocationShape::Triangle): {
      const std::int32_t apexHeight = truncToInt(size * 1.73 / 2.0);
      canvas.push_back(shapePrimitive(Primitive::Kind::Polygon,
                                      {{point.x, offsetBy(point.y, -std::int64_t{apexHeight})},
                                       {offsetBy(point.x, d), point.y},
                                       {offsetBy(point.x, -d), point.y}},
                                      colours, FillRule::Winding));
      break;
    }
    default:
      break;  // an unknown shape code draws nothing
  }
}

// The band of one segment from p to q with half-width w, and its two barbs pointing from p
// towards q.
void MapLayer::drawSegment(PrimitiveList& canvas, IntPoint p, IntPoint q, std::int32_t w,
                           const ShapeColours& colours) const {
  // The band reaches w beside the segment (half the selected width when vertical) and the
  // barbs w beyond it.
  const std::int64_t reach = 2 * std::max(std::abs(std::int64_t{w}), std::abs(std::int64_t{selectedRouteWidth})) + 2;
  if (outsideView(p, q, reach)) return;
  float a = 0.0f;
  float b = 0.0f;
  if (p.x == q.x) {
    // A vertical band always takes half the selected width, whatever the route's state.
    a = static_cast<float>(selectedRouteWidth / 2.0);
  } else {
    const float m = static_cast<float>(std::int64_t{q.y} - p.y) / static_cast<float>(std::int64_t{q.x} - p.x);
    b = static_cast<float>(w) / std::sqrt(m * m + 1.0f);
    a = m * b;
  }
  const std::int64_t offsetA = roundHalfUp(a);
  const std::int64_t offsetB = roundHalfUp(b);
  const IntPoint q0{offsetBy(p.x, offsetA), offsetBy(p.y, -offsetB)};
  const IntPoint q1{offsetBy(p.x, -offsetA), offsetBy(p.y, offsetB)};
  const IntPoint q2{offsetBy(q.x, -offsetA), offsetBy(q.y, offsetB)};
  const IntPoint q3{offsetBy(q.x, offsetA), offsetBy(q.y, -offsetB)};
  if (p == q) {
    canvas.push_back(shapePrimitive(Primitive::Kind::Polygon, {q0, q1, q2, q3}, colours));
    return;
  }
  const IntPoint e = midway(q0, q3);
  const IntPoint f = midway(q1, q2);
  const IntPoint g = midway(e, q3);
  const IntPoint h = midway(f, q2);
  const float barb = -static_cast<float>(w);
  const IntPoint k1 = stepToward(e.x, e.y, f.x, f.y, barb);
  const IntPoint k2 = stepToward(f.x, f.y, e.x, e.y, barb);
  canvas.push_back(shapePrimitive(Primitive::Kind::Polygon, {q0, q1, f, k2, h, q2, q3, g, k1, e}, colours));
}

void MapLayer::drawRoute(PrimitiveList& canvas, std::int32_t index) const {
  const MapRoute* drawn = mapRoute(index);
  if (drawn == nullptr || !drawn->shown) return;
  const ShapeColours colours{black, drawn->colour};
  const std::int32_t w = drawn->selected ? selectedRouteWidth : routeWidth;
  for (std::size_t j = 1; j < drawn->points.size(); ++j) {
    const MapPoint& p = drawn->points[j - 1];
    const MapPoint& q = drawn->points[j];
    drawSegment(canvas, {p.x, p.y}, {q.x, q.y}, w, colours);
  }
  const std::int32_t size = drawn->selected ? selectedLocationSize : locationSize;
  for (const MapPoint& point : drawn->points) drawShape(canvas, point, size, colours);
  if (drawn->route != nullptr && drawn->route->closed() && !drawn->points.empty()) {
    drawLockMark(canvas, {drawn->points.front().x, drawn->points.front().y}, std::max(10, 2 * size));
  }
}

void MapLayer::drawLocations(PrimitiveList& canvas, const ShapeColours& colours) const {
  if (!showLocations) return;
  for (const MapPoint& point : locations_) drawShape(canvas, point, locationSize, colours);
}

void MapLayer::drawSelectionOutline(PrimitiveList& canvas, std::int32_t index) const {
  const MapRoute* drawn = mapRoute(index);
  if (drawn == nullptr || !drawn->shown || drawn->points.empty()) return;
  std::vector<IntPoint> path;
  path.reserve(drawn->points.size());
  for (const MapPoint& point : drawn->points) path.push_back({point.x, point.y});
  // The band is 2w wide; the black line shows 3 pixels beyond it, the white 4 more, enough to
  // stand clear of the arrows' barbs on a busy map.
  const std::int32_t band = 2 * std::clamp(selectedRouteWidth, 0, 1000);
  for (const auto& [colour, width] : {std::pair{Rgb{255, 255, 255}, band + 14}, std::pair{black, band + 6}}) {
    Primitive line;
    line.kind = Primitive::Kind::Line;
    line.points = path;
    line.outline = colour;
    line.penWidth = width;
    line.roundPen = true;
    canvas.push_back(line);
  }
}

void MapLayer::drawItems(PrimitiveList& canvas, const ShapeColours& locationColours) const {
  drawLocations(canvas, locationColours);
  if (!showRoutes) return;
  for (std::int32_t i = 0; i < routeCount(); ++i) {
    if (i != selectedIndex_) drawRoute(canvas, i);
  }
  if (mapRoute(selectedIndex_) == nullptr) return;
  drawSelectionOutline(canvas, selectedIndex_);
  drawRoute(canvas, selectedIndex_);
}

}  // namespace tamso

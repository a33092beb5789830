#include "map/map_layer.h"

#include <algorithm>
#include <cmath>

#include "problem/entities.h"

namespace tamso {
namespace {

bool between(std::int64_t value, std::int64_t a, std::int64_t b) {
  return std::min(a, b) <= value && value <= std::max(a, b);
}

// True when (x, y) lies on the segment: exactly on the column of a vertical segment; else
// within 3 pixels vertically of the line and inside the segment's bounding box.
bool segmentHit(const MapPoint& p, const MapPoint& q, std::int32_t x, std::int32_t y) {
  if (p.x == q.x) return x == p.x && between(y, p.y, q.y);
  const std::int64_t dx = std::int64_t{p.x} - q.x;
  const float slope = static_cast<float>(std::int64_t{p.y} - q.y) / static_cast<float>(dx);
  const float intercept =
      static_cast<float>(std::int64_t{p.x} * q.y - std::int64_t{q.x} * p.y) / static_cast<float>(dx);
  const float lineRow = static_cast<float>(x) * slope + intercept;
  return std::fabs(lineRow - static_cast<float>(y)) <= 3.0f && between(y, p.y, q.y) && between(x, p.x, q.x);
}

}  // namespace

std::string MapLayer::locationAt(std::int32_t x, std::int32_t y) const {
  const std::int64_t s = locationSize;
  for (const MapPoint& point : locations_) {
    if (point.x - s <= x && x <= point.x + s && point.y - s <= y && y <= point.y + s && point.place != nullptr) {
      return point.place->name;
    }
  }
  return nothingHit;
}

bool MapLayer::routeHit(std::int32_t index, std::int32_t x, std::int32_t y) const {
  const MapRoute* drawn = mapRoute(index);
  if (drawn == nullptr || !drawn->shown) return false;
  for (std::size_t j = 1; j < drawn->points.size(); ++j) {
    if (segmentHit(drawn->points[j - 1], drawn->points[j], x, y)) return true;
  }
  return false;
}

// In the reverse of the paint order, so the route the user sees under the mouse wins.
std::int32_t MapLayer::routeAt(std::int32_t x, std::int32_t y) const {
  if (routeHit(selectedIndex_, x, y)) return selectedIndex_;
  for (std::int32_t i = routeCount() - 1; i >= 0; --i) {
    if (routeHit(i, x, y)) return i;
  }
  return -1;
}

}  // namespace tamso

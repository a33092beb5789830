#include "map/stop_hit.h"

#include <cstdlib>

namespace tamso {

std::int32_t stopAt(const MapRoute& drawn, std::int32_t x, std::int32_t y, std::int32_t radius) {
  for (std::size_t j = 1; j < drawn.points.size(); ++j) {
    const MapPoint& point = drawn.points[j];
    if (std::abs(point.x - x) <= radius && std::abs(point.y - y) <= radius) return static_cast<std::int32_t>(j) - 1;
  }
  return -1;
}

}  // namespace tamso

#pragma once
// Which stop of a drawn route lies under a point of the map, for the commands on a stop.
#include <cstdint>

#include "map/map_layer.h"

namespace tamso {

// The index in the route's stops of the first stop drawn within `radius` pixels each way of
// (x, y); -1 when there is none (the vehicle's start is no stop).
std::int32_t stopAt(const MapRoute& drawn, std::int32_t x, std::int32_t y, std::int32_t radius);

}  // namespace tamso

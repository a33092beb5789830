#include "routing/insertion.h"

#include <optional>

namespace tamso {

std::int32_t bestInsertion(Solution& solution, const Order& order, float& share, float threshold) {
  float best = threshold;
  float bestShare = 0.0f;
  std::int32_t result = -1;
  for (std::int32_t i = 0; i < solution.routeCount(); ++i) {
    Route& route = *solution.route(i);
    const float routeShare = route.canInsert(order);
    if (!(routeShare > 0.0f)) continue;
    const float before = route.gain();
    const float after = route.gainWithOrder(order);
    const float candidate = solution.gain() - before + after;
    if (candidate > best) {
      best = candidate;
      result = i;
      bestShare = routeShare;
    }
  }
  if (result >= 0) {
    share = bestShare;
    solution.setGain(best);
  }
  return result;
}

std::int32_t bestGroupInsertion(Solution& solution, const std::vector<const Order*>& group, float threshold) {
  float best = threshold;
  std::int32_t result = -1;
  const auto groupSize = static_cast<std::int32_t>(group.size());
  // The group is tried on a scratch copy, so the routes keep what is known about them.
  std::optional<Route> scratch;
  for (std::int32_t i = 0; i < solution.routeCount(); ++i) {
    Route& route = *solution.route(i);
    float fits = 0.0f;
    for (const Order* order : group) fits += route.canInsert(*order);
    if (static_cast<std::int32_t>(fits) != groupSize) continue;
    const float before = route.gain();
    if (scratch) {
      scratch->becomeCopyOf(route);
    } else {
      scratch.emplace(route);
    }
    for (const Order* order : group) scratch->insertOrder(*order);
    const float after = scratch->gain();
    const float candidate = solution.gain() - before + after;
    if (candidate > best) {
      best = candidate;
      result = i;
    }
  }
  if (result >= 0) solution.setGain(best);
  return result;
}

}  // namespace tamso

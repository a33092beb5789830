#include "routing/route_loads.h"

#include <cmath>
#include <cstdio>

namespace tamso {

const std::vector<double>* capacityLimitsFor(const ProblemData& problem, const Vehicle& vehicle) {
  if (!problem.checkCapacity || vehicle.vehicleType == nullptr) return nullptr;
  const std::vector<double>& limits = vehicle.vehicleType->capacityLimits;
  return limits.empty() ? nullptr : &limits;
}

void StopLoads::compute(std::span<const RouteStop> stops, std::size_t keys) {
  keys_ = keys;
  values_.assign((stops.size() + 1) * keys, 0.0);
  for (std::size_t s = 0; s < stops.size(); ++s) {
    const double* before = values_.data() + s * keys;
    double* after = values_.data() + (s + 1) * keys;
    const RouteStop& stop = stops[s];
    const double sign = stop.kind == StopKind::Pickup ? 1.0 : stop.kind == StopKind::Delivery ? -1.0 : 0.0;
    for (std::size_t k = 0; k < keys; ++k) {
      const bool loaded = sign != 0.0 && stop.order != nullptr && k < stop.order->capacityLoad.size();
      after[k] = before[k] + (loaded ? sign * stop.order->capacityLoad[k] : 0.0);
    }
  }
}

bool loadsFit(const StopLoads& loads, std::int32_t stops, const std::vector<double>& limits) {
  for (std::int32_t s = 0; s < stops; ++s) {
    const std::span<const double> onBoard = loads.after(s);
    for (std::size_t k = 0; k < onBoard.size(); ++k) {
      if (onBoard[k] > limits[k]) return false;
    }
  }
  return true;
}

std::vector<std::vector<KeyedLoad>> shownLoads(const ProblemData& problem, const Vehicle& vehicle,
                                               std::span<const RouteStop> stops) {
  std::vector<std::vector<KeyedLoad>> shown(stops.size());
  const VehicleType* type = vehicle.vehicleType;
  if (type == nullptr || type->capacityLimits.empty()) return shown;
  StopLoads loads;
  loads.compute(stops, problem.capacityKeys.size());
  for (std::size_t s = 0; s < stops.size(); ++s) {
    const std::span<const double> onBoard = loads.after(static_cast<std::int32_t>(s));
    for (std::size_t k = 0; k < onBoard.size(); ++k) {
      if (std::isfinite(type->capacityLimits[k])) shown[s].push_back({problem.capacityKeys[k], onBoard[k]});
    }
  }
  return shown;
}

std::string loadText(const std::vector<KeyedLoad>& load) {
  std::string text;
  for (const KeyedLoad& entry : load) {
    char quantity[48];
    std::snprintf(quantity, sizeof quantity, "%.10g", entry.quantity);
    if (!text.empty()) text += ' ';
    text += entry.key + ' ' + quantity;
  }
  return text;
}

}  // namespace tamso

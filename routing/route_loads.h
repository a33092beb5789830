#pragma once
// What a route's vehicle has on board after each stop, over the problem's capacity keys:
// a pickup puts its order's load on, a delivery takes it off. When the problem checks
// capacities, a route is feasible only while every such load fits its vehicle type.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "problem/problem_data.h"
#include "routing/route_stop.h"

namespace tamso {

// The limits a route of the vehicle must respect: nullptr when the problem does not check
// capacities or the vehicle's type sets no limit.
const std::vector<double>* capacityLimitsFor(const ProblemData& problem, const Vehicle& vehicle);

class StopLoads {
 public:
  // Loads after every stop, over `keys` capacity keys.
  void compute(std::span<const RouteStop> stops, std::size_t keys);
  // On board after stop k; k = -1 is the empty vehicle at its start.
  std::span<const double> after(std::int32_t k) const {
    return {values_.data() + static_cast<std::size_t>(k + 1) * keys_, keys_};
  }

 private:
  std::size_t keys_ = 0;
  std::vector<double> values_;  // (stops + 1) rows of keys_ values, the start first
};

// What is on board plus the order's load fits the limits on every key.
inline bool fitsWith(std::span<const double> onBoard, const Order& order, const std::vector<double>& limits) {
  for (std::size_t k = 0; k < onBoard.size(); ++k) {
    const double load = k < order.capacityLoad.size() ? order.capacityLoad[k] : 0.0;
    if (onBoard[k] + load > limits[k]) return false;
  }
  return true;
}

// Every load fits the limits.
bool loadsFit(const StopLoads& loads, std::int32_t stops, const std::vector<double>& limits);

// One quantity on board, for the displays.
struct KeyedLoad {
  std::string key;
  double quantity = 0.0;
};

// For every stop, what is on board after it for each key the vehicle type limits (nothing
// for a type without limits), whether or not the problem checks capacities.
std::vector<std::vector<KeyedLoad>> shownLoads(const ProblemData& problem, const Vehicle& vehicle,
                                               std::span<const RouteStop> stops);

// "PALLET_EUR 20 WEIGHT 8000"; empty text for no keys.
std::string loadText(const std::vector<KeyedLoad>& load);

}  // namespace tamso

#pragma once
// One complete plan: a route per vehicle (in vehicle order), the orders no route serves,
// the total gain, and the memories of the local search.
#include <cstdint>
#include <vector>

#include "problem/problem_data.h"
#include "routing/route.h"

namespace tamso {

class Solution {
 public:
  // One empty route per vehicle; the routes keep the driving and rest times when the data
  // asks for them (driverRules), or as `driverRules` says.
  Solution(const ProblemData& problem, bool estimatedGain);
  Solution(const ProblemData& problem, bool estimatedGain, bool driverRules);
  Solution(const Solution& other);  // deep copy; the local-search memories start clear
  Solution& operator=(const Solution& other);

  const ProblemData& problem() const { return *problem_; }
  float gain() const { return gain_; }
  void setGain(float gain) { gain_ = gain; }
  bool estimatedGain() const { return estimatedGain_; }
  void setEstimatedGain(bool on) { estimatedGain_ = on; }
  bool driverRules() const { return driverRules_; }
  std::int32_t routeCount() const { return static_cast<std::int32_t>(routes_.size()); }
  Route* route(std::int32_t i);  // nullptr out of range
  const Route* route(std::int32_t i) const;
  std::vector<Route>& routes() { return routes_; }
  const std::vector<Route>& routes() const { return routes_; }
  std::vector<const Order*>& unplanned() { return unplanned_; }  // in insertion order
  const std::vector<const Order*>& unplanned() const { return unplanned_; }
  // Sum of the route gains in vehicle order (plus their estimated gains), in single precision.
  float totalGain(bool withEstimate);
  void clearRoutes();

  // The candidate places for waiting stops: the representing place of every region.
  const std::vector<const Place*>& waitingPlaces() const { return waitingPlaces_; }

  // Local-search memory: the move from route x to route y (index routeCount() is the pool)
  // was tried since x or y last changed.
  bool triedPair(std::int32_t x, std::int32_t y) const { return triedPairs_[cell(x, y)] != 0; }
  void setTriedPair(std::int32_t x, std::int32_t y) { triedPairs_[cell(x, y)] = 1; }
  void clearTriedRowAndColumn(std::int32_t x);
  bool waitingTried(std::int32_t i) const { return waitingTried_[static_cast<std::size_t>(i)] != 0; }
  void setWaitingTried(std::int32_t i, bool tried) { waitingTried_[static_cast<std::size_t>(i)] = tried ? 1 : 0; }
  void clearMemories();

  // Waiting groups: the routes that wait at a place, in the order they joined.
  const std::vector<std::int32_t>& waitingGroup(const Place& place) const;
  void joinWaitingGroup(const Place& place, std::int32_t routeIndex);
  void leaveWaitingGroup(const Place& place, std::int32_t routeIndex);
  void clearWaitingGroups();

  std::int32_t runTag = 0;

 private:
  std::size_t cell(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(x) * (routes_.size() + 1) + static_cast<std::size_t>(y);
  }
  std::vector<std::int32_t>& groupSlot(const Place& place);

  const ProblemData* problem_;
  bool estimatedGain_ = false;
  bool driverRules_ = false;
  float gain_ = 0.0f;
  std::vector<Route> routes_;
  std::vector<const Order*> unplanned_;
  std::vector<const Place*> waitingPlaces_;
  std::vector<std::uint8_t> triedPairs_;                  // (V + 1) x (V + 1)
  std::vector<std::uint8_t> waitingTried_;                // one per route
  std::vector<std::vector<std::int32_t>> waitingGroups_;  // by place index
};

}  // namespace tamso

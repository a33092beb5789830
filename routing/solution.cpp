#include "routing/solution.h"

#include <algorithm>

namespace tamso {

namespace {

const std::vector<std::int32_t> noGroup;

}  // namespace

Solution::Solution(const ProblemData& problem, bool estimatedGain)
    : Solution(problem, estimatedGain, problem.driverRules) {}

Solution::Solution(const ProblemData& problem, bool estimatedGain, bool driverRules)
    : problem_(&problem), estimatedGain_(estimatedGain), driverRules_(driverRules) {
  routes_.reserve(problem.vehicles.size());
  for (const Vehicle& vehicle : problem.vehicles) routes_.emplace_back(problem, vehicle).setDriverRules(driverRules);
  waitingPlaces_.reserve(problem.regions.size());
  for (const Region& region : problem.regions) waitingPlaces_.push_back(region.representingPlace);
  clearMemories();
  gain_ = totalGain(estimatedGain);
}

Solution::Solution(const Solution& other)
    : problem_(other.problem_),
      estimatedGain_(other.estimatedGain_),
      driverRules_(other.driverRules_),
      gain_(other.gain_),
      routes_(other.routes_),
      unplanned_(other.unplanned_),
      waitingPlaces_(other.waitingPlaces_),
      waitingGroups_(other.waitingGroups_) {
  runTag = other.runTag;
  clearMemories();
}

Solution& Solution::operator=(const Solution& other) {
  if (this == &other) return *this;
  problem_ = other.problem_;
  estimatedGain_ = other.estimatedGain_;
  driverRules_ = other.driverRules_;
  gain_ = other.gain_;
  routes_ = other.routes_;
  unplanned_ = other.unplanned_;
  waitingPlaces_ = other.waitingPlaces_;
  waitingGroups_ = other.waitingGroups_;
  runTag = other.runTag;
  clearMemories();
  return *this;
}

Route* Solution::route(std::int32_t i) {
  if (i < 0 || i >= routeCount()) return nullptr;
  return &routes_[static_cast<std::size_t>(i)];
}

const Route* Solution::route(std::int32_t i) const {
  if (i < 0 || i >= routeCount()) return nullptr;
  return &routes_[static_cast<std::size_t>(i)];
}

float Solution::totalGain(bool withEstimate) {
  float total = 0.0f;
  for (Route& route : routes_) {
    total += route.gain();
    if (withEstimate) total += route.estimatedGain(routes_);
  }
  return total;
}

void Solution::clearRoutes() {
  for (Route& route : routes_) route.clear();
}

void Solution::clearTriedRowAndColumn(std::int32_t x) {
  const std::int32_t size = routeCount() + 1;
  for (std::int32_t k = 0; k < size; ++k) {
    triedPairs_[cell(x, k)] = 0;
    triedPairs_[cell(k, x)] = 0;
  }
}

void Solution::clearMemories() {
  const std::size_t size = routes_.size() + 1;
  triedPairs_.assign(size * size, 0);
  waitingTried_.assign(routes_.size(), 0);
}

std::vector<std::int32_t>& Solution::groupSlot(const Place& place) {
  const auto slot = static_cast<std::size_t>(std::max(place.index, 0));
  if (waitingGroups_.size() <= slot) waitingGroups_.resize(slot + 1);
  return waitingGroups_[slot];
}

const std::vector<std::int32_t>& Solution::waitingGroup(const Place& place) const {
  const auto slot = static_cast<std::size_t>(std::max(place.index, 0));
  return slot < waitingGroups_.size() ? waitingGroups_[slot] : noGroup;
}

void Solution::joinWaitingGroup(const Place& place, std::int32_t routeIndex) { groupSlot(place).push_back(routeIndex); }

void Solution::leaveWaitingGroup(const Place& place, std::int32_t routeIndex) {
  std::vector<std::int32_t>& group = groupSlot(place);
  const auto at = std::find(group.begin(), group.end(), routeIndex);
  if (at != group.end()) group.erase(at);
}

void Solution::clearWaitingGroups() { waitingGroups_.clear(); }

}  // namespace tamso

#pragma once
// What trials of orders on one route found, kept per order for one version of the route:
// the searches ask the same questions about an unchanged route many times over. An answer
// is used only while the route still has the version it was found for.
#include <cstdint>
#include <functional>
#include <vector>

#include "problem/problem_data.h"

namespace tamso {

struct OrderTrials {
  std::uint32_t version = 0;   // the route version these answers describe; 0 never matches
  std::int32_t pickupAt = -1;  // first feasible pair of positions, -1 when there is none
  std::int32_t deliveryAt = -1;
  bool pairKnown = false;
  bool insertable = false;  // canInsert: a feasible pair exists and precedence holds
  bool gainWithKnown = false;
  bool gainWithoutKnown = false;
  float gainWith = 0.0f;
  float gainWithout = 0.0f;
};

class TrialMemory {
 public:
  // The answers for the order at `version`, emptied when they describe another version;
  // nullptr for an order from outside the problem's order table.
  OrderTrials* of(const Order& order, const ProblemData& problem, std::uint32_t version) {
    const Order* table = problem.orders.data();
    const std::less<const Order*> before;
    if (before(&order, table) || !before(&order, table + problem.orders.size())) return nullptr;
    const auto row = static_cast<std::size_t>(&order - table);
    if (slots_.size() <= row) {
      if (slots_.capacity() < problem.orders.size()) slots_.reserve(problem.orders.size());
      slots_.resize(problem.orders.size());
    }
    OrderTrials& trials = slots_[row];
    if (trials.version != version) trials = OrderTrials{version};
    return &trials;
  }

  // Every answer is dropped (the version numbers start over).
  void forgetAll() { slots_.assign(slots_.size(), OrderTrials{}); }

 private:
  std::vector<OrderTrials> slots_;  // by row of the order table, filled on first use
};

}  // namespace tamso

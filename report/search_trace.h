#pragma once
// What the optimisers tell their trace files, as records handed to a sink. The optimisers
// only call a sink; the dump writers of report/ implement the sinks and own the files, so a
// run without files (a test, a benchmark) passes no sink at all.
#include <cstdint>
#include <string>
#include <vector>

#include "problem/entities.h"
#include "routing/solution.h"

namespace tamso {

using OrderList = std::vector<const Order*>;

// One crossover: the orders of each parent's routes that fell into no shared group (one
// list per route), and the shared groups in the order they were placed.
struct CrossoverRecord {
  std::vector<OrderList> firstLeftovers;
  std::vector<OrderList> secondLeftovers;
  std::vector<OrderList> groups;
};

// Receives every plan a run keeps as a result ("total.dump").
class PlanSink {
 public:
  virtual ~PlanSink() = default;
  virtual void plan(const Solution& plan) = 0;
};

// Receives the course of an evolutionary run ("population.dump", "ordd.dump").
class EvolutionSink {
 public:
  virtual ~EvolutionSink() = default;
  // A listing of the whole population.
  virtual void population(const std::vector<Solution>& members) = 0;
  // The two member indexes a hybrid iteration drew.
  virtual void parentPair(std::int32_t first, std::int32_t second) = 0;
  virtual void crossover(const CrossoverRecord& record) = 0;
  // The end of a run: everything received so far is written out.
  virtual void flush() = 0;
  // One message per trace file that could not be written so far.
  virtual std::vector<std::string> errors() const = 0;
};

}  // namespace tamso

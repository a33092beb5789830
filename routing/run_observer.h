#pragma once
// How a long optimisation run reports its progress and learns that it should stop.
// The local search asks between moves, the evolutionary searches between steps; a
// stopped run ends cleanly with valid solutions.
#include <cstdint>
#include <string>

namespace tamso {

struct RunProgress {
  enum class Phase {
    FirstSolution,    // building the first solution
    LocalSearchPass,  // step = pass number (from 1)
    BuildingMember,   // step = member being built (1 .. total)
    Generation,       // step = generation (1 .. total)
    Iteration,        // step = hybrid iteration (1 .. total)
  };
  Phase phase = Phase::FirstSolution;
  std::int32_t step = 0;
  std::int32_t total = 0;  // 0 when open-ended (local search passes)
  float gain = 0.0f;       // current gain, or best gain so far in a population
};

// The step in a dispatcher's words: "pass 57", "building member 3 of 10", "generation 12 of 40".
std::string describeStep(const RunProgress& progress);

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  virtual void progress(const RunProgress& /*progress*/) {}
  virtual bool stopRequested() { return false; }
};

}  // namespace tamso

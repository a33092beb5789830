#pragma once
// One optimisation run as the window and every command ask for it: which search, on which
// loaded problem, with which seed, limits and options. Every default of a run is here.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/random.h"
#include "problem/problem_data.h"
#include "routing/saved_plan.h"
#include "search/ruin_recreate_search.h"

namespace tamso {

enum class RunCommand { LocalSearch, HybridGenetic, Genetic, ThoroughSearch };

// The thorough search's time limit when neither a time nor an iteration limit is given.
inline constexpr double kDefaultRunSeconds = ThoroughSettings::kDefaultTimeLimit;
inline constexpr std::int32_t kDefaultGenerations = 40;
inline constexpr std::int32_t kDefaultRestarts = 1;  // Local Search builds one plan

// The switches of a run that the routing core reads from the problem. A switch left empty
// keeps what the configuration says.
struct RunSwitches {
  std::optional<bool> checkCapacity;
  std::optional<bool> driverRules;
};

// The table that ties each switch to the problem setting it overrides; a new switch is one
// field above and one row here.
inline constexpr std::pair<std::optional<bool> RunSwitches::*, bool ProblemData::*> kRunSwitchTable[] = {
    {&RunSwitches::checkCapacity, &ProblemData::checkCapacity},
    {&RunSwitches::driverRules, &ProblemData::driverRules},
};

struct RunRequest {
  RunCommand command = RunCommand::LocalSearch;
  ProblemData* problem = nullptr;
  bool estimatedGain = false;
  std::optional<std::uint32_t> seed;  // a repeatable run; a seed drawn from the clock otherwise
  // The thorough search's wall-clock limit; other searches are limited by their observer.
  std::optional<double> timeLimit;
  std::optional<std::int64_t> iterations;  // steps of a thorough search
  std::int32_t generations = kDefaultGenerations;
  std::int32_t restarts = kDefaultRestarts;  // plans a Local Search run builds
  RunSwitches switches;
  std::string dumpFolder;  // where the dump files land; the current directory when empty
  // A run that continues a saved plan starts from it, rebuilt on the problem, instead of
  // first solutions; the vehicles named here keep their routes as the plan has them, and
  // with `now` (minutes since the epoch) the stops under way by then stay.
  std::optional<SavedPlan> savedPlan;
  std::vector<std::string> lockedVehicles;
  std::optional<std::int32_t> now;
  std::int32_t localSearchPasses = -1;  // passes of a Local Search run's search; no limit when negative
};

}  // namespace tamso

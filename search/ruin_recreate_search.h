#pragma once
// The thorough search: ruin-and-recreate walks that start from Local Search plans and run
// side by side on their own threads, sharing their best plan after every round of steps,
// until a time limit, an iteration limit or a stop request ends them.
//
// A run with a seeded Random and an iteration limit (and no time limit) repeats exactly:
// every walk draws from its own seeded source and the plans are shared only between
// rounds of a fixed number of steps. A run that a time limit or a stop request ends does
// not repeat, since how far each walk gets depends on the machine.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/random.h"
#include "problem/problem_data.h"
#include "report/search_trace.h"
#include "routing/run_observer.h"
#include "routing/solution.h"

namespace tamso {

struct ThoroughSettings {
  static constexpr double kDefaultTimeLimit = 30.0;  // seconds, when neither limit is given

  bool estimatedGain = false;
  // Seconds of wall-clock time for the whole run; the Local Search plans it starts from are
  // always finished, even when they take longer.
  std::optional<double> timeLimit;
  std::optional<std::int64_t> iterations;  // steps of all walks together
  std::int32_t walks = 2;                  // walks side by side, one thread each
  std::int32_t roundSteps = 50;            // steps of each walk between two sharings
  Clock* clock = nullptr;                  // the wall clock when none
  const Solution* start = nullptr;         // the plan the walks start from; first solutions when none
};

struct ThoroughResult {
  std::unique_ptr<Solution> solution;  // the best plan found; its gain is its recomputed total
  float startGain = 0.0f;              // the best Local Search plan it started from
  std::int64_t iterations = 0;         // steps of all walks together
  double seconds = 0.0;                // time used
  bool stopped = false;                // a stop request ended the run
};

ThoroughResult runThoroughSearch(const ProblemData& problem, const ThoroughSettings& settings, Random& random,
                                 RunObserver* observer = nullptr);

// The run as the commands start it: the plan found is handed to `dump` ("total.dump").
ThoroughResult runThoroughCommand(const ProblemData& problem, const ThoroughSettings& settings, Random& random,
                                  RunObserver* observer = nullptr, PlanSink* dump = nullptr);

}  // namespace tamso

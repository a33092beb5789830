#pragma once
// What a run leaves: its plan, how it ended, the figures its search reports beside the plan,
// and the dump files it could not write. `executeRun` is the one runner of the window and of
// every command.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "routing/plan_rebuild.h"
#include "routing/run_observer.h"
#include "routing/solution.h"
#include "run/run_request.h"
#include "search/genetic_search.h"

namespace tamso {

struct RunOutcome {
  RunCommand command = RunCommand::LocalSearch;
  std::uint32_t seed = 0;  // the seed asked for, or the one drawn from the clock
  bool stopped = false;    // a stop request ended the run early
  // The plan of a Local Search or thorough search run, or the best plan an evolutionary run
  // has seen.
  std::unique_ptr<Solution> solution;
  std::vector<std::string> dumpErrors;

  std::optional<EvolutionReport> evolution;  // a genetic or hybrid run's populations
  std::optional<std::int32_t> bestMember;    // the member the best plan is; a child otherwise
  std::int64_t iterations = 0;               // steps of a thorough search
  double seconds = 0.0;                      // time a thorough search used
  bool timeLimitReached = false;             // a thorough search ended at its time limit
  std::int32_t restartsDone = 0;             // plans a Local Search run built
  std::vector<PlanProblem> planProblems;     // what no longer held in the saved plan it continued
};

// Sets the run's switches on the problem. A caller that starts the run on another thread
// calls it first on its own, so that the run only reads the problem.
void applyRunSwitches(ProblemData& problem, const RunSwitches& switches);

// The dump files the run writes (or removes), where it writes them.
std::vector<std::string> runDumpFiles(const RunRequest& request);

// The saved plan of the request rebuilt on its problem (whose switches must be set);
// nothing when the request continues no plan.
std::optional<RebuiltPlan> rebuildSavedPlan(const RunRequest& request);

// The run itself, on whatever thread calls it. The run's switches are set on the problem
// here, the one place where they meet it, since the routing core reads them from there.
RunOutcome executeRun(const RunRequest& request, RunObserver* observer);

}  // namespace tamso

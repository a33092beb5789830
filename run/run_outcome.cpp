#include "run/run_outcome.h"

#include "report/dump_files.h"
#include "report/genetic_dumps.h"
#include "search/clock_seed.h"
#include "search/local_search_run.h"
#include "search/ruin_recreate_search.h"

namespace tamso {

namespace {

std::string dumpPath(const RunRequest& request, const char* name) {
  return request.dumpFolder.empty() ? std::string(name) : request.dumpFolder + "/" + name;
}

// A run given no seed draws one from the clock, so that its reports can name it and the run
// can be repeated.
std::uint32_t seedFor(const RunRequest& request) {
  if (request.seed) return *request.seed;
  SystemClock clock;
  return seedFromClock(clock);
}

std::optional<std::int32_t> memberIndex(GeneticSearch& search, const Solution& best) {
  for (std::int32_t i = 0; i < GeneticSearch::populationSize; ++i) {
    if (&search.member(i) == &best) return i;
  }
  return std::nullopt;
}

RunOutcome runLocal(const RunRequest& request, const Solution* start, Random& random, RunObserver* observer) {
  TotalDumpFile dump(dumpPath(request, "total.dump"));
  const LocalSearchStart from{start, request.localSearchPasses};
  LocalSearchRun run =
      runLocalSearchRestarts(*request.problem, request.estimatedGain, request.restarts, from, random, observer, &dump);
  RunOutcome outcome;
  outcome.stopped = run.stopped;
  outcome.solution = std::move(run.solution);
  outcome.restartsDone = run.restartsDone;
  outcome.dumpErrors = dump.errors();
  return outcome;
}

RunOutcome runEvolution(const RunRequest& request, const Solution* start, Random& random, RunObserver* observer) {
  GeneticDumpWriter dumps(GeneticDumpFiles::in(request.dumpFolder));
  GeneticSearch search(*request.problem, request.estimatedGain, random, &dumps);
  search.startFrom(start);
  search.setGenerations(request.generations);
  EvolutionReport report =
      request.command == RunCommand::Genetic ? search.runGenetic(observer) : search.runHybrid(observer);
  RunOutcome outcome;
  outcome.stopped = report.stopped;
  outcome.dumpErrors = report.dumpErrors;
  Solution& best = search.bestSolution();
  outcome.bestMember = memberIndex(search, best);
  outcome.solution = std::make_unique<Solution>(best);
  outcome.evolution = std::move(report);
  return outcome;
}

// The run ends at its time limit unless a stop request or its iteration limit ended it first.
bool endedByTimeLimit(const RunRequest& request, const ThoroughResult& result) {
  if (result.stopped) return false;
  return !request.iterations || result.iterations < *request.iterations;
}

// Stop ends a thorough search early: it keeps the best plan found so far.
RunOutcome runThorough(const RunRequest& request, const Solution* start, Random& random, RunObserver* observer) {
  ThoroughSettings settings;
  settings.start = start;
  settings.estimatedGain = request.estimatedGain;
  settings.timeLimit = request.timeLimit;
  settings.iterations = request.iterations;
  TotalDumpFile dump(dumpPath(request, "total.dump"));
  ThoroughResult result = runThoroughCommand(*request.problem, settings, random, observer, &dump);
  RunOutcome outcome;
  outcome.iterations = result.iterations;
  outcome.seconds = result.seconds;
  outcome.timeLimitReached = endedByTimeLimit(request, result);
  outcome.solution = std::move(result.solution);
  outcome.dumpErrors = dump.errors();
  return outcome;
}

}  // namespace

std::vector<std::string> runDumpFiles(const RunRequest& request) {
  if (request.command == RunCommand::Genetic || request.command == RunCommand::HybridGenetic) {
    const GeneticDumpFiles files = GeneticDumpFiles::in(request.dumpFolder);
    return {files.population, files.crossover};
  }
  return {dumpPath(request, "total.dump")};
}

void applyRunSwitches(ProblemData& problem, const RunSwitches& switches) {
  for (const auto& [option, setting] : kRunSwitchTable) {
    // Only a change is written, so a problem the caller prepared is merely read here.
    if (switches.*option && problem.*setting != *(switches.*option)) problem.*setting = *(switches.*option);
  }
}

std::optional<RebuiltPlan> rebuildSavedPlan(const RunRequest& request) {
  if (!request.savedPlan) return std::nullopt;
  RebuildSettings settings;
  settings.estimatedGain = request.estimatedGain;
  settings.lockedVehicles = request.lockedVehicles;
  settings.now = request.now;
  return rebuildPlan(*request.problem, *request.savedPlan, settings);
}

RunOutcome executeRun(const RunRequest& request, RunObserver* observer) {
  applyRunSwitches(*request.problem, request.switches);
  const std::uint32_t seed = seedFor(request);
  Random random = Random::seeded(seed);
  std::optional<RebuiltPlan> saved = rebuildSavedPlan(request);
  const Solution* start = saved ? saved->solution.get() : nullptr;
  RunOutcome outcome;
  if (request.command == RunCommand::LocalSearch) {
    outcome = runLocal(request, start, random, observer);
  } else if (request.command == RunCommand::ThoroughSearch) {
    outcome = runThorough(request, start, random, observer);
  } else {
    outcome = runEvolution(request, start, random, observer);
  }
  if (saved) outcome.planProblems = std::move(saved->problems);
  outcome.command = request.command;
  outcome.seed = seed;
  return outcome;
}

}  // namespace tamso

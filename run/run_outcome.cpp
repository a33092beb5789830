#include "run/run_outcome.h"

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

RunOutcome runLocal(const RunRequest& request, Random& random, RunObserver* observer) {
  LocalSearchRun run = runLocalSearchRestarts(*request.problem, request.estimatedGain, request.restarts, random,
                                              observer, dumpPath(request, "total.dump"));
  RunOutcome outcome;
  outcome.stopped = run.stopped;
  outcome.solution = std::move(run.solution);
  outcome.restartsDone = run.restartsDone;
  if (run.dumpError) outcome.dumpErrors.push_back(*run.dumpError);
  return outcome;
}

RunOutcome runEvolution(const RunRequest& request, Random& random, RunObserver* observer) {
  GeneticSearch search(*request.problem, request.estimatedGain, random, GeneticDumpFiles::in(request.dumpFolder));
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
RunOutcome runThorough(const RunRequest& request, Random& random, RunObserver* observer) {
  ThoroughSettings settings;
  settings.estimatedGain = request.estimatedGain;
  settings.timeLimit = request.timeLimit;
  settings.iterations = request.iterations;
  ThoroughRun run = runThoroughCommand(*request.problem, settings, random, observer, dumpPath(request, "total.dump"));
  RunOutcome outcome;
  outcome.iterations = run.result.iterations;
  outcome.seconds = run.result.seconds;
  outcome.timeLimitReached = endedByTimeLimit(request, run.result);
  outcome.solution = std::move(run.result.solution);
  if (run.dumpError) outcome.dumpErrors.push_back(*run.dumpError);
  return outcome;
}

}  // namespace

void applyRunSwitches(ProblemData& problem, const RunSwitches& switches) {
  for (const auto& [option, setting] : kRunSwitchTable) {
    // Only a change is written, so a problem the caller prepared is merely read here.
    if (switches.*option && problem.*setting != *(switches.*option)) problem.*setting = *(switches.*option);
  }
}

RunOutcome executeRun(const RunRequest& request, RunObserver* observer) {
  applyRunSwitches(*request.problem, request.switches);
  const std::uint32_t seed = seedFor(request);
  Random random = Random::seeded(seed);
  RunOutcome outcome;
  if (request.command == RunCommand::LocalSearch) {
    outcome = runLocal(request, random, observer);
  } else if (request.command == RunCommand::ThoroughSearch) {
    outcome = runThorough(request, random, observer);
  } else {
    outcome = runEvolution(request, random, observer);
  }
  outcome.command = request.command;
  outcome.seed = seed;
  return outcome;
}

}  // namespace tamso

#include "ui/tamso_thread.h"

#include <QMutexLocker>

#include "core/random.h"
#include "routing/solution.h"
#include "search/genetic_search.h"
#include "search/local_search_run.h"
#include "search/ruin_recreate_search.h"

namespace tamso::ui {

namespace {

Random randomFor(const RunRequest& request) { return request.seed ? Random::seeded(*request.seed) : Random(); }

RunOutcome runEvolution(const RunRequest& request, Random& random, RunObserver* observer) {
  RunOutcome outcome;
  GeneticSearch search(*request.problem, request.estimatedGain, random);
  const EvolutionReport report =
      request.command == RunCommand::Genetic ? search.runGenetic(observer) : search.runHybrid(observer);
  outcome.stopped = report.stopped;
  outcome.dumpErrors = report.dumpErrors;
  if (!report.stopped) outcome.solution = std::make_unique<Solution>(search.bestSolution());
  return outcome;
}

// Stop ends a thorough search early: it keeps the best plan found so far.
RunOutcome runThorough(const RunRequest& request, Random& random, RunObserver* observer) {
  ThoroughSettings settings;
  settings.estimatedGain = request.estimatedGain;
  settings.timeLimit = request.timeLimit;
  ThoroughRun run = runThoroughCommand(*request.problem, settings, random, observer);
  RunOutcome outcome;
  outcome.solution = std::move(run.result.solution);
  if (run.dumpError) outcome.dumpErrors.push_back(*run.dumpError);
  return outcome;
}

}  // namespace

RunOutcome executeRun(const RunRequest& request, RunObserver* observer) {
  Random random = randomFor(request);
  RunOutcome outcome;
  if (request.command == RunCommand::LocalSearch) {
    LocalSearchRun run = runLocalSearch(*request.problem, request.estimatedGain, random, observer);
    outcome.stopped = run.stopped;
    outcome.solution = std::move(run.solution);
    if (run.dumpError) outcome.dumpErrors.push_back(*run.dumpError);
  } else if (request.command == RunCommand::ThoroughSearch) {
    outcome = runThorough(request, random, observer);
  } else {
    outcome = runEvolution(request, random, observer);
  }
  outcome.command = request.command;
  return outcome;
}

QString runCommandName(RunCommand command) {
  switch (command) {
    case RunCommand::LocalSearch:
      return QStringLiteral("Local Search");
    case RunCommand::HybridGenetic:
      return QStringLiteral("Hybrid Genetic Algorithm");
    case RunCommand::Genetic:
      return QStringLiteral("Genetic Algorithm");
    case RunCommand::ThoroughSearch:
      return QStringLiteral("Thorough Search");
  }
  return {};
}

QString progressText(const RunProgress& progress) {
  // A run limited by time counts its steps without a total.
  const bool open = progress.phase == RunProgress::Phase::Iteration && progress.total == 0;
  const QString phase =
      open ? QStringLiteral("iteration %1").arg(progress.step) : QString::fromStdString(describeStep(progress));
  return phase + QStringLiteral("\nbest gain so far: %1").arg(static_cast<double>(progress.gain), 0, 'f', 2);
}

TamsoThread::TamsoThread(RunRequest request, QObject* parent) : QThread(parent), request_(request) {}

TamsoThread::~TamsoThread() {
  requestStop();
  wait();
}

void TamsoThread::Observer::progress(const RunProgress& progress) {
  QMutexLocker lock(&mutex);
  latest = progress;
}

std::optional<RunProgress> TamsoThread::latestProgress() const {
  QMutexLocker lock(&observer_.mutex);
  return observer_.latest;
}

std::unique_ptr<RunOutcome> TamsoThread::takeOutcome() {
  if (!isFinished()) return nullptr;
  return std::move(outcome_);
}

void TamsoThread::run() {
  auto outcome = std::make_unique<RunOutcome>(executeRun(request_, &observer_));
  if (observer_.stop && request_.command != RunCommand::ThoroughSearch) outcome->stopped = true;
  outcome_ = std::move(outcome);
}

}  // namespace tamso::ui

#include "ui/tamso_thread.h"

#include <QMutexLocker>

#include "routing/solution.h"
#include "search/genetic_search.h"
#include "search/local_search_run.h"
#include "search/random.h"

namespace tamso::ui {

namespace {

Random randomFor(const RunRequest& request) {
  return request.seed ? Random::seeded(*request.seed) : Random();
}

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

}  // namespace

RunOutcome executeRun(const RunRequest& request, RunObserver* observer) {
  Random random = randomFor(request);
  RunOutcome outcome;
  if (request.command == RunCommand::LocalSearch) {
    LocalSearchRun run = runLocalSearch(*request.problem, request.estimatedGain, random, observer);
    outcome.stopped = run.stopped;
    outcome.solution = std::move(run.solution);
    if (run.dumpError) outcome.dumpErrors.push_back(*run.dumpError);
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
  }
  return {};
}

QString progressText(const RunProgress& progress) {
  const QString phase = QString::fromStdString(describeStep(progress));
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
  if (observer_.stop) outcome->stopped = true;
  outcome_ = std::move(outcome);
}

}  // namespace tamso::ui

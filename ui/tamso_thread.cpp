#include "ui/tamso_thread.h"

#include <QMutexLocker>

namespace tamso::ui {

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
  // A stopped evolutionary run shows nothing: its best plan is only the best of a part run.
  const bool evolution = request_.command == RunCommand::Genetic || request_.command == RunCommand::HybridGenetic;
  if (outcome->stopped && evolution) outcome->solution.reset();
  outcome_ = std::move(outcome);
}

}  // namespace tamso::ui

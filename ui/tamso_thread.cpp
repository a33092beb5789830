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

namespace {

// A plan places or leaves unplanned every order; a run stopped before it built anything has
// only empty members, which are not plans.
bool accountsForEveryOrder(const Solution& plan) {
  std::size_t orders = plan.unplanned().size();
  for (const Route& route : plan.routes()) orders += static_cast<std::size_t>(route.orderCount());
  return orders == plan.problem().orders.size();
}

}  // namespace

void TamsoThread::run() {
  auto outcome = std::make_unique<RunOutcome>(executeRun(request_, &observer_));
  // Stopped is what the user did, whichever search ran: its plan is the best it found so far.
  if (observer_.stop) outcome->stopped = true;
  if (outcome->stopped && outcome->solution && !accountsForEveryOrder(*outcome->solution)) outcome->solution.reset();
  outcome_ = std::move(outcome);
}

}  // namespace tamso::ui

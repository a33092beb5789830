#include "ui/run_controller.h"

#include <QProgressDialog>
#include <algorithm>

#include "problem/file_identity.h"
#include "ui/iterations_dialog.h"
#include "ui/optimization_options_dialog.h"
#include "ui/thorough_search_dialog.h"
#include "ui/user_prompts.h"

namespace tamso::ui {

RunController::RunController(QWidget* window, UserPrompts& prompts) : window_(window), prompts_(prompts) {
  progressTimer_.setInterval(100);
  connect(&progressTimer_, &QTimer::timeout, this, &RunController::pollProgress);
}

RunController::~RunController() { stopAndWait(); }

RunRequest RunController::request(RunCommand command, ProblemData& problem) const {
  RunRequest request;
  request.command = command;
  request.problem = &problem;
  request.estimatedGain = settings_.estimatedGain;
  request.seed = settings_.seed;
  request.timeLimit = settings_.thoroughSeconds;
  request.restarts = std::max(settings_.restarts, 1);
  request.switches.checkCapacity = settings_.respectCapacities;
  request.switches.driverRules = settings_.respectDrivingTimes;
  request.dumpFolder = settings_.dumpFolder.toStdString();
  return request;
}

void RunController::start(RunRequest asked) {
  if (running() || asked.problem == nullptr) return;
  ProblemData& problem = *asked.problem;
  const RunCommand command = asked.command;
  for (const std::string& dump : runDumpFiles(asked)) {
    if (const auto refusal = refuseOverwritingInput(dump, problem.inputFiles)) {
      prompts_.message(window_, QString::fromStdString(*refusal));
      return;
    }
  }
  applyRunSwitches(problem, asked.switches);  // here, so that the worker only reads the problem
  worker_ = std::make_unique<TamsoThread>(std::move(asked));
  connect(worker_.get(), &QThread::finished, this, &RunController::finished, Qt::QueuedConnection);
  openProgress(command);
  progressTimer_.start();
  runClock_.start();
  worker_->start();
}

void RunController::openProgress(RunCommand command) {
  const QString name = runCommandName(command);
  auto* dialog = new QProgressDialog(name, QStringLiteral("Cancel"), 0, 0, window_);
  dialog->setWindowTitle(name);
  // Wide enough for the title beside the window's buttons, and for the progress lines.
  dialog->setMinimumWidth(std::max(380, 2 * dialog->fontMetrics().horizontalAdvance(name)));
  dialog->setWindowModality(Qt::NonModal);
  dialog->setMinimumDuration(0);
  dialog->setAutoClose(false);
  dialog->setAutoReset(false);
  connect(dialog, &QProgressDialog::canceled, this, &RunController::stop);
  progress_ = dialog;
  dialog->show();
}

void RunController::pollProgress() {
  if (!worker_ || !progress_) return;
  const std::optional<RunProgress> latest = worker_->latestProgress();
  if (!latest) return;
  const RunRequest& request = worker_->request();
  QString label = runCommandName(request.command) + QLatin1Char('\n') + progressText(*latest);
  const bool timed = request.command == RunCommand::ThoroughSearch && latest->total == 0;
  const auto elapsed = static_cast<int>(runClock_.elapsed() / 1000);
  const int limit = static_cast<int>(request.timeLimit.value_or(kDefaultRunSeconds));
  if (timed) label += QStringLiteral("\nelapsed: %1 s of %2 s").arg(elapsed).arg(limit);
  if (worker_->stopRequested()) label += QStringLiteral("\nstopping...");
  progress_->setLabelText(label);
  if (timed) {
    progress_->setRange(0, limit);
    progress_->setValue(std::min(elapsed, limit));
  } else if (latest->total > 0) {
    progress_->setRange(0, latest->total);
    progress_->setValue(std::min(latest->step, latest->total));
  } else {
    progress_->setRange(0, 0);
  }
}

void RunController::stop() {
  if (!worker_) return;
  worker_->requestStop();
  if (progress_) progress_->setLabelText(runCommandName(worker_->request().command) + QStringLiteral("\nstopping..."));
}

void RunController::endRun() {
  worker_.reset();
  progressTimer_.stop();
  closeProgress();
}

void RunController::closeProgress() {
  if (progress_) progress_->deleteLater();
  progress_.clear();
}

// The bar full and the label saying the run is over, however far its last report went.
void RunController::completeProgress() {
  progressTimer_.stop();
  if (!progress_ || !worker_) return;
  const RunRequest& request = worker_->request();
  progress_->setLabelText(runCommandName(request.command) +
                          (worker_->stopRequested() ? QStringLiteral("\nstopped") : QStringLiteral("\nfinished")));
  progress_->setRange(0, 100);
  progress_->setValue(100);
  progress_->setCancelButtonText(QStringLiteral("Close"));
}

void RunController::stopAndWait() {
  if (!worker_) return;
  worker_->requestStop();
  worker_->wait();
  endRun();
}

std::unique_ptr<RunOutcome> RunController::takeOutcome() {
  if (!worker_) return nullptr;
  worker_->wait();
  std::unique_ptr<RunOutcome> outcome = worker_->takeOutcome();
  completeProgress();
  worker_.reset();
  return outcome;
}

void RunController::askRestarts() {
  auto* dialog = new IterationsDialog(window_, prompts_, settings_.restarts);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    settings_.restarts = dialog->value();
    emit settingsChanged();
  });
  dialog->open();
}

void RunController::askOptions() {
  auto* dialog = new OptimizationOptionsDialog(window_, settings_.estimatedGain, settings_.respectCapacities,
                                               settings_.respectDrivingTimes);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    settings_.estimatedGain = dialog->estimatedGain();
    settings_.respectCapacities = dialog->respectCapacities();
    settings_.respectDrivingTimes = dialog->respectDrivingTimes();
    emit settingsChanged();
  });
  dialog->open();
}

void RunController::askThoroughLimit(const std::function<void()>& then) {
  auto* dialog = new ThoroughSearchDialog(window_, prompts_, settings_.thoroughSeconds);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog, then] {
    settings_.thoroughSeconds = dialog->seconds();
    emit settingsChanged();
    then();
  });
  dialog->open();
}

}  // namespace tamso::ui

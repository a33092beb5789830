#pragma once
// The run side of the window: the run settings the dialogs edit, the worker thread of the
// run in progress, its progress window and the timer that fills it. The view starts runs
// through it and takes their outcome when `finished` says so.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "ui/tamso_thread.h"

class QProgressDialog;
class QWidget;

namespace tamso::ui {

class UserPrompts;

// What the window's next run asks for beside its command and problem.
struct RunSettings {
  int restarts = kDefaultRestarts;                             // "Number of iterations": restarts of a Local Search run
  int thoroughSeconds = static_cast<int>(kDefaultRunSeconds);  // the thorough search's time limit
  bool estimatedGain = false;
  bool respectCapacities = false;     // set from the configuration at every load
  bool respectDrivingTimes = false;   // likewise
  std::optional<std::uint32_t> seed;  // a fixed seed makes every later run repeatable
  QString dumpFolder;                 // where runs write their trace files; empty: the current directory
};

class RunController : public QObject {
  Q_OBJECT
 public:
  RunController(QWidget* window, UserPrompts& prompts);
  ~RunController() override;

  RunSettings& settings() { return settings_; }
  const RunSettings& settings() const { return settings_; }
  bool running() const { return worker_ != nullptr; }
  RunRequest request(RunCommand command, ProblemData& problem) const;

  // Starts the run on its worker and opens the progress window.
  void start(RunCommand command, ProblemData& problem) { start(request(command, problem)); }
  // The same for a request the caller completed (a run that continues the plan shown).
  void start(RunRequest asked);
  // Asks the run to end at its next check.
  void stop();
  // Ends the run in progress and waits for it; its outcome is dropped.
  void stopAndWait();
  // The outcome of the run that finished; the worker is gone afterwards and the progress
  // window shows 100 % until closeProgress().
  std::unique_ptr<RunOutcome> takeOutcome();
  void closeProgress();

  // The settings dialogs: OK stores the value; the thorough search's then runs `then`.
  void askRestarts();
  void askOptions();
  void askThoroughLimit(const std::function<void()>& then);

 signals:
  void finished();
  // A settings dialog stored a new value.
  void settingsChanged();

 private:
  void openProgress(RunCommand command);
  void pollProgress();
  void endRun();
  void completeProgress();

  QWidget* window_;
  UserPrompts& prompts_;
  RunSettings settings_;
  std::unique_ptr<TamsoThread> worker_;
  QPointer<QProgressDialog> progress_;
  QTimer progressTimer_;
  QElapsedTimer runClock_;
};

}  // namespace tamso::ui

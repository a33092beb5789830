#pragma once
// The optimisation runs on a worker thread so the window stays responsive. The worker
// only reads the loaded problem (which cannot change while it runs: loading is disabled)
// and builds its own solutions; the window takes the result when the worker is done, so a
// stopped run leaves nothing shown or shared half-changed.
#include <QMutex>
#include <QString>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "routing/run_observer.h"
#include "run/run_outcome.h"

namespace tamso::ui {

// The menu text of the command, without its mnemonic.
QString runCommandName(RunCommand command);
// "pass 57", "building member 3 of 10", "generation 12 of 40" ... with the gain.
QString progressText(const RunProgress& progress);

class TamsoThread : public QThread {
  Q_OBJECT
 public:
  TamsoThread(RunRequest request, QObject* parent = nullptr);
  ~TamsoThread() override;

  const RunRequest& request() const { return request_; }
  // Asks the run to end at its next check; safe from any thread.
  void requestStop() { observer_.stop = true; }
  bool stopRequested() const { return observer_.stop; }
  // The latest progress report (any thread).
  std::optional<RunProgress> latestProgress() const;
  // The outcome, once the thread has finished; empty before and after it was taken.
  std::unique_ptr<RunOutcome> takeOutcome();

 protected:
  void run() override;

 private:
  struct Observer final : RunObserver {
    void progress(const RunProgress& progress) override;
    bool stopRequested() override { return stop; }
    std::atomic<bool> stop{false};
    mutable QMutex mutex;
    std::optional<RunProgress> latest;
  };

  RunRequest request_;
  Observer observer_;
  std::unique_ptr<RunOutcome> outcome_;
};

}  // namespace tamso::ui

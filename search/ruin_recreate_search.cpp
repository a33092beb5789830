#include "search/ruin_recreate_search.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <limits>
#include <thread>
#include <vector>

#include "routing/first_solution.h"
#include "routing/local_search.h"
#include "search/local_search_run.h"
#include "search/ruin_recreate_walk.h"

namespace tamso {

namespace {

std::int64_t millisOf(const ClockReading& reading) { return reading.seconds * 1000 + reading.millis; }

// What all walks of a run share: the limits, the clock and the request to stop.
class RunLimits {
 public:
  RunLimits(const ThoroughSettings& settings, Clock& clock, RunObserver* observer)
      : settings_(settings), clock_(clock), observer_(observer), startMillis_(millisOf(clock.now())) {}

  double elapsed() const { return static_cast<double>(millisOf(clock_.now()) - startMillis_) / 1000.0; }
  bool timeUp() const { return settings_.timeLimit && elapsed() >= *settings_.timeLimit; }
  // Only the caller's thread asks the observer; the other walks see its answer.
  bool shouldEnd(bool callerThread) { return shouldStop(callerThread) || timeUp(); }
  bool shouldStop(bool callerThread) {
    if (callerThread && observer_ != nullptr && observer_->stopRequested()) stopped_ = true;
    return stopped_;
  }
  bool stopped() const { return stopped_; }
  // How far the run has come, from 0 to 1, by the iteration or the time limit.
  double progress(std::int64_t done, std::int64_t quota) const {
    double share = 0.0;
    if (settings_.iterations && quota > 0) share = static_cast<double>(done) / static_cast<double>(quota);
    if (settings_.timeLimit && *settings_.timeLimit > 0.0) share = std::max(share, elapsed() / *settings_.timeLimit);
    return share;
  }

 private:
  const ThoroughSettings& settings_;
  Clock& clock_;
  RunObserver* observer_;
  std::int64_t startMillis_;
  std::atomic<bool> stopped_{false};
};

// The observer a walk's Local Search start sees: the run's limits end it, and only the
// caller's thread reports progress.
class StartObserver final : public RunObserver {
 public:
  StartObserver(RunLimits& limits, RunObserver* forward, bool callerThread)
      : limits_(limits), forward_(forward), callerThread_(callerThread) {}
  void progress(const RunProgress& progress) override {
    if (callerThread_ && forward_ != nullptr) forward_->progress(progress);
  }
  // The time limit does not cut the start short: a plan worse than the Local Search's
  // would be no result. Only a stop request ends it.
  bool stopRequested() override { return limits_.shouldStop(callerThread_); }

 private:
  RunLimits& limits_;
  RunObserver* forward_;
  bool callerThread_;
};

struct Walker {
  Random random;
  std::int64_t quota = 0;
  std::int64_t done = 0;
  std::unique_ptr<RuinAndRecreate> walk;
};

std::unique_ptr<Solution> localSearchPlan(const ProblemData& problem, const ThoroughSettings& settings, Random& random,
                                          RunObserver& observer) {
  auto plan = std::make_unique<Solution>(problem, settings.estimatedGain);
  buildPlan(*plan, settings.estimatedGain, LocalSearchStart{settings.start}, random, &observer);
  plan->setGain(plan->totalGain(settings.estimatedGain));
  return plan;
}

class RuinRecreateRunner {
 public:
  RuinRecreateRunner(const ProblemData& problem, const ThoroughSettings& settings, Random& random, Clock& clock,
                     RunObserver* observer)
      : problem_(problem), settings_(settings), observer_(observer), limits_(settings, clock, observer) {
    const std::int32_t walks = std::max(settings.walks, 1);
    std::int32_t salt = 0;
    for (std::int32_t k = 0; k < walks; ++k) {
      salt = random.index(std::numeric_limits<std::int32_t>::max(), salt);
      walkers_.push_back(Walker{Random::seeded(static_cast<std::uint32_t>(salt)), 0, 0, nullptr});
    }
    const std::int64_t unlimited = std::numeric_limits<std::int64_t>::max();
    for (std::int32_t k = 0; k < walks; ++k) {
      std::int64_t quota = unlimited;
      if (settings.iterations) quota = *settings.iterations / walks + (k < *settings.iterations % walks ? 1 : 0);
      walkers_[static_cast<std::size_t>(k)].quota = quota;
    }
  }

  ThoroughResult run() {
    ThoroughResult result;
    inParallel([this](Walker& walker, bool callerThread) { start(walker, callerThread); });
    result.startGain = bestWalker().walk->best().gain();
    while (!limits_.shouldEnd(true) && !allDone()) {
      inParallel([this](Walker& walker, bool callerThread) { round(walker, callerThread); });
      share();
    }
    result.solution = std::make_unique<Solution>(bestWalker().walk->best());
    result.solution->setGain(result.solution->totalGain(settings_.estimatedGain));
    for (const Walker& walker : walkers_) result.iterations += walker.done;
    result.seconds = limits_.elapsed();
    result.stopped = limits_.stopped();
    return result;
  }

 private:
  // Walk 0 runs on the caller's thread, every other walk on a thread of its own.
  template <typename Work>
  void inParallel(Work work) {
    std::vector<std::thread> threads;
    for (std::size_t k = 1; k < walkers_.size(); ++k) threads.emplace_back([&, k] { work(walkers_[k], false); });
    work(walkers_[0], true);
    for (std::thread& thread : threads) thread.join();
  }

  void start(Walker& walker, bool callerThread) {
    StartObserver observer(limits_, observer_, callerThread);
    std::unique_ptr<Solution> plan = localSearchPlan(problem_, settings_, walker.random, observer);
    walker.walk = std::make_unique<RuinAndRecreate>(*plan, walker.random);
  }

  void round(Walker& walker, bool callerThread) {
    for (std::int32_t s = 0; s < settings_.roundSteps && walker.done < walker.quota; ++s) {
      if (limits_.shouldEnd(callerThread)) return;
      walker.walk->step(limits_.progress(walker.done, walker.quota));
      ++walker.done;
      if (callerThread) report();
    }
  }

  void report() {
    if (observer_ == nullptr) return;
    RunProgress progress;
    progress.phase = RunProgress::Phase::Iteration;
    for (const Walker& walker : walkers_) progress.step += static_cast<std::int32_t>(walker.done);
    progress.total = settings_.iterations ? static_cast<std::int32_t>(*settings_.iterations) : 0;
    progress.gain = sharedBest_;
    const float own = walkers_[0].walk->best().gain();
    if (own > progress.gain) progress.gain = own;
    observer_->progress(progress);
  }

  bool allDone() const {
    return std::all_of(walkers_.begin(), walkers_.end(), [](const Walker& w) { return w.done >= w.quota; });
  }

  Walker& bestWalker() {
    Walker* best = &walkers_[0];
    for (Walker& walker : walkers_) {
      if (betterPlan(walker.walk->best(), best->walk->best())) best = &walker;
    }
    return *best;
  }

  // Every walk whose best plan is worse than the best of all continues from that one.
  void share() {
    const Solution best = bestWalker().walk->best();
    for (Walker& walker : walkers_) {
      if (betterPlan(best, walker.walk->best())) walker.walk->adopt(best);
    }
    sharedBest_ = best.gain();
  }

  const ProblemData& problem_;
  const ThoroughSettings& settings_;
  RunObserver* observer_;
  RunLimits limits_;
  std::vector<Walker> walkers_;
  float sharedBest_ = -std::numeric_limits<float>::max();
};

}  // namespace

ThoroughResult runThoroughSearch(const ProblemData& problem, const ThoroughSettings& settings, Random& random,
                                 RunObserver* observer) {
  ThoroughSettings effective = settings;
  if (!effective.timeLimit && !effective.iterations) effective.timeLimit = ThoroughSettings::kDefaultTimeLimit;
  SystemClock wallClock;
  Clock& clock = effective.clock != nullptr ? *effective.clock : wallClock;
  return RuinRecreateRunner(problem, effective, random, clock, observer).run();
}

ThoroughResult runThoroughCommand(const ProblemData& problem, const ThoroughSettings& settings, Random& random,
                                  RunObserver* observer, PlanSink* dump) {
  ThoroughResult result = runThoroughSearch(problem, settings, random, observer);
  if (dump != nullptr) dump->plan(*result.solution);
  return result;
}

}  // namespace tamso

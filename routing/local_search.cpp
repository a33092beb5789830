#include "routing/local_search.h"

#include <vector>

#include "core/int_list.h"

namespace tamso {

namespace {

bool stopRequested(RunObserver* observer) { return observer != nullptr && observer->stopRequested(); }

void reportPass(RunObserver* observer, std::int32_t pass, float gain) {
  if (observer == nullptr) return;
  RunProgress progress;
  progress.phase = RunProgress::Phase::LocalSearchPass;
  progress.step = pass;
  progress.gain = gain;
  observer->progress(progress);
}

// Tries the untried moves of one pair of routes (b may be the pool); true on success.
bool tryPair(Solution& solution, std::int32_t a, std::int32_t b) {
  const std::int32_t pool = solution.routeCount();
  if (!solution.triedPair(a, b)) {
    solution.setTriedPair(a, b);
    const bool moved = b == pool ? dropOrder(solution, a) : relocateOrder(solution, a, b);
    if (moved) return true;
  }
  if (!solution.triedPair(b, a)) {
    solution.setTriedPair(b, a);
    return b == pool ? insertUnplanned(solution, a) : relocateOrder(solution, b, a);
  }
  return false;
}

enum class PassResult { Improved, Unchanged, Stopped };

PassResult runPass(Solution& solution, Random& random, RunObserver* observer) {
  const std::int32_t routes = solution.routeCount();
  std::vector<std::int32_t> visit(static_cast<std::size_t>(routes));
  randomPermutation(random, visit);
  for (std::int32_t a : visit) {
    for (std::int32_t b = a + 1; b <= routes; ++b) {
      if (stopRequested(observer)) return PassResult::Stopped;
      if (tryPair(solution, a, b)) {
        resetAfterMove(solution, a, b);
        return PassResult::Improved;
      }
    }
  }
  return PassResult::Unchanged;
}

}  // namespace

bool localSearch(Solution& solution, bool withEstimate, Random& random, RunObserver* observer, std::int32_t maxPasses) {
  // The memories describe the routes as the last search left them; the routes may have
  // been changed since, so every move is open again.
  solution.clearMemories();
  if (withEstimate) attachWaitingStops(solution);
  solution.setEstimatedGain(withEstimate);
  solution.setGain(solution.totalGain(withEstimate));
  std::int32_t pass = 0;
  bool improved = true;
  while (improved && (maxPasses < 0 || pass < maxPasses)) {
    ++pass;
    reportPass(observer, pass, solution.gain());
    const PassResult result = runPass(solution, random, observer);
    if (result == PassResult::Stopped) return false;
    improved = result == PassResult::Improved;
    if (withEstimate) {
      if (stopRequested(observer)) return false;
      if (moveWaitingPlace(solution)) improved = true;
    }
  }
  return true;
}

}  // namespace tamso
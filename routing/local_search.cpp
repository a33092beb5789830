#include "routing/local_search.h"

#include <vector>

#include "core/int_list.h"

namespace tamso {

namespace {

// The routes whose gains make up the score of a change to route i: the route alone, or,
// when waiting places count, every route waiting where route i waits.
struct ScoreScope {
  const std::vector<std::int32_t>* group = nullptr;
  std::int32_t single = -1;
};

ScoreScope scopeOf(const Solution& solution, std::int32_t i) {
  if (solution.estimatedGain()) {
    const Place* place = solution.route(i)->waitingPlace();
    if (place != nullptr) {
      const std::vector<std::int32_t>& group = solution.waitingGroup(*place);
      if (!group.empty()) return {&group, -1};
    }
  }
  return {nullptr, i};
}

// A route's gain as it would be after a move that is only being considered.
struct TrialGain {
  std::int32_t route = -1;
  float gain = 0.0f;
};

// The gains of the routes a considered move would change (at most two).
struct TrialGains {
  TrialGain first, second;

  float gainOf(Solution& solution, std::int32_t i) const {
    if (i == first.route) return first.gain;
    if (i == second.route) return second.gain;
    return solution.route(i)->gain();
  }
};

float routeScore(Solution& solution, std::int32_t i, const TrialGains& trial) {
  Route& route = *solution.route(i);
  return trial.gainOf(solution, i) + route.estimatedGain(solution.routes());
}

float scopeScore(Solution& solution, const ScoreScope& scope, const TrialGains& trial) {
  if (scope.group == nullptr) return routeScore(solution, scope.single, trial);
  float sum = 0.0f;
  for (std::int32_t member : *scope.group) sum += routeScore(solution, member, trial);
  return sum;
}

bool sameScope(const ScoreScope& a, const ScoreScope& b) {
  return a.group != nullptr ? a.group == b.group : a.single == b.single;
}

// The score of a change to one route, or to two routes (each group counted once), with the
// changed routes valued as `trial` says.
float score(Solution& solution, std::int32_t x, std::int32_t y = -1, const TrialGains& trial = {}) {
  const ScoreScope first = scopeOf(solution, x);
  float sum = scopeScore(solution, first, trial);
  if (y >= 0) {
    const ScoreScope second = scopeOf(solution, y);
    if (!sameScope(first, second)) sum += scopeScore(solution, second, trial);
  }
  return sum;
}

// Accepts a change when it raises the solution's gain strictly; the new total is kept.
bool accept(Solution& solution, float before, float after) {
  const float candidate = solution.gain() - before + after;
  if (!(candidate > solution.gain())) return false;
  solution.setGain(candidate);
  return true;
}

void clearScope(Solution& solution, std::int32_t i) {
  const ScoreScope scope = scopeOf(solution, i);
  if (scope.group == nullptr) {
    solution.clearTriedRowAndColumn(i);
    return;
  }
  // Copied: the group must not change while its members are cleared.
  const std::vector<std::int32_t> members = *scope.group;
  for (std::int32_t member : members) solution.clearTriedRowAndColumn(member);
}

// After a successful move between x and y (y is the pool index for a pool move), the
// pairs whose outcome may have changed can be tried again.
void resetAfterMove(Solution& solution, std::int32_t x, std::int32_t y) {
  const std::int32_t pool = solution.routeCount();
  clearScope(solution, x);
  if (y == pool) {
    solution.clearTriedRowAndColumn(pool);
  } else {
    clearScope(solution, y);
  }
}

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

// Every move below is valued on trial routes first and made only when it is accepted.

bool relocateOrder(Solution& solution, std::int32_t from, std::int32_t to) {
  Route& source = *solution.route(from);
  Route& target = *solution.route(to);
  const std::int32_t n = source.orderCount();
  for (std::int32_t k = 0; k < n; ++k) {
    const Order* order = source.orderAt(k);
    if (order == nullptr || !(target.canInsert(*order) > 0.0f)) continue;
    const float before = score(solution, from, to);
    const TrialGains trial{{from, source.gainWithoutOrder(*order)}, {to, target.gainWithOrder(*order)}};
    const float after = score(solution, from, to, trial);
    if (accept(solution, before, after)) {
      source.removeOrder(*order);
      target.insertOrder(*order);
      return true;
    }
  }
  return false;
}

bool dropOrder(Solution& solution, std::int32_t r) {
  Route& route = *solution.route(r);
  for (std::int32_t k = 0; k < route.orderCount(); ++k) {
    const Order* order = route.orderAt(k);
    if (order == nullptr || order->isPriority()) continue;
    const float before = score(solution, r);
    const float after = score(solution, r, -1, {{r, route.gainWithoutOrder(*order)}, {}});
    if (accept(solution, before, after)) {
      route.removeOrder(*order);
      solution.unplanned().push_back(order);
      return true;
    }
  }
  return false;
}

bool insertUnplanned(Solution& solution, std::int32_t r) {
  Route& route = *solution.route(r);
  std::vector<const Order*>& pool = solution.unplanned();
  for (std::size_t k = 0; k < pool.size(); ++k) {
    const Order& order = *pool[k];
    if (route.canInsert(order) != 1.0f) continue;
    const float before = score(solution, r);
    const float after = score(solution, r, -1, {{r, route.gainWithOrder(order)}, {}});
    if (accept(solution, before, after)) {
      route.insertOrder(order);
      pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(k));
      return true;
    }
  }
  return false;
}

void attachWaitingStops(Solution& solution) {
  solution.clearWaitingGroups();
  for (std::int32_t i = 0; i < solution.routeCount(); ++i) {
    Route& route = *solution.route(i);
    const Place* place = route.stopCount() > 0 ? route.stops().back().place : route.vehicle().startPlace;
    // A vehicle without a start place cannot be scheduled: it waits nowhere.
    if (place == nullptr) continue;
    route.setWaitingPlace(*place, true);
    solution.joinWaitingGroup(*place, i);
  }
}

namespace {

float groupScore(Solution& solution, const std::vector<std::int32_t>& group) {
  float sum = 0.0f;
  for (std::int32_t member : group) sum += routeScore(solution, member, {});
  return sum;
}

void clearWaitingTriedOfOthers(Solution& solution, const std::vector<std::int32_t>& group, std::int32_t i) {
  for (std::int32_t member : group) {
    if (member != i) solution.setWaitingTried(member, false);
  }
}

// Tries every candidate place for route i; true when one raised the gain.
bool moveWaitingPlaceOf(Solution& solution, std::int32_t i) {
  Route& route = *solution.route(i);
  for (const Place* candidate : solution.waitingPlaces()) {
    const Place* current = route.waitingPlace();
    if (candidate == nullptr || current == nullptr) continue;
    const float before =
        groupScore(solution, solution.waitingGroup(*candidate)) + groupScore(solution, solution.waitingGroup(*current));
    route.setWaitingPlace(*candidate, true);
    const float after =
        groupScore(solution, solution.waitingGroup(*candidate)) + groupScore(solution, solution.waitingGroup(*current));
    const float raised = solution.gain() + (after - before);
    if (raised > solution.gain()) {
      solution.leaveWaitingGroup(*current, i);
      solution.joinWaitingGroup(*candidate, i);
      clearWaitingTriedOfOthers(solution, solution.waitingGroup(*current), i);
      clearWaitingTriedOfOthers(solution, solution.waitingGroup(*candidate), i);
      solution.setGain(raised);
      return true;
    }
    route.setWaitingPlace(*current, true);
  }
  return false;
}

}  // namespace

bool moveWaitingPlace(Solution& solution) {
  for (std::int32_t i = 0; i < solution.routeCount(); ++i) {
    if (solution.waitingTried(i)) continue;
    solution.setWaitingTried(i, true);
    if (moveWaitingPlaceOf(solution, i)) return true;
  }
  return false;
}

bool localSearch(Solution& solution, bool withEstimate, Random& random, RunObserver* observer) {
  // The memories describe the routes as the last search left them; the routes may have
  // been changed since, so every move is open again.
  solution.clearMemories();
  if (withEstimate) attachWaitingStops(solution);
  solution.setEstimatedGain(withEstimate);
  solution.setGain(solution.totalGain(withEstimate));
  std::int32_t pass = 0;
  bool improved = true;
  while (improved) {
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

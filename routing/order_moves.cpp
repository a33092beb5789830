#include "routing/order_moves.h"

#include <optional>
#include <vector>

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

}  // namespace

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

// Every move below is valued on trial routes first and made only when it is accepted.

bool relocateOrder(Solution& solution, std::int32_t from, std::int32_t to) {
  Route& source = *solution.route(from);
  Route& target = *solution.route(to);
  const std::int32_t n = source.orderCount();
  for (std::int32_t k = source.fixedOrders(); k < n; ++k) {
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
  for (std::int32_t k = route.fixedOrders(); k < route.orderCount(); ++k) {
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

bool exchangeOrders(Solution& solution, std::int32_t a, std::int32_t b) {
  Route& first = *solution.route(a);
  Route& second = *solution.route(b);
  const std::int32_t countA = first.orderCount();
  const std::int32_t countB = second.orderCount();
  for (std::int32_t i = first.fixedOrders(); i < countA; ++i) {
    for (std::int32_t j = second.fixedOrders(); j < countB; ++j) {
      const Order& x = *first.orderAt(i);
      const Order& y = *second.orderAt(j);
      const float before = score(solution, a, b);
      std::optional<Route::TakenOrder> takenX = first.takeOrder(x);
      std::optional<Route::TakenOrder> takenY = second.takeOrder(y);
      const ValuedPair spotX = second.bestPairFor(x);
      const ValuedPair spotY = spotX.at.found() ? first.bestPairFor(y) : ValuedPair{};
      if (spotY.at.found() && accept(solution, before, score(solution, a, b, {{a, spotY.gain}, {b, spotX.gain}}))) {
        second.insertOrderAt(x, spotX.at);
        first.insertOrderAt(y, spotY.at);
        return true;
      }
      second.putBack(std::move(*takenY));
      first.putBack(std::move(*takenX));
    }
  }
  return false;
}

bool moveWaitingPlace(Solution& solution) {
  for (std::int32_t i = 0; i < solution.routeCount(); ++i) {
    if (solution.waitingTried(i)) continue;
    solution.setWaitingTried(i, true);
    if (moveWaitingPlaceOf(solution, i)) return true;
  }
  return false;
}

}  // namespace tamso

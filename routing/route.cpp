#include "routing/route.h"

#include <array>
#include <utility>

namespace tamso {

namespace {

constexpr double minutesPerDay = 1440.0;

// Cost of one minute spent at a place.
double costPerMinuteAt(const Place& place) {
  return place.country ? static_cast<double>(place.country->costPerDay) / minutesPerDay : 0.0;
}

// Cost of the minutes from `from` up to the horizon end, at a place.
FuzzyValue idleCost(std::int32_t horizonEnd, const FuzzyTime& from, const Place& place) {
  FuzzyValue idle(static_cast<double>(horizonEnd));
  idle.subtract(FuzzyValue(from));
  return idle.multiplied(FuzzyValue(costPerMinuteAt(place)));
}

// The vehicle reaches `stop` from `previous`: its arrival, its satisfaction and the time
// service can start (the window's start when it arrives early).
void arriveAt(RouteStop& stop, FuzzyTime& time, const Place& previous, const ProblemData& problem) {
  time.add(problem.travelTime(previous, *stop.place));
  stop.arrival = time;
  if (stop.window) {
    stop.satisfaction = static_cast<float>(time.satisfaction(*stop.window));
    time.raiseTo(*stop.window);
  } else {
    stop.satisfaction = 1.0f;
  }
  stop.serviceStart = time;
}

// Loading or unloading takes its service minutes; a waiting stop takes none.
void addServiceTime(const RouteStop& stop, FuzzyTime& time, const ProblemData& problem) {
  if (stop.kind == StopKind::Pickup) time.addMinutes(problem.pickupTime);
  if (stop.kind == StopKind::Delivery) time.addMinutes(problem.unloadTime);
}

}  // namespace

Route::Route(const ProblemData& problem, const Vehicle& vehicle) : problem_(&problem), vehicle_(&vehicle) {
  stops_.reserve(16);
}

const RouteStop* Route::stopAt(std::int32_t index) const {
  if (index < 0 || index >= stopCount()) return nullptr;
  return &stops_[static_cast<std::size_t>(index)];
}

const Order* Route::orderAt(std::int32_t k, const RouteStop** stop) const {
  if (k < 0 || k >= orderCount_) return nullptr;
  std::int32_t seen = 0;
  for (const RouteStop& s : stops_) {
    if (s.kind != StopKind::Pickup) continue;
    if (seen++ == k) {
      if (stop) *stop = &s;
      return s.order;
    }
  }
  return nullptr;
}

bool Route::containsOrder(const Order& order) const {
  for (const RouteStop& s : stops_) {
    if (s.order == &order) return true;
  }
  return false;
}

bool Route::schedule() {
  if (scheduled_) return true;
  const Place* previous = vehicle_->startPlace;
  if (previous == nullptr) return false;
  for (const RouteStop& stop : stops_) {
    if (stop.place == nullptr) return false;
  }
  FuzzyTime time = vehicle_->startTimeOrZero();
  for (RouteStop& stop : stops_) {
    arriveAt(stop, time, *previous, *problem_);
    addServiceTime(stop, time, *problem_);
    previous = stop.place;
  }
  for (RouteStop& stop : stops_) stop.shownArrival = stop.serviceStart;
  scheduled_ = true;
  return true;
}

void Route::computeGain() {
  const std::int32_t horizon = problem_->horizonEnd;
  const Place& start = *vehicle_->startPlace;
  FuzzyValue gain;
  if (stops_.empty()) {
    const FuzzyTime startTime = vehicle_->startTimeOrZero();
    if (horizon > startTime.latest) gain.subtract(idleCost(horizon, startTime, start));
    gain_ = gain;
    gainKnown_ = true;
    return;
  }
  const Place* previous = &start;
  for (const RouteStop& stop : stops_) {
    const Place& place = *stop.place;
    gain.subtract(problem_->distanceCost(*previous, place));
    gain.subtract(problem_->timeCost(*previous, place));
    const FuzzyValue perMinute(costPerMinuteAt(place));
    if (stop.kind != StopKind::Waiting) {
      gain.subtract(FuzzyValue(FuzzyTime::sortedDifference(stop.shownArrival, stop.arrival)).multiplied(perMinute));
    }
    if (stop.kind == StopKind::Pickup) {
      gain.subtract(FuzzyValue(problem_->pickupTime).multiplied(perMinute));
    } else if (stop.kind == StopKind::Delivery) {
      gain.subtract(FuzzyValue(problem_->unloadTime).multiplied(perMinute));
      gain.add(FuzzyValue(static_cast<double>(stop.order->price)));
    }
    previous = &place;
  }
  const RouteStop& last = stops_.back();
  if (horizon > last.shownArrival.latest) gain.subtract(idleCost(horizon, last.shownArrival, *last.place));
  gain_ = gain;
  gainKnown_ = true;
}

bool Route::evaluate() {
  if (!schedule()) return false;
  if (!gainKnown_) computeGain();
  return true;
}

float Route::gain() { return static_cast<float>(fuzzyGain().defuzzify()); }

const FuzzyValue& Route::fuzzyGain() {
  evaluate();
  return gain_;
}

float Route::estimatedGain(const std::vector<Route>& /*routes*/) const { return 0.0f; }

bool Route::isFeasible() {
  if (!schedule()) return stops_.empty();
  for (const RouteStop& stop : stops_) {
    if (stop.kind == StopKind::Waiting) break;
    if (static_cast<double>(stop.satisfaction) < problem_->minimalSat) return false;
  }
  return true;
}

bool Route::precedenceHolds() const {
  // How many stops of each order were met so far, by the order's row in the order table;
  // orders from outside the table are counted by a scan instead.
  std::array<std::uint8_t, ProblemData::maxOrders> met{};
  const Order* table = problem_->orders.data();
  const auto tableSize = static_cast<std::ptrdiff_t>(problem_->orders.size());
  std::int32_t pickups = 0;
  std::int32_t deliveries = 0;
  for (std::size_t i = 0; i < stops_.size(); ++i) {
    const RouteStop& stop = stops_[i];
    if (stop.kind == StopKind::Waiting) {
      if (i + 1 != stops_.size()) return false;
      continue;
    }
    std::int32_t before = 0;
    const std::ptrdiff_t row = stop.order - table;
    const bool inTable = row >= 0 && row < tableSize && row < ProblemData::maxOrders;
    if (inTable) {
      before = met[static_cast<std::size_t>(row)]++;
    } else {
      for (std::size_t j = 0; j < i; ++j) before += stops_[j].order == stop.order ? 1 : 0;
    }
    if (stop.kind == StopKind::Pickup) {
      if (before != 0) return false;
      ++pickups;
    } else {
      if (before != 1) return false;
      ++deliveries;
    }
  }
  // Each delivery completed one picked-up order: all are complete when the counts agree.
  return pickups == deliveries;
}

bool Route::isValid() { return precedenceHolds() && isFeasible(); }

bool Route::insertStop(RouteStop stop, std::int32_t position) {
  const std::int32_t n = stopCount();
  if (position == -1) position = n;
  if (position < 0 || position > n) return false;
  if (stop.kind == StopKind::Pickup) ++orderCount_;
  stops_.insert(stops_.begin() + position, std::move(stop));
  changed();
  return true;
}

bool Route::removeStopAt(std::int32_t index) {
  if (index < 0 || index >= stopCount()) return false;
  if (stops_[static_cast<std::size_t>(index)].kind == StopKind::Pickup) --orderCount_;
  stops_.erase(stops_.begin() + index);
  changed();
  return true;
}

std::optional<Route::TakenOrder> Route::takeOrder(const Order& order) {
  std::int32_t first = -1;
  for (std::int32_t i = 0; i < stopCount(); ++i) {
    if (stops_[static_cast<std::size_t>(i)].order == &order) {
      first = i;
      break;
    }
  }
  if (first < 0) return std::nullopt;
  TakenOrder taken;
  taken.pickupIndex = first;
  taken.pickup = stops_[static_cast<std::size_t>(first)];
  removeStopAt(first);
  for (std::int32_t i = first; i < stopCount(); ++i) {
    if (stops_[static_cast<std::size_t>(i)].order == &order) {
      taken.deliveryIndex = i + 1;  // its index before the first stop was removed
      taken.delivery = stops_[static_cast<std::size_t>(i)];
      removeStopAt(i);
      break;
    }
  }
  return taken;
}

void Route::putBack(TakenOrder taken) {
  insertStop(std::move(taken.pickup), taken.pickupIndex);
  if (taken.deliveryIndex >= 0) insertStop(std::move(taken.delivery), taken.deliveryIndex);
  evaluate();
}

bool Route::removeOrder(const Order& order) {
  if (!takeOrder(order)) return false;
  evaluate();
  return true;
}

void Route::clear() {
  stops_.clear();
  orderCount_ = 0;
  changed();
}

const Place* Route::waitingPlace() const {
  if (stops_.empty() || stops_.back().kind != StopKind::Waiting) return nullptr;
  return stops_.back().place;
}

bool Route::setWaitingPlace(const Place& place, bool create) {
  if (!stops_.empty() && stops_.back().kind == StopKind::Waiting) {
    stops_.back().place = &place;
    changed();
  } else if (create) {
    insertStop(RouteStop::waiting(place), -1);
  } else {
    return false;
  }
  evaluate();
  return true;
}

std::int32_t Route::pickupEnd() const {
  const std::int32_t n = stopCount();
  return waitingPlace() != nullptr ? n - 1 : n;
}

Route::Evaluation Route::saveEvaluation() const { return {scheduled_, gainKnown_, gain_}; }

void Route::restoreEvaluation(const Evaluation& saved) {
  // The trial insertions rewrote the stop times; a route that was evaluated before shows
  // its own times again.
  if (saved.scheduled) schedule();
  gain_ = saved.gain;
  gainKnown_ = saved.gainKnown;
}

bool Route::trialsCanBeScheduled(const Order& order) {
  if (!schedule()) return false;
  return RouteStop::pickup(order).place != nullptr && RouteStop::delivery(order).place != nullptr;
}

bool Route::feasibleFrom(std::int32_t from) {
  // The stops before `from` keep the times of the last schedule that reached them.
  for (std::int32_t k = 0; k < from; ++k) {
    const RouteStop& stop = stops_[static_cast<std::size_t>(k)];
    if (stop.kind == StopKind::Waiting) return true;
    if (static_cast<double>(stop.satisfaction) < problem_->minimalSat) return false;
  }
  const Place* previous = vehicle_->startPlace;
  FuzzyTime time = vehicle_->startTimeOrZero();
  if (from > 0) {
    const RouteStop& before = stops_[static_cast<std::size_t>(from - 1)];
    previous = before.place;
    time = before.serviceStart;
    addServiceTime(before, time, *problem_);
  }
  for (std::size_t k = static_cast<std::size_t>(from); k < stops_.size(); ++k) {
    RouteStop& stop = stops_[k];
    if (stop.kind == StopKind::Waiting) return true;
    arriveAt(stop, time, *previous, *problem_);
    if (static_cast<double>(stop.satisfaction) < problem_->minimalSat) return false;
    addServiceTime(stop, time, *problem_);
    previous = stop.place;
  }
  return true;
}

// Trial pairs are scanned pickup position first, then delivery position. Each trial
// reschedules from the stop before the inserted one: the trials before it left every
// earlier stop with the times it has in the current trial route.
float Route::canInsert(const Order& order) {
  const Evaluation saved = saveEvaluation();
  const float result = trialsCanBeScheduled(order) ? scanForValidPair(order) : 0.0f;
  restoreEvaluation(saved);
  return result;
}

float Route::scanForValidPair(const Order& order) {
  const std::int32_t last = pickupEnd();
  for (std::int32_t i = 0; i <= last; ++i) {
    insertStop(RouteStop::pickup(order), i);
    if (feasibleFrom(i > 0 ? i - 1 : 0)) {
      for (std::int32_t j = i + 1; j <= last + 1; ++j) {
        insertStop(RouteStop::delivery(order), j);
        const bool valid = feasibleFrom(j - 1) && precedenceHolds();
        removeStopAt(j);
        if (valid) {
          removeStopAt(i);
          return 1.0f;
        }
      }
    }
    removeStopAt(i);
  }
  return 0.0f;
}

bool Route::insertOrder(const Order& order) {
  const Evaluation saved = saveEvaluation();
  const std::int32_t last = pickupEnd();
  const bool schedulable = trialsCanBeScheduled(order);
  for (std::int32_t i = 0; schedulable && i <= last; ++i) {
    insertStop(RouteStop::pickup(order), i);
    if (feasibleFrom(i > 0 ? i - 1 : 0)) {
      for (std::int32_t j = i + 1; j <= last + 1; ++j) {
        insertStop(RouteStop::delivery(order), j);
        if (feasibleFrom(j - 1)) {
          evaluate();
          return true;
        }
        removeStopAt(j);
      }
    }
    removeStopAt(i);
  }
  restoreEvaluation(saved);
  return false;
}

}  // namespace tamso

#include "routing/route.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "routing/schedule_steps.h"
#include "routing/trial_route.h"

namespace tamso {

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

bool Route::containsOrder(const Order& order) const { return firstStopOf(order) >= 0; }

std::int32_t Route::firstStopOf(const Order& order) const {
  for (std::size_t k = 0; k < stops_.size(); ++k) {
    if (stops_[k].order == &order) return static_cast<std::int32_t>(k);
  }
  return -1;
}

void Route::setDriverRules(bool on) {
  if (on == driverRules_) return;
  driverRules_ = on;
  changed();
}

const schedule::Driving* Route::drivingAt(std::int32_t index) const {
  if (!driverRules_ || index < 0 || static_cast<std::size_t>(index) >= driving_.size()) return nullptr;
  return &driving_[static_cast<std::size_t>(index)];
}

bool Route::schedule() {
  if (scheduled_) return true;
  const Place* previous = vehicle_->startPlace;
  if (previous == nullptr) return false;
  for (const RouteStop& stop : stops_) {
    if (stop.place == nullptr) return false;
  }
  FuzzyTime time = vehicle_->startTimeOrZero();
  schedule::Driving driving{DriverState::rested(time.likely)};
  const driving::RuleLimits& limits = driving::limitsFor(*vehicle_);
  if (driverRules_) driving_.resize(stops_.size());
  for (std::size_t k = 0; k < stops_.size(); ++k) {
    RouteStop& stop = stops_[k];
    stop.satisfaction =
        schedule::arrive(stop, *previous, time, stop.arrival, *problem_, driverRules_ ? &driving : nullptr, limits);
    if (driverRules_) driving_[k] = driving;
    stop.serviceStart = time;
    schedule::serve(stop, time, *problem_);
    previous = stop.place;
  }
  for (RouteStop& stop : stops_) stop.shownArrival = stop.serviceStart;
  scheduled_ = true;
  return true;
}

void Route::computeGain() {
  if (stops_.empty()) {
    gain_ = schedule::emptyRouteGain(*vehicle_, *problem_);
    gainKnown_ = true;
    return;
  }
  FuzzyValue gain;
  const Place* previous = vehicle_->startPlace;
  for (std::size_t k = 0; k < stops_.size(); ++k) {
    const RouteStop& stop = stops_[k];
    const std::int32_t restOnRoad = driverRules_ ? driving_[k].restOnRoad : 0;
    schedule::addStopGain(gain, stop, *previous, stop.arrival, stop.shownArrival, *problem_, restOnRoad);
    previous = stop.place;
  }
  schedule::addIdleGain(gain, stops_.back(), stops_.back().shownArrival, *problem_);
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
    if (!schedule::satisfies(stop.satisfaction, *problem_)) return false;
  }
  return capacityLoads() == nullptr || loadsFit_;
}

const StopLoads* Route::capacityLoads() {
  const std::vector<double>* limits = capacityLimitsFor(*problem_, *vehicle_);
  if (limits == nullptr) return nullptr;
  if (!loadsKnown_) {
    loads_.compute(stops_, limits->size());
    loadsFit_ = loadsFit(loads_, stopCount(), *limits);
    loadsKnown_ = true;
  }
  return &loads_;
}

namespace {

// Whether every order on the stops has its pickup before its delivery, each once. `met` counts
// the stops of each order seen so far by the order's row in the table, all 0 on entry; orders
// from outside the table are counted by a scan instead.
bool pickupsBeforeDeliveries(const std::vector<RouteStop>& stops, const std::vector<Order>& table,
                             std::vector<std::uint8_t>& met) {
  std::int32_t pickups = 0;
  std::int32_t deliveries = 0;
  for (std::size_t i = 0; i < stops.size(); ++i) {
    const RouteStop& stop = stops[i];
    if (stop.kind == StopKind::Waiting) {
      if (i + 1 != stops.size()) return false;
      continue;
    }
    std::int32_t before = 0;
    const std::ptrdiff_t row = stop.order - table.data();
    if (row >= 0 && row < static_cast<std::ptrdiff_t>(table.size())) {
      before = met[static_cast<std::size_t>(row)]++;
    } else {
      for (std::size_t j = 0; j < i; ++j) before += stops[j].order == stop.order ? 1 : 0;
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

}  // namespace

bool Route::precedenceHolds() const {
  // Sized by the loaded orders, kept between calls, and cleared again for the rows counted.
  static thread_local std::vector<std::uint8_t> met;
  const std::vector<Order>& table = problem_->orders;
  if (met.size() < table.size()) met.resize(table.size(), 0);
  const bool holds = pickupsBeforeDeliveries(stops_, table, met);
  for (const RouteStop& stop : stops_) {
    const std::ptrdiff_t row = stop.order - table.data();
    if (row >= 0 && row < static_cast<std::ptrdiff_t>(table.size())) met[static_cast<std::size_t>(row)] = 0;
  }
  return holds;
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

namespace {

// The first stop of the order and the next stop of the same order after it (-1 for none).
std::pair<std::int32_t, std::int32_t> stopsOfOrder(const std::vector<RouteStop>& stops, const Order& order) {
  std::pair<std::int32_t, std::int32_t> found{-1, -1};
  for (std::size_t k = 0; k < stops.size(); ++k) {
    if (stops[k].order != &order) continue;
    if (found.first < 0) {
      found.first = static_cast<std::int32_t>(k);
    } else {
      found.second = static_cast<std::int32_t>(k);
      break;
    }
  }
  return found;
}

}  // namespace

std::optional<Route::TakenOrder> Route::takeOrder(const Order& order) {
  const auto [first, second] = stopsOfOrder(stops_, order);
  if (first < 0) return std::nullopt;
  TakenOrder taken;
  taken.pickupIndex = first;
  taken.pickup = stops_[static_cast<std::size_t>(first)];
  if (second >= 0) {
    taken.deliveryIndex = second;
    taken.delivery = stops_[static_cast<std::size_t>(second)];
    removeStopAt(second);
  }
  removeStopAt(first);
  return taken;
}

void Route::putBack(TakenOrder taken) {
  insertStop(std::move(taken.pickup), taken.pickupIndex);
  if (taken.deliveryIndex >= 0) insertStop(std::move(taken.delivery), taken.deliveryIndex);
  evaluate();
}

bool Route::removeOrder(const Order& order) {
  const auto [first, second] = stopsOfOrder(stops_, order);
  if (first < 0) return false;
  if (second >= 0) removeStopAt(second);
  removeStopAt(first);
  evaluate();
  return true;
}

void Route::clear() {
  stops_.clear();
  orderCount_ = 0;
  fix(0, false);
  changed();
}

void Route::fix(std::int32_t fixedStops, bool closed) {
  fixedStops_ = std::clamp(fixedStops, 0, stopCount());
  closed_ = closed;
  fixedOrders_ = 0;
  for (std::int32_t k = 0; k < fixedStops_; ++k) {
    if (stops_[static_cast<std::size_t>(k)].kind == StopKind::Pickup) ++fixedOrders_;
  }
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

void Route::changed() {
  scheduled_ = false;
  gainKnown_ = false;
  loadsKnown_ = false;
  if (++version_ == 0) {
    memory_.forgetAll();
    version_ = 1;
  }
}

void Route::becomeCopyOf(const Route& other) {
  if (this == &other) return;
  problem_ = other.problem_;
  vehicle_ = other.vehicle_;
  driverRules_ = other.driverRules_;
  stops_.assign(other.stops_.begin(), other.stops_.end());
  driving_.assign(other.driving_.begin(), other.driving_.end());
  orderCount_ = other.orderCount_;
  fixedStops_ = other.fixedStops_;
  fixedOrders_ = other.fixedOrders_;
  closed_ = other.closed_;
  changed();
  gain_ = other.gain_;
  scheduled_ = other.scheduled_;
  gainKnown_ = other.gainKnown_;
}

bool Route::trialsCanBeScheduled(const Order& order) {
  if (!schedule()) return false;
  return order.pickupPlace != nullptr && order.deliveryPlace != nullptr;
}

OrderTrials& Route::trialsOf(const Order& order) {
  static thread_local OrderTrials unremembered;
  if (memoryChecksCapacity_ != problem_->checkCapacity) {
    memory_.forgetAll();
    memoryChecksCapacity_ = problem_->checkCapacity;
  }
  OrderTrials* trials = memory_.of(order, *problem_, version_);
  if (trials == nullptr) {
    unremembered = OrderTrials{};
    trials = &unremembered;
  }
  if (trials->pairKnown) return *trials;
  InsertionPair pair;
  if (!closed_ && trialsCanBeScheduled(order)) {
    pair = firstFeasiblePair(*this, RouteStop::pickup(order), RouteStop::delivery(order), roomFor(order), fixedStops_);
  }
  trials->pickupAt = pair.pickupAt;
  trials->deliveryAt = pair.deliveryAt;
  // Precedence of the trial route holds exactly when it holds for the route and the order is new to it.
  trials->insertable = pair.found() && precedenceHolds() && !containsOrder(order);
  trials->pairKnown = true;
  return *trials;
}

RoomCheck Route::roomFor(const Order& order) {
  RoomCheck room;
  room.loads = capacityLoads();
  if (room.loads == nullptr) return room;
  room.limits = capacityLimitsFor(*problem_, *vehicle_);
  room.order = &order;
  room.routeFits = loadsFit_;
  return room;
}

float Route::canInsert(const Order& order) { return trialsOf(order).insertable ? 1.0f : 0.0f; }

void Route::insertPair(const Order& order, std::int32_t pickupAt, std::int32_t deliveryAt) {
  insertStop(RouteStop::pickup(order), pickupAt);
  insertStop(RouteStop::delivery(order), deliveryAt);
  evaluate();
}

bool Route::insertOrder(const Order& order) {
  const OrderTrials& trials = trialsOf(order);
  if (trials.pickupAt < 0) return false;
  insertPair(order, trials.pickupAt, trials.deliveryAt);
  return true;
}

void Route::insertOrderAt(const Order& order, InsertionPair at) { insertPair(order, at.pickupAt, at.deliveryAt); }

float Route::gainWithOrder(const Order& order) {
  OrderTrials& trials = trialsOf(order);
  if (trials.pickupAt < 0) return gain();
  if (trials.gainWithKnown) return trials.gainWith;
  trials.gainWith = gainWithInserted(*this, RouteStop::pickup(order), RouteStop::delivery(order),
                                     {trials.pickupAt, trials.deliveryAt});
  trials.gainWithKnown = true;
  return trials.gainWith;
}

ValuedPair Route::bestPairFor(const Order& order) {
  if (closed_ || !trialsCanBeScheduled(order) || !precedenceHolds() || containsOrder(order)) return {};
  return bestFeasiblePair(*this, RouteStop::pickup(order), RouteStop::delivery(order), roomFor(order), fixedStops_);
}

float Route::gainWithoutOrder(const Order& order) {
  OrderTrials* trials = memory_.of(order, *problem_, version_);
  if (trials != nullptr && trials->gainWithoutKnown) return trials->gainWithout;
  const auto [first, second] = stopsOfOrder(stops_, order);
  float result = 0.0f;
  // A route that cannot be scheduled keeps the gain of its last evaluation.
  if (first < 0 || !gainWithout(*this, first, second, result)) result = gain();
  if (trials != nullptr) {
    trials->gainWithout = result;
    trials->gainWithoutKnown = true;
  }
  return result;
}

}  // namespace tamso

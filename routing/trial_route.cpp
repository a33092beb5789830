#include "routing/trial_route.h"

#include <array>
#include <span>
#include <type_traits>
#include <vector>

#include "routing/route.h"
#include "routing/schedule_steps.h"

namespace tamso {

namespace {

// The scan is compiled twice: with the driving and rest times (Rules) and without them, so
// that a plan without them carries no driver's state through its hot loops.
struct NoDriving {};

// Where the vehicle is and when it can leave: after a stop's service, or at its start; under
// the driving and rest times also the driver's state then.
template <bool Rules>
struct Departure {
  const Place* place;
  FuzzyTime time;
  [[no_unique_address]] std::conditional_t<Rules, schedule::Driving, NoDriving> driving;
};

template <bool Rules>
Departure<Rules> routeStart(const Vehicle& vehicle) {
  Departure<Rules> start{vehicle.startPlace, vehicle.startTimeOrZero(), {}};
  if constexpr (Rules) start.driving.driver = DriverState::rested(start.time.likely);
  return start;
}

// What the scan needs to know about the route as scheduled.
template <bool Rules>
struct ScheduledRoute {
  static constexpr bool rules = Rules;  // the driving and rest times are kept
  std::span<const RouteStop> stops;
  const Route& route;
  const ProblemData& problem;
  const driving::RuleLimits& limits;  // of the vehicle's crew
  Departure<Rules> start;
  std::int32_t firstWaiting;  // feasibility is not checked from the first waiting stop on
  std::int32_t firstFailing;  // first stop before it below the minimal satisfaction, else firstWaiting
  std::int32_t lastFailing;   // last such stop, else -1

  ScheduledRoute(const Route& route)
      : stops(route.stops()),
        route(route),
        problem(route.problem()),
        limits(driving::limitsFor(route.vehicle())),
        start(routeStart<Rules>(route.vehicle())),
        firstWaiting(size()),
        firstFailing(-1),
        lastFailing(-1) {
    for (std::int32_t k = 0; k < size(); ++k) {
      if (at(k).kind == StopKind::Waiting) {
        firstWaiting = k;
        break;
      }
      if (schedule::satisfies(at(k).satisfaction, problem)) continue;
      if (firstFailing < 0) firstFailing = k;
      lastFailing = k;
    }
    if (firstFailing < 0) firstFailing = firstWaiting;
  }

  std::int32_t size() const { return static_cast<std::int32_t>(stops.size()); }
  const RouteStop& at(std::int32_t k) const { return stops[static_cast<std::size_t>(k)]; }
  // Inserting positions run up to, not past, a closing waiting stop.
  std::int32_t pickupEnd() const {
    return !stops.empty() && stops.back().kind == StopKind::Waiting && stops.back().place ? size() - 1 : size();
  }
  // Every stop before `k` that feasibility looks at reaches the minimal satisfaction.
  bool feasibleBefore(std::int32_t k) const { return std::min(k, firstWaiting) <= firstFailing; }
  // Every stop from `k` on that feasibility looks at, as scheduled, reaches it.
  bool feasibleFrom(std::int32_t k) const { return k > lastFailing; }
  // Whether the route's stop `k` is certainly missed once the vehicle goes from `d` through
  // `stop` first: even without breaks and rests its likely arrival is past the end of k's
  // window (or at an end that is not also the window's full end), where no arrival
  // satisfies it. Under the rules this spares scheduling a leg whose next stop is lost
  // anyway.
  bool detourMisses(const Departure<Rules>& d, const RouteStop& stop, std::int32_t k) const {
    const RouteStop& next = at(k);
    if (!next.window || problem.minimalSat <= 0.0) return false;
    std::int32_t likely = d.time.likely + problem.travelTime(*d.place, *stop.place).likely;
    if (stop.window) likely = std::max(likely, stop.window->start);
    likely += schedule::serviceMinutes(stop, problem) + problem.travelTime(*stop.place, *next.place).likely;
    const FuzzyWindow& window = *next.window;
    return likely > window.end || (likely == window.end && window.end > window.fullEnd);
  }
  // The driver after stop k as scheduled (only under the rules).
  const DriverState& driverAfter(std::int32_t k) const { return route.drivingAt(k)->driver; }
  Departure<Rules> departureAfter(std::int32_t k, const FuzzyTime& serviceStart, const DriverState* driver) const {
    Departure<Rules> d{at(k).place, serviceStart, {}};
    if constexpr (Rules) d.driving.driver = *driver;
    schedule::serve(at(k), d.time, problem);
    return d;
  }
  Departure<Rules> departureAfter(std::int32_t k) const {
    if constexpr (Rules) return departureAfter(k, at(k).serviceStart, &driverAfter(k));
    return departureAfter(k, at(k).serviceStart, nullptr);
  }
  // Drives from `d` to the stop; the satisfaction of the arrival.
  float arrive(const RouteStop& stop, Departure<Rules>& d, FuzzyTime& arrival) const {
    if constexpr (Rules) return schedule::arrive(stop, *d.place, d.time, arrival, problem, &d.driving, limits);
    return schedule::arrive(stop, *d.place, d.time, arrival, problem);
  }
  // Drives from `d` to the stop; false when the arrival misses the minimal satisfaction.
  // Under the rules a stop that is missed even with the least stops on the road is given up
  // before the leg is scheduled.
  bool arrivesInTime(const RouteStop& stop, Departure<Rules>& d) const {
    if constexpr (Rules) {
      if (schedule::missedKeepingRules(stop, *d.place, d.time, problem, d.driving.driver, limits)) return false;
    }
    FuzzyTime arrival;
    return schedule::satisfies(arrive(stop, d, arrival), problem);
  }
};

// Service start times of the route's stops once a pickup is in place: shifted for the stops
// from the pickup up to where the schedule meets the route's own again, the route's own after.
class ShiftedTimes {
 public:
  explicit ShiftedTimes(std::int32_t stops) {
    if (static_cast<std::size_t>(stops) > localSize) spill_.resize(static_cast<std::size_t>(stops));
  }
  FuzzyTime& operator[](std::int32_t k) {
    return spill_.empty() ? local_[static_cast<std::size_t>(k)].time : spill_[static_cast<std::size_t>(k)];
  }
  // The driver after each of those stops, under the driving and rest times; storage kept
  // between scans.
  static DriverState& driverAt(std::int32_t k) {
    static thread_local std::vector<DriverState> drivers;
    if (drivers.size() <= static_cast<std::size_t>(k)) drivers.resize(static_cast<std::size_t>(k) + 64);
    return drivers[static_cast<std::size_t>(k)];
  }

 private:
  // Left uninitialised: only the entries written by the scan are read.
  union Slot {
    Slot() {}
    FuzzyTime time;
  };
  // Room for a route of 400 orders on the stack; longer routes spill to the heap.
  static constexpr std::size_t localSize = 2 * 400 + 2;
  std::array<Slot, localSize> local_;
  std::vector<FuzzyTime> spill_;  // only for routes longer than localSize stops
};

// Follows the route's stops from `from` on after the vehicle left `d`, until the first waiting
// stop, the end, a stop below the minimal satisfaction (false), or a stop whose service start
// equals `reference` (k), with the driver in the state `referenceDriver` (k) under the driving
// and rest times: from there on the schedule is the reference schedule, which is feasible
// from `k + 1` when `referenceFeasibleFrom` (k + 1) says so. `record` receives the service
// start of every stop passed and the departure then.
template <bool Rules, class Reference, class ReferenceDriver, class Record>
bool followFrom(const ScheduledRoute<Rules>& route, std::int32_t from, Departure<Rules> d, Reference reference,
                ReferenceDriver referenceDriver,
                std::type_identity_t<bool (ScheduledRoute<Rules>::*)(std::int32_t) const> referenceFeasibleFrom,
                Record record) {
  for (std::int32_t k = from; k < route.size(); ++k) {
    if (k == route.firstWaiting) return true;
    const RouteStop& stop = route.at(k);
    if (!route.arrivesInTime(stop, d)) return false;
    record(k, d);
    bool meets = d.time == reference(k);
    if constexpr (Rules) meets = meets && d.driving.driver == referenceDriver(k);
    if (meets) {
      return referenceFeasibleFrom ? (route.*referenceFeasibleFrom)(k + 1) : true;
    }
    schedule::serve(stop, d.time, route.problem);
    d.place = stop.place;
  }
  return true;
}

// The vehicle serves a new stop after leaving `d`; false when it arrives too late.
template <bool Rules>
bool serveNew(const RouteStop& stop, Departure<Rules>& d, const ScheduledRoute<Rules>& route) {
  if (!route.arrivesInTime(stop, d)) return false;
  schedule::serve(stop, d.time, route.problem);
  d.place = stop.place;
  return true;
}

// forEachFeasiblePair with the driving and rest times kept (Rules) or not.
template <bool Rules, class Visit>
void scanFeasiblePairs(const Route& route, const RouteStop& pickup, const RouteStop& delivery, const RoomCheck& room,
                       std::int32_t firstPickup, Visit visit) {
  using Scheduled = ScheduledRoute<Rules>;
  const Scheduled scheduled(route);
  const std::int32_t last = scheduled.pickupEnd();
  ShiftedTimes shifted(scheduled.size());
  for (std::int32_t i = firstPickup; i <= last; ++i) {
    if (!scheduled.feasibleBefore(i)) break;
    if (!room.fitsAfter(i - 1)) continue;
    Departure<Rules> afterPickup = scheduled.start;
    std::int32_t shiftedEnd = i;  // stops i .. shiftedEnd - 1 hold shifted times
    // Stops after the first waiting stop are not looked at: every delivery below is taken.
    if (i <= scheduled.firstWaiting) {
      afterPickup = i > 0 ? scheduled.departureAfter(i - 1) : scheduled.start;
      if constexpr (Rules) {
        if (i < scheduled.firstWaiting && scheduled.detourMisses(afterPickup, pickup, i)) continue;
      }
      if (!serveNew(pickup, afterPickup, scheduled)) continue;
      const bool pickupFeasible = followFrom(
          scheduled, i, afterPickup, [&](std::int32_t k) { return scheduled.at(k).serviceStart; },
          [&](std::int32_t k) -> const DriverState& { return scheduled.driverAfter(k); }, &Scheduled::feasibleFrom,
          [&](std::int32_t k, const Departure<Rules>& d) {
            shifted[k] = d.time;
            if constexpr (Rules) ShiftedTimes::driverAt(k) = d.driving.driver;
            shiftedEnd = k + 1;
          });
      if (!pickupFeasible) continue;
    }
    auto withPickup = [&](std::int32_t k) -> const FuzzyTime& {
      return k < shiftedEnd ? shifted[k] : scheduled.at(k).serviceStart;
    };
    auto driverWithPickup = [&](std::int32_t k) -> const DriverState& {
      return k < shiftedEnd ? ShiftedTimes::driverAt(k) : scheduled.driverAfter(k);
    };
    // The delivery follows stop q of the route (q = i - 1: right after the pickup).
    for (std::int32_t q = i - 1; q < last; ++q) {
      // Stop q carries the order too, and so would every later delivery.
      if (q >= i && !room.fitsAfter(q)) break;
      if (q >= scheduled.firstWaiting) {
        if (visit(InsertionPair{i, q + 2})) return;
        continue;
      }
      Departure<Rules> d =
          q < i ? afterPickup : scheduled.departureAfter(q, withPickup(q), Rules ? &driverWithPickup(q) : nullptr);
      if (!serveNew(delivery, d, scheduled)) continue;
      // Where it meets the schedule with the pickup alone, the rest is known to be feasible.
      if (followFrom(scheduled, q + 1, d, withPickup, driverWithPickup, nullptr,
                     [](std::int32_t, const Departure<Rules>&) {}) &&
          visit(InsertionPair{i, q + 2})) {
        return;
      }
    }
  }
}

// Calls `visit` with every pair that firstFeasiblePair would accept, in its scan order, until
// `visit` answers true.
// `visit` answers true. Pickups go no earlier than position `firstPickup`.
template <class Visit>
void forEachFeasiblePair(const Route& route, const RouteStop& pickup, const RouteStop& delivery, const RoomCheck& room,
                         std::int32_t firstPickup, Visit visit) {
  // An order only adds to the loads: an overloaded route stays overloaded.
  if (!room.routeFits) return;
  if (route.driverRules()) {
    scanFeasiblePairs<true>(route, pickup, delivery, room, firstPickup, visit);
  } else {
    scanFeasiblePairs<false>(route, pickup, delivery, room, firstPickup, visit);
  }
}

}  // namespace

InsertionPair firstFeasiblePair(const Route& route, const RouteStop& pickup, const RouteStop& delivery,
                                const RoomCheck& room, std::int32_t firstPickup) {
  InsertionPair first;
  forEachFeasiblePair(route, pickup, delivery, room, firstPickup, [&](InsertionPair pair) {
    first = pair;
    return true;
  });
  return first;
}

ValuedPair bestFeasiblePair(const Route& route, const RouteStop& pickup, const RouteStop& delivery,
                            const RoomCheck& room, std::int32_t firstPickup) {
  ValuedPair best;
  forEachFeasiblePair(route, pickup, delivery, room, firstPickup, [&](InsertionPair pair) {
    const float gain = gainWithInserted(route, pickup, delivery, pair);
    if (!best.at.found() || gain > best.gain) best = ValuedPair{pair, gain};
    return false;
  });
  return best;
}

namespace {

// sequenceGain with the driving and rest times kept (Rules) or not.
template <bool Rules, class Stops>
float sequenceGainOf(const Route& route, Stops forEachStop) {
  const ProblemData& problem = route.problem();
  const Place* previous = route.vehicle().startPlace;
  FuzzyTime time = route.vehicle().startTimeOrZero();
  schedule::Driving driving;
  if constexpr (Rules) driving.driver = DriverState::rested(time.likely);
  const driving::RuleLimits& limits = driving::limitsFor(route.vehicle());
  FuzzyTime arrival;
  FuzzyValue gain;
  const RouteStop* last = nullptr;
  forEachStop([&](const RouteStop& stop) {
    if constexpr (Rules) {
      schedule::arrive(stop, *previous, time, arrival, problem, &driving, limits);
    } else {
      schedule::arrive(stop, *previous, time, arrival, problem);
    }
    schedule::addStopGain(gain, stop, *previous, arrival, time, problem, driving.restOnRoad);
    schedule::serve(stop, time, problem);
    previous = stop.place;
    last = &stop;
  });
  if (last == nullptr) return static_cast<float>(schedule::emptyRouteGain(route.vehicle(), problem).defuzzify());
  // The last stop's shown time is its service start: undo its service minutes.
  FuzzyTime lastShown = time;
  if (last->kind == StopKind::Pickup) lastShown.addMinutes(-problem.pickupTime);
  if (last->kind == StopKind::Delivery) lastShown.addMinutes(-problem.unloadTime);
  schedule::addIdleGain(gain, *last, lastShown, problem);
  return static_cast<float>(gain.defuzzify());
}

// Schedules and values a sequence of stops given as a visitor over them.
template <class Stops>
float sequenceGain(const Route& route, Stops forEachStop) {
  return route.driverRules() ? sequenceGainOf<true>(route, forEachStop) : sequenceGainOf<false>(route, forEachStop);
}

}  // namespace

float gainWithInserted(const Route& route, const RouteStop& pickup, const RouteStop& delivery, InsertionPair at) {
  const std::span<const RouteStop> stops = route.stops();
  return sequenceGain(route, [&](auto visit) {
    std::int32_t position = 0;
    auto next = [&](const RouteStop& stop) {
      if (position == at.pickupAt) {
        visit(pickup);
        ++position;
      }
      if (position == at.deliveryAt) {
        visit(delivery);
        ++position;
      }
      visit(stop);
      ++position;
    };
    for (const RouteStop& stop : stops) next(stop);
    if (position == at.pickupAt) {
      visit(pickup);
      ++position;
    }
    if (position == at.deliveryAt) visit(delivery);
  });
}

bool gainWithout(const Route& route, std::int32_t first, std::int32_t second, float& gain) {
  const std::span<const RouteStop> stops = route.stops();
  if (route.vehicle().startPlace == nullptr) return false;
  for (std::size_t k = 0; k < stops.size(); ++k) {
    const auto index = static_cast<std::int32_t>(k);
    if (index != first && index != second && stops[k].place == nullptr) return false;
  }
  gain = sequenceGain(route, [&](auto visit) {
    for (std::size_t k = 0; k < stops.size(); ++k) {
      const auto index = static_cast<std::int32_t>(k);
      if (index != first && index != second) visit(stops[k]);
    }
  });
  return true;
}

}  // namespace tamso

#pragma once
// The steps of a route's schedule and gain, shared by the full evaluation of a route and by
// trial routes (a route's stops with an order put in or taken out, evaluated without
// changing the route). Both go through exactly these steps, in the same order, so that a
// trial gives the same times, satisfactions and gain as the route it stands for, bit for bit.
#include <cmath>
#include <cstdint>
#include <optional>

#include "problem/fuzzy.h"
#include "problem/problem_data.h"
#include "routing/driver_rules.h"
#include "routing/route_stop.h"

namespace tamso::schedule {

inline double costPerMinuteAt(const Place& place) {
  return place.country ? static_cast<double>(place.country->costPerDay) / 1440.0 : 0.0;
}

inline std::int32_t serviceMinutes(const RouteStop& stop, const ProblemData& problem) {
  if (stop.kind == StopKind::Pickup) return problem.pickupTime;
  if (stop.kind == StopKind::Delivery) return problem.unloadTime;
  return 0;
}

// The driver through a schedule that keeps the driving and rest times: the state after the
// last stop's service and the minutes of breaks and rests on the road to it.
struct Driving {
  DriverState driver;
  std::int32_t restOnRoad = 0;
};

// The stop under the driving and rest times, applied to the likely times: a break or rest
// on the road or at the stop delays all three components by its length. A stop whose
// service no driver may do in one go gets satisfaction -1. `limits`: those of the vehicle's crew.
inline float arriveKeepingRules(const RouteStop& stop, const Place& from, FuzzyTime& time, FuzzyTime& arrival,
                                const ProblemData& problem, Driving& driving, const driving::RuleLimits& limits) {
  const FuzzyTime& travel = problem.travelTime(from, *stop.place);
  const driving::LegTimes leg = driving::driveAndServe(driving.driver, time.likely, travel.likely,
                                                       stop.window ? stop.window->start : driving::noWindow,
                                                       serviceMinutes(stop, problem), nullptr, limits);
  time.add(travel);
  driving.restOnRoad = leg.arrival - time.likely;
  time.addMinutes(driving.restOnRoad);
  arrival = time;
  float satisfaction = 1.0f;
  if (stop.window) {
    satisfaction = static_cast<float>(time.satisfaction(*stop.window));
    time.raiseTo(*stop.window);
  }
  time.addMinutes(leg.serviceStart - time.likely);
  return leg.legal ? satisfaction : -1.0f;
}

// Whether every arrival at `earliest` or later (all three components shifted by the same
// minutes) misses the minimal satisfaction of the window, allowing for the rounding of
// FuzzyTime::satisfaction, which keeps the crossing of the edges in single precision.
inline bool missesFromOn(const FuzzyTime& earliest, const FuzzyWindow& window, double minimalSat) {
  const double m = earliest.likely;
  const double u = earliest.latest;
  const double f = window.fullEnd;
  const double e = window.end;
  if (u <= f) return 1.0 < minimalSat;
  if (m >= e) return 0.0 < minimalSat;
  double satisfaction = 0.0;
  double rounding = 1e-6;
  if (u == m) {
    satisfaction = e == f ? 0.0 : (e - u) / (e - f);
  } else if (e == f) {
    satisfaction = (e - m) / (u - m);
  } else {
    const double x = (e * u - f * m) / (e + u - f - m);
    satisfaction = (x - m) / (u - m);
    rounding += std::ldexp(std::abs(x), -23) / (u - m);
  }
  return satisfaction + rounding < minimalSat;
}

// Whether the stop is missed however the driver keeps the driving and rest times on the
// way: the arrival without breaks, delayed by the least stops the leg needs, is too late.
inline bool missedKeepingRules(const RouteStop& stop, const Place& from, const FuzzyTime& time,
                               const ProblemData& problem, const DriverState& driver,
                               const driving::RuleLimits& limits) {
  if (!stop.window) return false;
  const FuzzyTime& travel = problem.travelTime(from, *stop.place);
  FuzzyTime earliest = time;
  earliest.add(travel);
  if (missesFromOn(earliest, *stop.window, problem.minimalSat)) return true;
  const std::int32_t leastStops = driving::leastStopsOnRoad(driver, time.likely, travel.likely, limits);
  if (leastStops == 0) return false;
  earliest.addMinutes(leastStops);
  return missesFromOn(earliest, *stop.window, problem.minimalSat);
}

// Drives from `from` to the stop's place: `time` becomes the arrival, which is stored in
// `arrival`, and then the time service can start (the window's start when early). Returns
// the arrival's satisfaction; a stop without a window is always satisfied.
inline float arrive(const RouteStop& stop, const Place& from, FuzzyTime& time, FuzzyTime& arrival,
                    const ProblemData& problem) {
  time.add(problem.travelTime(from, *stop.place));
  arrival = time;
  if (!stop.window) return 1.0f;
  const auto satisfaction = static_cast<float>(time.satisfaction(*stop.window));
  time.raiseTo(*stop.window);
  return satisfaction;
}

// `arrive`, keeping the driving and rest times under `limits` when `driving` is given.
inline float arrive(const RouteStop& stop, const Place& from, FuzzyTime& time, FuzzyTime& arrival,
                    const ProblemData& problem, Driving* driving, const driving::RuleLimits& limits) {
  if (driving != nullptr) return arriveKeepingRules(stop, from, time, arrival, problem, *driving, limits);
  return arrive(stop, from, time, arrival, problem);
}

inline bool satisfies(float satisfaction, const ProblemData& problem) {
  return !(static_cast<double>(satisfaction) < problem.minimalSat);
}

// Loading or unloading takes its service minutes; a waiting stop takes none.
inline void serve(const RouteStop& stop, FuzzyTime& time, const ProblemData& problem) {
  if (stop.kind == StopKind::Pickup) time.addMinutes(problem.pickupTime);
  if (stop.kind == StopKind::Delivery) time.addMinutes(problem.unloadTime);
}

// Cost of the minutes from `from` up to the horizon end, at a place.
inline FuzzyValue idleCost(std::int32_t horizonEnd, const FuzzyTime& from, const Place& place) {
  FuzzyValue idle(static_cast<double>(horizonEnd));
  idle.subtract(FuzzyValue(from));
  return idle.multiplied(FuzzyValue(costPerMinuteAt(place)));
}

// The gain of a route without stops: the vehicle stands idle until the horizon end.
inline FuzzyValue emptyRouteGain(const Vehicle& vehicle, const ProblemData& problem) {
  FuzzyValue gain;
  const FuzzyTime startTime = vehicle.startTimeOrZero();
  if (problem.horizonEnd > startTime.latest)
    gain.subtract(idleCost(problem.horizonEnd, startTime, *vehicle.startPlace));
  return gain;
}

// The leg from `from` to the stop, its waiting, its service and, for a delivery, the
// order's price; `shown` is the time the stop is shown to start at. Breaks and rests on the
// road cost what the leg's driving time costs per minute.
inline void addStopGain(FuzzyValue& gain, const RouteStop& stop, const Place& from, const FuzzyTime& arrival,
                        const FuzzyTime& shown, const ProblemData& problem, std::int32_t restOnRoad = 0) {
  const Place& place = *stop.place;
  gain.subtract(problem.distanceCost(from, place));
  gain.subtract(problem.timeCost(from, place));
  if (restOnRoad > 0) {
    const double legPerMinute = (costPerMinuteAt(from) + costPerMinuteAt(place)) / 2.0;
    gain.subtract(FuzzyValue(static_cast<double>(restOnRoad) * legPerMinute));
  }
  const FuzzyValue perMinute(costPerMinuteAt(place));
  if (stop.kind != StopKind::Waiting) {
    gain.subtract(FuzzyValue(FuzzyTime::sortedDifference(shown, arrival)).multiplied(perMinute));
  }
  if (stop.kind == StopKind::Pickup) {
    gain.subtract(FuzzyValue(problem.pickupTime).multiplied(perMinute));
  } else if (stop.kind == StopKind::Delivery) {
    gain.subtract(FuzzyValue(problem.unloadTime).multiplied(perMinute));
    gain.add(FuzzyValue(static_cast<double>(stop.order->price)));
  }
}

// After the last stop the vehicle stands idle until the horizon end.
inline void addIdleGain(FuzzyValue& gain, const RouteStop& last, const FuzzyTime& lastShown,
                        const ProblemData& problem) {
  if (problem.horizonEnd > lastShown.latest) gain.subtract(idleCost(problem.horizonEnd, lastShown, *last.place));
}

}  // namespace tamso::schedule

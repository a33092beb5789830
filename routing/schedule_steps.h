#pragma once
// The steps of a route's schedule and gain, shared by the full evaluation of a route and by
// trial routes (a route's stops with an order put in or taken out, evaluated without
// changing the route). Both go through exactly these steps, in the same order, so that a
// trial gives the same times, satisfactions and gain as the route it stands for, bit for bit.
#include <cstdint>
#include <optional>

#include "problem/fuzzy.h"
#include "problem/problem_data.h"
#include "routing/route_stop.h"

namespace tamso::schedule {

inline double costPerMinuteAt(const Place& place) {
  return place.country ? static_cast<double>(place.country->costPerDay) / 1440.0 : 0.0;
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
// order's price; `shown` is the time the stop is shown to start at.
inline void addStopGain(FuzzyValue& gain, const RouteStop& stop, const Place& from, const FuzzyTime& arrival,
                        const FuzzyTime& shown, const ProblemData& problem) {
  const Place& place = *stop.place;
  gain.subtract(problem.distanceCost(from, place));
  gain.subtract(problem.timeCost(from, place));
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

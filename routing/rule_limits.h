#pragma once
// The limits of the driving and rest times that differ between a vehicle driven by one
// driver and one driven by a crew of two. With two drivers the one not at the wheel takes
// the breaks, so the vehicle makes no break stop; the crew may drive 18 hours (20 hours on
// at most two days a week) between daily rests of 9 hours, each within 30 hours of the end
// of the last. The drivers are taken to share the driving evenly, so that the vehicle's
// weekly and two-weekly driving is twice one driver's. A single service of more than six
// hours stays beyond any crew.
#include <cstdint>

#include "problem/crew.h"

namespace tamso::driving {

struct RuleLimits {
  std::int32_t drivingBeforeBreak;  // driving before a break of 45 minutes is due
  std::int32_t workBeforeBreak;     // driving and service before 30 minutes of breaks are due
  std::int32_t dailyDriving;        // driving between two daily rests
  std::int32_t longDayDriving;      // the same on a long day, at most twice a fixed week
  std::int32_t regularRest;         // a daily rest
  std::int32_t reducedRest;         // a reduced daily rest, at most three times between weekly rests
  std::int32_t firstRestPiece;      // the first piece of a split daily rest
  std::int32_t restWithin;          // the daily rest ends within this from the end of the last rest
  std::int32_t weeklyDriving;       // driving in a fixed week
  std::int32_t twoWeeksDriving;     // driving in two consecutive fixed weeks
};

// A limit nothing reaches: far beyond any count between two rests, far from overflowing.
constexpr std::int32_t neverBinding = 1 << 28;

inline constexpr RuleLimits oneDriver{
    .drivingBeforeBreak = 270,
    .workBeforeBreak = 360,
    .dailyDriving = 9 * 60,
    .longDayDriving = 10 * 60,
    .regularRest = 11 * 60,
    .reducedRest = 9 * 60,
    .firstRestPiece = 3 * 60,
    .restWithin = 24 * 60,
    .weeklyDriving = 56 * 60,
    .twoWeeksDriving = 90 * 60,
};
inline constexpr RuleLimits twoDrivers{
    .drivingBeforeBreak = neverBinding,
    .workBeforeBreak = neverBinding,
    .dailyDriving = 18 * 60,
    .longDayDriving = 20 * 60,
    .regularRest = 9 * 60,
    .reducedRest = 9 * 60,
    .firstRestPiece = neverBinding,  // no split rest
    .restWithin = 30 * 60,
    .weeklyDriving = 112 * 60,
    .twoWeeksDriving = 180 * 60,
};

// The limits of the vehicle's crew (one driver when it has no vehicle type).
inline const RuleLimits& limitsFor(const Vehicle& vehicle) { return driversOf(vehicle) >= 2 ? twoDrivers : oneDriver; }

}  // namespace tamso::driving

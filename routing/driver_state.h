#pragma once
// What the driving and rest times of one driver (Regulation (EC) No 561/2006, Directive
// 2002/15/EC) remember at a moment of a route: the counts since the last break, daily rest
// and weekly rest, and the driving of the fixed weeks. Small and comparable, so that a
// trial schedule that meets a route's own schedule at the same time and in the same state
// knows that everything after it is the same.
#include <cstdint>

namespace tamso {

// Minutes since 1970-01-01 00:00 (a Thursday) in the data's local time.
constexpr std::int32_t minutesPerWeek = 7 * 1440;

// Monday 00:00 of the fixed week (Monday 00:00 to Sunday 24:00) that holds `time`.
constexpr std::int32_t weekStartOf(std::int32_t time) {
  const std::int64_t shifted = static_cast<std::int64_t>(time) + 3 * 1440;  // minutes since a Monday
  std::int64_t weeks = shifted / minutesPerWeek;
  if (shifted % minutesPerWeek < 0) --weeks;
  return static_cast<std::int32_t>(weeks * minutesPerWeek - 3 * 1440);
}

struct DriverState {
  std::int32_t drivingSinceBreak = 0;  // driving minutes since the last 45-minute break
  bool breakStarted = false;           // a first piece of at least 15 minutes of a split break was taken
  std::int32_t workSinceBreak = 0;     // driving and service minutes since the last 30 minutes of breaks
  std::int32_t workBreakMinutes = 0;   // minutes of pieces of at least 15 minutes toward those 30
  std::int32_t drivingToday = 0;       // driving minutes since the end of the last daily or weekly rest
  std::int32_t dutyStart = 0;          // end of the last daily or weekly rest
  bool restStarted = false;            // a first piece of at least 3 hours of a split daily rest was taken
  std::int32_t reducedRests = 0;       // reduced daily rests since the last weekly rest
  std::int32_t longDays = 0;           // days of more than 9 hours of driving that began in dutyStart's week,
                                       // not counting the present one
  std::int32_t weekStart = 0;          // Monday 00:00 of the week weekDriving counts
  std::int32_t weekDriving = 0;        // driving minutes in that fixed week
  std::int32_t lastWeekDriving = 0;    // and in the week before it
  std::int32_t weeklyRestEnd = 0;      // end of the last weekly rest
  bool weeklyRestReduced = false;      // that weekly rest was a reduced one, so the next must be regular

  // A driver at the end of a regular weekly rest at `time`.
  static DriverState rested(std::int32_t time) {
    DriverState state;
    state.dutyStart = time;
    state.weekStart = weekStartOf(time);
    state.weeklyRestEnd = time;
    return state;
  }

  friend bool operator==(const DriverState&, const DriverState&) = default;
};

// What the driver does during a stretch of a route's likely timeline.
enum class ActivityKind : std::int8_t { Drive, Service, Wait, Break, DailyRest, WeeklyRest };

// "drive", "service", "wait", "break", "dailyRest", "weeklyRest".
const char* activityKindName(ActivityKind kind);

struct DriverActivity {
  ActivityKind kind = ActivityKind::Drive;
  std::int32_t start = 0;
  std::int32_t minutes = 0;

  friend bool operator==(const DriverActivity&, const DriverActivity&) = default;
};

}  // namespace tamso

#include "routing/driver_rules.h"

#include <algorithm>
#include <array>

namespace tamso {

const char* activityKindName(ActivityKind kind) {
  switch (kind) {
    case ActivityKind::Drive:
      return "drive";
    case ActivityKind::Service:
      return "service";
    case ActivityKind::Wait:
      return "wait";
    case ActivityKind::Break:
      return "break";
    case ActivityKind::DailyRest:
      return "dailyRest";
    case ActivityKind::WeeklyRest:
      break;
  }
  return "weeklyRest";
}

namespace driving {

namespace {

constexpr std::int32_t drivingBeforeBreak = 270;
constexpr std::int32_t fullBreak = 45;
constexpr std::int32_t secondBreakPiece = 30;
constexpr std::int32_t breakPiece = 15;
constexpr std::int32_t workBeforeBreak = 360;
constexpr std::int32_t workBreak = 30;
constexpr std::int32_t dailyDriving = 540;
constexpr std::int32_t longDayDriving = 600;
constexpr std::int32_t longDaysPerWeek = 2;
constexpr std::int32_t regularRest = 660;
constexpr std::int32_t reducedRest = 540;
constexpr std::int32_t firstRestPiece = 180;
constexpr std::int32_t reducedRestsAllowed = 3;
constexpr std::int32_t restWithin = 1440;
constexpr std::int32_t weeklyDriving = 56 * 60;
constexpr std::int32_t twoWeeksDriving = 90 * 60;
constexpr std::int32_t regularWeeklyRest = 45 * 60;
constexpr std::int32_t reducedWeeklyRest = 24 * 60;
constexpr std::int32_t weeklyRestWithin = 144 * 60;
// More idle stretches than any leg needs: a guard against a state no rest can mend.
constexpr int maxIdles = 1000;

std::int32_t shortestDailyRest(const DriverState& s) {
  return s.restStarted || s.reducedRests < reducedRestsAllowed ? reducedRest : regularRest;
}

std::int32_t shortestWeeklyRest(const DriverState& s) {
  return s.weeklyRestReduced ? regularWeeklyRest : reducedWeeklyRest;
}

// The driver must have stopped working by then, to start the rest that is due in time.
std::int32_t workDeadline(const DriverState& s) {
  return std::min(s.dutyStart + restWithin - shortestDailyRest(s), s.weeklyRestEnd + weeklyRestWithin);
}

std::int32_t dayDrivingLimit(const DriverState& s) {
  return s.drivingToday > dailyDriving || s.longDays < longDaysPerWeek ? longDayDriving : dailyDriving;
}

void rollWeeks(DriverState& s, std::int32_t time) {
  const std::int32_t week = weekStartOf(time);
  if (week == s.weekStart) return;
  s.lastWeekDriving = week == s.weekStart + minutesPerWeek ? s.weekDriving : 0;
  s.weekDriving = 0;
  s.weekStart = week;
}

// Minutes the driver may drive on from `time` (in the state's week) without stopping.
std::int32_t drivingLeft(const DriverState& s, std::int32_t time) {
  std::int32_t left = drivingBeforeBreak - s.drivingSinceBreak;
  left = std::min(left, workBeforeBreak - s.workSinceBreak);
  left = std::min(left, dayDrivingLimit(s) - s.drivingToday);
  left = std::min(left, workDeadline(s) - time);
  left = std::min(left, weeklyDriving - s.weekDriving);
  left = std::min(left, twoWeeksDriving - s.weekDriving - s.lastWeekDriving);
  return left;
}

bool serviceFits(const DriverState& s, std::int32_t time, std::int32_t minutes) {
  return s.workSinceBreak + minutes <= workBeforeBreak && time + minutes <= workDeadline(s);
}

void drive(DriverState& s, std::int32_t minutes) {
  s.drivingSinceBreak += minutes;
  s.workSinceBreak += minutes;
  s.drivingToday += minutes;
  s.weekDriving += minutes;
}

void endDuty(DriverState& s, std::int32_t end) {
  if (s.drivingToday > dailyDriving) ++s.longDays;
  if (weekStartOf(end) != weekStartOf(s.dutyStart)) s.longDays = 0;
  s.dutyStart = end;
  s.drivingToday = 0;
  s.restStarted = false;
  s.drivingSinceBreak = 0;
  s.breakStarted = false;
  s.workSinceBreak = 0;
  s.workBreakMinutes = 0;
}

// What an idle stretch counts as; the state takes it into account.
ActivityKind idle(DriverState& s, std::int32_t start, std::int32_t minutes) {
  ActivityKind kind = ActivityKind::Wait;
  const std::int32_t end = start + minutes;
  const std::int32_t inTime = std::min(minutes, s.dutyStart + restWithin - start);
  const bool regular = inTime >= regularRest || (inTime >= reducedRest && s.restStarted);
  const bool reduced = !regular && inTime >= reducedRest && s.reducedRests < reducedRestsAllowed;
  if (regular || reduced) {
    const bool weekly = start <= s.weeklyRestEnd + weeklyRestWithin && minutes >= shortestWeeklyRest(s);
    endDuty(s, end);
    if (weekly) {
      s.reducedRests = 0;
      s.weeklyRestEnd = end;
      s.weeklyRestReduced = minutes < regularWeeklyRest;
      kind = ActivityKind::WeeklyRest;
    } else {
      if (reduced) ++s.reducedRests;
      kind = ActivityKind::DailyRest;
    }
  } else if (minutes >= breakPiece) {
    if (minutes >= firstRestPiece) s.restStarted = true;
    if (minutes >= fullBreak || (minutes >= secondBreakPiece && s.breakStarted)) {
      s.drivingSinceBreak = 0;
      s.breakStarted = false;
    } else {
      s.breakStarted = true;
    }
    s.workBreakMinutes += minutes;
    if (s.workBreakMinutes >= workBreak) {
      s.workSinceBreak = 0;
      s.workBreakMinutes = 0;
    }
    kind = ActivityKind::Break;
  }
  rollWeeks(s, end);
  return kind;
}

void record(std::vector<DriverActivity>* out, ActivityKind kind, std::int32_t start, std::int32_t minutes) {
  if (out == nullptr || minutes <= 0) return;
  if (kind == ActivityKind::Drive && !out->empty() && out->back().kind == kind &&
      out->back().start + out->back().minutes == start) {
    out->back().minutes += minutes;
    return;
  }
  out->push_back({kind, start, minutes});
}

// The idle lengths worth trying when the driver must stop at `time`, shortest first: the end
// of the break, of the working-time break, a daily rest, a weekly rest, the next fixed week.
struct IdleChoices {
  std::array<std::int32_t, 5> lengths{};
  std::size_t count = 0;

  IdleChoices(const DriverState& s, std::int32_t time) {
    lengths = {s.breakStarted ? secondBreakPiece : fullBreak, std::max(breakPiece, workBreak - s.workBreakMinutes),
               shortestDailyRest(s), shortestWeeklyRest(s), weekStartOf(time) + minutesPerWeek - time};
    std::sort(lengths.begin(), lengths.end());
    count = static_cast<std::size_t>(std::unique(lengths.begin(), lengths.end()) - lengths.begin());
  }
};

struct Moment {
  DriverState state;
  std::int32_t time;
};

// Drives as long as the rules allow, up to `minutes`; returns the minutes left.
std::int32_t driveOn(Moment& m, std::int32_t minutes, std::vector<DriverActivity>* out) {
  while (minutes > 0) {
    rollWeeks(m.state, m.time);
    const std::int32_t weekEnd = m.state.weekStart + minutesPerWeek;
    const std::int32_t chunk = std::min({minutes, drivingLeft(m.state, m.time), weekEnd - m.time});
    if (chunk <= 0) break;
    record(out, ActivityKind::Drive, m.time, chunk);
    drive(m.state, chunk);
    m.time += chunk;
    minutes -= chunk;
  }
  return minutes;
}

// Stops for `length` minutes; false when the driver still may not drive on.
bool stopFor(Moment& m, std::int32_t length, std::vector<DriverActivity>* out) {
  const std::int32_t start = m.time;
  const ActivityKind kind = idle(m.state, start, length);
  record(out, kind, start, length);
  m.time += length;
  return drivingLeft(m.state, m.time) > 0;
}

// Drives `minutes`, stopping each time for the shortest idle stretch after which the driver
// may drive on; false when no stop helps.
bool driveGreedily(Moment& m, std::int32_t minutes) {
  for (int stops = 0; stops < maxIdles; ++stops) {
    minutes = driveOn(m, minutes, nullptr);
    if (minutes == 0) return true;
    const IdleChoices choices(m.state, m.time);
    Moment resumed = m;
    for (std::size_t k = 0; k < choices.count; ++k) {
      resumed = m;
      if (stopFor(resumed, choices.lengths[k], nullptr)) break;
    }
    m = resumed;
  }
  return false;
}

// Drives `minutes`; at each stop the idle stretch is the one after which the rest of the
// leg, driven greedily, arrives first (a rest taken now may spare a break and a rest later).
bool driveLeg(Moment& m, std::int32_t minutes, std::vector<DriverActivity>* out) {
  for (int stops = 0; stops < maxIdles; ++stops) {
    minutes = driveOn(m, minutes, out);
    if (minutes == 0) return true;
    const IdleChoices choices(m.state, m.time);
    std::int32_t best = choices.lengths[choices.count - 1];
    std::int32_t bestArrival = std::numeric_limits<std::int32_t>::max();
    for (std::size_t k = 0; k < choices.count; ++k) {
      Moment trial = m;
      if (!stopFor(trial, choices.lengths[k], nullptr)) continue;
      if (driveGreedily(trial, minutes) && trial.time < bestArrival) {
        bestArrival = trial.time;
        best = choices.lengths[k];
      }
    }
    stopFor(m, best, out);
  }
  return false;
}

// The idle stretch from the arrival before the service: at least the wait for the window,
// longer when the service would otherwise break a rule. Returns its length, 0 and false
// in `fits` when nothing makes the service fit.
std::int32_t idleBeforeService(const Moment& arrived, std::int32_t wait, std::int32_t service, bool& fits) {
  const IdleChoices choices(arrived.state, arrived.time);
  std::array<std::int32_t, 6> lengths{wait};
  for (std::size_t k = 0; k < choices.count; ++k) lengths[k + 1] = std::max(wait, choices.lengths[k]);
  for (std::size_t k = 0; k <= choices.count; ++k) {
    DriverState s = arrived.state;
    idle(s, arrived.time, lengths[k]);
    if (serviceFits(s, arrived.time + lengths[k], service)) {
      fits = true;
      return lengths[k];
    }
  }
  fits = false;
  return wait;
}

}  // namespace

LegTimes driveAndServe(DriverState& state, std::int32_t leave, std::int32_t driveMinutes, std::int32_t openAt,
                       std::int32_t serviceMinutes, std::vector<DriverActivity>* activities) {
  Moment m{state, leave};
  LegTimes times;
  times.legal = driveLeg(m, driveMinutes, activities);
  times.arrival = m.time;
  const std::int32_t wait = openAt == noWindow ? 0 : std::max(0, openAt - m.time);
  bool fits = false;
  const std::int32_t stop = idleBeforeService(m, wait, serviceMinutes, fits);
  times.legal = times.legal && fits;
  if (stop > 0) {
    const ActivityKind kind = idle(m.state, m.time, stop);
    // A plain wait for the window is shown as a wait unless it served as a rest.
    const bool shownAsWait = stop == wait && kind == ActivityKind::Break;
    record(activities, shownAsWait ? ActivityKind::Wait : kind, m.time, stop);
    m.time += stop;
  }
  times.serviceStart = m.time;
  record(activities, ActivityKind::Service, m.time, serviceMinutes);
  m.state.workSinceBreak += serviceMinutes;
  m.time += serviceMinutes;
  rollWeeks(m.state, m.time);
  state = m.state;
  return times;
}

}  // namespace driving

}  // namespace tamso

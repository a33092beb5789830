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

constexpr std::int32_t fullBreak = 45;
constexpr std::int32_t secondBreakPiece = 30;
constexpr std::int32_t breakPiece = 15;
constexpr std::int32_t workBreak = 30;
// The longest service one driver, or a crew, may do in one go.
constexpr std::int32_t longestService = 360;
constexpr std::int32_t longDaysPerWeek = 2;
constexpr std::int32_t reducedRestsAllowed = 3;
constexpr std::int32_t regularWeeklyRest = 45 * 60;
constexpr std::int32_t reducedWeeklyRest = 24 * 60;
constexpr std::int32_t weeklyRestWithin = 144 * 60;
// More idle stretches than any leg needs: a guard against a state no rest can mend.
constexpr int maxIdles = 1000;

template <const RuleLimits& l>
std::int32_t shortestDailyRest(const DriverState& s) {
  return s.restStarted || s.reducedRests < reducedRestsAllowed ? l.reducedRest : l.regularRest;
}

std::int32_t shortestWeeklyRest(const DriverState& s) {
  return s.weeklyRestReduced ? regularWeeklyRest : reducedWeeklyRest;
}

// The driver must have stopped working by then, to start the rest that is due in time.
template <const RuleLimits& l>
std::int32_t workDeadline(const DriverState& s) {
  return std::min(s.dutyStart + l.restWithin - shortestDailyRest<l>(s), s.weeklyRestEnd + weeklyRestWithin);
}

template <const RuleLimits& l>
std::int32_t dayDrivingLimit(const DriverState& s) {
  return s.drivingToday > l.dailyDriving || s.longDays < longDaysPerWeek ? l.longDayDriving : l.dailyDriving;
}

void rollWeeks(DriverState& s, std::int32_t time) {
  if (time >= s.weekStart && time - s.weekStart < minutesPerWeek) return;
  const std::int32_t week = weekStartOf(time);
  if (week == s.weekStart) return;
  s.lastWeekDriving = week == s.weekStart + minutesPerWeek ? s.weekDriving : 0;
  s.weekDriving = 0;
  s.weekStart = week;
}

// Minutes the driver may drive on from `time` (in the state's week) without stopping.
template <const RuleLimits& l>
std::int32_t drivingLeft(const DriverState& s, std::int32_t time) {
  std::int32_t left = l.drivingBeforeBreak - s.drivingSinceBreak;
  left = std::min(left, l.workBeforeBreak - s.workSinceBreak);
  left = std::min(left, dayDrivingLimit<l>(s) - s.drivingToday);
  left = std::min(left, workDeadline<l>(s) - time);
  left = std::min(left, l.weeklyDriving - s.weekDriving);
  left = std::min(left, l.twoWeeksDriving - s.weekDriving - s.lastWeekDriving);
  return left;
}

template <const RuleLimits& l>
bool serviceFits(const DriverState& s, std::int32_t time, std::int32_t minutes) {
  return minutes <= longestService && s.workSinceBreak + minutes <= l.workBeforeBreak &&
         time + minutes <= workDeadline<l>(s);
}

void drive(DriverState& s, std::int32_t minutes) {
  s.drivingSinceBreak += minutes;
  s.workSinceBreak += minutes;
  s.drivingToday += minutes;
  s.weekDriving += minutes;
}

template <const RuleLimits& l>
void endDuty(DriverState& s, std::int32_t end) {
  if (s.drivingToday > l.dailyDriving) ++s.longDays;
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
template <const RuleLimits& l>
ActivityKind idle(DriverState& s, std::int32_t start, std::int32_t minutes) {
  ActivityKind kind = ActivityKind::Wait;
  const std::int32_t end = start + minutes;
  const std::int32_t inTime = std::min(minutes, s.dutyStart + l.restWithin - start);
  const bool regular = inTime >= l.regularRest || (inTime >= l.reducedRest && s.restStarted);
  const bool reduced = !regular && inTime >= l.reducedRest && s.reducedRests < reducedRestsAllowed;
  if (regular || reduced) {
    const bool weekly = start <= s.weeklyRestEnd + weeklyRestWithin && minutes >= shortestWeeklyRest(s);
    endDuty<l>(s, end);
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
    if (minutes >= l.firstRestPiece) s.restStarted = true;
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

// The idle lengths worth trying before a service, shortest first: the end of the break, of
// the working-time break, a daily rest, a weekly rest.
template <const RuleLimits& l>
struct IdleChoices {
  std::array<std::int32_t, 4> lengths{};

  explicit IdleChoices(const DriverState& s) {
    lengths = {s.breakStarted ? secondBreakPiece : fullBreak, std::max(breakPiece, workBreak - s.workBreakMinutes),
               shortestDailyRest<l>(s), shortestWeeklyRest(s)};
    std::sort(lengths.begin(), lengths.end());
  }
};

struct Moment {
  DriverState state;
  std::int32_t time;
};

// The shortest stop after which a driver who may drive no further at `time` may drive on:
// a weekly rest when it is due, a daily rest when the day's driving or duty is used up,
// the next fixed week when the week's driving is, else the break or working-time break.
template <const RuleLimits& l>
std::int32_t blockingStop(const DriverState& s, std::int32_t time) {
  const bool weekUsedUp = s.weekDriving >= l.weeklyDriving || s.weekDriving + s.lastWeekDriving >= l.twoWeeksDriving;
  const std::int32_t untilNextWeek = weekUsedUp ? s.weekStart + minutesPerWeek - time : 0;
  if (time >= s.weeklyRestEnd + weeklyRestWithin) return std::max(shortestWeeklyRest(s), untilNextWeek);
  if (s.drivingToday >= dayDrivingLimit<l>(s) || time >= s.dutyStart + l.restWithin - shortestDailyRest<l>(s)) {
    return std::max(shortestDailyRest<l>(s), untilNextWeek);
  }
  if (weekUsedUp) return untilNextWeek;
  std::int32_t stop = 0;
  if (s.drivingSinceBreak >= l.drivingBeforeBreak) stop = s.breakStarted ? secondBreakPiece : fullBreak;
  if (s.workSinceBreak >= l.workBeforeBreak)
    stop = std::max(stop, std::max(breakPiece, workBreak - s.workBreakMinutes));
  return stop;
}

// The blocking stop, made a daily or weekly rest when it would end after the rest is due.
template <const RuleLimits& l>
std::int32_t requiredStop(const DriverState& s, std::int32_t time) {
  std::int32_t stop = blockingStop<l>(s, time);
  if (time + stop > s.dutyStart + l.restWithin - shortestDailyRest<l>(s))
    stop = std::max(stop, shortestDailyRest<l>(s));
  if (time + stop > s.weeklyRestEnd + weeklyRestWithin) stop = std::max(stop, shortestWeeklyRest(s));
  return stop;
}

// Drives as long as the rules allow, up to `minutes`; returns the minutes left.
template <const RuleLimits& l>
std::int32_t driveOn(Moment& m, std::int32_t minutes, std::vector<DriverActivity>* out) {
  while (minutes > 0) {
    rollWeeks(m.state, m.time);
    const std::int32_t untilWeekEnd = m.state.weekStart + minutesPerWeek - m.time;
    const std::int32_t left = drivingLeft<l>(m.state, m.time);
    const std::int32_t chunk = std::min({minutes, left, untilWeekEnd});
    if (chunk <= 0) break;
    record(out, ActivityKind::Drive, m.time, chunk);
    drive(m.state, chunk);
    m.time += chunk;
    minutes -= chunk;
    // Driven up to the nearest limit within the week: no driving is left before a stop.
    if (chunk == left && chunk < untilWeekEnd) break;
  }
  return minutes;
}

// Stops for `length` minutes; returns what the stop counted as.
template <const RuleLimits& l>
ActivityKind stopFor(Moment& m, std::int32_t length, std::vector<DriverActivity>* out) {
  const std::int32_t start = m.time;
  const ActivityKind kind = idle<l>(m.state, start, std::max(length, 1));
  record(out, kind, start, std::max(length, 1));
  m.time += std::max(length, 1);
  return kind;
}

constexpr std::int32_t noArrival = std::numeric_limits<std::int32_t>::max();

template <const RuleLimits& l>
std::int32_t leastStops(const DriverState& state, std::int32_t leave, std::int32_t driveMinutes);

// Where driving on greedily from a stop of a leg leads: the stops taken after it, each the
// required stop where the driver may drive no further, and the arrival. The leg goes on along this way stop by stop
// until it rests otherwise, so a later choice on the way knows where going on greedily
// arrives without driving it again.
struct GreedyWay {
  static constexpr int room = 48;
  std::array<ActivityKind, room> kinds;  // only the first count are written and read
  int count = 0;                         // stops after the first; more than room: the way is not kept
  int at = -1;                           // the stop of kinds the leg is at; -1: the first, which kinds leaves out
  int lastChoice = -1;                   // the last stop that is a rest or shorter than a full break
  std::int32_t arrival = noArrival;
  DriverState driver;  // at the arrival

  bool kept() const { return count <= room; }
  // The leg is at one of the way's stops.
  bool holdsStop() const { return kept() && at >= 0 && at < count; }
  // From the stop the leg is at on, every stop is a full break: no rest taken instead arrives
  // earlier, so the leg goes on along the way to its arrival.
  bool onlyBreaksLeft() const { return holdsStop() && lastChoice < at; }
  void add(ActivityKind kind, std::int32_t length) {
    if (count < room) kinds[static_cast<std::size_t>(count)] = kind;
    if (kind > ActivityKind::Break || length < fullBreak) lastChoice = count;
    ++count;
  }
  // The longest kind of stop after the one the leg is at.
  ActivityKind longestAfterThisStop() const {
    ActivityKind longest = ActivityKind::Wait;
    for (int k = at + 1; k < count; ++k) longest = std::max(longest, kinds[static_cast<std::size_t>(k)]);
    return longest;
  }
};

// Whether a driver just off a full break may drive 4 h 30 and then must stop for exactly a
// 45-minute break, with the day's and the week's driving and the time before the next rest
// or the next fixed week all to spare.
template <const RuleLimits& l>
bool wholeStretchFollows(const DriverState& s, std::int32_t time, std::int32_t minutes) {
  const bool offFullBreak =
      s.drivingSinceBreak == 0 && !s.breakStarted && s.workSinceBreak == 0 && s.workBreakMinutes == 0;
  if (!offFullBreak || minutes <= l.drivingBeforeBreak) return false;
  const std::int32_t driven = s.drivingToday + l.drivingBeforeBreak;
  const std::int32_t resumes = time + l.drivingBeforeBreak + fullBreak;
  return driven < l.dailyDriving + (s.longDays < longDaysPerWeek ? l.longDayDriving - l.dailyDriving : 0) &&
         resumes <= workDeadline<l>(s) && resumes < s.weekStart + minutesPerWeek &&
         s.weekDriving + l.drivingBeforeBreak < l.weeklyDriving &&
         s.weekDriving + s.lastWeekDriving + l.drivingBeforeBreak < l.twoWeeksDriving;
}

// Drives `minutes` from `m`, stopping each time for the required stop; the way has
// noArrival when no stop helps. Whole stretches of 4 h 30 and a 45-minute break are driven
// in one step each where nothing else binds.
template <const RuleLimits& l>
GreedyWay greedyWayFrom(Moment m, std::int32_t minutes) {
  GreedyWay way;
  for (int stops = 0; stops < maxIdles; ++stops) {
    if (wholeStretchFollows<l>(m.state, m.time, minutes)) {
      m.state.drivingToday += l.drivingBeforeBreak;
      m.state.weekDriving += l.drivingBeforeBreak;
      m.time += l.drivingBeforeBreak + fullBreak;
      minutes -= l.drivingBeforeBreak;
      way.add(ActivityKind::Break, fullBreak);
      continue;
    }
    minutes = driveOn<l>(m, minutes, nullptr);
    if (minutes == 0) {
      way.arrival = m.time;
      way.driver = m.state;
      return way;
    }
    const std::int32_t stop = requiredStop<l>(m.state, m.time);
    way.add(stopFor<l>(m, stop, nullptr), stop);
  }
  return way;
}

// Stops for `length` minutes, then greedyWayFrom.
template <const RuleLimits& l>
GreedyWay greedyWayAfter(Moment m, std::int32_t length, std::int32_t minutes) {
  stopFor<l>(m, length, nullptr);
  return greedyWayFrom<l>(m, minutes);
}

// Whether driving `minutes` from `time` on may need a daily or weekly rest on the way: more
// than the day's driving left, or too little time left before a rest is due for the driving
// and its breaks.
template <const RuleLimits& l>
bool mayNeedRest(const DriverState& s, std::int32_t time, std::int32_t minutes) {
  if (minutes > dayDrivingLimit<l>(s) - s.drivingToday) return true;
  const std::int32_t breaks = (minutes / l.drivingBeforeBreak + 1) * fullBreak;
  return time + minutes + breaks > workDeadline<l>(s);
}

// Drives `minutes`. Where the driver must stop, the required stop is taken unless the rest
// of the leg would need a rest anyway and resting at once arrives earlier (a rest taken now
// spares the break and the hour of a long day before it).
template <const RuleLimits& l>
bool driveLeg(Moment& m, std::int32_t minutes, std::vector<DriverActivity>* out) {
  GreedyWay way;
  for (int stops = 0; stops < maxIdles; ++stops) {
    minutes = driveOn<l>(m, minutes, out);
    if (minutes == 0) return true;
    if (out == nullptr && way.onlyBreaksLeft()) {
      m = {way.driver, way.arrival};
      return true;
    }
    std::int32_t stop = requiredStop<l>(m.state, m.time);
    // A working-time break shorter than the driving break, with the driving break due on the way.
    const bool breakDue = stop < (m.state.breakStarted ? secondBreakPiece : fullBreak) &&
                          minutes > l.drivingBeforeBreak - m.state.drivingSinceBreak;
    if (stop < shortestDailyRest<l>(m.state) && (breakDue || mayNeedRest<l>(m.state, m.time + stop, minutes))) {
      // Going on greedily from here: known when the leg is on the way an earlier choice took.
      if (!way.holdsStop()) way = greedyWayAfter<l>(m, stop, minutes);
      const ActivityKind longest = way.longestAfterThisStop();
      const std::array<std::pair<std::int32_t, ActivityKind>, 3> rests = {
          {{m.state.breakStarted ? secondBreakPiece : fullBreak, ActivityKind::Break},
           {shortestDailyRest<l>(m.state), ActivityKind::DailyRest},
           {shortestWeeklyRest(m.state), ActivityKind::WeeklyRest}}};
      for (const auto& [rest, kind] : rests) {
        if (longest < kind) break;
        if (rest <= stop) continue;
        Moment rested = m;
        stopFor<l>(rested, rest, nullptr);
        // Not tried when the least stops after the rest already arrive no earlier.
        if (rested.time + minutes + leastStops<l>(rested.state, rested.time, minutes) >= way.arrival) continue;
        const GreedyWay resting = greedyWayFrom<l>(rested, minutes);
        if (resting.arrival < way.arrival) {
          way = resting;
          stop = rest;
        }
      }
    }
    stopFor<l>(m, stop, out);
    ++way.at;
  }
  return false;
}

// The idle stretch from the arrival before the service: at least the wait for the window,
// longer when the service would otherwise break a rule.
struct IdleBeforeService {
  std::int32_t minutes = 0;
  ActivityKind kind = ActivityKind::Wait;  // what the stretch counted as
  DriverState state;                       // the driver after it
  bool fits = true;                        // false when no stretch makes the service fit
};

template <const RuleLimits& l>
IdleBeforeService idleBeforeService(const Moment& arrived, std::int32_t wait, std::int32_t service) {
  IdleBeforeService result{0, ActivityKind::Wait, arrived.state, true};
  if (wait == 0 && serviceFits<l>(arrived.state, arrived.time, service)) return result;
  auto idleFor = [&](std::int32_t minutes) {
    result.state = arrived.state;
    result.kind = idle<l>(result.state, arrived.time, minutes);
    result.minutes = minutes;
    return serviceFits<l>(result.state, arrived.time + minutes, service);
  };
  if (idleFor(wait)) return result;
  for (const std::int32_t choice : IdleChoices<l>(arrived.state).lengths) {
    if (choice > wait && idleFor(choice)) return result;
  }
  idleFor(wait);
  result.fits = false;
  return result;
}

template <const RuleLimits& l>
std::int32_t leastStops(const DriverState& state, std::int32_t leave, std::int32_t driveMinutes) {
  if (driveMinutes <= drivingLeft<l>(state, leave)) return 0;
  // Nothing is counted for the week's driving: where only that stops the driver, the next
  // fixed week may begin on the way.
  std::int32_t least = 0;
  // Each 4 h 30 of driving needs 45 minutes of breaks (30 when the first piece was taken).
  const std::int32_t beforeBreak = l.drivingBeforeBreak - state.drivingSinceBreak;
  if (driveMinutes > beforeBreak) {
    const std::int32_t later = (driveMinutes - std::max(beforeBreak, 0) - 1) / l.drivingBeforeBreak;
    least = (state.breakStarted ? secondBreakPiece : fullBreak) + later * fullBreak;
  }
  // Driving on after the day's driving, or on past the time the daily or weekly rest is due,
  // takes a daily rest first.
  if (driveMinutes > dayDrivingLimit<l>(state) - state.drivingToday ||
      leave + driveMinutes + least > workDeadline<l>(state)) {
    least = std::max(least, l.reducedRest);
  }
  return least;
}

template <const RuleLimits& l>
LegTimes driveAndServeUnder(DriverState& state, std::int32_t leave, std::int32_t driveMinutes, std::int32_t openAt,
                            std::int32_t serviceMinutes, std::vector<DriverActivity>* activities) {
  Moment m{state, leave};
  LegTimes times;
  times.legal = driveLeg<l>(m, driveMinutes, activities);
  times.arrival = m.time;
  const std::int32_t wait = openAt == noWindow ? 0 : std::max(0, openAt - m.time);
  const IdleBeforeService stop = idleBeforeService<l>(m, wait, serviceMinutes);
  times.legal = times.legal && stop.fits;
  if (stop.minutes > 0) {
    m.state = stop.state;
    // A plain wait for the window is shown as a wait unless it served as a rest.
    const bool shownAsWait = stop.minutes == wait && stop.kind == ActivityKind::Break;
    record(activities, shownAsWait ? ActivityKind::Wait : stop.kind, m.time, stop.minutes);
    m.time += stop.minutes;
  }
  times.serviceStart = m.time;
  record(activities, ActivityKind::Service, m.time, serviceMinutes);
  m.state.workSinceBreak += serviceMinutes;
  m.time += serviceMinutes;
  rollWeeks(m.state, m.time);
  state = m.state;
  return times;
}

}  // namespace

// Each crew's limits are constants of their own instance, so that a driver's leg costs no
// more than it would with the limits written into the rules.
std::int32_t leastStopsOnRoad(const DriverState& state, std::int32_t leave, std::int32_t driveMinutes,
                              const RuleLimits& limits) {
  if (&limits == &twoDrivers) return leastStops<twoDrivers>(state, leave, driveMinutes);
  return leastStops<oneDriver>(state, leave, driveMinutes);
}

LegTimes driveAndServe(DriverState& state, std::int32_t leave, std::int32_t driveMinutes, std::int32_t openAt,
                       std::int32_t serviceMinutes, std::vector<DriverActivity>* activities, const RuleLimits& limits) {
  if (&limits == &twoDrivers) {
    return driveAndServeUnder<twoDrivers>(state, leave, driveMinutes, openAt, serviceMinutes, activities);
  }
  return driveAndServeUnder<oneDriver>(state, leave, driveMinutes, openAt, serviceMinutes, activities);
}

}  // namespace driving

}  // namespace tamso

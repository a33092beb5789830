#include "problem/local_clock.h"

#include <ctime>
#include <initializer_list>
#include <limits>

namespace tamso {
namespace {

constexpr std::int64_t secondsPerDay = 86400;

// Days from 1970-01-01 to the given proleptic Gregorian date, month 1 to 12.
std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// The broken-down local time of `seconds`, as wall-clock seconds since 1970-01-01 00:00,
// and the zone's offset at that moment; false when the time cannot be broken down.
bool localWallClock(std::int64_t seconds, std::int64_t& wallSeconds, long& offset) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm calendar{};
  if (localtime_r(&t, &calendar) == nullptr) return false;
  const std::int64_t days = daysFromCivil(std::int64_t{calendar.tm_year} + 1900, calendar.tm_mon + 1, calendar.tm_mday);
  wallSeconds = days * secondsPerDay + calendar.tm_hour * 3600 + calendar.tm_min * 60 + calendar.tm_sec;
  offset = calendar.tm_gmtoff;
  return true;
}

// True when `seconds` shows `wallSeconds` on the local clock and the zone keeps one offset
// for a day either side: then no other moment shows that wall-clock time, and the standard
// conversion would give this one.
bool onlyMomentShowing(std::int64_t seconds, std::int64_t wallSeconds) {
  std::int64_t shown = 0;
  long offset = 0;
  if (!localWallClock(seconds, shown, offset) || shown != wallSeconds) return false;
  for (const std::int64_t neighbour : {seconds - secondsPerDay, seconds + secondsPerDay}) {
    std::int64_t ignored = 0;
    long neighbourOffset = 0;
    if (!localWallClock(neighbour, ignored, neighbourOffset) || neighbourOffset != offset) return false;
  }
  return true;
}

// The offset (wall clock minus universal time, in seconds) of the last date converted.
thread_local std::int64_t lastOffset = 0;
thread_local bool haveLastOffset = false;

}  // namespace

std::int64_t wallClockMinutes(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                              std::int64_t minute) {
  // Months beyond 1..12 carry into the year, as in the standard conversion.
  std::int64_t monthIndex = month - 1;
  std::int64_t carried = monthIndex / 12;
  monthIndex %= 12;
  if (monthIndex < 0) {
    monthIndex += 12;
    --carried;
  }
  const std::int64_t days = daysFromCivil(year + carried, monthIndex + 1, 1) + day - 1;
  return days * 1440 + hour * 60 + minute;
}

std::int64_t localWallClockToEpochSeconds(std::int64_t wallMinutes) {
  const std::int64_t wallSeconds = wallMinutes * 60;
  if (haveLastOffset && onlyMomentShowing(wallSeconds - lastOffset, wallSeconds)) return wallSeconds - lastOffset;
  // Near a change of offset, or the first date: the standard conversion decides.
  const std::int64_t days = (wallMinutes >= 0 ? wallMinutes : wallMinutes - 1439) / 1440;
  const std::int64_t minuteOfDay = wallMinutes - days * 1440;
  std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t dayOfEra = z - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  if (year - 1900 < std::numeric_limits<int>::min() || year - 1900 > std::numeric_limits<int>::max()) return -1;
  std::tm calendar{};
  calendar.tm_year = static_cast<int>(year - 1900);
  calendar.tm_mon = static_cast<int>(month - 1);
  calendar.tm_mday = static_cast<int>(day);
  calendar.tm_hour = static_cast<int>(minuteOfDay / 60);
  calendar.tm_min = static_cast<int>(minuteOfDay % 60);
  calendar.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&calendar);
  if (seconds == static_cast<std::time_t>(-1)) return -1;
  lastOffset = wallSeconds - static_cast<std::int64_t>(seconds);
  haveLastOffset = true;
  return seconds;
}

void refreshLocalTimeZone() {
  tzset();
  haveLastOffset = false;
}

}  // namespace tamso

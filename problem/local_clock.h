#pragma once
// Conversion of local calendar times to seconds since the epoch, with the same results as
// the standard local-time conversion (mktime with the daylight-saving flag left to the
// date), but without consulting the zone's files for every date read.
#include <cstdint>

namespace tamso {

// Minutes from 1970-01-01 00:00 to the given wall-clock time, all fields taken as they
// stand and carried over like the standard conversion does (month 13 is January of the
// next year, minute 61 is one past the next hour). Month and day count from 1.
std::int64_t wallClockMinutes(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                              std::int64_t minute);

// Seconds since the epoch of a local wall-clock time given in minutes as above, or -1 when
// the conversion refuses it. Dates away from a change of the zone's offset are converted
// by the offset of the previous date; everything else goes to mktime.
std::int64_t localWallClockToEpochSeconds(std::int64_t wallMinutes);

// Makes the next conversions follow the current time zone (after TZ changed, or once per
// load to notice a changed zone file).
void refreshLocalTimeZone();

}  // namespace tamso

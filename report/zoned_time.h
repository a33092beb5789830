#pragma once
// Times of the plan reports that any reader can place: the local time of a minute with its
// offset from UTC ("2024-03-04T08:00+01:00"), and the name of the local time zone the
// planner ran in. Times in the problem are minutes since the epoch read in local time.
#include <cstdint>
#include <string>

namespace tamso {

// "%Y-%m-%dT%H:%M" of the minute in local time followed by "+HH:MM" or "-HH:MM".
std::string zonedDateTime(std::int32_t minutes);

// The local zone: the TZ setting when one is given ("UTC" for an empty one), else the zone database name that
// /etc/localtime points at, else the name in /etc/timezone, else the zone's abbreviation.
std::string localTimeZoneName();

}  // namespace tamso

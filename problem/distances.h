#pragma once
// Distances and travel times between places, computed once per load into the tables of
// the problem; everything after loading looks them up.
#include "problem/entities.h"
#include "problem/fuzzy.h"

namespace tamso {

struct ProblemData;

constexpr double earthRadiusKm = 6378.0;
constexpr double piApprox = 3.1415926535;
constexpr double averageSpeedKmPerMinute = 1.3333333333333333;  // 80 km/h
constexpr int minutesPerDay = 1440;

// Kilometres between two places: the longitude and latitude differences (each wrapped
// once into [-180, 180]) taken as the legs of a right spherical triangle. -1 when q is absent.
float sphericalDistance(const Place& p, const Place* q);

// Driving minutes between two places at the average speed, spread by `fuzziness` to
// (t(1 - f), t, t(1 + f)), each truncated toward zero; all zero for the same spot.
FuzzyTime fuzzyTravelTime(const Place& p, const Place& q, double fuzziness);

// Fills both tables for every pair of numbered places, symmetric, using the problem's
// travel-time fuzziness.
void fillDistanceTables(ProblemData& problem);

}  // namespace tamso

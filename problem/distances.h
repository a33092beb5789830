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

// The road rule without a distance file: road km = great-circle km x detour factor, driven
// at the average speed. The defaults are the flat 80 km/h on the great circle.
constexpr double defaultDetourFactor = 1.0;
constexpr double defaultAverageSpeed = 80.0;  // km/h
constexpr double minDetourFactor = 1.0;
constexpr double maxDetourFactor = 3.0;
constexpr double minAverageSpeed = 10.0;
constexpr double maxAverageSpeed = 130.0;

// Kilometres between two places: the longitude and latitude differences (each wrapped
// once into [-180, 180]) taken as the legs of a right spherical triangle. -1 when q is absent.
float sphericalDistance(const Place& p, const Place* q);

// `minutes` of driving spread by `fuzziness` to (t(1 - f), t, t(1 + f)), each truncated
// toward zero.
FuzzyTime fuzzedTravelTime(double minutes, double fuzziness);

// Driving minutes between two places at 80 km/h on the great circle, spread by
// `fuzziness`; all zero for the same spot.
FuzzyTime fuzzyTravelTime(const Place& p, const Place& q, double fuzziness);

// Fills both tables for every pair of numbered places by the road rule of the problem's
// detour factor and average speed (the same both ways), using its travel-time fuzziness.
void fillDistanceTables(ProblemData& problem);

}  // namespace tamso

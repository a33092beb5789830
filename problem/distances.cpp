#include "problem/distances.h"

#include <cmath>

#include "problem/problem_data.h"

namespace tamso {

namespace {

double wrappedDegrees(double d) {
  if (d < -180.0) d += 360.0;
  if (d > 180.0) d -= 360.0;
  return d;
}

double radians(double degrees) { return degrees * piApprox / 180.0; }

}  // namespace

float sphericalDistance(const Place& p, const Place* q) {
  if (q == nullptr) return -1.0f;
  const double dLongitude = radians(wrappedDegrees(static_cast<double>(p.longitude) - q->longitude));
  const double dLatitude = radians(wrappedDegrees(static_cast<double>(p.latitude) - q->latitude));
  const double c = std::cos(dLongitude) * std::cos(dLatitude);
  return static_cast<float>(2.0 * earthRadiusKm * std::asin(std::sqrt((1.0 - c) / 2.0)));
}

FuzzyTime fuzzyTravelTime(const Place& p, const Place& q, double fuzziness) {
  const float d = sphericalDistance(p, &q);
  if (d == 0.0f) return {};
  const double t = d / averageSpeedKmPerMinute;
  return {static_cast<std::int32_t>(t * (1.0 - fuzziness)), static_cast<std::int32_t>(t),
          static_cast<std::int32_t>(t * (1.0 + fuzziness))};
}

void fillDistanceTables(ProblemData& problem) {
  const auto n = problem.places.size();
  const auto width = static_cast<std::size_t>(ProblemData::maxPlaces);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i; j < n; ++j) {
      const Place& a = problem.places[i];
      const Place& b = problem.places[j];
      const float d = sphericalDistance(a, &b);
      problem.distanceTable[j * width + i] = d;
      problem.distanceTable[i * width + j] = d;
      const FuzzyTime t = fuzzyTravelTime(a, b, problem.travelTimeFuzzines);
      problem.travelTimeTable[j * width + i] = t;
      problem.travelTimeTable[i * width + j] = t;
    }
  }
}

}  // namespace tamso

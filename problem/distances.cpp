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

FuzzyTime fuzzedTravelTime(double minutes, double fuzziness) {
  return {static_cast<std::int32_t>(minutes * (1.0 - fuzziness)), static_cast<std::int32_t>(minutes),
          static_cast<std::int32_t>(minutes * (1.0 + fuzziness))};
}

FuzzyTime fuzzyTravelTime(const Place& p, const Place& q, double fuzziness) {
  const float d = sphericalDistance(p, &q);
  if (d == 0.0f) return {};
  return fuzzedTravelTime(d / averageSpeedKmPerMinute, fuzziness);
}

// The default speed in km per minute is the very constant every plan was made with, so a
// problem without the new parameters keeps its travel times to the minute.
static_assert(defaultAverageSpeed / 60.0 == averageSpeedKmPerMinute);

void fillDistanceTables(ProblemData& problem) {
  const auto n = problem.places.size();
  problem.sizeLegTables(static_cast<std::int32_t>(n));
  const double kmPerMinute = problem.averageSpeed / 60.0;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i; j < n; ++j) {
      const Place& a = problem.places[i];
      const Place& b = problem.places[j];
      const auto d = static_cast<float>(static_cast<double>(sphericalDistance(a, &b)) * problem.detourFactor);
      const FuzzyTime t = d == 0.0f ? FuzzyTime{} : fuzzedTravelTime(d / kmPerMinute, problem.travelTimeFuzzines);
      problem.setLeg(a, b, d, t);
      problem.setLeg(b, a, d, t);
    }
  }
}

}  // namespace tamso

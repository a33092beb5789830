#include "core/geometry.h"

#include <cmath>
#include <limits>

namespace tamso {

float pointDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  // Wrapping 32-bit arithmetic, done unsigned so that overflow stays defined.
  const auto dx = static_cast<std::uint32_t>(x1) - static_cast<std::uint32_t>(x2);
  const auto dy = static_cast<std::uint32_t>(y1) - static_cast<std::uint32_t>(y2);
  const auto sum = static_cast<std::int32_t>(dx * dx + dy * dy);
  return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

bool nearlyFlat(float s) { return s > -0.2f && s < 0.2f; }

std::int32_t signOf(float x) { return x > 0 ? 1 : -1; }

std::int32_t roundHalfUp(float x) {
  const double value = x;
  const double floorValue = std::floor(value);
  const std::int32_t base = truncToInt(floorValue);
  return (value - floorValue < 0.5) ? base : base + 1;
}

IntPoint stepToward(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, float d) {
  if (x1 == x2) {
    const std::int32_t step = truncToInt(d);
    return {x1, y2 > y1 ? y1 + step : y1 - step};
  }
  float s = static_cast<float>(y2 - y1) / static_cast<float>(x2 - x1);
  if (nearlyFlat(s)) s = 0.0f;
  const float dx = absoluteValue(d / std::sqrt(square(s) + 1.0f));
  const float dy = absoluteValue(dx * s);
  const std::int32_t sign = signOf(d);
  const std::int32_t x = x2 > x1 ? x1 + roundHalfUp(dx) * sign : x1 - roundHalfUp(dx) * sign;
  const std::int32_t y = y2 > y1 ? y1 + roundHalfUp(dy) * sign : y1 - roundHalfUp(dy) * sign;
  return {x, y};
}

std::int32_t truncToInt(double v) {
  if (!std::isfinite(v)) return 0;
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  if (v <= lo) return std::numeric_limits<std::int32_t>::min();
  if (v >= hi) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(v);
}

}  // namespace tamso

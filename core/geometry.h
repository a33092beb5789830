#pragma once
// Small integer and single-precision geometry helpers of the map: calibration,
// projection, route bands and hit tests all rely on their exact rounding.
#include <cstdint>

namespace tamso {

struct IntPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

inline float square(float x) { return x * x; }
inline std::int32_t square(std::int32_t x) { return x * x; }
inline float absoluteValue(float x) { return x > 0 ? x : -x; }

// sqrt((x1-x2)^2 + (y1-y2)^2) with the squares and their sum in 32-bit integers.
float pointDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
// True exactly when -0.2 < s < 0.2.
bool nearlyFlat(float s);
// +1 for x > 0, else -1 (zero gives -1).
std::int32_t signOf(float x);
// floor(x) when the fraction (in double precision) is below 0.5, else floor(x) + 1.
std::int32_t roundHalfUp(float x);
// The integer point d pixels from (x1, y1) along the line towards (x2, y2).
IntPoint stepToward(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, float d);
// Truncation toward zero of a float to a 32-bit integer that never overflows:
// values that are not finite give 0, values out of range are clamped.
std::int32_t truncToInt(double v);

}  // namespace tamso

#pragma once
// The numbers of the plan reports (text, JSON, CSV) written one way everywhere: two
// decimals, rounded half away from zero. A single-precision figure is first taken at its
// shortest decimal form, so a gain stored as 1730.63525390625 reads 1730.64 and one read
// as 0.95 (stored 0.949999988) does not become 0.94.
#include <string>

namespace tamso {

// The float as the shortest decimal that reads back as the same float.
double decimalOf(float value);

// Two decimals, rounded half away from zero, with a digit before the point:
// 1.005 gives "1.01", -0.125 gives "-0.13", 0 gives "0.00". Not-a-number gives "nan".
std::string roundedTwoDecimals(double value);

// roundedTwoDecimals as a number, for JSON: 1730.64, not 1730.63525390625.
double roundedToCents(double value);

}  // namespace tamso

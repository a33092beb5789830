#include "report/report_numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tamso {

namespace {

// Adds one to the last digit of a run of decimal digits (with "." in it), carrying left.
void incrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '.') continue;
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

double decimalOf(float value) {
  if (!std::isfinite(value)) return value;
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value);
  double decimal = value;
  if (written.ec == std::errc()) std::from_chars(text, written.ptr, decimal);
  return decimal;
}

std::string roundedTwoDecimals(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The shortest fixed-point text of the value, then rounded on its decimal digits.
  char text[400];
  const auto written = std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::fixed);
  std::string digits(text, written.ptr);
  std::size_t point = digits.find('.');
  if (point == std::string::npos) {
    point = digits.size();
    digits += '.';
  }
  digits.append(3, '0');
  const bool roundUp = digits[point + 3] >= '5';
  digits.resize(point + 3);
  if (roundUp) incrementDigits(digits);
  const bool zero = digits.find_first_not_of("0.") == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + digits;
}

double roundedToCents(double value) {
  const std::string text = roundedTwoDecimals(value);
  double number = value;
  std::from_chars(text.data(), text.data() + text.size(), number);
  return number;
}

}  // namespace tamso

#include "ui/two_decimals.h"

#include <charconv>
#include <cmath>

#include "problem/text.h"

namespace tamso::ui {

QString twoDecimals(float value) {
  double decimal = value;
  if (std::isfinite(value)) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    if (written.ec == std::errc()) std::from_chars(text, written.ptr, decimal);
  }
  return QString::fromStdString(formatTwoDecimals(decimal));
}

}  // namespace tamso::ui

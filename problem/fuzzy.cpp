#include "problem/fuzzy.h"

#include <algorithm>

#include "problem/text.h"

namespace tamso {

void FuzzyTime::raiseTo(const FuzzyWindow& window) {
  earliest = std::max(earliest, window.start);
  likely = std::max(likely, window.start);
  latest = std::max(latest, window.start);
}

double FuzzyTime::satisfaction(const FuzzyWindow& window) const {
  const double m = likely;
  const double u = latest;
  const double f = window.fullEnd;
  const double e = window.end;
  if (u <= f) return 1.0;
  if (m >= e) return 0.0;
  if (u == m) return e == f ? 0.0 : (e - u) / (e - f);
  if (e == f) return (e - m) / (u - m);
  // Where the line rising from (m, 0) to (u, 1) meets the window's falling edge from
  // (f, 1) to (e, 0); the crossing is kept in single precision.
  const float x = static_cast<float>((e * u - f * m) / (e + u - f - m));
  return (static_cast<double>(x) - m) / (u - m);
}

FuzzyTime FuzzyTime::sortedDifference(const FuzzyTime& a, const FuzzyTime& b) {
  std::int32_t d[3] = {a.earliest - b.earliest, a.likely - b.likely, a.latest - b.latest};
  std::sort(d, d + 3);
  return {d[0], d[1], d[2]};
}

std::string FuzzyTime::format() const { return formatDateTime(likely); }

FuzzyWindow::FuzzyWindow(std::int32_t a, std::int32_t b, std::int32_t c)
    : start(a), fullEnd(std::max(a, b)), end(std::max(std::max(a, b), c)) {}

std::string FuzzyWindow::format(int kind) const {
  if (kind == 1) return formatDateTime(start);
  if (kind == 2) return formatDateTime(end);
  return "[ " + formatDateTime(start) + "; " + formatDateTime(end) + " ]";
}

}  // namespace tamso

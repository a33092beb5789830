#pragma once
// Fuzzy times, windows and money values. Travel and arrival times are triangular fuzzy
// numbers of whole minutes; a time window is fuzzy at its late end; costs carried as
// fuzzy values are reduced to one number only at the end.
#include <cstdint>
#include <string>
#include <utility>

namespace tamso {

struct FuzzyWindow;

// Triangular fuzzy time (earliest, likely, latest) in minutes: minutes since the epoch
// for a point in time, plain minutes for a duration. Operations keep the order given.
struct FuzzyTime {
  std::int32_t earliest = 0;
  std::int32_t likely = 0;
  std::int32_t latest = 0;

  FuzzyTime() = default;
  FuzzyTime(std::int32_t e, std::int32_t l, std::int32_t u) : earliest(e), likely(l), latest(u) {}

  void addMinutes(std::int32_t n) {
    earliest += n;
    likely += n;
    latest += n;
  }
  void add(const FuzzyTime& t) {
    earliest += t.earliest;
    likely += t.likely;
    latest += t.latest;
  }
  // Every component below the window's start becomes the start (waiting for it to open).
  inline void raiseTo(const FuzzyWindow& window);
  // How well this arrival meets the window, in [0, 1].
  inline double satisfaction(const FuzzyWindow& window) const;
  // The three component differences a - b, sorted ascending (used to measure waiting).
  static FuzzyTime sortedDifference(const FuzzyTime& a, const FuzzyTime& b) {
    std::int32_t low = a.earliest - b.earliest;
    std::int32_t mid = a.likely - b.likely;
    std::int32_t high = a.latest - b.latest;
    if (mid < low) std::swap(low, mid);
    if (high < mid) std::swap(mid, high);
    if (mid < low) std::swap(low, mid);
    return {low, mid, high};
  }
  // formatDateTime of the likely value.
  std::string format() const;

  friend bool operator==(const FuzzyTime&, const FuzzyTime&) = default;
};

// A time window (start, fullEnd, end) in minutes since the epoch, always stored ordered:
// start <= fullEnd <= end. Service cannot begin before start; an arrival up to fullEnd
// satisfies it fully, one from end on not at all.
struct FuzzyWindow {
  std::int32_t start = 0;
  std::int32_t fullEnd = 0;
  std::int32_t end = 0;

  FuzzyWindow() = default;
  FuzzyWindow(std::int32_t a, std::int32_t b, std::int32_t c);

  // kind 1: start; kind 2: end; otherwise "[ start; end ]" (fullEnd is never shown).
  std::string format(int kind) const;

  friend bool operator==(const FuzzyWindow&, const FuzzyWindow&) = default;
};

// These run for every stop of every trial route: they stay inline.
inline void FuzzyTime::raiseTo(const FuzzyWindow& window) {
  if (earliest < window.start) earliest = window.start;
  if (likely < window.start) likely = window.start;
  if (latest < window.start) latest = window.start;
}

inline double FuzzyTime::satisfaction(const FuzzyWindow& window) const {
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

// A fuzzy money value (low, mid, high).
struct FuzzyValue {
  double low = 0.0;
  double mid = 0.0;
  double high = 0.0;

  FuzzyValue() = default;
  FuzzyValue(double l, double m, double h) : low(l), mid(m), high(h) {}
  explicit FuzzyValue(double c) : low(c), mid(c), high(c) {}
  explicit FuzzyValue(const FuzzyTime& t) : low(t.earliest), mid(t.likely), high(t.latest) {}

  void add(const FuzzyValue& v) {
    low += v.low;
    mid += v.mid;
    high += v.high;
  }
  void multiply(const FuzzyValue& v) {
    low *= v.low;
    mid *= v.mid;
    high *= v.high;
  }
  FuzzyValue multiplied(const FuzzyValue& v) const { return {low * v.low, mid * v.mid, high * v.high}; }
  FuzzyValue divided(const FuzzyValue& v) const { return {low / v.low, mid / v.mid, high / v.high}; }
  // Fuzzy difference: low - v.high, mid - v.mid, high - v.low.
  void subtract(const FuzzyValue& v) {
    const double newLow = low - v.high;
    const double newHigh = high - v.low;
    low = newLow;
    mid -= v.mid;
    high = newHigh;
  }
  double defuzzify() const { return (low + 2.0 * mid + high) * 0.25; }

  friend bool operator==(const FuzzyValue&, const FuzzyValue&) = default;
};

}  // namespace tamso

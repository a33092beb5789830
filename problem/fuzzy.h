#pragma once
// Fuzzy times, windows and money values. Travel and arrival times are triangular fuzzy
// numbers of whole minutes; a time window is fuzzy at its late end; costs carried as
// fuzzy values are reduced to one number only at the end.
#include <cstdint>
#include <string>

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
  void raiseTo(const FuzzyWindow& window);
  // How well this arrival meets the window, in [0, 1].
  double satisfaction(const FuzzyWindow& window) const;
  // The three component differences a - b, sorted ascending (used to measure waiting).
  static FuzzyTime sortedDifference(const FuzzyTime& a, const FuzzyTime& b);
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

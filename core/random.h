#pragma once
// The one seam for randomness and the clock. Every random draw of the optimisers goes
// through a Random object that the caller passes in, so a test or a --seed run can fix
// both the clock and the generator and get a repeatable run.
#include <cstdint>
#include <memory>

namespace tamso {

// A reading of the clock: whole seconds of calendar time and the millisecond part.
struct ClockReading {
  std::int64_t seconds = 0;
  std::int32_t millis = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual ClockReading now() = 0;
};

// The wall clock (calendar time with millisecond resolution).
class SystemClock final : public Clock {
 public:
  ClockReading now() override;
};

// A clock that starts at a given second and advances one millisecond per reading,
// so that chained draws differ as they would on a running machine, yet repeat exactly.
class SteppingClock final : public Clock {
 public:
  explicit SteppingClock(std::int64_t startSeconds) : millisSinceStart_(startSeconds * 1000) {}
  ClockReading now() override;

 private:
  std::int64_t millisSinceStart_;
};

// Reseeding draws: every call of index() seeds the generator from salt + clock,
// exactly as the planner has always drawn its random numbers. The generator mixes its
// seed thoroughly (a 32-bit avalanche hash), so that neighbouring seeds, as chained
// salts and a stepping clock produce, still give unrelated draws.
class Random {
 public:
  // Wall clock: runs differ from one another.
  Random();
  explicit Random(std::unique_ptr<Clock> clock);
  // A repeatable source: the clock starts at the seed and steps one millisecond per draw.
  static Random seeded(std::uint32_t seed);

  // A value in [0, n) for n > 0, 0 for n <= 0 (the generator is then not touched).
  std::int32_t index(std::int32_t n, std::int32_t salt);

 private:
  std::uint32_t nextValue();

  std::unique_ptr<Clock> clock_;
  std::uint32_t state_ = 0;
};

}  // namespace tamso

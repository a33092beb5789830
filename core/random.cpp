#include "core/random.h"

#include <chrono>

namespace tamso {

ClockReading SystemClock::now() {
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
  return {millis / 1000, static_cast<std::int32_t>(millis % 1000)};
}

ClockReading SteppingClock::now() {
  const std::int64_t t = millisSinceStart_++;
  return {t / 1000, static_cast<std::int32_t>(t % 1000)};
}

std::uint32_t Random::nextValue() {
  // Weyl step, then the murmur3 finaliser; the top bit is dropped (non-negative values).
  std::uint32_t x = (state_ += 0x9E3779B9u);
  x ^= x >> 16;
  x *= 0x85EBCA6Bu;
  x ^= x >> 13;
  x *= 0xC2B2AE35u;
  x ^= x >> 16;
  return x >> 1;
}

Random::Random() : Random(std::make_unique<SystemClock>()) {}

Random::Random(std::unique_ptr<Clock> clock) : clock_(std::move(clock)) {}

Random Random::seeded(std::uint32_t seed) {
  return Random(std::make_unique<SteppingClock>(static_cast<std::int64_t>(seed)));
}

std::int32_t Random::index(std::int32_t n, std::int32_t salt) {
  const ClockReading reading = clock_->now();
  if (n <= 0) return 0;
  // The three terms are added as 32-bit integers (wrapping), as the seed always was.
  const std::uint32_t seed = static_cast<std::uint32_t>(salt) + static_cast<std::uint32_t>(reading.seconds) +
                             static_cast<std::uint32_t>(reading.millis);
  state_ = seed;
  return static_cast<std::int32_t>(nextValue() % static_cast<std::uint32_t>(n));
}

}  // namespace tamso

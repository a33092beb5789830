#include "search/random.h"

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
  generator_.seed(seed);
  return static_cast<std::int32_t>(generator_() % static_cast<std::uint32_t>(n));
}

}  // namespace tamso

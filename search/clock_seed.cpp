#include "search/clock_seed.h"

namespace tamso {

std::uint32_t seedFromClock(Clock& clock) {
  const ClockReading reading = clock.now();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(reading.seconds) * 1000u +
                                    static_cast<std::uint64_t>(reading.millis));
}

}  // namespace tamso

#pragma once
// A seed for a run that was given none: drawn from the clock, so that the run can be told
// apart from others and repeated with the same seed.
#include <cstdint>

#include "core/random.h"

namespace tamso {

// The clock's milliseconds since the epoch, taken modulo 2^32.
std::uint32_t seedFromClock(Clock& clock);

}  // namespace tamso

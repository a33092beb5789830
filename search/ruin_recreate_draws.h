#pragma once
// The random draws of one thorough search: whole numbers and fractions, each draw salted
// with the value of the one before, all through the caller's Random.
#include <cstdint>

#include "core/random.h"

namespace tamso {

class Draws {
 public:
  explicit Draws(Random& random) : random_(random) {}

  // A whole number in [0, n); 0 when n <= 0.
  std::int32_t below(std::int32_t n) {
    if (n <= 0) return 0;
    last_ = random_.index(n, last_);
    return last_;
  }
  // A fraction in [0, 1).
  double fraction() { return static_cast<double>(below(kFractionSteps)) / kFractionSteps; }

 private:
  static constexpr std::int32_t kFractionSteps = 1 << 30;
  Random& random_;
  std::int32_t last_ = 0;
};

}  // namespace tamso

#include "core/int_list.h"

#include "core/random.h"

namespace tamso {

void randomPermutation(Random& random, std::int32_t* items, std::int32_t n) {
  std::vector<bool> taken(static_cast<std::size_t>(n), false);
  std::int32_t prev = 0;
  for (std::int32_t i = 0; i < n; ++i) {
    std::int32_t k = random.index(n - 1, prev);
    if (taken[static_cast<std::size_t>(k)]) {
      const bool downwards = random.index(2, 0) == 1;
      while (taken[static_cast<std::size_t>(k)]) {
        if (downwards) {
          k = (k == 0) ? n - 1 : k - 1;
        } else {
          k = (k == n - 1) ? 0 : k + 1;
        }
      }
    }
    items[i] = k;
    taken[static_cast<std::size_t>(k)] = true;
    prev = k;
  }
}

void randomPermutation(Random& random, std::vector<std::int32_t>& items) {
  randomPermutation(random, items.data(), static_cast<std::int32_t>(items.size()));
}

bool IntList::setCount(std::int32_t n) {
  if (n >= capacity || n < 0) return false;
  count_ = n;
  return true;
}

void IntList::removeAt(std::int32_t i) {
  if (i < 0 || i >= count_) return;
  for (std::int32_t j = i + 1; j < count_; ++j)
    items_[static_cast<std::size_t>(j - 1)] = items_[static_cast<std::size_t>(j)];
  --count_;
}

std::int32_t IntList::find(std::int32_t v) const {
  for (std::int32_t i = 0; i < count_; ++i) {
    if (items_[static_cast<std::size_t>(i)] == v) return i;
  }
  return -1;
}

void IntList::randomPermutation(Random& random) { tamso::randomPermutation(random, items_.data(), count_); }

}  // namespace tamso

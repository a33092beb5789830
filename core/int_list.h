#pragma once
// IntList: a fixed list of at most 100 integers, and the random permutation rule that
// the optimisers use to visit orders and vehicles in random order.
#include <array>
#include <cstdint>
#include <vector>

namespace tamso {

class Random;

// Overwrites items[0 .. n-1] with a random permutation of 0 .. n-1: each position is
// drawn from [0, n-1) (so position n-1 is only reached by the scan), and a taken
// position is replaced by the next free one, scanning down or up (wrapping) at random.
void randomPermutation(Random& random, std::int32_t* items, std::int32_t n);

// The same rule for a list of any length.
void randomPermutation(Random& random, std::vector<std::int32_t>& items);

class IntList {
 public:
  static constexpr std::int32_t capacity = 100;

  IntList() = default;
  // count = n; the items are left for the caller to fill (usually by randomPermutation).
  explicit IntList(std::int32_t n) { setCount(n); }

  std::int32_t count() const { return count_; }
  // Refuses n >= 100 (returns false, no change).
  bool setCount(std::int32_t n);
  // The caller guarantees count() < capacity.
  void push(std::int32_t v) { items_[static_cast<std::size_t>(count_++)] = v; }
  void removeAt(std::int32_t i);
  void clear() { count_ = 0; }
  std::int32_t find(std::int32_t v) const;
  void randomPermutation(Random& random);

  std::int32_t operator[](std::int32_t i) const { return items_[static_cast<std::size_t>(i)]; }
  std::int32_t& operator[](std::int32_t i) { return items_[static_cast<std::size_t>(i)]; }

 private:
  std::int32_t count_ = 0;
  std::array<std::int32_t, capacity> items_{};
};

}  // namespace tamso

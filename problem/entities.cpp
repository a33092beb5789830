#include "problem/entities.h"

#include <algorithm>

namespace tamso {

const QuantityList* VehicleType::listAt(std::int32_t i) const {
  if (i < 0 || i >= listCount()) return nullptr;
  return &quantityLists[static_cast<std::size_t>(i)];
}

// Out of line: inlined, GCC takes the empty optional's storage for read when sanitizing.
FuzzyTime Vehicle::startTimeOrZero() const { return startTime.has_value() ? *startTime : FuzzyTime{}; }

bool VehicleType::addList(QuantityList list) {
  const bool present = std::any_of(quantityLists.begin(), quantityLists.end(),
                                   [&](const QuantityList& held) { return held.name() == list.name(); });
  if (present) return false;
  quantityLists.push_back(std::move(list));
  return true;
}

}  // namespace tamso

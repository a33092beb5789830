#include "problem/entities.h"

#include <algorithm>

namespace tamso {

const QuantityList* VehicleType::listAt(std::int32_t i) const {
  if (i < 0 || i >= listCount()) return nullptr;
  return &quantityLists[static_cast<std::size_t>(i)];
}

bool VehicleType::addList(QuantityList list) {
  const bool present = std::any_of(quantityLists.begin(), quantityLists.end(),
                                   [&](const QuantityList& held) { return held.name() == list.name(); });
  if (present) return false;
  quantityLists.push_back(std::move(list));
  return true;
}

}  // namespace tamso

#include "problem/entities.h"

namespace tamso {

const QuantityList* VehicleType::listAt(std::int32_t i) const {
  if (i < 0 || i >= listCount()) return nullptr;
  return &quantityLists[static_cast<std::size_t>(i)];
}

// Out of line: inlined, GCC takes the empty optional's storage for read when sanitizing.
FuzzyTime Vehicle::startTimeOrZero() const { return startTime.has_value() ? *startTime : FuzzyTime{}; }

bool VehicleType::addList(QuantityList list) {
  if (listNames.size() != quantityLists.size()) {  // the lists were set without addList
    listNames.clear();
    for (const QuantityList& held : quantityLists) listNames.insert(held.name());
  }
  if (!listNames.insert(list.name()).second) return false;
  quantityLists.push_back(std::move(list));
  return true;
}

}  // namespace tamso

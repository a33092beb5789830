#include "problem/crew.h"

#include "problem/problem_data.h"

namespace tamso {

std::int32_t crewDrivers(const VehicleType& type) {
  for (const QuantityList& list : type.quantityLists) {
    if (list.name() != crewListName) continue;
    for (std::int32_t i = 0; i < list.count(); ++i) {
      if (list.keyAt(i) == driversKey) return list.quantityAt(i) >= 2.0f ? 2 : 1;
    }
  }
  return 1;
}

void deriveCrews(ProblemData& problem) {
  for (VehicleType& type : problem.vehicleTypes) type.drivers = crewDrivers(type);
}

}  // namespace tamso

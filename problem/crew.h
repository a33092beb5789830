#pragma once
// Crews. A vehicle type's quantity list named CREW says who drives it: its key DRIVERS is
// the number of drivers on board. A type without one, or with fewer than two drivers, is
// driven by one driver; more than two drive as two.
#include <cstdint>
#include <string>

#include "problem/entities.h"

namespace tamso {

struct ProblemData;

inline const std::string crewListName = "CREW";
inline const std::string driversKey = "DRIVERS";

// The drivers the type's CREW list names: 1 or 2.
std::int32_t crewDrivers(const VehicleType& type);

// The drivers on board the vehicle: 1 when it has no vehicle type.
inline std::int32_t driversOf(const Vehicle& vehicle) {
  return vehicle.vehicleType != nullptr ? vehicle.vehicleType->drivers : 1;
}

// Sets every vehicle type's drivers from its CREW list.
void deriveCrews(ProblemData& problem);

}  // namespace tamso

#pragma once
// A problem whose places sit at chosen pixels of the fixed-frame projection: on a canvas of
// 88 x 40 at zoom 1.0 a place at longitude x - 36 and latitude 71 - y lands on (x, y).
#include <memory>
#include <string>

#include "map/map_layer.h"
#include "problem/problem_data.h"
#include "routing/solution.h"

namespace tamso::testing {

constexpr std::int32_t frameWidth = 88;
constexpr std::int32_t frameHeight = 40;

class MapTestProblem {
 public:
  const Place& addPlaceAt(const std::string& name, std::int32_t x, std::int32_t y) {
    Place place;
    place.name = name;
    place.index = static_cast<std::int32_t>(data.places.size());
    place.longitude = static_cast<float>(x - 36);
    place.latitude = static_cast<float>(71 - y);
    data.places.push_back(place);
    data.sizeLegTables(static_cast<std::int32_t>(data.places.size()));
    return data.places.back();
  }

  Vehicle& addVehicle(const std::string& name, const Place* start) {
    Vehicle vehicle;
    vehicle.name = name;
    vehicle.startPlace = start;
    data.vehicles.push_back(vehicle);
    return data.vehicles.back();
  }

  // A plan with one empty route per vehicle.
  std::unique_ptr<Solution> emptyPlan() const { return std::make_unique<Solution>(data, false); }

  static void addStops(Solution& plan, std::int32_t route, std::initializer_list<const Place*> places) {
    for (const Place* place : places) plan.route(route)->insertStop(RouteStop::waiting(*place), -1);
  }

  ProblemData data;
};

}  // namespace tamso::testing

#include "problem/problem_data.h"

#include "problem/distances.h"

namespace tamso {

namespace {

constexpr std::size_t tableCells = static_cast<std::size_t>(ProblemData::maxPlaces) * ProblemData::maxPlaces;

float costPerKmOf(const Place& p) { return p.country ? p.country->costPerKm : 0.0f; }
float costPerDayOf(const Place& p) { return p.country ? p.country->costPerDay : 0.0f; }

template <class Record>
const Record* findByName(const std::vector<Record>& table, const std::string& name) {
  for (const Record& record : table) {
    if (record.name == name) return &record;
  }
  return nullptr;
}

}  // namespace

ProblemData::ProblemData() : distanceTable(tableCells, 0.0f), travelTimeTable(tableCells) {
  // Records link to each other by address: the tables never reallocate while loading.
  vehicleTypes.reserve(maxVehicleTypes);
  vehicles.reserve(maxVehicles);
  clients.reserve(maxClients);
  countries.reserve(maxCountries);
  regions.reserve(maxRegions);
  places.reserve(maxPlaces);
  orders.reserve(maxOrders);
  articleTypes.reserve(maxArticleTypes);
}

FuzzyValue ProblemData::distanceCost(const Place& p, const Place& q) const {
  // Single precision, like the distances themselves.
  const float cost = distance(p, q) * (costPerKmOf(p) + costPerKmOf(q)) / 2;
  return FuzzyValue(cost);
}

FuzzyValue ProblemData::timeCost(const Place& p, const Place& q) const {
  const float perMinute = (costPerDayOf(p) + costPerDayOf(q)) / 2 / static_cast<float>(minutesPerDay);
  return FuzzyValue(travelTime(p, q)).multiplied(FuzzyValue(perMinute));
}

float ProblemData::distanceTo(const Place& p, const Place* q) const { return q ? distance(p, *q) : -1.0f; }

std::int32_t ProblemData::placePairs() const {
  const auto n = static_cast<std::int32_t>(places.size());
  return n * (n - 1);
}

const Place* ProblemData::findPlace(const std::string& name) const { return findByName(places, name); }

const Vehicle* ProblemData::findVehicle(const std::string& name) const { return findByName(vehicles, name); }

}  // namespace tamso

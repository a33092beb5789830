#include "problem/problem_data.h"

#include <algorithm>

#include "problem/distances.h"

namespace tamso {

namespace {

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

ProblemData::ProblemData() {
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

void ProblemData::sizeLegTables(std::int32_t places) {
  if (places == legWidth_) return;
  const auto width = static_cast<std::size_t>(places);
  const auto kept = static_cast<std::size_t>(std::min(places, legWidth_));
  std::vector<float> distances(width * width, 0.0f);
  std::vector<FuzzyTime> times(width * width);
  for (std::size_t p = 0; p < kept; ++p) {
    const std::size_t from = p * static_cast<std::size_t>(legWidth_);
    std::copy_n(distanceTable_.begin() + static_cast<std::ptrdiff_t>(from), kept,
                distances.begin() + static_cast<std::ptrdiff_t>(p * width));
    std::copy_n(travelTimeTable_.begin() + static_cast<std::ptrdiff_t>(from), kept,
                times.begin() + static_cast<std::ptrdiff_t>(p * width));
  }
  distanceTable_ = std::move(distances);
  travelTimeTable_ = std::move(times);
  legWidth_ = places;
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

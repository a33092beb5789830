#pragma once
// The loaded problem: planning parameters, the eight record tables and the distance and
// travel-time tables. Records link to one another by pointers into these tables, so a
// ProblemData can be moved (the tables keep their storage) but never copied.
#include <cstdint>
#include <string>
#include <vector>

#include "problem/entities.h"
#include "problem/fuzzy.h"

namespace tamso {

struct ProblemData {
  // The largest tables a problem may have, named in the loader's "Too many records" message
  // and by the instance generator: a mid-size forwarder's week.
  static constexpr std::int32_t maxVehicleTypes = 1000;
  static constexpr std::int32_t maxVehicles = 1000;
  static constexpr std::int32_t maxClients = 5000;
  static constexpr std::int32_t maxCountries = 500;
  static constexpr std::int32_t maxRegions = 2000;
  static constexpr std::int32_t maxPlaces = 2000;
  static constexpr std::int32_t maxOrders = 4000;
  static constexpr std::int32_t maxArticleTypes = 500;

  ProblemData();
  ProblemData(const ProblemData&) = delete;
  ProblemData& operator=(const ProblemData&) = delete;
  ProblemData(ProblemData&&) noexcept = default;
  ProblemData& operator=(ProblemData&&) noexcept = default;

  std::int32_t pickupTime = -1;           // service minutes at a pickup stop
  std::int32_t unloadTime = -1;           // service minutes at a delivery stop
  double minimalSat = -1.0;               // lowest acceptable satisfaction of an arrival
  double travelTimeFuzzines = -1.0;       // relative spread of travel times
  double detourFactor = 1.0;              // road km per great-circle km, where no road distance is given
  double averageSpeed = 80.0;             // km/h, where no road travel time is given
  std::int32_t roadPairsFromFile = 0;     // ordered pairs of places whose leg the distances file gives
  const Place* homePlace = nullptr;       // named by params.placeInPoland; read by nothing
  std::int32_t horizonEnd = 0;            // largest end of any delivery window; 0 without orders
  bool checkCapacity = false;             // routes must respect the vehicle types' capacities
  bool driverRules = false;               // routes keep the EU driving and rest times of one driver
  std::vector<std::string> capacityKeys;  // the keys some vehicle type's CAPACITY list limits
  std::vector<std::string> inputFiles;    // the configuration and the data files read, as opened

  std::vector<VehicleType> vehicleTypes;
  std::vector<Vehicle> vehicles;
  std::vector<Client> clients;
  std::vector<Country> countries;
  std::vector<Region> regions;
  std::vector<Place> places;
  std::vector<Order> orders;
  std::vector<ArticleType> articleTypes;

  // The leg tables hold `legWidth() x legWidth()` cells, row-major by place index: cell (p, q)
  // is the leg from p to q, which may differ from the leg from q to p. They are sized by the
  // places loaded, not by maxPlaces, so a small problem stays small.
  // Sizes the tables for `places` places, keeping the legs already set between them; new
  // legs are 0 km and 0 minutes.
  void sizeLegTables(std::int32_t places);
  std::int32_t legWidth() const { return legWidth_; }
  // Sets the leg from p to q; both must be below legWidth().
  void setLeg(const Place& p, const Place& q, float km, const FuzzyTime& minutes) {
    distanceTable_[cell(p, q)] = km;
    travelTimeTable_[cell(p, q)] = minutes;
  }

  // Kilometres from p to q, -1 when q is absent.
  float distanceTo(const Place& p, const Place* q) const;
  // Kilometres between two numbered places (table lookup).
  float distance(const Place& p, const Place& q) const { return distanceTable_[cell(p, q)]; }
  // Fuzzy minutes between two numbered places (table lookup).
  const FuzzyTime& travelTime(const Place& p, const Place& q) const { return travelTimeTable_[cell(p, q)]; }
  // distance * (costPerKm(p) + costPerKm(q)) / 2 in all three components, in single precision.
  FuzzyValue distanceCost(const Place& p, const Place& q) const;
  // travel time * (costPerDay(p) + costPerDay(q)) / 2 / 1440, component by component; the
  // cost per minute is formed in single precision.
  FuzzyValue timeCost(const Place& p, const Place& q) const;

  // Ordered pairs of two different loaded places: those not from the distances file
  // follow the great-circle rule.
  std::int32_t placePairs() const;

  const Place* findPlace(const std::string& name) const;
  const Vehicle* findVehicle(const std::string& name) const;

 private:
  std::size_t cell(const Place& p, const Place& q) const {
    return static_cast<std::size_t>(p.index) * static_cast<std::size_t>(legWidth_) + static_cast<std::size_t>(q.index);
  }

  std::int32_t legWidth_ = 0;
  std::vector<float> distanceTable_;
  std::vector<FuzzyTime> travelTimeTable_;
};

}  // namespace tamso

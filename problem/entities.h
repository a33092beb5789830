#pragma once
// The records of a loaded problem. Links between records are non-owning pointers into the
// tables of the same ProblemData; each link has the name as read beside it, and the name
// getter answers the linked record's name once the link is set, the name as read before.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "problem/fuzzy.h"
#include "problem/quantity_list.h"

namespace tamso {

struct Place;

struct Country {
  std::string name;
  float costPerDay = 0.0f;
  float costPerKm = 0.0f;
  float thirdCost = 0.0f;
};

struct Region {
  std::string name;
  float averageWaitingTime = 0.0f;
  float averageProfit = 0.0f;
  const Place* representingPlace = nullptr;
  std::string representingPlaceNameAsRead;
  const Country* country = nullptr;
  std::string countryNameAsRead;

  std::string representingPlaceName() const;
  std::string countryName() const;
};

struct Place {
  std::string name;
  float longitude = 0.0f;
  float latitude = 0.0f;
  std::int32_t index = -1;  // row and column in the distance and travel-time tables
  const Country* country = nullptr;
  std::string countryNameAsRead;
  const Region* region = nullptr;
  std::string regionNameAsRead;

  std::string countryName() const { return country ? country->name : countryNameAsRead; }
  std::string regionName() const { return region ? region->name : regionNameAsRead; }
};

inline std::string Region::representingPlaceName() const {
  return representingPlace ? representingPlace->name : representingPlaceNameAsRead;
}
inline std::string Region::countryName() const { return country ? country->name : countryNameAsRead; }

struct Client {
  std::int32_t flag = 0;  // 1: the client's orders are priority orders
  std::string name;
};

struct VehicleType {
  std::string name;
  std::vector<QuantityList> quantityLists;
  // The CAPACITY list over the problem's capacity keys (infinity where this type sets no
  // limit); empty when the type has no CAPACITY list and so carries anything.
  std::vector<double> capacityLimits;

  // Nothing when i is out of range.
  const QuantityList* listAt(std::int32_t i) const;
  std::int32_t listCount() const { return static_cast<std::int32_t>(quantityLists.size()); }
  // Refuses a list whose name is already present.
  bool addList(QuantityList list);

  // The names of quantityLists, so that addList finds a repeat at once.
  std::unordered_set<std::string> listNames;
  // Drivers on board (1 or 2), from the CREW list.
  std::int32_t drivers = 1;
};

struct Vehicle {
  std::string name;
  std::string vehicleTypeNameAsRead;
  const VehicleType* vehicleType = nullptr;
  float mass = 0.0f;
  std::optional<FuzzyTime> startTime;  // set by the positions file
  const Place* startPlace = nullptr;   // set by the positions file

  std::string vehicleTypeName() const { return vehicleType ? vehicleType->name : vehicleTypeNameAsRead; }
  // The start time, all zero when the positions file gave none.
  FuzzyTime startTimeOrZero() const;
};

struct Order {
  std::string name;
  std::string clientNameAsRead;
  const Client* client = nullptr;
  QuantityList articles;
  FuzzyWindow pickupWindow;
  FuzzyWindow deliveryWindow;
  std::string pickupPlaceNameAsRead;
  std::string deliveryPlaceNameAsRead;
  const Place* pickupPlace = nullptr;
  const Place* deliveryPlace = nullptr;
  float price = 0.0f;
  // The load over the problem's capacity keys, goods and article types counted.
  std::vector<double> capacityLoad;

  std::string clientName() const { return client ? client->name : clientNameAsRead; }
  std::string pickupPlaceName() const { return pickupPlace ? pickupPlace->name : pickupPlaceNameAsRead; }
  std::string deliveryPlaceName() const { return deliveryPlace ? deliveryPlace->name : deliveryPlaceNameAsRead; }
  bool isPriority() const { return client != nullptr && client->flag != 0; }
};

using ArticleType = QuantityList;

}  // namespace tamso

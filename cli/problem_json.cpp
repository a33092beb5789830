#include "cli/problem_json.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "problem/capacity.h"

namespace tamso {

using nlohmann::json;

namespace {

template <class Record>
json nameOrNull(const Record* record) {
  return record ? json(record->name) : json(nullptr);
}

json vehicleTypeJson(const VehicleType& type) {
  json lists = json::array();
  for (const QuantityList& list : type.quantityLists) lists.push_back(quantityListJson(list));
  const QuantityList* capacity = capacityList(type);
  return {{"name", type.name}, {"quantityLists", lists}, {"capacity", capacity ? quantityMapJson(*capacity) : json()}};
}

json vehicleJson(const Vehicle& v) {
  return {{"name", v.name},
          {"vehicleType", v.vehicleTypeName()},
          {"mass", floatJson(v.mass)},
          {"startTime", v.startTime ? fuzzyTimeJson(*v.startTime) : json(nullptr)},
          {"startPlace", nameOrNull(v.startPlace)}};
}

json clientJson(const Client& c) { return {{"name", c.name}, {"flag", c.flag}}; }

json countryJson(const Country& c) {
  return {{"name", c.name},
          {"costPerDay", floatJson(c.costPerDay)},
          {"costPerKm", floatJson(c.costPerKm)},
          {"thirdCost", floatJson(c.thirdCost)}};
}

json regionJson(const Region& r) {
  return {{"name", r.name},
          {"averageWaitingTime", floatJson(r.averageWaitingTime)},
          {"averageProfit", floatJson(r.averageProfit)},
          {"representingPlace", r.representingPlaceName()},
          {"country", r.countryName()}};
}

json placeJson(const Place& p) {
  return {{"name", p.name},   {"latitude", floatJson(p.latitude)}, {"longitude", floatJson(p.longitude)},
          {"index", p.index}, {"country", p.countryName()},        {"region", p.regionName()}};
}

json orderJson(const Order& o, const std::vector<ArticleType>& articleTypes) {
  return {{"load", quantityMapJson(orderLoad(o, articleTypes))},
          {"name", o.name},
          {"client", o.clientName()},
          {"price", floatJson(o.price)},
          {"pickupPlace", o.pickupPlaceName()},
          {"deliveryPlace", o.deliveryPlaceName()},
          {"pickupWindow", windowJson(o.pickupWindow)},
          {"deliveryWindow", windowJson(o.deliveryWindow)},
          {"articles", quantityListJson(o.articles)}};
}

template <class Record, class Convert>
json tableJson(const std::vector<Record>& table, Convert convert) {
  json rows = json::array();
  for (const Record& record : table) rows.push_back(convert(record));
  return rows;
}

template <class Cell, class Convert>
json squareTableJson(const ProblemData& problem, Convert convert) {
  json rows = json::array();
  for (const Place& p : problem.places) {
    json row = json::array();
    for (const Place& q : problem.places) row.push_back(convert(p, q));
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace

json floatJson(float value) {
  if (!std::isfinite(value)) return nullptr;
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  *result.ptr = '\0';
  return std::strtod(text, nullptr);
}

json fuzzyTimeJson(const FuzzyTime& t) { return json::array({t.earliest, t.likely, t.latest}); }

json windowJson(const FuzzyWindow& w) { return json::array({w.start, w.fullEnd, w.end}); }

json quantityListJson(const QuantityList& list) {
  json keys = json::array();
  json quantities = json::array();
  for (std::int32_t i = 0; i < list.count(); ++i) {
    keys.push_back(list.keyAt(i));
    quantities.push_back(floatJson(list.quantityAt(i)));
  }
  return {{"name", list.name()}, {"keys", keys}, {"quantities", quantities}};
}

json quantityMapJson(const QuantityList& list) {
  json map = json::object();
  for (std::int32_t i = 0; i < list.count(); ++i) map[list.keyAt(i)] = floatJson(list.quantityAt(i));
  return map;
}

json problemJson(const ProblemData& problem) {
  json doc;
  doc["pickupTime"] = problem.pickupTime;
  doc["unloadTime"] = problem.unloadTime;
  doc["minimalSat"] = problem.minimalSat;
  doc["travelTimeFuzzines"] = problem.travelTimeFuzzines;
  doc["homePlace"] = nameOrNull(problem.homePlace);
  doc["horizonEnd"] = problem.horizonEnd;
  doc["checkCapacity"] = problem.checkCapacity;
  doc["detourFactor"] = problem.detourFactor;
  doc["averageSpeed"] = problem.averageSpeed;
  doc["roadDistances"] = {{"fromFile", problem.roadPairsFromFile},
                          {"greatCircle", problem.placePairs() - problem.roadPairsFromFile}};
  doc["vehicleTypes"] = tableJson(problem.vehicleTypes, vehicleTypeJson);
  doc["vehicles"] = tableJson(problem.vehicles, vehicleJson);
  doc["clients"] = tableJson(problem.clients, clientJson);
  doc["countries"] = tableJson(problem.countries, countryJson);
  doc["regions"] = tableJson(problem.regions, regionJson);
  doc["places"] = tableJson(problem.places, placeJson);
  doc["orders"] = tableJson(problem.orders, [&](const Order& o) { return orderJson(o, problem.articleTypes); });
  doc["articleTypes"] = tableJson(problem.articleTypes, quantityListJson);
  doc["distanceTable"] = squareTableJson<float>(
      problem, [&](const Place& p, const Place& q) { return floatJson(problem.distance(p, q)); });
  doc["travelTimeTable"] = squareTableJson<FuzzyTime>(
      problem, [&](const Place& p, const Place& q) { return fuzzyTimeJson(problem.travelTime(p, q)); });
  return doc;
}

}  // namespace tamso

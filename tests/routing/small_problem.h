#pragma once
// Hand-made problems for the routing tests: one country where a minute costs 1 and a
// kilometre costs 1, a few places with chosen distances and travel times, and helpers to
// add vehicles and orders.
#include <string>

#include "problem/problem_data.h"

namespace tamso::testing {

class SmallProblem {
 public:
  SmallProblem() {
    data.pickupTime = 10;
    data.unloadTime = 20;
    data.minimalSat = 0.5;
    data.travelTimeFuzzines = 0.2;
    data.horizonEnd = 200;
    data.countries.push_back(Country{"LAND", 1440.0f, 1.0f, 0.0f});
    data.clients.push_back(Client{0, "PLAIN"});
    data.clients.push_back(Client{1, "VIP"});
  }

  const Place& addPlace(const std::string& name) {
    Place place;
    place.name = name;
    place.index = static_cast<std::int32_t>(data.places.size());
    place.country = &data.countries[0];
    data.places.push_back(place);
    data.sizeLegTables(static_cast<std::int32_t>(data.places.size()));
    return data.places.back();
  }

  // Both directions get the same distance and travel time.
  void setLeg(const Place& p, const Place& q, float km, FuzzyTime minutes) {
    data.setLeg(p, q, km, minutes);
    data.setLeg(q, p, km, minutes);
  }

  Vehicle& addVehicle(const std::string& name, const Place* start, FuzzyTime startTime = {}) {
    Vehicle vehicle;
    vehicle.name = name;
    vehicle.startPlace = start;
    vehicle.startTime = startTime;
    data.vehicles.push_back(vehicle);
    return data.vehicles.back();
  }

  Order& addOrder(const std::string& name, const Place& from, FuzzyWindow pickup, const Place& to, FuzzyWindow delivery,
                  float price, bool priority = false) {
    Order order;
    order.name = name;
    order.client = &data.clients[priority ? 1 : 0];
    order.pickupPlace = &from;
    order.deliveryPlace = &to;
    order.pickupWindow = pickup;
    order.deliveryWindow = delivery;
    order.price = price;
    data.orders.push_back(order);
    return data.orders.back();
  }

  // A wide-open window that any arrival before `end` meets fully.
  static FuzzyWindow open(std::int32_t end = 100000) { return FuzzyWindow(0, end, end); }

  ProblemData data;
};

}  // namespace tamso::testing

#pragma once
// The route of one vehicle: its stops in driving order, the fuzzy schedule computed from
// the vehicle's start, and the fuzzy gain (prices of the delivered orders less the costs of
// driving, waiting, service and idle time up to the planning horizon).
#include <cstdint>
#include <optional>
#include <vector>

#include "problem/fuzzy.h"
#include "problem/problem_data.h"
#include "routing/route_loads.h"
#include "routing/route_stop.h"
#include "routing/schedule_steps.h"
#include "routing/trial_memory.h"
#include "routing/trial_route.h"

namespace tamso {

class Route {
 public:
  // An order taken out of a route together with the positions its two stops had, so that
  // putting it back restores the former stop order exactly.
  struct TakenOrder {
    RouteStop pickup;
    std::int32_t pickupIndex = -1;
    RouteStop delivery;
    std::int32_t deliveryIndex = -1;  // -1 when the order had no second stop
  };

  Route(const ProblemData& problem, const Vehicle& vehicle);  // empty route bound to the vehicle

  // Whether the schedule keeps the EU driving and rest times of one driver (off by default).
  bool driverRules() const { return driverRules_; }
  void setDriverRules(bool on);
  // Under the driving and rest times: the driver after the stop's service and the breaks and
  // rests on the road to it, as last evaluated; nullptr without the rules or out of range.
  const schedule::Driving* drivingAt(std::int32_t index) const;

  const Vehicle& vehicle() const { return *vehicle_; }
  const ProblemData& problem() const { return *problem_; }
  std::int32_t stopCount() const { return static_cast<std::int32_t>(stops_.size()); }
  std::int32_t orderCount() const { return orderCount_; }  // number of pickup stops
  const std::vector<RouteStop>& stops() const { return stops_; }
  const RouteStop* stopAt(std::int32_t index) const;  // nullptr out of range
  // The order of the k-th pickup stop (0-based), optionally with that stop; nullptr when
  // k is negative or not below orderCount.
  const Order* orderAt(std::int32_t k, const RouteStop** stop = nullptr) const;
  bool containsOrder(const Order& order) const;
  // The position of the order's first stop (its pickup); -1 when the order is not on the route.
  std::int32_t firstStopOf(const Order& order) const;

  // Schedule and gain; false and no change when the vehicle has no start place.
  bool evaluate();
  float gain();                   // defuzzified gain, evaluating first when the route changed
  const FuzzyValue& fuzzyGain();  // evaluating first when the route changed
  // The hook for the estimated value of the route's waiting position; it returns 0.
  float estimatedGain(const std::vector<Route>& routes) const;
  // Every stop before the first waiting stop reaches the minimal satisfaction and, when the
  // problem checks capacities, what is on board after every stop fits the vehicle type. A
  // route of a vehicle without start place is feasible only while it has no stops.
  bool isFeasible();
  bool isValid();  // precedence of pickups and deliveries, then isFeasible

  bool insertStop(RouteStop stop, std::int32_t position);  // -1 or stopCount appends
  bool removeStopAt(std::int32_t index);
  bool removeOrder(const Order& order);
  void clear();

  const Place* waitingPlace() const;
  bool setWaitingPlace(const Place& place, bool create);

  float canInsert(const Order& order);  // 1 or 0; route left unchanged
  bool insertOrder(const Order& order);
  // Puts the order's stops at the pair's positions (see InsertionPair) and evaluates.
  void insertOrderAt(const Order& order, InsertionPair at);

  // Removes both stops of the order without destroying them (nothing when absent).
  std::optional<TakenOrder> takeOrder(const Order& order);
  // Puts a taken order back at its former positions.
  void putBack(TakenOrder taken);

  // What gain() would answer after insertOrder (order) or removeOrder (order), found
  // without changing the route.
  float gainWithOrder(const Order& order);
  float gainWithoutOrder(const Order& order);
  // The feasible pair of positions for the order's stops with the highest gain, found without
  // changing the stops; not found when canInsert would answer 0.
  ValuedPair bestPairFor(const Order& order);

  // Takes the stops and evaluation of another route, keeping this route's storage (a
  // scratch route for trials); what was known about this route is forgotten.
  void becomeCopyOf(const Route& other);

  // The stops that stay where they are: the first `fixedStops` stops keep their place and
  // their orders stay on the route (a route under way, or one the dispatcher locked), and
  // a closed route takes no further order. New stops go after the fixed ones.
  void fix(std::int32_t fixedStops, bool closed);
  std::int32_t fixedStops() const { return fixedStops_; }
  bool closed() const { return closed_; }
  // Orders whose pickup is among the fixed stops: the first fixedOrders() of orderAt.
  std::int32_t fixedOrders() const { return fixedOrders_; }

  // Changes with every change of the stops; answers remembered for one version are never
  // used for another.
  std::uint32_t version() const { return version_; }

  // What is on board after each stop, when the route must respect its vehicle's capacities
  // (nullptr when it need not).
  const StopLoads* capacityLoads();

 private:
  // Trial answers known for the route as it is now.
  OrderTrials& trialsOf(const Order& order);
  RoomCheck roomFor(const Order& order);
  bool trialsCanBeScheduled(const Order& order);
  bool precedenceHolds() const;
  bool schedule();
  void computeGain();
  void changed();
  void insertPair(const Order& order, std::int32_t pickupAt, std::int32_t deliveryAt);

  const ProblemData* problem_;
  const Vehicle* vehicle_;
  bool driverRules_ = false;
  std::vector<RouteStop> stops_;
  std::vector<schedule::Driving> driving_;  // one per stop under the driving and rest times
  std::int32_t orderCount_ = 0;
  std::int32_t fixedStops_ = 0;
  std::int32_t fixedOrders_ = 0;
  bool closed_ = false;
  FuzzyValue gain_{};
  bool scheduled_ = false;  // the stop times describe the current stops
  bool gainKnown_ = false;  // gain_ describes the current stops
  std::uint32_t version_ = 1;
  TrialMemory memory_;
  bool memoryChecksCapacity_ = false;  // the capacity setting the trial answers were found under
  StopLoads loads_;
  bool loadsKnown_ = false;  // loads_ describes the current stops
  bool loadsFit_ = true;     // and every one of them fits
};

}  // namespace tamso

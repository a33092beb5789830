#pragma once
// Finding what the dispatcher names: the orders, clients, places and vehicles whose name holds
// a piece of text, each with the place the map centres on for it. Names are upper-cased when
// read, so the text is compared upper-cased too.
#include <string>
#include <vector>

namespace tamso {
struct ProblemData;
struct Place;
struct Vehicle;
class Solution;
}  // namespace tamso

namespace tamso::ui {

enum class FoundKind { Order, Client, Place, Vehicle };

struct FoundItem {
  FoundKind kind = FoundKind::Order;
  std::string name;
  const Place* place = nullptr;      // where the map centres; none when the data names no place
  const Vehicle* vehicle = nullptr;  // the vehicle whose route serves it in `plan`; none when unplanned
};

// "order", "client", "place", "vehicle".
const char* foundKindName(FoundKind kind);

// Every order, client, place and vehicle (in that order, each table in its own order) whose
// name contains `part`; nothing for an empty text. `plan` may be null.
std::vector<FoundItem> findByName(const ProblemData& problem, const Solution* plan, const std::string& part);

}  // namespace tamso::ui

#include "search/crossover_dump.h"

namespace tamso {

namespace {

void writeNames(std::ostream& out, const OrderList& orders) {
  for (const Order* order : orders) out << order->name << ' ';
}

void writeParentLeftovers(std::ostream& out, const std::vector<OrderList>& routes) {
  for (std::size_t r = 0; r < routes.size(); ++r) {
    out << r << ": " << routes[r].size() << ": ";
    writeNames(out, routes[r]);
    out << '\n';
  }
  out << '\n';
}

}  // namespace

void writeLeftoverOrders(std::ostream& out, const std::vector<OrderList>& firstParent,
                         const std::vector<OrderList>& secondParent) {
  writeParentLeftovers(out, firstParent);
  writeParentLeftovers(out, secondParent);
}

void writeGroupHead(std::ostream& out, std::int32_t position, const OrderList& group) {
  out << position << ": ";
  writeNames(out, group);
}

void endGroupLine(std::ostream& out) { out << '\n'; }

}  // namespace tamso

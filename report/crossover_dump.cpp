#include "report/crossover_dump.h"

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

void writeCrossover(std::ostream& out, const CrossoverRecord& record) {
  writeParentLeftovers(out, record.firstLeftovers);
  writeParentLeftovers(out, record.secondLeftovers);
  for (std::size_t i = 0; i < record.groups.size(); ++i) {
    out << i << ": ";
    writeNames(out, record.groups[i]);
    out << '\n';
  }
}

}  // namespace tamso

#include "search/order_groups.h"

#include <algorithm>

namespace tamso {

namespace {

bool contains(const OrderList& list, const Order* order) {
  return std::find(list.begin(), list.end(), order) != list.end();
}

void removeAll(OrderList& list, const OrderList& taken) {
  std::erase_if(list, [&taken](const Order* order) { return contains(taken, order); });
}

}  // namespace

std::vector<OrderList> routeOrderLists(const Solution& solution) {
  std::vector<OrderList> lists;
  lists.reserve(static_cast<std::size_t>(solution.routeCount()));
  for (const Route& route : solution.routes()) {
    OrderList& list = lists.emplace_back();
    for (std::int32_t k = route.fixedOrders(); k < route.orderCount(); ++k) {
      if (const Order* order = route.orderAt(k)) list.push_back(order);
    }
  }
  return lists;
}

std::vector<OrderList> takeSharedGroups(std::vector<OrderList>& first, std::vector<OrderList>& second) {
  std::vector<OrderList> groups;
  for (OrderList& own : first) {
    for (OrderList& other : second) {
      if (own.empty()) break;
      OrderList group;
      for (const Order* order : own) {
        if (contains(other, order)) group.push_back(order);
      }
      if (group.empty()) continue;
      removeAll(own, group);
      removeAll(other, group);
      groups.push_back(std::move(group));
    }
  }
  return groups;
}

void sortGroupsBySize(std::vector<OrderList>& groups) {
  std::stable_sort(groups.begin(), groups.end(),
                   [](const OrderList& a, const OrderList& b) { return a.size() > b.size(); });
}

}  // namespace tamso

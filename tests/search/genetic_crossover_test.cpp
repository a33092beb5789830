#include <gtest/gtest.h>

#include "report/genetic_dumps.h"
#include "search/genetic_search.h"
#include "search/order_groups.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using testing::LineSettings;
using testing::makeLineProblem;
using testing::orderNames;
using testing::planOrders;
using testing::readWholeFile;
using testing::routeOrderNames;
using testing::ScratchFolder;
using Names = std::vector<std::string>;

TEST(OrderGroups, FormedPerRoutePairInFirstParentOrderAndSortedBySize) {
  std::vector<Order> orders(8);
  const char* names[] = {"A", "B", "C", "D", "E", "X", "Y", "Z"};
  for (std::size_t i = 0; i < orders.size(); ++i) orders[i].name = names[i];
  auto o = [&orders](char c) -> const Order* {
    for (const Order& order : orders) {
      if (order.name[0] == c) return &order;
    }
    return nullptr;
  };
  std::vector<OrderList> first = {{o('A'), o('B'), o('C'), o('X')}, {o('D'), o('E')}};
  std::vector<OrderList> second = {{o('C'), o('E'), o('A')}, {o('B')}, {o('D'), o('Y')}};

  std::vector<OrderList> groups = takeSharedGroups(first, second);
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(orderNames(groups[0]), (Names{"A", "C"}));  // first parent's order, not the second's
  EXPECT_EQ(orderNames(groups[1]), (Names{"B"}));
  EXPECT_EQ(orderNames(groups[2]), (Names{"E"}));
  EXPECT_EQ(orderNames(groups[3]), (Names{"D"}));
  EXPECT_EQ(orderNames(first[0]), (Names{"X"}));
  EXPECT_TRUE(first[1].empty());
  EXPECT_TRUE(second[0].empty());
  EXPECT_TRUE(second[1].empty());
  EXPECT_EQ(orderNames(second[2]), (Names{"Y"}));

  groups.insert(groups.begin(), OrderList{o('Z')});
  sortGroupsBySize(groups);
  EXPECT_EQ(orderNames(groups[0]), (Names{"A", "C"}));
  EXPECT_EQ(orderNames(groups[1]), (Names{"Z"}));  // equal sizes keep the order found
  EXPECT_EQ(orderNames(groups[4]), (Names{"D"}));
}

class Crossover : public ::testing::Test {
 protected:
  void build(LineSettings settings) {
    problem = makeLineProblem(settings);
    search = std::make_unique<GeneticSearch>(*problem, false, random, &dumps);
  }
  Solution emptyPlan() const { return Solution(*problem, false); }
  std::string trace() const { return readWholeFile(folder.file("ordd.dump")); }

  ScratchFolder folder{"crossover"};
  GeneticDumpWriter dumps{GeneticDumpFiles::in(folder.path().string())};
  Random random = Random::seeded(5);
  std::unique_ptr<ProblemData> problem;
  std::unique_ptr<GeneticSearch> search;
};

TEST_F(Crossover, IdenticalParentsKeepEveryRoutedOrderAndLeaveParentsAlone) {
  build({4, 2, 0.0f, 0.0f, {{"O1", 0, 1}, {"O2", 1, 2}, {"O3", 2, 3}}});
  Solution parent = emptyPlan();
  planOrders(parent, 0, {"O1"});
  planOrders(parent, 1, {"O2", "O3"});
  parent.setGain(parent.totalGain(false));
  const float parentGain = parent.gain();

  std::unique_ptr<Solution> child = search->crossover(parent, parent);

  // The larger group is placed first, and with equal gains the lowest route wins.
  EXPECT_EQ(trace(), "0: 0: \n1: 0: \n\n0: 0: \n1: 0: \n\n0: O3 O2 \n1: O1 \n");
  EXPECT_TRUE(child->unplanned().empty());
  std::int32_t routed = 0;
  for (const Route& route : child->routes()) routed += route.orderCount();
  EXPECT_EQ(routed, 3);
  EXPECT_FLOAT_EQ(child->gain(), 300.0f);
  EXPECT_EQ(routeOrderNames(*parent.route(0)), (Names{"O1"}));
  EXPECT_EQ(routeOrderNames(*parent.route(1)), (Names{"O3", "O2"}));  // each new pickup goes first
  EXPECT_EQ(parent.gain(), parentGain);
}

TEST_F(Crossover, OrderUnplannedInOneParentIsUnplannedInTheChild) {
  build({4, 2, 0.0f, 0.0f, {{"O1", 0, 1}, {"O2", 1, 2}}});
  Solution first = emptyPlan();
  planOrders(first, 0, {"O1", "O2"});
  Solution second = emptyPlan();
  planOrders(second, 1, {"O1"});
  second.unplanned().push_back(&problem->orders[1]);

  std::unique_ptr<Solution> child = search->crossover(first, second);

  EXPECT_EQ(trace(), "0: 1: O2 \n1: 0: \n\n0: 0: \n1: 0: \n\n0: O1 \n");
  EXPECT_EQ(routeOrderNames(*child->route(0)), (Names{"O1"}));
  EXPECT_EQ(child->route(1)->orderCount(), 0);
  EXPECT_EQ(orderNames(child->unplanned()), (Names{"O2"}));
}

TEST_F(Crossover, EmptyParentsGiveEmptyRoutesAndEveryOrderUnplannedInTableOrder) {
  build({4, 2, 0.0f, 0.0f, {{"O3", 2, 3}, {"O1", 0, 1}, {"O2", 1, 2}}});
  Solution empty = emptyPlan();
  const float emptyGain = empty.gain();

  std::unique_ptr<Solution> child = search->crossover(empty, empty);

  EXPECT_EQ(trace(), "0: 0: \n1: 0: \n\n0: 0: \n1: 0: \n\n");
  for (const Route& route : child->routes()) EXPECT_EQ(route.stopCount(), 0);
  EXPECT_EQ(orderNames(child->unplanned()), (Names{"O3", "O1", "O2"}));
  EXPECT_EQ(child->gain(), emptyGain);
}

TEST_F(Crossover, GroupThatLowersTheGainEverywhereIsDropped) {
  // Driving costs 1 per km: O1 pays, the unpaid O2 only costs.
  build({4, 2, 1.0f, 0.0f, {{"O1", 0, 1, 100.0f}, {"O2", 2, 3, 0.0f}}});
  Solution parent = emptyPlan();
  planOrders(parent, 0, {"O1"});
  planOrders(parent, 1, {"O2"});
  Solution probe = emptyPlan();
  ASSERT_EQ(probe.route(1)->canInsert(problem->orders[1]), 1.0f);  // it fits, it just does not pay

  std::unique_ptr<Solution> child = search->crossover(parent, parent);

  EXPECT_EQ(trace(), "0: 0: \n1: 0: \n\n0: 0: \n1: 0: \n\n0: O1 \n1: O2 \n");
  EXPECT_EQ(routeOrderNames(*child->route(0)), (Names{"O1"}));
  EXPECT_EQ(child->route(1)->orderCount(), 0);
  EXPECT_EQ(orderNames(child->unplanned()), (Names{"O2"}));
  // The child's gain is the one its last placement set: the total of its routes.
  EXPECT_FLOAT_EQ(child->gain(), child->totalGain(false));
}

TEST_F(Crossover, EveryCrossoverRewritesItsTrace) {
  build({4, 1, 0.0f, 0.0f, {{"O1", 0, 1}}});
  Solution parent = emptyPlan();
  planOrders(parent, 0, {"O1"});
  search->crossover(parent, parent);
  search->crossover(emptyPlan(), parent);
  EXPECT_EQ(trace(), "0: 0: \n\n0: 1: O1 \n\n");
  EXPECT_TRUE(dumps.errors().empty());
}

}  // namespace
}  // namespace tamso

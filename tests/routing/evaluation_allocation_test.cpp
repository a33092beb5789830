// Route evaluation runs inside every insertion trial of every search: it must not touch
// the heap. This binary counts every allocation made through operator new.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "routing/route.h"
#include "tests/routing/small_problem.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tamso {
namespace {

TEST(EvaluationAllocationTest, EvaluationFeasibilityChecksAndTrialsDoNotAllocate) {
  testing::SmallProblem problem;
  const Place& a = problem.addPlace("A");
  const Place& b = problem.addPlace("B");
  problem.setLeg(a, b, 10.0f, {8, 10, 12});
  const Vehicle& vehicle = problem.addVehicle("T", &a);
  const Order& first = problem.addOrder("O1", a, testing::SmallProblem::open(), b, testing::SmallProblem::open(), 9.0f);
  const Order& second =
      problem.addOrder("O2", b, testing::SmallProblem::open(), a, testing::SmallProblem::open(), 9.0f);
  Route route(problem.data, vehicle);
  route.insertOrder(first);
  route.insertOrder(second);
  route.setWaitingPlace(b, true);
  const RouteStop last = route.stops().back();

  const long before = allocations.load();
  for (int i = 0; i < 10; ++i) {
    route.removeStopAt(route.stopCount() - 1);
    route.insertStop(last, -1);
    EXPECT_TRUE(route.evaluate());
    EXPECT_TRUE(route.isValid());
    EXPECT_NE(route.gain(), 0.0f);
    EXPECT_EQ(route.canInsert(first), 0.0f);  // already on the route: precedence fails
    // Trial routes are valued on the route's own times, without building them.
    EXPECT_NE(route.gainWithoutOrder(second), route.gain());
    EXPECT_NE(route.gainWithOrder(first), 0.0f);
  }
  EXPECT_EQ(allocations.load() - before, 0);
}

}  // namespace
}  // namespace tamso

#include "search/local_search_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "report/dump_files.h"
#include "tests/routing/small_problem.h"
#include "tests/temp_folder.h"

namespace tamso {
namespace {

using testing::SmallProblem;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class LocalSearchRunTest : public ::testing::Test {
 protected:
  LocalSearchRunTest() : a(problem.addPlace("A")), b(problem.addPlace("B")), c(problem.addPlace("C")) {
    problem.setLeg(a, b, 10.0f, {8, 10, 12});
    problem.setLeg(b, c, 20.0f, {16, 20, 24});
    problem.data.horizonEnd = 300;
    // Only the second vehicle is out in time for the windows.
    problem.addVehicle("LATE1", &a, {1000, 1000, 1000});
    problem.addVehicle("EARLY", &a);
    problem.addVehicle("LATE2", &a, {1000, 1000, 1000});
    problem.addOrder("O1", b, FuzzyWindow(0, 100, 120), c, FuzzyWindow(0, 200, 300), 500.0f);
    problem.addOrder("O2", b, FuzzyWindow(0, 100, 120), c, FuzzyWindow(0, 200, 300), 400.0f);
  }

  SmallProblem problem;
  const Place& a;
  const Place& b;
  const Place& c;
  testing::TempFolder scratch{"tamso-run-test"};
  const std::filesystem::path dir = scratch.path();
};

TEST_F(LocalSearchRunTest, DumpHoldsTheGainAndOneLinePerVehicle) {
  const auto path = (dir / "total.dump").string();
  std::ofstream(path) << "an older run\n";
  Random random = Random::seeded(3);
  TotalDumpFile dump(path);
  LocalSearchRun run = runLocalSearch(problem.data, false, random, nullptr, &dump);
  ASSERT_TRUE(run.solution);
  EXPECT_FALSE(run.stopped);
  EXPECT_TRUE(dump.errors().empty());
  const Route& planned = *run.solution->route(1);
  ASSERT_EQ(planned.orderCount(), 2);
  char gainLine[64];
  std::snprintf(gainLine, sizeof gainLine, " %f\n", static_cast<double>(run.solution->gain()));
  const std::string expected =
      std::string(gainLine) + "0 \n2 " + planned.orderAt(0)->name + " " + planned.orderAt(1)->name + " \n0 \n";
  EXPECT_EQ(readFile(path), expected);
}

TEST_F(LocalSearchRunTest, UnwritableDumpIsReportedAndThePlanKept) {
  const auto path = (dir / "missing" / "total.dump").string();
  Random random = Random::seeded(3);
  TotalDumpFile dump(path);
  LocalSearchRun run = runLocalSearch(problem.data, true, random, nullptr, &dump);
  ASSERT_TRUE(run.solution);
  ASSERT_EQ(dump.errors().size(), 1u);
  EXPECT_NE(dump.errors()[0].find(path), std::string::npos);
  EXPECT_EQ(run.solution->route(1)->orderCount(), 2);
}

}  // namespace
}  // namespace tamso

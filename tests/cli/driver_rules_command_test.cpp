// With the driving and rest times kept, no plan of any optimiser breaks a rule: a plain
// checker reads only each route's activities in the plan document and the travel-time table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "problem/loader.h"
#include "tests/cli/cli_run.h"
#include "tests/routing/plain_rule_check.h"
#include "tests/search/genetic_fixture.h"

namespace tamso {
namespace {

using nlohmann::json;
using testing::runTool;

ProblemData load(const std::string& config) {
  ProblemData problem;
  const auto error = loadInstance(config, problem, LoadOptions{std::filesystem::path(config).parent_path().string()});
  EXPECT_FALSE(error) << error->message;
  return problem;
}

class DriverRulesCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    home = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    for (const char* name : {"plain", "ruled", "crewed"}) {
      std::vector<std::string> args = {"generate", name, "--places", "30", "--orders", "60", "--vehicles", "10"};
      if (std::string(name) == "ruled") args.push_back("--driver-rules");
      if (std::string(name) == "crewed") args.push_back("--crews");
      const testing::CliRun made = runTool(args);
      ASSERT_EQ(made.exitCode, 0) << made.err;
    }
  }
  void TearDown() override { std::filesystem::current_path(home); }

  static json plan(const std::vector<std::string>& args) {
    const testing::CliRun run = runTool(args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return json::parse(run.out);
  }

  testing::ScratchFolder folder{"driver-rules"};
  std::filesystem::path home;
};

// Every route keeps every rule, its timeline runs from its start to its end, and the driving
// before each stop is the travel time from the place before; a crew keeps a crew's rules.
// Returns the break and rest minutes.
std::int32_t expectLegalPlan(const json& document, const ProblemData& problem, const std::string& what) {
  std::int32_t pauses = 0;
  for (const json& route : document["routes"]) {
    const json& activities = route["activities"];
    if (route["stops"].empty()) {
      EXPECT_TRUE(activities.empty()) << what;
      continue;
    }
    std::vector<test::Stretch> timeline;
    for (const json& a : activities) timeline.push_back({a["kind"], a["start"], a["minutes"]});
    EXPECT_EQ(test::PlainRuleCheck::broken(route["start"], timeline, route.value("drivers", 1)),
              std::set<std::string>{})
        << what << " " << route["vehicle"];
    EXPECT_EQ(timeline.back().start + timeline.back().minutes, route["end"].get<std::int32_t>()) << what;
    const Place* from = problem.findPlace(route["startPlace"]);
    std::int32_t leave = route["start"];
    for (const json& stop : route["stops"]) {
      const Place* to = problem.findPlace(stop["place"]);
      const std::int32_t serviceStart = stop["serviceStart"][1];
      std::int32_t driven = 0;
      for (const test::Stretch& s : timeline) {
        if (s.kind == "drive" && s.start >= leave && s.start < serviceStart) driven += s.minutes;
      }
      EXPECT_EQ(driven, problem.travelTime(*from, *to).likely) << what << " " << stop["place"];
      from = to;
      leave = stop["departure"][1];
    }
    pauses += route["breakMinutes"].get<std::int32_t>() + route["restMinutes"].get<std::int32_t>();
  }
  return pauses;
}

// On the instance of single drivers and on the one whose trucks carry a crew of two.
TEST_F(DriverRulesCommand, NoOptimiserBreaksARule) {
  const std::vector<std::vector<std::string>> runs = {
      {"plan", "--seed", "3"},
      {"ga", "--seed", "3", "--generations", "4"},
      {"hga", "--seed", "3", "--generations", "3"},
      {"solve", "--seed", "3", "--iterations", "30"},
  };
  for (const std::string config : {"plain/instance.cfg", "crewed/instance.cfg"}) {
    const ProblemData problem = load(config);
    std::int32_t pauses = 0;
    int crews = 0;
    for (std::vector<std::string> args : runs) {
      const std::string what = config + " " + args[0];
      args.insert(args.begin() + 1, config);
      args.insert(args.end(), {"--json", "--driver-rules"});
      const json document = plan(args);
      pauses += expectLegalPlan(document, problem, what);
      for (const json& route : document["routes"]) crews += route.contains("drivers") ? 1 : 0;
    }
    EXPECT_GT(pauses, 0) << config;
    EXPECT_EQ(crews > 0, config == "crewed/instance.cfg");
  }
}

// One order from a place to one about 1,500 km north, to be delivered early the next day:
// a crew of two drives it through, one driver must rest on the way and arrives too late.
void writeLongHaul(const std::string& folder, bool crew) {
  std::filesystem::create_directories(folder);
  const auto write = [&](const char* name, const std::string& text) { std::ofstream(folder + "/" + name) << text; };
  write("long.cfg",
        "[params]\ndriverRules=1\npickupTime=30\nunloadTime=30\nminimalSat=0.5\ntravelTimeFuzzines=0.05\n"
        "placeInPoland=SOUTH\n[files]\nvehicleTypes=types.txt\nvehicles=vehicles.txt\nclients=clients.txt\n"
        "countries=countries.txt\nregions=regions.txt\nplaces=places.txt\norders=orders.txt\n"
        "articleTypes=articles.txt\nvehiclesPositions=positions.txt\n");
  write("types.txt", crew ? "TRUCK 1 CREW 1 DRIVERS 2\n" : "TRUCK 0\n");
  write("vehicles.txt", "T1 TRUCK 14000\n");
  write("clients.txt", "SHIPPER regular\n");
  write("countries.txt", "LAND 240.00 1.00 0\n");
  write("regions.txt", "R SOUTH LAND 60 300\n");
  write("places.txt", "SOUTH 40.0 10.0 LAND R\nNORTH 53.5 10.0 LAND R\n");
  write("orders.txt",
        "LOAD SHIPPER 9000 SOUTH NORTH 2024-03-04 08:00 2024-03-04 09:00 2024-03-04 10:00   "
        "2024-03-04 08:00 2024-03-05 06:00 2024-03-05 08:00   GOODS 1 PALLET 10\n");
  write("articles.txt", "PALLET 1 WEIGHT 400\n");
  write("positions.txt", "T1 2024-03-04 07:30 2024-03-04 08:00 2024-03-04 08:30 SOUTH\n");
}

TEST_F(DriverRulesCommand, ACrewMovesALoad1500KmInOneDay) {
  writeLongHaul("crew", true);
  writeLongHaul("single", false);
  const ProblemData problem = load("crew/long.cfg");
  const json crew = plan({"plan", "crew/long.cfg", "--seed", "1", "--json"});
  ASSERT_EQ(crew["summary"]["plannedOrders"], 1);
  const json& route = crew["routes"][0];
  EXPECT_EQ(route["drivers"], 2);
  EXPECT_GT(route["drivingMinutes"].get<std::int32_t>(), 18 * 60);
  EXPECT_EQ(route["restMinutes"], 0);
  expectLegalPlan(crew, problem, "crew");
  std::vector<test::Stretch> timeline;
  for (const json& a : route["activities"]) timeline.push_back({a["kind"], a["start"], a["minutes"]});
  EXPECT_TRUE(test::PlainRuleCheck::broken(route["start"], timeline).count("dailyDriving"));

  const json single = plan({"plan", "single/long.cfg", "--seed", "1", "--json"});
  EXPECT_EQ(single["summary"]["plannedOrders"], 0);
  EXPECT_FALSE(single["routes"][0].contains("drivers"));
  EXPECT_EQ(single["unplanned"][0]["reason"], "No driver can reach it within the driving and rest times.");
}

TEST_F(DriverRulesCommand, TheDataSwitchesTheRulesAsTheOptionDoes) {
  const json byData = plan({"plan", "ruled/instance.cfg", "--seed", "5", "--json"});
  const json byOption = plan({"plan", "plain/instance.cfg", "--seed", "5", "--json", "--driver-rules"});
  EXPECT_EQ(byData["routes"], byOption["routes"]);
  const json off = plan({"plan", "ruled/instance.cfg", "--seed", "5", "--json", "--no-driver-rules"});
  EXPECT_EQ(off["routes"], plan({"plan", "plain/instance.cfg", "--seed", "5", "--json"})["routes"]);
  EXPECT_EQ(off["summary"]["breakMinutes"], 0);
  EXPECT_EQ(runTool({"plan", "plain/instance.cfg", "--driver-rules", "--no-driver-rules"}).exitCode, 2);
}

TEST(DriverRulesExample, TheEuropeanWeekPlansLegally) {
  const std::string config = testing::example("europe");
  const ProblemData problem = load(config);
  const testing::CliRun run = runTool({"plan", config, "--seed", "7", "--json", "--driver-rules"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_GT(expectLegalPlan(json::parse(run.out), problem, "europe"), 0);
}

}  // namespace
}  // namespace tamso
